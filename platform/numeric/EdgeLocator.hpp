#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace ambiscan {

// The bin of v among sorted edges: the last edge not above v, as a binary search would find it
// (edges[bin] <= v < edges[bin + 1]). Bins of a histogram are mostly evenly spaced, so the
// arithmetic guess is nearly always right; a few steps either way make it exact whatever the
// spacing, and a search takes over when the guess is far off.
class EdgeLocator {
  public:
    explicit EdgeLocator(const std::vector<double>& edges) : edges_(edges) {
        // Arithmetic over the finite edges only: the outer ones may be infinite.
        std::size_t first = 0, last = edges.size() - 1;
        while (first < last && !std::isfinite(edges[first]))
            ++first;
        while (last > first && !std::isfinite(edges[last]))
            --last;
        // The outermost finite edges are often stretched to take in the data: the spacing is
        // read from the ones within.
        if (last - first >= 4) {
            ++first;
            --last;
        }
        first_ = first;
        origin_ = edges[first];
        scale_ =
            last > first ? static_cast<double>(last - first) / (edges[last] - edges[first]) : 0;
    }
    // For edges.front() <= v < edges.back().
    std::size_t bin(double v) const {
        const std::size_t top = edges_.size() - 2;
        const double guess = (v - origin_) * scale_;
        std::size_t k = first_;
        if (guess >= static_cast<double>(top)) {
            k = top;
        } else if (guess > 0) {
            k = std::min(top, first_ + static_cast<std::size_t>(guess));
        }
        for (int step = 0; step < 4; ++step) {
            if (v < edges_[k]) {
                --k;  // edges.front() <= v keeps k above zero here
            } else if (v >= edges_[k + 1]) {
                ++k;
            } else {
                return k;
            }
        }
        const auto it = std::upper_bound(edges_.begin(), edges_.end(), v);
        return static_cast<std::size_t>(it - edges_.begin()) - 1;
    }

  private:
    const std::vector<double>& edges_;
    std::size_t first_ = 0;
    double origin_ = 0, scale_ = 0;
};

}  // namespace ambiscan
