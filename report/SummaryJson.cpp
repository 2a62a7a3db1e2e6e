#include "report/SummaryJson.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "analysis/summary.hpp"
#include "app/Version.hpp"
#include "report/CorrectFixDistribution.hpp"

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

// A time that may be never reached: +Inf is null with `not_reached` true beside it, a value
// that cannot be given (NaN) is null with it false.
Json notReached(double v) {
    return v == std::numeric_limits<double>::infinity();
}

Json pairNotReached(const evidence::Interval& i) {
    return Json::array({notReached(i.lower), notReached(i.upper)});
}

Json correctFixJson(const evidence::DataSetEvidence& e) {
    return {{"percent", number(e.correctFixPercent)},
            {"ci95_percent", pair(e.correctFixCi95Percent)}};
}

// One quantile of the time to a correct fix with its interval, as four keys of its object.
void addTimeQuantile(Json& object, const std::string& key, double value,
                     const evidence::Interval& ci95) {
    object[key] = number(value);
    object[key + "_not_reached"] = notReached(value);
    object[key + "_ci95"] = pair(ci95);
    object[key + "_ci95_not_reached"] = pairNotReached(ci95);
}

Json timeToCorrectFixJson(const evidence::DataSetEvidence& e) {
    Json t = Json::object();
    addTimeQuantile(t, "p50", e.timeToCorrectFixP50, e.timeToCorrectFixP50Ci95);
    addTimeQuantile(t, "p90", e.timeToCorrectFixP90, e.timeToCorrectFixP90Ci95);
    return t;
}

Json ttffJson(const evidence::DataSetEvidence& e) {
    return {{"p90", number(e.p90)},
            {"p90_ci95", pair(e.p90Ci95)},
            {"p90_ci95_not_reached", pairNotReached(e.p90Ci95)},
            {"max", number(e.max)},
            {"mean", number(e.mean)},
            {"median", number(e.median)},
            {"median_ci95", pair(e.medianCi95)},
            {"median_ci95_not_reached", pairNotReached(e.medianCi95)},
            {"p90_correct_fix", number(e.p90CorrectFix)}};
}

Json allFixesJson(const evidence::DataSetEvidence& e) {
    return {{"fixes", e.allFixes},
            {"horizontal_p50", number(e.allHorizontalP50)},
            {"horizontal_p95", number(e.allHorizontalP95)},
            {"horizontal_p95_ci95", pair(e.allHorizontalP95Ci95)},
            {"vertical_abs_p95", number(e.allVerticalAbsP95)},
            {"vertical_abs_p95_ci95", pair(e.allVerticalAbsP95Ci95)}};
}

Json positionErrorJson(const evidence::DataSetEvidence& e) {
    return {{"east", meanAndSigma(e.eastMean, e.eastSigma)},
            {"north", meanAndSigma(e.northMean, e.northSigma)},
            {"height", meanAndSigma(e.heightMean, e.heightSigma)},
            {"horizontal_p50", number(e.horizontalP50)},
            {"horizontal_p95", number(e.horizontalP95)},
            {"vertical_abs_p95", number(e.verticalAbsP95)},
            {"all_fixes", allFixesJson(e)}};
}

Json independenceJson(const evidence::Independence& i) {
    return {{"runs", i.runs},
            {"expected_runs", number(i.expectedRuns)},
            {"runs_test_p", number(i.runsTestP)},
            {"lag1_autocorrelation", number(i.lag1Autocorrelation)}};
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
            {"correct_fix", correctFixJson(e)},
            {"ttff_seconds", ttffJson(e)},
            {"time_to_correct_fix_s", timeToCorrectFixJson(e)},
            {"position_error_m", positionErrorJson(e)},
            {"independence", independenceJson(e.independence)},
            {"bad_fixes", std::move(badFixes)}};
}

Json reliabilityComparisonJson(const evidence::Comparison& c) {
    return {{"a_good_b_bad", c.aGoodBBad},
            {"a_bad_b_good", c.aBadBGood},
            {"mcnemar_exact_p", number(c.mcnemarExactP)},
            {"p_holm", number(c.reliabilityPHolm)},
            {"difference_percent", number(c.differencePercent)},
            {"difference_ci95_percent", pair(c.differenceCi95Percent)}};
}

Json timeComparisonJson(const evidence::Comparison& c) {
    return {{"wilcoxon_p", number(c.wilcoxonP)},
            {"p_holm", number(c.timePHolm)},
            {"nonzero_pairs", c.nonzeroPairs},
            {"b_slower", c.bSlower == 0 ? Json(nullptr) : Json(c.bSlower > 0)},
            {"both_correct", c.bothCorrect},
            {"only_a_correct", c.onlyACorrect},
            {"only_b_correct", c.onlyBCorrect},
            {"hodges_lehmann_s", number(c.hodgesLehmannSeconds)},
            {"hodges_lehmann_ci95_s", pair(c.hodgesLehmannCi95Seconds)}};
}

Json comparisonJson(const evidence::Comparison& c, const evidence::RunEvidence& evidence) {
    return {{"a", evidence.dataSets[c.a].name},
            {"b", evidence.dataSets[c.b].name},
            {"pairs", c.pairs},
            {"reliability", reliabilityComparisonJson(c)},
            {"time_to_correct_fix", timeComparisonJson(c)}};
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
                 const InputFile& input, const RunLabel& label) {
    Json dataSets = Json::array();
    for (const evidence::DataSetEvidence& e : evidence.dataSets) {
        dataSets.push_back(dataSetJson(e));
    }
    addCorrectFixDistributions(dataSets, results);
    Json comparisons = Json::array();
    for (const evidence::Comparison& c : evidence.comparisons) {
        comparisons.push_back(comparisonJson(c, evidence));
    }
    Json summary;
    summary["schema"] = "ambiscan-summary/2";
    summary["title"] = results.title;
    addRunLabel(summary, label);
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
    analysis::writeFileAtomically(path, summaryText(summary));
}

}  // namespace ambiscan::report
