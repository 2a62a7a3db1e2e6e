// ambiscan_gallery <folder>: renders one figure of each kind of object the program draws, so
// that anyone can look at how figures come out.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/RuntimeError.hpp"
#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/render/Print.hpp"

using namespace ambiscan;
using graphics::Graphics;
using graphics::Handle;

namespace {

Matrix row(const std::vector<double>& v) {
    return Matrix::row(v);
}

std::vector<double> steps(double first, double step, std::size_t n) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = first + step * static_cast<double>(i);
    return v;
}

// Bars as the bar chart lays them out: five vertices per bar (a joining point at the base,
// then lower-left, upper-left, upper-right, lower-right) and one face of four per bar.
Handle bars(Graphics& g, const std::vector<double>& x, const std::vector<double>& h, double offset,
            double width, double series) {
    const std::size_t n = x.size();
    Matrix faces(n, 4), vertices(5 * n + 1, 2);
    for (std::size_t k = 0; k < n; ++k) {
        const double l = x[k] + offset - width / 2, r = x[k] + offset + width / 2;
        const double xs[5] = {l, l, l, r, r};
        const double ys[5] = {0, 0, h[k], h[k], 0};
        for (std::size_t j = 0; j < 5; ++j) {
            vertices(5 * k + j, 0) = xs[j];
            vertices(5 * k + j, 1) = ys[j];
        }
        for (std::size_t j = 0; j < 4; ++j)
            faces(k, j) = static_cast<double>(5 * k + j + 2);
    }
    vertices(5 * n, 0) = x.back() + offset + width / 2;
    vertices(5 * n, 1) = 0;
    return g.patch({{"faces", faces},
                    {"vertices", vertices},
                    {"cdata", Matrix(5 * n + 1, 1, series)},
                    {"FaceColor", std::string("flat")},
                    {"EdgeColor", g.get(g.gcf(), "defaultaxesxcolor")}});
}

void annotate(Graphics& g, const std::string& title, const std::string& xlabel,
              const std::string& ylabel) {
    const Handle ax = g.gca();
    const Matrix t = std::get<Matrix>(g.get(ax, "title"));
    const Matrix x = std::get<Matrix>(g.get(ax, "xlabel"));
    const Matrix y = std::get<Matrix>(g.get(ax, "ylabel"));
    g.set(t[0], {{"string", title}, {"Interpreter", std::string("none")}});
    g.set(x[0], "string", xlabel);
    g.set(y[0], "string", ylabel);
}

void grid(Graphics& g) {
    g.set(g.gca(), {{"XGrid", std::string("on")}, {"YGrid", std::string("on")}});
}

void save(Graphics& g, const std::string& folder, const std::string& name) {
    const auto start = std::chrono::steady_clock::now();
    render::print(g, "-dpng", folder + "/" + name);
    const auto ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
    std::printf("%-28s %7.1f ms\n", name.c_str(), ms.count());
    g.close();
}

void lineStyles(Graphics& g, const std::string& folder) {
    g.figure();
    g.hold(true);
    const std::vector<std::string> styles{"-", "--", ":", "-."};
    std::vector<Handle> handles;
    std::vector<std::string> texts;
    for (std::size_t s = 0; s < styles.size(); ++s) {
        std::vector<double> y;
        for (const double x : steps(0, 0.5, 41))
            y.push_back(std::sin(x / 3) + 2.5 * static_cast<double>(s));
        handles.push_back(g.plot(row(steps(0, 0.5, 41)), row(y), styles[s])[0]);
        texts.push_back("line style \"" + styles[s] + "\"");
    }
    const std::string markers = "ox+*.sdv^<>ph";
    for (std::size_t m = 0; m < markers.size(); ++m) {
        const double x = 1.5 * static_cast<double>(m);
        g.plot(row({x, x + 0.75}), row({11, 11}), std::string("k") + markers[m]);
        const auto filled =
            g.plot(row({x, x + 0.75}), row({12.5, 12.5}), std::string("r") + markers[m]);
        g.set(filled[0], "MarkerFaceColor", Matrix::row({1, 0.6, 0.6}));
    }
    const auto thick = g.plot(row(steps(0, 0.5, 41)), row(std::vector<double>(41, -2)), "-x",
                              {{"linewidth", Matrix::scalar(2)},
                               {"markersize", Matrix::scalar(6)},
                               {"color", Matrix::row({0.2, 0.6, 0.3})}});
    handles.push_back(thick[0]);
    texts.push_back("linewidth 2, \"-x\"");
    g.legend(handles, texts, 4);
    grid(g);
    annotate(g, "Line styles and the markers o x + * . s d v ^ < > p h", "x", "y");
    save(g, folder, "lines_and_markers.png");
}

