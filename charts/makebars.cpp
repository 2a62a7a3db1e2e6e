#include "charts/makebars.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "charts/ArgumentChecks.hpp"
#include "platform/base/LowerCase.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::charts {

namespace {

constexpr double kEps = 2.220446049250313e-16;

BarLayout failure(const std::string& msg) {
    BarLayout layout;
    layout.msg = msg;
    return layout;
}

// A text that names only a marker ("x", "s", "h") says nothing a bar can show, so it is read as an
// option instead: "s" stacks and "x" is reported as unrecognised rather than silently dropped.
bool isBarLineSpec(const graphics::LineSpec& spec) {
    return spec.message.empty() &&
           !(spec.color.empty() && spec.lineStyle.empty() && !spec.marker.empty());
}

// Rows of x and y reordered so that the first column of x ascends; NaN positions go last.
void sortRows(Matrix& x, Matrix& y) {
    std::vector<std::size_t> order(x.rows());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&x](std::size_t a, std::size_t b) {
        const double va = x(a, 0), vb = x(b, 0);
        if (std::isnan(vb)) {
            return !std::isnan(va);
        }
        return va < vb;
    });
    auto reorder = [&order](const Matrix& m) {
        Matrix out(m.rows(), m.cols());
        for (std::size_t c = 0; c < m.cols(); ++c) {
            for (std::size_t r = 0; r < m.rows(); ++r) {
                out(r, c) = m(order[r], c);
            }
        }
        return out;
    };
    x = reorder(x);
    y = reorder(y);
}

double maxIgnoringNan(const std::vector<double>& values) {
    double best = std::numeric_limits<double>::quiet_NaN();
    for (double v : values) {
        if (!std::isnan(v) && (std::isnan(best) || v > best)) {
            best = v;
        }
    }
    return best;
}

// 1 when the positions are equally spaced, 0 when not, empty when it cannot be told (one or two
// positions, or no distance between them).
Matrix spacingTest(const Matrix& x) {
    const std::size_t n = x.rows();
    std::vector<double> absValues, absDiffs, absSecondDiffs;
    for (std::size_t c = 0; c < x.cols(); ++c) {
        for (std::size_t r = 0; r < n; ++r) {
            absValues.push_back(std::fabs(x(r, c)));
            if (r + 1 < n) {
                absDiffs.push_back(std::fabs(x(r + 1, c) - x(r, c)));
            }
            if (r + 2 < n) {
                const double d1 = x(r + 1, c) - x(r, c);
                const double d2 = x(r + 2, c) - x(r + 1, c);
                absSecondDiffs.push_back(std::fabs(d2 - d1));
            }
        }
    }
    if (x.numel() <= 1 || absSecondDiffs.empty() || maxIgnoringNan(absDiffs) == 0) {
        return Matrix();
    }
    const bool equal =
        maxIgnoringNan(absSecondDiffs) <= maxIgnoringNan(absValues) * std::sqrt(kEps);
    return Matrix::scalar(equal ? 1.0 : 0.0);
}

struct Slot {
    double t;      // left end of the slot (after centring)
    double delta;  // slot width
};

struct SlotRule {
    const Matrix& x;
    std::size_t n, m;
    bool stacked;
    int ishist;
    double groupwidth;
    const Matrix& equal;

