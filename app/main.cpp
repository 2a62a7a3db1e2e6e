#include <unistd.h>

#include <csignal>
#include <iostream>

#include "app/ambiscan.hpp"
#include "app/commandLine.hpp"
#include "app/exitStatus.hpp"
#include "app/runComparison.hpp"
#include "app/standardOutput.hpp"
#include "platform/base/PrintableText.hpp"
#include "platform/base/ReuseFreedMemory.hpp"
#include "platform/base/Version.hpp"
#include "platform/render/Print.hpp"

int main(int argc, char** argv) {
    using namespace ambiscan;
    // Past a file-size limit the system would kill the run mid-write; ignoring the signal turns
    // it into a failed write, which is reported with the file's name.
    std::signal(SIGXFSZ, SIG_IGN);
    reuseFreedMemory();

    app::Options options;
    try {
        options = app::parseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    } catch (const app::CommandLineError& error) {
        std::cerr << printableText(error.what(), std::string::npos) << '\n';
        return app::kExitArgumentCount;
    }
    options.showProgress = isatty(STDERR_FILENO) == 1;
    if (options.action == app::Options::Action::Help) {
        for (const auto* lines : {&app::usageLines(), &app::optionHelpLines()}) {
            for (const std::string& line : *lines) {
                std::cout << line << '\n';
            }
        }
        return app::finishStandardOutput(app::kExitSuccess);
    }
    if (options.action == app::Options::Action::Version) {
        std::cout << "ambiscan " << kVersion << '\n';
        return app::finishStandardOutput(app::kExitSuccess);
    }

    if (options.action == app::Options::Action::Compare) {
        const int status = app::runComparison(options, Console{std::cout, std::cerr});
        render::releaseRenderResources();
        return app::finishStandardOutput(status);
    }

    const int status = app::ambiscan(options, Console{std::cout, std::cerr});
    // The font and drawing libraries keep caches for the life of the process; releasing them
    // at the end keeps a memory checker's report about the program itself.
    render::releaseRenderResources();
    return app::finishStandardOutput(status);
}
