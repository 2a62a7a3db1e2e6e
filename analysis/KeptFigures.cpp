#include "analysis/KeptFigures.hpp"

#include <utility>

namespace ambiscan::analysis {

void KeptFigures::keep(std::string fileName, std::string png) {
    std::string content = prepare_ ? prepare_(png) : std::move(png);
    const std::lock_guard lock(mutex_);
    figures_.push_back({std::move(fileName), std::move(content)});
}

std::vector<FigureFile> KeptFigures::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(figures_, {});
}

}  // namespace ambiscan::analysis
