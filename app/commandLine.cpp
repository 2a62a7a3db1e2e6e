#include "app/commandLine.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "app/optionWords.hpp"

namespace ambiscan::app {

namespace {

const char* const kSeeHelp = " (see ambiscan --help)";

render::FigureFormat figureFormat(const std::string& name) {
    for (const auto format :
         {render::FigureFormat::Png, render::FigureFormat::Svg, render::FigureFormat::Pdf}) {
        if (name == render::formatName(format)) {
            return format;
        }
    }
    throw CommandLineError("ambiscan: --format: unknown figure format \"" + name +
                           "\", expected png, svg or pdf" + kSeeHelp);
}

// "png,svg": each format once, in the order first asked.
std::vector<render::FigureFormat> figureFormats(const std::string& list) {
    std::vector<render::FigureFormat> formats;
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        const render::FigureFormat format = figureFormat(item);
        if (std::find(formats.begin(), formats.end(), format) == formats.end()) {
            formats.push_back(format);
        }
    }
    if (formats.empty() || list.back() == ',') {
        throw CommandLineError("ambiscan: --format: empty figure format in \"" + list + "\"" +
                               kSeeHelp);
    }
    return formats;
}

// --compare and the options only a comparison takes; the runs are all its words, so a title or
// legend after them is refused.
void readCompareOptions(const CLI::App& parser, const std::vector<std::string>& runs,
                        const std::string& baseline, const std::vector<std::string>& matches,
                        Options& options) {
    const bool comparing = parser.count("--compare") > 0;
    for (const char* only : {"--baseline", "--match", "--fail-on-regression"}) {
        if (!comparing && parser.count(only) > 0) {
            throw CommandLineError(std::string("ambiscan: ") + only + " needs --compare" +
                                   kSeeHelp);
        }
    }
    if (!comparing) {
        return;
    }
    // Options of a run would be silently ignored by a comparison: said instead.
    for (const char* runOnly : {"--input", "--label", "--note", "--no-report",
                                "--require-reliability", "--require-p90"}) {
        if (parser.count(runOnly) > 0) {
            throw CommandLineError(std::string("ambiscan: ") + runOnly +
                                   " is for a run, not for --compare" + kSeeHelp);
        }
    }
    if (!options.words.empty()) {
        throw CommandLineError("ambiscan: --compare takes runs, not a title or legends: \"" +
                               options.words.front() + "\"" + kSeeHelp);
    }
    options.action =
        options.action == Options::Action::Run ? Options::Action::Compare : options.action;
    options.compareRuns.assign(runs.begin(), runs.end());
    if (parser.count("--baseline") > 0) {
        options.baseline = baseline;
    }
    if (options.compareRuns.size() + (options.baseline ? 1 : 0) < 2) {
        throw CommandLineError("ambiscan: --compare needs at least two runs" +
                               std::string(kSeeHelp));
    }
    for (const std::string& match : matches) {
        const std::size_t equals = match.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == match.size()) {
            throw CommandLineError("ambiscan: --match: \"" + match +
                                   "\" is not LEGEND=BASELINE_LEGEND" + kSeeHelp);
        }
        options.legendMatches.emplace_back(match.substr(0, equals), match.substr(equals + 1));
    }
}

}  // namespace