void groupedBars(Graphics& g, const std::string& folder) {
    g.figure();
    const auto x = steps(-0.195, 0.005, 79);
    std::vector<Handle> h;
    for (int s = 0; s < 3; ++s) {
        std::vector<double> y;
        for (const double v : x)
            y.push_back(12 * std::exp(-std::pow((v - 0.02 * (s - 1)) / (0.03 + 0.01 * s), 2)));
        h.push_back(bars(g, x, y, (s - 1) * 0.005 / 3.2, 0.005 / 3.5, s + 1));
    }
    g.set(g.gca(), {{"Layer", std::string("Bottom")}, {"box", std::string("on")}});
    g.legend({}, {"Rover: East - Sigma = 0.031m; Mean Error = -0.02m",
                  "Rover: North - Sigma = 0.041m; Mean Error = 0m",
                  "Rover: Height - Sigma = 0.052m; Mean Error = 0.02m"});
    grid(g);
    annotate(g, "Grouped bars: East / North / Height", "East/North/Height Position Error [m]",
             "Number of Epochs [%]");
    save(g, folder, "bars_grouped.png");

    g.figure();
    std::vector<double> y;
    for (const double v : x)
        y.push_back(20 * std::exp(-std::pow(v / 0.05, 2)));
    bars(g, x, y, 0, 0.005, 1);
    g.set(g.gca(), {{"clim", Matrix::row({1, 2})},
                    {"Layer", std::string("Bottom")},
                    {"box", std::string("on")}});
    grid(g);
    annotate(g, "Rover: East - Sigma = 0.035m; Mean Error = 0.0011m", "East Position Error [m]",
             "Number of Epochs [%]");
    save(g, folder, "bars_single.png");
}

void legendCorners(Graphics& g, const std::string& folder) {
    for (int corner = -1; corner <= 4; ++corner) {
        if (corner == 0)
            continue;
        g.figure();
        const auto x = steps(0, 1, 50);
        std::vector<double> y1, y2;
        for (const double v : x) {
            y1.push_back(v * v / 50);  // fills the upper right and lower left
            y2.push_back(50 - v);
        }
        const auto a = g.plot(row(x), row(y1), "b-o");
        g.hold(true);
        const auto b = g.plot(row(x), row(y2), "r--");
        g.legend({a[0], b[0]}, {"rising", "falling"}, corner);
        grid(g);
        annotate(g,
                 corner == -1 ? "Legend at the corner hiding the fewest points"
                              : "Legend at position " + std::to_string(corner),
                 "x", "y");
        save(g, folder,
             corner == -1 ? "legend_best.png" : "legend_" + std::to_string(corner) + ".png");
    }
}

void cumulative(Graphics& g, const std::string& folder) {
    g.figure();
    g.axis({0, 500, 0, 100});
    grid(g);
    g.hold(true);
    const std::vector<std::string> names{"V1.00", "Rx_B", "LongName"};
    std::vector<Handle> h;
    std::vector<std::string> legend;
    const std::vector<graphics::Rgb> colours{{0, 0, 1}, {1, 0, 0}, {0, 0.6, 0}};
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::vector<double> y;
        for (const double t : steps(0, 1, 501)) {
            y.push_back(100 * (1 - std::exp(-t / (30.0 + 25.0 * static_cast<double>(i)))));
        }
        const auto line =
            g.plot(row(steps(0, 1, 501)), row(y), "-x",
                   {{"color", Matrix::row({colours[i].r, colours[i].g, colours[i].b})}});
        h.insert(h.begin(), line[0]);
        std::string pad(8 - names[i].size(), ' ');
        legend.insert(
            legend.begin(),
            names[i] + " " + pad +
                "90%= " + formatText("%4d", {Matrix::scalar(69.0 + 58 * static_cast<double>(i))}) +
                "sec; Max=" +
                formatText("%5d", {Matrix::scalar(120.0 + 1000 * static_cast<double>(i * i))}) +
                "sec; Av= " +
                formatText("%4.1f", {Matrix::scalar(45.26 + 3 * static_cast<double>(i))}) +
                "sec; Median=" +
                formatText("%4d", {Matrix::scalar(40.0 + static_cast<double>(i))}) + "sec");
    }
    const Handle leg = g.legend(h, legend, 4);
    g.set(leg, {{"FontName", std::string("courier")}, {"FontSize", Matrix::scalar(8)}});
    annotate(g, "Ambiscan Init Test, 2024-03-01 - my_run^2 (Interpreter none: _ and ^ as typed)",
             "Satellite Acquisition + RTK Initialization Time [Seconds]", "Cumulative Percentage");
    g.text(30, 25,
           {"V1.00:  Rel. = 100.000%; East Sig = 0.012m; North Sig = 0.010m; Height Sig = 0.020m; ",
            "Rx_B:  Rel. = 97.500%; East Sig = 0.015m; North Sig = 0.011m; Height Sig = 0.031m; ",
            "LongName:  Rel. = 92.000%; East Sig = 0.019m; North Sig = 0.017m; Height Sig = "
            "0.044m; "});
    save(g, folder, "cumulative_monospaced_legend.png");
}