    // Per-bar width and centre of the bars of column j when the spacing is not equal.
    void unequalBars(std::size_t j, std::vector<double>& dx, std::vector<double>& t0) const {
        std::vector<double> gap(n - 1);
        for (std::size_t k = 0; k + 1 < n; ++k) {
            gap[k] = x(k + 1, j) - x(k, j);
        }
        dx.assign(n, 0.0);
        t0.assign(n, 0.0);
        if (ishist == 0) {
            // The smallest gap between distinct positions: repeated positions would otherwise
            // make every bar vanish.
            double smallest = std::numeric_limits<double>::infinity();
            for (std::size_t c = 0; c < x.cols(); ++c) {
                for (std::size_t k = 0; k + 1 < n; ++k) {
                    const double g = x(k + 1, c) - x(k, c);
                    if (g > 0 && g < smallest) {
                        smallest = g;
                    }
                }
            }
            for (std::size_t k = 0; k < n; ++k) {
                dx[k] = smallest;
                t0[k] = x(k, j);
            }
        } else if (ishist == 1) {
            // Each bar spans from the boundary before its centre to the one after it; the outer
            // bars mirror their inner half.
            for (std::size_t k = 0; k < n; ++k) {
                const double before = k == 0 ? gap[0] : gap[k - 1];
                const double after = k + 1 == n ? gap[n - 2] : gap[k];
                dx[k] = (before + after) / 2;
                const double right =
                    k + 1 < n ? (x(k, j) + x(k + 1, j)) / 2 : x(k, j) + gap[n - 2] / 2;
                t0[k] = right - dx[k] / 2;
            }
        } else {
            for (std::size_t k = 0; k < n; ++k) {
                dx[k] = k + 1 < n ? gap[k] : gap[n - 2];
                t0[k] = x(k, j);
            }
        }
    }

    std::vector<Slot> column(std::size_t j) const {
        std::vector<Slot> slots(n);
        const double series = static_cast<double>(j);
        const double mm = static_cast<double>(m);
        const bool grouped = !stacked && m > 1;
        std::vector<double> dt(n, 0.0);
        if (equal.empty()) {
            for (std::size_t k = 0; k < n; ++k) {
                if (grouped) {
                    // Series of a grouped chart share the unit slot side by side instead of
                    // hiding one another.
                    slots[k].delta = groupwidth / mm;
                    slots[k].t = x(k, j) + series * slots[k].delta;
                    dt[k] = mm * slots[k].delta / 2;
                } else {
                    slots[k] = Slot{x(k, j), 1.0};
                    dt[k] = 0.5;
                }
            }
        } else if (equal[0] != 0) {
            double lo = std::numeric_limits<double>::infinity();
            double hi = -lo;
            for (double v : x) {
                if (!std::isnan(v)) {
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                }
            }
            const double s = (hi - lo) / static_cast<double>(n - 1);
            for (std::size_t k = 0; k < n; ++k) {
                if (stacked) {
                    slots[k] = Slot{x(k, j), s * groupwidth};
                    dt[k] = slots[k].delta / 2;
                } else {
                    slots[k].delta = s * groupwidth / mm;
                    slots[k].t = x(k, j) + series * slots[k].delta;
                    dt[k] = mm * slots[k].delta / 2;
                }
            }
        } else {
            std::vector<double> dx, t0;
            unequalBars(j, dx, t0);
            for (std::size_t k = 0; k < n; ++k) {
                if (stacked) {
                    slots[k] = Slot{t0[k], dx[k] * groupwidth};
                    dt[k] = slots[k].delta / 2;
                } else {
                    slots[k].delta = dx[k] * groupwidth / mm;
                    slots[k].t = t0[k] + series * slots[k].delta;
                    dt[k] = mm * slots[k].delta / 2;
                }
            }
        }
        // Centre the group of a position on it; edge histograms start at their edge instead.
        if (ishist != -1) {
            for (std::size_t k = 0; k < n; ++k) {
                slots[k].t -= dt[k];
            }
        }
        return slots;
    }
};

}  // namespace

