#include "campaign/compareRuns.hpp"

#include <algorithm>
#include <memory>
#include <mutex>

#include "campaign/CompareHtml.hpp"
#include "campaign/CompareJson.hpp"
#include "campaign/CompareVerdict.hpp"
#include "campaign/TrendFigures.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/base/WorkerPool.hpp"
#include "platform/io/OutputFolderLock.hpp"
#include "platform/io/StaleTemporaries.hpp"
#include "platform/io/makeOutputFolder.hpp"
#include "platform/io/writeFileAtomically.hpp"
#include "platform/render/FigureWriter.hpp"

namespace ambiscan::campaign {

namespace {

// Whether two RUNs name one summary: a folder and its summary.json are the same run.
bool sameRun(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ignored;
    const auto file = [&ignored](const std::filesystem::path& run) {
        return std::filesystem::weakly_canonical(
            std::filesystem::is_directory(run, ignored) ? run / "summary.json" : run, ignored);
    };
    return file(a) == file(b);
}

// The runs in the order given, the baseline among them (first when --baseline names another).
std::pair<std::vector<RunRecord>, std::size_t> readRuns(const CompareRequest& request) {
    std::vector<std::filesystem::path> paths = request.runs;
    std::size_t baseline = 0;
    if (request.baseline) {
        const auto found = std::find_if(paths.begin(), paths.end(), [&](const auto& p) {
            return sameRun(p, *request.baseline);
        });
        if (found == paths.end()) {
            paths.insert(paths.begin(), *request.baseline);
        } else {
            baseline = static_cast<std::size_t>(found - paths.begin());
        }
    }
    std::vector<RunRecord> runs;
    for (const std::filesystem::path& path : paths) {
        runs.push_back(readRunSummary(path));
    }
    return {std::move(runs), baseline};
}

// Each figure into every format asked for; its PNG bytes kept for the page, in order.
std::vector<PageFigure> writeFigures(std::vector<TrendFigure> figures,
                                     const CompareRequest& request, WorkerPool& pool) {
    std::vector<PageFigure> page(figures.size());
    std::mutex keeping;
    {
        render::FigureWriter writer(pool);
        for (std::size_t k = 0; k < figures.size(); ++k) {
            std::vector<render::FigureWriter::FigureFile> files;
            for (const render::FigureFormat format : request.formats) {
                files.push_back({format, (request.outputDir /
                                          (figures[k].name + "." + render::formatName(format)))
                                             .string()});
            }
            page[k].caption = figures[k].caption;
            // Built once, on the worker that draws it.
            auto figure = std::make_shared<graphics::Graphics>(std::move(figures[k].figure));
            writer.drawAndWrite([figure] { return std::move(*figure); }, std::move(files),
                                [&page, &keeping, k](std::string png) {
                                    const std::lock_guard lock(keeping);
                                    page[k].png = std::move(png);
                                });
        }
        writer.settle();
    }
    return page;
}

}  // namespace

bool compareRuns(const CompareRequest& request, std::ostream& out) {
    auto [runs, baseline] = readRuns(request);
    const Campaign campaign = compareCampaign(std::move(runs), baseline, request.matches);
    const std::vector<ReceiverTrend> trends = receiverTrends(campaign);

    // Started before anything is written: a system that refuses the threads leaves no output.
    WorkerPool pool;
    makeOutputFolder(request.outputDir);
    const OutputFolderLock lock(request.outputDir);
    removeStaleTemporaries(request.outputDir);
    const std::vector<PageFigure> figures =
        writeFigures(trendFigures(campaign, trends), request, pool);
    writeFileAtomically(
        request.outputDir / "compare.json",
        compareJson(campaign, trends).dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
    writeFileAtomically(request.outputDir / "compare.html", compareHtml(campaign, figures));

    for (const ReceiverComparison& c : campaign.comparisons) {
        out << compareVerdict(c, campaign) << '\n';
    }
    for (const Unmatched& u : campaign.unmatched) {
        out << "Not compared: " << campaign.runs[u.run].label << " " << u.legend
            << (u.inBaseline ? " (not in this run)" : " (not in the baseline)") << '\n';
    }
    return campaign.anyRegression();
}

}  // namespace ambiscan::campaign
