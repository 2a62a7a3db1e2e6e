#include "analysis/printFigure.hpp"

#include "platform/render/Print.hpp"

namespace ambiscan::analysis {

void printAndClose(RunContext& run, const std::string& fileName) {
    if (!doPrint) {
        return;
    }
    if (run.beforePrint) {
        run.beforePrint(run.graphics, fileName);
    }
    render::print(run.graphics, "-dpng", (run.outputDir / fileName).string());
    run.graphics.close();
}

}  // namespace ambiscan::analysis
