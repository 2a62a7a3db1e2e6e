#include "report/CorrectFixDistribution.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/positionErrors.hpp"
#include "evidence/CorrectFixTimes.hpp"

namespace ambiscan::report {

namespace {

// Whole seconds 0..500 (what rigs record) are counted in place; only other times are sorted,
// so that a million attempts cost a pass rather than a sort.
constexpr std::size_t kWholeSeconds = 501;

Json distributionJson(const std::vector<double>& times, std::size_t& noCorrectFix) {
    std::array<std::size_t, kWholeSeconds> whole{};
    std::vector<double> other;
    noCorrectFix = 0;
    for (const double t : times) {
        if (std::isinf(t)) {
            ++noCorrectFix;
        } else if (t >= 0 && t < static_cast<double>(kWholeSeconds) && t == std::floor(t)) {
            ++whole[static_cast<std::size_t>(t)];
        } else {
            other.push_back(t);
        }
    }
    std::sort(other.begin(), other.end());
    Json distribution = Json::array();
    const auto add = [&distribution](double t, std::size_t count) {
        if (!distribution.empty() && distribution.back()[0].get<double>() == t) {
            distribution.back()[1] = distribution.back()[1].get<std::size_t>() + count;
        } else {
            distribution.push_back(Json::array({t, count}));
        }
    };
    std::size_t i = 0;
    for (std::size_t s = 0; s < kWholeSeconds; ++s) {
        const auto second = static_cast<double>(s);
        for (; i < other.size() && other[i] < second; ++i) {
            add(other[i], 1);
        }
        if (whole[s] > 0) {
            add(second, whole[s]);
        }
    }
    for (; i < other.size(); ++i) {
        add(other[i], 1);
    }
    return distribution;
}

}  // namespace

void addCorrectFixDistributions(Json& dataSets, const analysis::RunResults& results) {
    for (std::size_t k = 0; k < results.dataSets.size() && k < dataSets.size(); ++k) {
        const analysis::DataSetResults& d = results.dataSets[k];
        std::vector<bool> good(d.times.numel());
        for (std::size_t r = 0; r < good.size(); ++r) {
            good[r] = !analysis::isBadInit(d.east[r], d.north[r], d.height[r]);
        }
        std::size_t noCorrectFix = 0;
        Json distribution =
            distributionJson(evidence::timesToCorrectFix(d.times, good), noCorrectFix);
        Json& times = dataSets[k]["time_to_correct_fix_s"];
        times["distribution"] = std::move(distribution);
        times["no_correct_fix"] = noCorrectFix;
    }
}

}  // namespace ambiscan::report
