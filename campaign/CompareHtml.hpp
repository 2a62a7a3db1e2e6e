#pragma once

#include <string>
#include <vector>

#include "campaign/Campaign.hpp"
#include "campaign/Trends.hpp"

namespace ambiscan::campaign {

// A trend figure as the page shows it: its caption and PNG bytes.
struct PageFigure {
    std::string caption;
    std::string png;
};

// compare.html: one self-contained page (inline style, figures embedded, no script, nothing
// fetched) with the runs, the verdict sentences, every comparison's numbers, the receivers not
// compared, the trend figures and how the numbers are defined. Texts of the runs are escaped.
std::string compareHtml(const Campaign& campaign, const std::vector<PageFigure>& figures);

}  // namespace ambiscan::campaign