void texts(Graphics& g, const std::string& folder) {
    g.figure();
    g.plot(row({0, 10}), row({0, 10}), "k:");
    g.text(1, 8,
           {"A text of three lines,", "drawn at data position (1, 8),", "left aligned, middle"});
    g.text(1, 4, {"Scripts: Ελληνικά, Русский, עברית, العربية, 日本語, 한국어"});
    g.text(1, 2, {std::string("Broken bytes: \xC3\x28 \xFF end, tab\there")});
    const Handle t = g.text(9, 1, {"rotated 30 degrees"});
    g.set(t, {{"Rotation", Matrix::scalar(30)},
              {"HorizontalAlignment", std::string("right")},
              {"color", std::string("r")},
              {"FontSize", Matrix::scalar(14)},
              {"FontWeight", std::string("bold")}});
    annotate(g, "Texts: multi-line, any script, broken UTF-8", "x label_with_underscore",
             "y label^caret");
    save(g, folder, "texts.png");

    g.figure();
    g.plot(row(steps(0, 1, 20)), row(steps(5, -0.3, 20)), "m-s");
    annotate(g,
             "A very long title that goes on and on: Rover_1; 3712 Good Inits; 12 Bad Inits; "
             "Reliability = 99.678%; and some more words so that it cannot fit the width of the "
             "figure at all",
             "A long x label that still fits", "Position Error [metres]");
    save(g, folder, "long_title.png");
}

void timeAxis(Graphics& g, const std::string& folder) {
    g.figure();
    g.hold(true);
    const auto x = steps(345600, 600, 50);
    std::vector<double> y;
    for (std::size_t i = 0; i < x.size(); ++i)
        y.push_back(20 + 15 * std::sin(static_cast<double>(i)));
    // A stem plot: markers, then one broken line for all stems.
    std::vector<double> sx, sy;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx.insert(sx.end(), {x[i], x[i], NAN});
        sy.insert(sy.end(), {0, y[i], NAN});
    }
    const auto markers = g.plot(row(x), row(y), "bo");
    g.plot(row(sx), row(sy), "b-");
    auto a = g.axis();
    g.axis({345600, 345600 + 10800 * 3, a[2], a[3]});
    g.set(g.gca(), {{"XTick", row(steps(345600, 3600 * 3, 4))},
                    {"XTickLabel", CellRow{"Day4  00:00", "03:00", "06:00", "09:00"}}});
    grid(g);
    g.legend(markers, {"Rover"});
    annotate(g, "Stems on a GPS time axis", "Time of initialization attempt start [GPS Time HH:MM]",
             "Time taken to Initialize [Seconds]");
    save(g, folder, "time_axis_stems.png");
}

void million(Graphics& g, const std::string& folder) {
    for (const std::size_t n : {std::size_t{1000}, std::size_t{1000000}}) {
        g.figure();
        std::vector<double> x(n), y(n);
        for (std::size_t i = 0; i < n; ++i) {
            x[i] = static_cast<double>(i);
            y[i] = std::sin(static_cast<double>(i) * 20.0 / static_cast<double>(n)) +
                   0.3 * std::sin(static_cast<double>(i) * 0.7);
        }
        const auto h = g.plot(row(x), row(y), "-.");
        g.legend(h, {"n = " + std::to_string(n)});
        grid(g);
        annotate(g, std::to_string(n) + " points with markers", "sample", "value");
        save(g, folder, "points_" + std::to_string(n) + ".png");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ambiscan_gallery <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder);
    try {
        Graphics g;
        lineStyles(g, folder);
        groupedBars(g, folder);
        legendCorners(g, folder);
        cumulative(g, folder);
        texts(g, folder);
        timeAxis(g, folder);
        million(g, folder);
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
