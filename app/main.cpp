#include <unistd.h>

#include <csignal>
#include <iostream>

#include "app/Version.hpp"
#include "app/ambiscan.hpp"
#include "app/commandLine.hpp"
#include "app/functionRegistry.hpp"
#include "app/runComparison.hpp"
#include "app/standardOutput.hpp"
#include "platform/runtime/PrintableText.hpp"
#include "platform/runtime/ReuseFreedMemory.hpp"

int main(int argc, char** argv) {
    using namespace ambiscan;
    // Past a file-size limit the system would kill the run mid-write; ignoring the signal turns
    // it into a failed write, which is reported with the file's name.
    std::signal(SIGXFSZ, SIG_IGN);
    runtime::reuseFreedMemory();

    app::Options options;
    try {
        options = app::parseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    } catch (const app::CommandLineError& error) {
        std::cerr << printableText(error.what(), std::string::npos) << '\n';
        return runtime::kExitArgumentCount;
    }
    options.showProgress = isatty(STDERR_FILENO) == 1;
    if (options.action == app::Options::Action::Help) {
        for (const auto* lines : {&app::usageLines(), &app::optionHelpLines()}) {
            for (const std::string& line : *lines) {
                std::cout << line << '\n';
            }
        }
        return app::finishStandardOutput(runtime::kExitSuccess);
    }
    if (options.action == app::Options::Action::Version) {
        std::cout << "ambiscan " << kVersion << '\n';
        return app::finishStandardOutput(runtime::kExitSuccess);
    }

    if (options.action == app::Options::Action::Compare) {
        return app::finishStandardOutput(
            app::runComparison(options, Console{std::cout, std::cerr}));
    }

    // The words after the options are the program's arguments, counted as before.
    std::vector<const char*> words{argc > 0 ? argv[0] : "ambiscan"};
    for (const std::string& word : options.words) {
        words.push_back(word.c_str());
    }
    const runtime::FunctionRegistry functions = app::programFunctions();
    runtime::FunctionEntry entry = functions.find("ambiscan");
    entry.body = [&options](runtime::CallContext& context, int, const std::vector<Value>& args) {
        app::ambiscan(context, args, options);
        return std::vector<Value>{};
    };
    return app::finishStandardOutput(
        runtime::runMain(static_cast<int>(words.size()), words.data(), entry, 0, functions,
                         app::lifecycle(functions), Console{std::cout, std::cerr}));
}
