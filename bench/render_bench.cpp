// Rendering a figure into pixels (no file): the cost must follow the image, not the points.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchData.hpp"
#include "charts/grid.hpp"
#include "charts/stem.hpp"
#include "platform/graphics/Graphics.hpp"
#include "platform/render/Print.hpp"
#include "platform/render/detail/FigureRenderer.hpp"
#include "platform/render/detail/LineRaster.hpp"

namespace {

using namespace ambiscan;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface makeSurface() {
    return Surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, render::kFigureWidth, render::kFigureHeight),
        cairo_surface_destroy);
}

void renderLoop(benchmark::State& state, const graphics::Graphics& g) {
    const Surface surface = makeSurface();
    for (auto _ : state) {
        render::renderFigure(g, g.currentFigureHandle(), surface.get());
        cairo_surface_flush(surface.get());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Three marked error lines against time, as in the position error figures.
void BM_RenderMarkedLines(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    graphics::Graphics g;
    g.figure();
    const Matrix x = bench::evenTimes(n);
    g.plot(x, bench::noisyErrors(n, 1), "r-x");
    g.hold(true);
    g.plot(x, bench::noisyErrors(n, 2), "g-x");
    g.plot(x, bench::noisyErrors(n, 3), "b-x");
    renderLoop(state, g);
}
BENCHMARK(BM_RenderMarkedLines)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// One marked line alone, the figure the README quotes.
void BM_RenderOneMarkedLine(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    graphics::Graphics g;
    g.figure();
    g.plot(bench::evenTimes(n), bench::noisyErrors(n, 1), "r-x");
    renderLoop(state, g);
}
BENCHMARK(BM_RenderOneMarkedLine)->Arg(500)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The figure the graphics target is set on: a 500-point marked line with a legend and a grid,
// drawn and written to a PNG file.
void BM_RenderAndWriteLegendFigure(benchmark::State& state) {
    graphics::Graphics g;
    g.figure();
    const std::vector<graphics::Handle> lines =
        g.plot(bench::evenTimes(500), bench::noisyErrors(500, 1), "r-x");
    charts::grid(g);
    g.legend(lines, {"East: Sig=0.015m; Mean=0.000m"});
    const std::string file =
        (std::filesystem::temp_directory_path() / "ambiscan-bench-figure.png").string();
    for (auto _ : state) {
        render::print(g, "-dpng", file);
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_RenderAndWriteLegendFigure)->Unit(benchmark::kMillisecond);

// The same line drawn and written to a PNG file, as a figure is in a run.
void BM_RenderAndWriteOneMarkedLine(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    graphics::Graphics g;
    g.figure();
    g.plot(bench::evenTimes(n), bench::noisyErrors(n, 1), "r-x");
    const std::string file =
        (std::filesystem::temp_directory_path() / "ambiscan-bench-line.png").string();
    for (auto _ : state) {
        render::print(g, "-dpng", file);
    }
    std::filesystem::remove(file);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RenderAndWriteOneMarkedLine)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The line raster alone on dense noise: 6 000 segments across a third of the height each, as
// the good-only error figures of a small run draw them.
void BM_LineRasterNoise(benchmark::State& state) {
    const Surface surface = makeSurface();
    std::mt19937 random(3);
    std::normal_distribution<double> noise(450, 150);
    std::vector<double> ys(6001);
    for (double& y : ys)
        y = noise(random);
    render::LineRaster raster(render::kFigureWidth, render::kFigureHeight);
    for (auto _ : state) {
        raster.begin(1.2, {80, 50, 1160, 830});
        for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
            const double x = 80 + 1080.0 * static_cast<double>(i) / 6000;
            raster.segment(x, ys[i], x + 0.18, ys[i + 1]);
        }
        raster.blendInto(surface.get(), {0, 0, 1});
    }
}
BENCHMARK(BM_LineRasterNoise)->Unit(benchmark::kMillisecond);

// Stems with open markers, as in the time-of-day figure.
void BM_RenderStems(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    graphics::Graphics g;
    g.figure();
    charts::stem(
        g, {Value(bench::evenTimes(n)), Value(bench::fixTimes(n, 4)), Value(std::string("bo"))});
    renderLoop(state, g);
}
BENCHMARK(BM_RenderStems)->Arg(2000)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