BarLayout makebars(const std::vector<Value>& args) {
    const std::string countMsg = argumentCountMessage(1, 5, args.size());
    if (!countMsg.empty()) {
        return failure(countMsg);
    }
    std::size_t nin = args.size();
    if (isText(args[nin - 1]) && std::get<std::string>(args[nin - 1]) == "3") {
        return failure("Three-dimensional bars are not supported.");
    }

    BarLayout layout;
    int plottype = 0;
    int ishist = 0;
    double barwidth = 0.8;
    double groupwidth = 0.8;

    // A trailing line spec gives the fill colour.
    if (isText(args[nin - 1])) {
        const graphics::LineSpec spec = graphics::colstyle(std::get<std::string>(args[nin - 1]));
        if (isBarLineSpec(spec)) {
            layout.linetype = spec.color;
            --nin;
        }
    }
    // Then an option, decided by its first letter; the appended "g" reads an empty text as
    // "group".
    if (nin > 0 && isText(args[nin - 1])) {
        const std::string& text = std::get<std::string>(args[nin - 1]);
        const std::string kind = lowerCase(text) + "g";
        switch (kind[0]) {
            case 'g':
                plottype = 0;
                break;
            case 's':
                plottype = 1;
                break;
            case 'h':
                ishist = lowerCase(text) == "histc" ? -1 : 1;
                barwidth = 1;
                break;
            default:
                return failure("Unrecognized option \"" + text + "\".");
        }
        --nin;
    }
    // A single number after data of several elements is the bar width.
    std::vector<Value> data(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(nin));
    if (nin > 1 && isNumeric(args[nin - 1]) && elementCount(args[nin - 1]) == 1 &&
        elementCount(args[nin - 2]) > 1) {
        barwidth = std::get<Matrix>(args[nin - 1])[0];
        data.pop_back();
    }

    PlotData checked = checkPlotData(data);
    if (!checked.msg.empty()) {
        return failure(checked.msg);
    }
    Matrix x = std::move(checked.x);
    Matrix y = std::move(checked.y);
    if (!x.empty()) {
        sortRows(x, y);
    }
    if (y.rows() > 1 && y.cols() > 1 && x.cols() == 1) {
        Matrix repeated(x.rows(), y.cols());
        for (std::size_t c = 0; c < y.cols(); ++c) {
            for (std::size_t r = 0; r < x.rows(); ++r) {
                repeated(r, c) = x(r, 0);
            }
        }
        x = std::move(repeated);
    }
    const std::size_t n = y.rows();
    const std::size_t m = y.cols();
    for (double& v : y.data()) {
        if (std::isnan(v)) {
            v = 0;
        }
    }

    const bool stacked = plottype != 0;
    Matrix xx(5 * n + 1, m);
    Matrix yy(5 * n + 1, m);
    for (std::size_t j = 0; j < m; ++j) {
        double below = 0;  // running sum of the series before j, per position
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t r = 5 * k;
            if (stacked && m > 1) {
                below = 0;
                for (std::size_t i = 0; i < j; ++i) {
                    below += y(k, i);
                }
                const double top = below + y(k, j);
                yy(r + 1, j) = below;
                yy(r + 2, j) = top;
                yy(r + 3, j) = top;
                yy(r + 4, j) = below;
            } else {
                yy(r + 2, j) = y(k, j);
                yy(r + 3, j) = y(k, j);
            }
        }
    }

    if (m == 1 || stacked) {
        groupwidth = 1;
    } else {
        groupwidth = std::min(0.8, static_cast<double>(m) / (static_cast<double>(m) + 1.5));
    }
    Matrix equal = spacingTest(x);

    const SlotRule rule{x, n, m, stacked, ishist, groupwidth, equal};
    for (std::size_t j = 0; j < m && n > 0; ++j) {
        const std::vector<Slot> slots = rule.column(j);
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t r = 5 * k;
            const double left = slots[k].t + (1 - barwidth) / 2 * slots[k].delta;
            const double right = slots[k].t + (1 + barwidth) / 2 * slots[k].delta;
            xx(r, j) = slots[k].t;
            xx(r + 1, j) = left;
            xx(r + 2, j) = left;
            xx(r + 3, j) = right;
            xx(r + 4, j) = right;
        }
        xx(5 * n, j) = xx(5 * n - 1, j);
    }

    if (ishist == 0) {
        equal = Matrix::scalar(1);
    }
    layout.x = std::move(x);
    layout.y = std::move(y);
    layout.xx = std::move(xx);
    layout.yy = std::move(yy);
    layout.plottype = plottype;
    layout.barwidth = barwidth;
    layout.equal = std::move(equal);
    return layout;
}

}  // namespace ambiscan::charts
