#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/render/FigureFormat.hpp"

namespace ambiscan::app {

// What the command line asks of a run, the words after the options included.
struct Options {
    // What to do: run the analysis (or print the usage text, by the word count), or only
    // answer --help or --version, or compare runs already made (--compare).
    enum class Action { Run, Help, Version, Compare };
    Action action = Action::Run;

    std::filesystem::path input = "inits.txt";
    std::filesystem::path outputDir = ".";
    // Each figure is written in every one of these, in this order.
    std::vector<render::FigureFormat> formats = {render::FigureFormat::Png};
    bool noReport = false;
    bool quiet = false;  // no bad-init lists on the console
    // A progress line on standard error for long runs: only when it is a terminal.
    bool showProgress = false;
    // Gates every receiver must pass: reliability in percent at least, 90 % time in seconds at
    // most.
    std::optional<double> requireReliability;
    std::optional<double> requireP90;
    // What summary.json files the run under: --label (the title when absent) and --note.
    std::optional<std::string> label;
    std::optional<std::string> note;

    // --compare: the runs (folders holding a summary.json, or the files), the baseline if
    // --baseline names it, legends of other runs matched to the baseline's (--match A=B: A of
    // another run is B of the baseline), and whether a regression fails the command.
    std::vector<std::filesystem::path> compareRuns;
    std::optional<std::filesystem::path> baseline;
    std::vector<std::pair<std::string, std::string>> legendMatches;
    bool failOnRegression = false;

    // The title and the legends.
    std::vector<std::string> words;
};

}  // namespace ambiscan::app
