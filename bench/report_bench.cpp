// The report's own figure, the horizontal scatter: built, drawn on a canvas used again, encoded.
#include <benchmark/benchmark.h>

#include "bench/BenchData.hpp"
#include "platform/render/Print.hpp"
#include "figures/horizontalScatter.hpp"

namespace {

using namespace ambiscan;

analysis::DataSetResults errorsOf(std::size_t n) {
    analysis::DataSetResults d;
    d.name = "Rx1";
    d.east = bench::noisyErrors(n, 1);
    d.north = bench::noisyErrors(n, 2);
    d.height = bench::noisyErrors(n, 3);
    return d;
}

void BM_DrawScatter(benchmark::State& state) {
    const analysis::DataSetResults d = errorsOf(static_cast<std::size_t>(state.range(0)));
    evidence::DataSetEvidence e;
    e.horizontalP50 = 0.01;
    e.horizontalP95 = 0.03;
    render::RenderedFigure canvas(figures::kScatterSide, figures::kScatterSide);
    for (auto _ : state) {
        const graphics::Graphics g = figures::horizontalScatter(d, e, {0, 0, 1});
        render::renderFigurePixels(g, g.currentFigureHandle(), canvas);
        benchmark::DoNotOptimize(render::encodePng(canvas.pixels()));
    }
}
BENCHMARK(BM_DrawScatter)->Arg(2000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