const std::vector<std::string>& optionHelpLines() {
    static const std::vector<std::string> lines = {
        " ",
        "Options (before the title; -- ends them, so that a legend may start with -):",
        "  -i, --input FILE        read FILE instead of inits.txt in the working folder",
        "  -o, --output-dir DIR    write every output into DIR (created if missing)",
        "      --format LIST       figure formats, comma-separated from png, svg, pdf",
        "                          (default png); each figure is written in each",
        "      --no-report         write no report.html",
        "  -q, --quiet             no bad-init lists on the console",
        "      --require-reliability PCT",
        "                          every receiver's reliability must be at least PCT %",
        "      --require-p90 SECONDS",
        "                          every receiver must reach 90 % of its fixes within",
        "                          SECONDS (a receiver that never reaches 90 % fails)",
        "      --label TEXT        what summary.json files the run under, e.g. the",
        "                          firmware version (default: the title)",
        "      --note TEXT         a free note kept in summary.json",
        " ",
        "  ambiscan --compare RUN... [--baseline RUN] [--match A=B]",
        "           [--fail-on-regression] [-o DIR] [--format LIST]",
        "      --compare RUN...    compare runs made before (folders holding their",
        "                          summary.json, or the files) with the baseline: the",
        "                          first RUN unless --baseline says; writes",
        "                          compare.json, compare.html and, with three runs or",
        "                          more, trend figures",
        "      --baseline RUN      the run the others are compared with",
        "      --match A=B         legend A of the other runs is legend B of the",
        "                          baseline",
        "      --fail-on-regression",
        "                          exit 3 when a receiver is significantly worse than",
        "                          the baseline (after Holm's adjustment)",
        "  -h, --help              show this text",
        "      --version           show the program's version",
        " ",
        "Input: with N legends, each record holds 4N + 1 numbers: start time, N times to",
        "fix, then East, North, Height errors per receiver. Outputs: the figures (PNG",
        "unless --format says otherwise) and stats.csv.",
        "  ambiscan -i rig/inits.txt -o results --format png,pdf RTKTest RxA RxB",
        " ",
        "Exit status: 0 done, 1 the run failed, 2 a wrong command line, 3 a gate failed",
        "or a regression with --fail-on-regression (every output is written even then).",
        "Gate numbers are plain decimals (no hex, no blanks). More in man ambiscan.",
    };
    return lines;
}

Options parseCommandLine(const std::vector<std::string>& arguments) {
    Options options;
    std::string input, outputDir, formats, reliability, p90, label, note, baseline;
    std::vector<std::string> compareRuns, matches;
    bool help = false, version = false;

    CLI::App parser("ambiscan");
    parser.set_help_flag();
    // Parsing stops at the first word that is not an option: the title. What is left is
    // checked below, so that an unknown option is an error and not a title.
    parser.prefix_command();
    parser.add_flag("-h,--help", help);
    parser.add_flag("--version", version);
    parser.add_option("-i,--input", input);
    parser.add_option("-o,--output-dir", outputDir);
    parser.add_option("--format", formats);
    parser.add_flag("--no-report", options.noReport);
    parser.add_flag("-q,--quiet", options.quiet);
    parser.add_option("--require-reliability", reliability);
    parser.add_option("--require-p90", p90);
    parser.add_option("--label", label);
    parser.add_option("--note", note);
    parser.add_option("--compare", compareRuns);
    parser.add_option("--baseline", baseline);
    parser.add_option("--match", matches)->allow_extra_args(false);
    parser.add_flag("--fail-on-regression", options.failOnRegression);

    refuseFlagValues(arguments);
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        parser.parse(reversed);
    } catch (const CLI::ArgumentMismatch& error) {
        // "--input: 1 required TEXT missing": said plainly, the option's name first.
        const std::string what = error.what();
        const std::string name = what.substr(0, what.find(':'));
        if (what.find("missing") != std::string::npos) {
            throw CommandLineError("ambiscan: option " + name + " needs a value" + kSeeHelp);
        }
        throw CommandLineError("ambiscan: " + what + kSeeHelp);
    } catch (const CLI::ParseError& error) {
        throw CommandLineError(std::string("ambiscan: ") + error.what() + kSeeHelp);
    }

    const std::vector<std::string> rest = parser.remaining();
    auto word = rest.begin();
    if (word != rest.end() && *word == "--") {
        ++word;
    } else if (word != rest.end() && word->size() > 1 && word->front() == '-') {
        throw CommandLineError("ambiscan: unknown option " + *word + kSeeHelp);
    }
    options.words.assign(word, rest.end());

    if (help) {
        options.action = Options::Action::Help;
    } else if (version) {
        options.action = Options::Action::Version;
    }
    if (parser.count("--input") > 0) {
        options.input = input;
    }
    if (parser.count("--output-dir") > 0) {
        options.outputDir = outputDir;
    }
    if (parser.count("--format") > 0) {
        options.formats = figureFormats(formats);
    }
    if (parser.count("--require-reliability") > 0) {
        options.requireReliability = optionNumber("--require-reliability", reliability, 0, 100,
                                                  "a percentage from 0 to 100");
    }
    if (parser.count("--require-p90") > 0) {
        options.requireP90 =
            optionNumber("--require-p90", p90, 0, HUGE_VAL, "a number of seconds, 0 or more");
    }
    if (parser.count("--label") > 0) {
        options.label = label;
    }
    if (parser.count("--note") > 0) {
        options.note = note;
    }
    readCompareOptions(parser, compareRuns, baseline, matches, options);
    return options;
}

}  // namespace ambiscan::app
