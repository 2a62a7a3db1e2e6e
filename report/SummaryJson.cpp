#include "report/SummaryJson.hpp"

#include <cmath>

#include "platform/base/Version.hpp"
#include "platform/io/writeFileAtomically.hpp"

namespace ambiscan::report {

namespace {

Json number(double v) {
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

Json pair(const evidence::Interval& i) {
    return Json::array({number(i.lower), number(i.upper)});
}

Json meanAndSigma(double mean, double sigma) {
    return {{"mean", number(mean)}, {"sigma", number(sigma)}};
}

Json dataSetJson(const evidence::DataSetEvidence& e) {
    Json badFixes = Json::array();
    for (const evidence::BadFix& f : e.badFixes) {
        badFixes.push_back({{"row", f.row},
                            {"start_gps_s", number(f.startTime)},
                            {"east", number(f.east)},
                            {"north", number(f.north)},
                            {"height", number(f.height)}});
    }
    return {{"name", e.name},
            {"attempts", e.attempts},
            {"good", e.good},
            {"bad", e.bad},
            {"reliability_percent", number(e.reliabilityPercent)},
            {"reliability_ci95_percent", pair(e.reliabilityCi95Percent)},
            {"ttff_seconds",
             {{"p90", number(e.p90)},
              {"p90_ci95", pair(e.p90Ci95)},
              {"max", number(e.max)},
              {"mean", number(e.mean)},
              {"median", number(e.median)},
              {"median_ci95", pair(e.medianCi95)},
              {"p90_correct_fix", number(e.p90CorrectFix)},
              {"correct_fix_within_500s_percent", number(e.correctFixWithin500sPercent)}}},
            {"position_error_m",
             {{"east", meanAndSigma(e.eastMean, e.eastSigma)},
              {"north", meanAndSigma(e.northMean, e.northSigma)},
              {"height", meanAndSigma(e.heightMean, e.heightSigma)},
              {"horizontal_p50", number(e.horizontalP50)},
              {"horizontal_p95", number(e.horizontalP95)},
              {"vertical_abs_p95", number(e.verticalAbsP95)}}},
            {"bad_fixes", std::move(badFixes)}};
}

Json comparisonJson(const evidence::Comparison& c, const evidence::RunEvidence& evidence) {
    return {{"a", evidence.dataSets[c.a].name},
            {"b", evidence.dataSets[c.b].name},
            {"pairs", c.pairs},
            {"reliability",
             {{"a_good_b_bad", c.aGoodBBad},
              {"a_bad_b_good", c.aBadBGood},
              {"mcnemar_exact_p", number(c.mcnemarExactP)}}},
            {"ttff",
             {{"median_difference_seconds", number(c.medianDifferenceSeconds)},
              {"nonzero_pairs", c.nonzeroPairs},
              {"wilcoxon_p", number(c.wilcoxonP)}}}};
}

}  // namespace

Json gatesJson(const std::vector<analysis::GateResult>& gates) {
    Json all = Json::array();
    for (const analysis::GateResult& gate : gates) {
        Json receivers = Json::array();
        for (const analysis::GateReceiver& r : gate.receivers) {
            receivers.push_back(
                {{"name", r.name}, {"value", number(r.value)}, {"passed", r.passed}});
        }
        all.push_back({{"gate", gate.gate},
                       {"threshold", number(gate.threshold)},
                       {"passed", gate.passed()},
                       {"receivers", std::move(receivers)}});
    }
    return all;
}

Json summaryJson(const analysis::RunResults& results, const evidence::RunEvidence& evidence,
                 const InputFile& input) {
    Json dataSets = Json::array();
    for (const evidence::DataSetEvidence& e : evidence.dataSets) {
        dataSets.push_back(dataSetJson(e));
    }
    Json comparisons = Json::array();
    for (const evidence::Comparison& c : evidence.comparisons) {
        comparisons.push_back(comparisonJson(c, evidence));
    }
    Json summary;
    summary["schema"] = "ambiscan-summary/1";
    summary["title"] = results.title;
    summary["program"] = {{"name", "ambiscan"}, {"version", kVersion}};
    summary["input"] = {{"file", input.name},
                        {"sha256", input.sha256},
                        {"records", input.records},
                        {"data_sets", results.dataSets.size()}};
    summary["run"] = {{"first_start_gps_s", number(results.firstStart)},
                      {"last_start_gps_s", number(results.lastStart)},
                      {"hours", number(results.hours)}};
    summary["data_sets"] = std::move(dataSets);
    summary["comparisons"] = std::move(comparisons);
    return summary;
}

std::string summaryText(const Json& summary) {
    return summary.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

void writeSummaryJson(const std::filesystem::path& path, const Json& summary) {
    writeFileAtomically(path, summaryText(summary));
}

}  // namespace ambiscan::report
