#include "campaign/CompareJson.hpp"

#include <cmath>

#include "campaign/CompareVerdict.hpp"
#include "platform/base/Version.hpp"
#include "report/JsonNumbers.hpp"

namespace ambiscan::campaign {

namespace {

using report::jsonInterval;
using report::jsonNumber;

Json rateJson(const RateComparison& r, const char* count) {
    return {{std::string("baseline_") + count, r.baselineCount},
            {"baseline_attempts", r.baselineAttempts},
            {count, r.count},
            {"attempts", r.attempts},
            {"baseline_percent", jsonNumber(r.baselinePercent)},
            {"percent", jsonNumber(r.percent)},
            {"difference_percent", jsonNumber(r.differencePercent)},
            {"difference_ci95_percent", jsonInterval(r.differenceCi95)},
            {"fisher_exact_p", jsonNumber(r.fisherP)},
            {"p_holm", jsonNumber(r.pHolm)}};
}

Json timeJson(const TimeComparison& t) {
    return {{"mann_whitney_u", jsonNumber(t.test.u)},
            {"mann_whitney_p", jsonNumber(t.test.p)},
            {"method", t.test.exact ? "exact" : "normal"},
            {"p_holm", jsonNumber(t.pHolm)},
            {"later", t.test.bLater == 0 ? Json(nullptr) : Json(t.test.bLater > 0)},
            {"hodges_lehmann_s", jsonNumber(t.shift.estimate)},
            {"hodges_lehmann_ci95_s", jsonInterval(t.shift.ci95)}};
}

Json comparisonJson(const ReceiverComparison& c, const Campaign& campaign) {
    return {{"run", c.run},
            {"label", campaign.runs[c.run].label},
            {"receiver", c.receiver},
            {"legend_in_run", c.legendInRun},
            {"reliability", rateJson(c.reliability, "good")},
            {"correct_fix", rateJson(c.correctFix, "correct")},
            {"time_to_correct_fix", timeJson(c.time)},
            {"less_reliable", c.lessReliable()},
            {"slower", c.slower()},
            {"regression", c.regression()},
            {"verdict", compareVerdict(c, campaign)}};
}

// A time and whether it lies past 500 s; null with "not_reached" then.
void timeWithReach(Json& object, const std::string& key, double value) {
    object[key] = jsonNumber(value);
    if (std::isinf(value)) {
        object[key + "_not_reached"] = true;
    }
}

Json trendJson(const ReceiverTrend& trend) {
    Json points = Json::array();
    for (const TrendPoint& p : trend.points) {
        Json point = {{"run", p.run},
                      {"legend_in_run", p.receiver->name},
                      {"reliability_percent", jsonNumber(p.reliabilityPercent)},
                      {"reliability_ci95_percent", jsonInterval(p.reliabilityCi95Percent)}};
        timeWithReach(point, "correct_fix_p90_s", p.correctFix90.value);
        timeWithReach(point, "correct_fix_p90_ci95_lower_s", p.correctFix90.ci95.lower);
        timeWithReach(point, "correct_fix_p90_ci95_upper_s", p.correctFix90.ci95.upper);
        point["regression"] = p.regression;
        points.push_back(std::move(point));
    }
    return {{"receiver", trend.receiver}, {"points", std::move(points)}};
}

}  // namespace

Json compareJson(const Campaign& campaign, const std::vector<ReceiverTrend>& trends) {
    Json runs = Json::array();
    for (const RunRecord& run : campaign.runs) {
        runs.push_back(
            {{"source", run.source},
             {"label", run.label},
             {"title", run.title},
             {"note", run.note.empty() ? Json(nullptr) : Json(run.note)},
             {"program_version", run.programVersion},
             {"input",
              {{"file", run.inputFile}, {"sha256", run.inputSha256}, {"records", run.records}}},
             {"receivers", [&run] {
                  Json names = Json::array();
                  for (const ReceiverRecord& r : run.receivers) {
                      names.push_back(r.name);
                  }
                  return names;
              }()}});
    }
    Json comparisons = Json::array();
    for (const ReceiverComparison& c : campaign.comparisons) {
        comparisons.push_back(comparisonJson(c, campaign));
    }
    Json unmatched = Json::array();
    for (const Unmatched& u : campaign.unmatched) {
        unmatched.push_back({{"run", u.run},
                             {"legend", u.legend},
                             {"missing_from", u.inBaseline ? "run" : "baseline"}});
    }
    Json trendList = Json::array();
    for (const ReceiverTrend& t : trends) {
        trendList.push_back(trendJson(t));
    }
    Json out;
    out["schema"] = kCompareSchema;
    out["program"] = {{"name", "ambiscan"}, {"version", kVersion}};
    out["baseline"] = campaign.baseline;
    out["runs"] = std::move(runs);
    out["p_values_adjusted"] = campaign.adjustedPValues;
    out["comparisons"] = std::move(comparisons);
    out["unmatched"] = std::move(unmatched);
    out["trends"] = std::move(trendList);
    out["regression"] = campaign.anyRegression();
    return out;
}

}  // namespace ambiscan::campaign
