// The stages of a run on their own: reading, statistics, building figures, PNG encoding.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/readInits.hpp"
#include "bench/BenchData.hpp"
#include "charts/hist.hpp"
#include "platform/numeric/Statistics.hpp"
#include "platform/render/PngFile.hpp"
#include "platform/render/Print.hpp"
#include "platform/render/detail/FigureRenderer.hpp"

namespace {

using namespace ambiscan;

// An inits.txt of n records of five receivers in a temporary folder, written once per size.
std::filesystem::path initsFile(std::size_t n) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("ambiscan-bench-" + std::to_string(n));
    const auto path = dir / "inits.txt";
    if (std::filesystem::exists(path))
        return path;
    std::filesystem::create_directories(dir);
    const Matrix t = bench::evenTimes(n);
    Matrix fix[5], err[15];
    for (unsigned k = 0; k < 5; ++k)
        fix[k] = bench::fixTimes(n, k + 1);
    for (unsigned k = 0; k < 15; ++k)
        err[k] = bench::noisyErrors(n, k + 10);
    std::ofstream out(path);
    char buffer[64];
    for (std::size_t i = 0; i < n; ++i) {
        out << static_cast<long>(t[i]);
        for (const auto& f : fix) {
            std::snprintf(buffer, sizeof buffer, " %g", f[i]);
            out << buffer;
        }
        for (const auto& e : err) {
            std::snprintf(buffer, sizeof buffer, " %.4f", e[i]);
            out << buffer;
        }
        out << '\n';
    }
    return path;
}

void BM_ReadInits(benchmark::State& state) {
    const auto path = initsFile(static_cast<std::size_t>(state.range(0)));
    std::ostringstream sink;
    for (auto _ : state) {
        auto file = app::readInits(path, 21, Console{sink, sink});
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadInits)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Median(benchmark::State& state) {
    const Matrix v = bench::fixTimes(static_cast<std::size_t>(state.range(0)), 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(medianValue(v));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Median)->Arg(10000)->Arg(1000000);

void BM_HistEvenBins(benchmark::State& state) {
    const Matrix v = bench::noisyErrors(static_cast<std::size_t>(state.range(0)), 3);
    Matrix centres(1, 41);
    for (std::size_t i = 0; i < 41; ++i)
        centres[i] = -0.1 + 0.005 * static_cast<double>(i);
    for (auto _ : state)
        benchmark::DoNotOptimize(charts::hist(v, centres));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HistEvenBins)->Arg(10000)->Arg(1000000);

// Building a position error figure in the model: three lines, a legend placed clear of them.
void BM_BuildErrorFigure(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Matrix x = bench::evenTimes(n);
    const Matrix e = bench::noisyErrors(n, 1), nn = bench::noisyErrors(n, 2),
                 u = bench::noisyErrors(n, 3);
    for (auto _ : state) {
        graphics::Graphics g;
        g.figure();
        std::vector<graphics::Handle> lines;
        for (const Matrix* y : {&e, &nn, &u}) {
            const auto h = g.plot(x, *y, "r-x");
            lines.insert(lines.end(), h.begin(), h.end());
            g.hold(true);
        }
        g.legend(lines, {"East", "North", "Height"});
        benchmark::DoNotOptimize(g.axis());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildErrorFigure)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Encoding a rendered figure of three crowded marked lines.
void BM_EncodePng(benchmark::State& state) {
    const std::size_t n = 10000;
    graphics::Graphics g;
    g.figure();
    g.plot(bench::evenTimes(n), bench::noisyErrors(n, 1), "r-x");
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, render::kFigureWidth, render::kFigureHeight),
        cairo_surface_destroy);
    render::renderFigure(g, g.currentFigureHandle(), surface.get());
    cairo_surface_flush(surface.get());
    const render::PixelRows pixels{cairo_image_surface_get_data(surface.get()),
                                   render::kFigureWidth, render::kFigureHeight,
                                   cairo_image_surface_get_stride(surface.get())};
    const auto file = std::filesystem::temp_directory_path() / "ambiscan-bench.png";
    for (auto _ : state)
        render::writePng(pixels, file.string());
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_EncodePng)->Unit(benchmark::kMillisecond);

}  // namespace
