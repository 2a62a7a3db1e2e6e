#include "report/CorrectFixDistribution.hpp"

#include <algorithm>
#include <cmath>

#include "analysis/positionErrors.hpp"
#include "evidence/CorrectFixTimes.hpp"

namespace ambiscan::report {

void addCorrectFixDistributions(Json& dataSets, const analysis::RunResults& results) {
    for (std::size_t k = 0; k < results.dataSets.size() && k < dataSets.size(); ++k) {
        const analysis::DataSetResults& d = results.dataSets[k];
        std::vector<bool> good(d.times.numel());
        for (std::size_t r = 0; r < good.size(); ++r) {
            good[r] = !analysis::isBadInit(d.east[r], d.north[r], d.height[r]);
        }
        std::vector<double> t = evidence::timesToCorrectFix(d.times, good);
        std::sort(t.begin(), t.end());
        Json distribution = Json::array();
        std::size_t noCorrectFix = 0;
        for (std::size_t i = 0; i < t.size();) {
            if (std::isinf(t[i])) {
                noCorrectFix = t.size() - i;
                break;
            }
            std::size_t j = i;
            while (j < t.size() && t[j] == t[i]) {
                ++j;
            }
            distribution.push_back(Json::array({t[i], j - i}));
            i = j;
        }
        Json& times = dataSets[k]["time_to_correct_fix_s"];
        times["distribution"] = std::move(distribution);
        times["no_correct_fix"] = noCorrectFix;
    }
}

}  // namespace ambiscan::report
