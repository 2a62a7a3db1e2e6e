#include "analysis/positionErrors.hpp"

#include <cmath>

#include "platform/numeric/Format.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

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

std::vector<std::size_t> badRows(const Matrix& errors) {
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < errors.rows(); ++r) {
        if (isBadInit(errors(r, 0), errors(r, 1), errors(r, 2))) {
            rows.push_back(r);
        }
    }
    return rows;
}

std::vector<std::size_t> goodRows(const std::vector<std::size_t>& bad, std::size_t rows) {
    std::vector<std::size_t> good;
    good.reserve(rows - bad.size());
    for (std::size_t r = 0, b = 0; r < rows; ++r) {
        if (b < bad.size() && bad[b] == r) {
            ++b;
        } else {
            good.push_back(r);
        }
    }
    return good;
}

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

std::string badInitHeading(const std::string& name) {
    return name + ": Bad Init List (Init Num / Time / dE / dN / dU)";
}

std::string badInitLine(double rowNumber, double time, double dE, double dN, double dU) {
    return "Init Num = " + num2str(rowNumber) + " Time = " + num2str(time) +
           " dE = " + formatNumber("%.2f", dE) + " dN = " + formatNumber("%.2f", dN) +
           " dU = " + formatNumber("%.2f", dU);
}

std::string badInitList(const std::string& name, const std::vector<std::size_t>& bad,
                        const Matrix& startTimes, const Matrix& errors) {
    if (bad.empty()) {
        return "";
    }
    std::string list = badInitHeading(name) + '\n';
    for (const std::size_t r : bad) {
        list += badInitLine(static_cast<double>(r + 1), startTimes[r], errors(r, 0), errors(r, 1),
                            errors(r, 2));
        list += '\n';
    }
    return list;
}

}  // namespace ambiscan::analysis
