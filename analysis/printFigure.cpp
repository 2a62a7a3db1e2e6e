#include "analysis/printFigure.hpp"

#include "platform/render/Print.hpp"

namespace ambiscan::analysis {

void printAndClose(RunContext& run, const std::string& fileName) {
    if (!doPrint) {
        return;
    }
    render::print(run.graphics, "-dpng", (run.outputDir / fileName).string());
    run.graphics.close();
}

}  // namespace ambiscan::analysis
