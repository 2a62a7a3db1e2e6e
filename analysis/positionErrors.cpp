#include "analysis/positionErrors.hpp"

#include <cmath>
#include <limits>

#include "analysis/printFigure.hpp"
#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

namespace {

Matrix selectRows(const Matrix& m, const std::vector<std::size_t>& rows) {
    // Gathered column by column into fresh memory, which is not filled with zeros first.
    std::vector<double> values;
    values.reserve(rows.size() * m.cols());
    for (std::size_t c = 0; c < m.cols(); ++c) {
        const double* column = m.begin() + c * m.rows();
        for (const std::size_t r : rows) {
            values.push_back(column[r]);
        }
    }
    return Matrix(rows.size(), m.cols(), std::move(values));
}

// One figure of errors against start time: labels, legend, title, time axis and grid.
void drawErrorFigure(RunContext& run, const TimeAxis& axis, const Matrix& startTimes,
                     const Matrix& errors, const ErrorStatistics& s, const std::string& title,
                     const std::string& fileName) {
    static const char* const specs[] = {"r-x", "g-x", "b-x"};
    auto& g = run.graphics;
    g.figure();
    std::vector<graphics::Handle> lines;
    for (std::size_t a = 0; a < 3; ++a) {
        // With no rows a lone NaN point still makes each line (drawing nothing), so that the
        // legend keeps its three entries.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const Matrix x = startTimes.empty() ? Matrix::scalar(nan) : startTimes;
        const Matrix y = errors.rows() == 0 ? Matrix::scalar(nan) : errors.columnAt(a);
        const auto handles = g.plot(x, y, specs[a]);
        lines.insert(lines.end(), handles.begin(), handles.end());
        if (a == 0) {
            g.hold(true);
        }
    }
    charts::xlabel(g, "Time of initialization attempt start [GPS Time HH:MM]");
    charts::ylabel(g, "Position Error [metres]");
    g.legend(lines, positionLegend(s));
    charts::title(g, title);
    applyTimeAxis(g, axis);
    charts::grid(g);
    printAndClose(run, fileName);
}

}  // namespace

bool isBadInit(double dE, double dN, double dU) {
    // Written as "not within both limits" so that an attempt without a known position (a NaN
    // error) is bad: it is no good fix.
    return !(std::sqrt(dE * dE + dN * dN) <= 0.12 && std::abs(dU) <= 0.22);
}

ErrorStatistics errorStatistics(const Matrix& errors) {
    ErrorStatistics s;
    for (std::size_t a = 0; a < 3; ++a) {
        const Matrix column = errors.rows() == 0 ? Matrix() : errors.columnAt(a);
        s.mean[a] = meanValue(column);
        s.sigma[a] = stdValue(column);
    }
    return s;
}

Matrix errorColumns(const TimeBase& base, std::size_t k) {
    // East, north and height are neighbouring columns of the results.
    return base.inits.columnsAt(errorColumn(base.numDataSets, k, 0), 3);
}

std::vector<std::size_t> badRows(const Matrix& errors) {
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < errors.rows(); ++r) {
        if (isBadInit(errors(r, 0), errors(r, 1), errors(r, 2))) {
            rows.push_back(r);
        }
    }
    return rows;
}

std::vector<std::string> positionLegend(const ErrorStatistics& s) {
    static const char* const prefixes[] = {"East:   Sig=", "North:  Sig=", "Height: Sig="};
    std::vector<std::string> lines;
    for (std::size_t a = 0; a < 3; ++a) {
        lines.push_back(prefixes[a] + formatNumber("%.3f", s.sigma[a]) +
                        "m; Mean=" + formatNumber("%.3f", s.mean[a]) + "m");
    }
    return lines;
}

std::string positionTitle(const std::string& name, double numInits, double numBad,
                          double PercentGood) {
    return name + "; " + num2str(numInits - numBad) + " Good Inits; " + num2str(numBad) +
           " Bad Inits; Reliability = " + formatNumber("%.3f", PercentGood) + "%";
}

std::string badInitHeading(const std::string& name) {
    return name + ": Bad Init List (Init Num / Time / dE / dN / dU)";
}

std::string badInitLine(double rowNumber, double time, double dE, double dN, double dU) {
    return "Init Num = " + num2str(rowNumber) + " Time = " + num2str(time) +
           " dE = " + formatNumber("%.2f", dE) + " dN = " + formatNumber("%.2f", dN) +
           " dU = " + formatNumber("%.2f", dU);
}

ErrorStatistics drawPositionErrors(RunContext& run, const TimeBase& base, const TimeAxis& axis,
                                   const std::string& name, std::size_t k,
                                   DataSetStatistics& stats) {
    const Matrix startTimes = base.inits.columnAt(0);
    const Matrix errors = errorColumns(base, k);
    ErrorStatistics s = errorStatistics(errors);

    const std::vector<std::size_t> bad = badRows(errors);
    const double numBad = static_cast<double>(bad.size());
    stats.PercentGood = 100 * (base.numInits - numBad) / base.numInits;
    const std::string title = positionTitle(name, base.numInits, numBad, stats.PercentGood);
    drawErrorFigure(run, axis, startTimes, errors, s, title, name + "_PosData.png");

    if (!bad.empty()) {
        std::string list = badInitHeading(name) + '\n';
        for (const std::size_t r : bad) {
            list += badInitLine(static_cast<double>(r + 1), base.inits(r, 0), errors(r, 0),
                                errors(r, 1), errors(r, 2));
            list += '\n';
        }
        if (run.showBadInitLists) {
            showAfterFigures(run, run.console.out, std::move(list));
        }

        std::vector<std::size_t> good;
        for (std::size_t r = 0, b = 0; r < errors.rows(); ++r) {
            if (b < bad.size() && bad[b] == r) {
                ++b;
            } else {
                good.push_back(r);
            }
        }
        const Matrix goodErrors = selectRows(errors, good);
        s = errorStatistics(goodErrors);
        drawErrorFigure(run, axis, selectRows(startTimes, good), goodErrors, s,
                        "Good Inits. only: " + title, name + "_PosData_GoodOnly.png");
    }

    stats.InitEMean = s.mean[0];
    stats.InitNMean = s.mean[1];
    stats.InitUMean = s.mean[2];
    stats.InitESigma = s.sigma[0];
    stats.InitNSigma = s.sigma[1];
    stats.InitUSigma = s.sigma[2];
    return s;
}

}  // namespace ambiscan::analysis
