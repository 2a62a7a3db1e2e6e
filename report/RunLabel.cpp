#include "report/RunLabel.hpp"

namespace ambiscan::report {

void addRunLabel(nlohmann::ordered_json& summary, const RunLabel& label) {
    using Json = nlohmann::ordered_json;
    Json text = label.label ? Json(*label.label) : summary.value("title", Json(""));
    summary["label"] = std::move(text);
    summary["note"] = label.note ? Json(*label.note) : Json(nullptr);
}

}  // namespace ambiscan::report
