#include "report/SummaryJson.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "platform/base/Version.hpp"
#include "platform/io/writeFileAtomically.hpp"
#include "report/CorrectFixDistribution.hpp"
#include "report/JsonNumbers.hpp"

namespace ambiscan::report {

namespace {

Json meanAndSigma(double mean, double sigma) {
    return {{"mean", jsonNumber(mean)}, {"sigma", jsonNumber(sigma)}};
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
    return {{"percent", jsonNumber(e.correctFixPercent)},
            {"ci95_percent", jsonInterval(e.correctFixCi95Percent)}};
}

// One quantile of the time to a correct fix with its interval, as four keys of its object.
void addTimeQuantile(Json& object, const std::string& key, double value,
                     const evidence::Interval& ci95) {
    object[key] = jsonNumber(value);
    object[key + "_not_reached"] = notReached(value);
    object[key + "_ci95"] = jsonInterval(ci95);
    object[key + "_ci95_not_reached"] = pairNotReached(ci95);
}

Json timeToCorrectFixJson(const evidence::DataSetEvidence& e) {
    Json t = Json::object();
    addTimeQuantile(t, "p50", e.timeToCorrectFixP50, e.timeToCorrectFixP50Ci95);
    addTimeQuantile(t, "p90", e.timeToCorrectFixP90, e.timeToCorrectFixP90Ci95);
    return t;
}

Json ttffJson(const evidence::DataSetEvidence& e) {
    return {{"p90", jsonNumber(e.p90)},
            {"p90_ci95", jsonInterval(e.p90Ci95)},
            {"p90_ci95_not_reached", pairNotReached(e.p90Ci95)},
            {"max", jsonNumber(e.max)},
            {"mean", jsonNumber(e.mean)},
            {"median", jsonNumber(e.median)},
            {"median_ci95", jsonInterval(e.medianCi95)},
            {"median_ci95_not_reached", pairNotReached(e.medianCi95)},
            {"p90_correct_fix", jsonNumber(e.p90CorrectFix)}};
}

Json allFixesJson(const evidence::DataSetEvidence& e) {
    return {{"fixes", e.allFixes},
            {"horizontal_p50", jsonNumber(e.allHorizontalP50)},
            {"horizontal_p95", jsonNumber(e.allHorizontalP95)},
            {"horizontal_p95_ci95", jsonInterval(e.allHorizontalP95Ci95)},
            {"vertical_abs_p95", jsonNumber(e.allVerticalAbsP95)},
            {"vertical_abs_p95_ci95", jsonInterval(e.allVerticalAbsP95Ci95)}};
}

Json positionErrorJson(const evidence::DataSetEvidence& e) {
    return {{"east", meanAndSigma(e.eastMean, e.eastSigma)},
            {"north", meanAndSigma(e.northMean, e.northSigma)},
            {"height", meanAndSigma(e.heightMean, e.heightSigma)},
            {"horizontal_p50", jsonNumber(e.horizontalP50)},
            {"horizontal_p95", jsonNumber(e.horizontalP95)},
            {"vertical_abs_p95", jsonNumber(e.verticalAbsP95)},
            {"all_fixes", allFixesJson(e)}};
}

Json independenceJson(const evidence::Independence& i) {
    return {{"runs", i.runs},
            {"expected_runs", jsonNumber(i.expectedRuns)},
            {"runs_test_p", jsonNumber(i.runsTestP)},
            {"lag1_autocorrelation", jsonNumber(i.lag1Autocorrelation)}};
}

Json dataSetJson(const evidence::DataSetEvidence& e) {
    Json badFixes = Json::array();
    for (const evidence::BadFix& f : e.badFixes) {
        badFixes.push_back({{"row", f.row},
                            {"start_gps_s", jsonNumber(f.startTime)},
                            {"east", jsonNumber(f.east)},
                            {"north", jsonNumber(f.north)},
                            {"height", jsonNumber(f.height)}});
    }
    return {{"name", e.name},
            {"attempts", e.attempts},
            {"good", e.good},
            {"bad", e.bad},
            {"reliability_percent", jsonNumber(e.reliabilityPercent)},
            {"reliability_ci95_percent", jsonInterval(e.reliabilityCi95Percent)},
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
            {"mcnemar_exact_p", jsonNumber(c.mcnemarExactP)},
            {"p_holm", jsonNumber(c.reliabilityPHolm)},
            {"difference_percent", jsonNumber(c.differencePercent)},
            {"difference_ci95_percent", jsonInterval(c.differenceCi95Percent)}};
}

Json timeComparisonJson(const evidence::Comparison& c) {
    return {{"wilcoxon_p", jsonNumber(c.wilcoxonP)},
            {"p_holm", jsonNumber(c.timePHolm)},
            {"nonzero_pairs", c.nonzeroPairs},
            {"b_slower", c.bSlower == 0 ? Json(nullptr) : Json(c.bSlower > 0)},
            {"both_correct", c.bothCorrect},
            {"only_a_correct", c.onlyACorrect},
            {"only_b_correct", c.onlyBCorrect},
            {"hodges_lehmann_s", jsonNumber(c.hodgesLehmannSeconds)},
            {"hodges_lehmann_ci95_s", jsonInterval(c.hodgesLehmannCi95Seconds)}};
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
                {{"name", r.name}, {"value", jsonNumber(r.value)}, {"passed", r.passed}});
        }
        all.push_back({{"gate", gate.gate},
                       {"threshold", jsonNumber(gate.threshold)},
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
    summary["run"] = {{"first_start_gps_s", jsonNumber(results.firstStart)},
                      {"last_start_gps_s", jsonNumber(results.lastStart)},
                      {"hours", jsonNumber(results.hours)}};
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
