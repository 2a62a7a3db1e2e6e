#include "analysis/KeptFigures.hpp"

#include <utility>

namespace ambiscan::analysis {

void KeptFigures::keep(std::string fileName, std::string png) {
    const std::lock_guard lock(mutex_);
    figures_.push_back({std::move(fileName), std::move(png)});
}

std::vector<FigureFile> KeptFigures::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(figures_, {});
}

}  // namespace ambiscan::analysis
