#include "app/runComparison.hpp"

#include "campaign/compareRuns.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/runtime/PrintableText.hpp"
#include "platform/runtime/Registry.hpp"

namespace ambiscan::app {

int runComparison(const Options& options, Console console) {
    campaign::CompareRequest request;
    request.runs = options.compareRuns;
    request.baseline = options.baseline;
    request.matches = options.legendMatches;
    request.outputDir = options.outputDir;
    request.formats = options.formats;
    try {
        const bool worse = campaign::compareRuns(request, console.out);
        console.out.flush();
        if (worse && options.failOnRegression) {
            console.err << "ambiscan: a receiver is significantly worse than the baseline "
                           "(--fail-on-regression)\n";
            return runtime::kExitGateFailed;
        }
        return runtime::kExitSuccess;
    } catch (const RuntimeError& error) {
        console.out.flush();
        // Paths and legends come from the user's files: shown whole, control bytes escaped.
        console.err << printableText(error.what(), std::string::npos) << '\n';
        return runtime::kExitRunFailed;
    }
}

}  // namespace ambiscan::app
