#include "report/CorrectFixDistribution.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/RunLabel.hpp"

namespace ambiscan::report {
namespace {

TEST(CorrectFixDistribution, DistinctCorrectTimesAscendingWithCountsAndTheRestApart) {
    const double inf = std::numeric_limits<double>::infinity();
    analysis::RunResults results;
    analysis::DataSetResults d;
    d.name = "RxA";
    // -Inf is fixed at once (0 s); 600 s, NaN and the wrong fix at 5 s are no correct fix.
    // Whole seconds and other times merge into one ascending list, repeats counted.
    d.times = Matrix::column({12, 30.5, 12, 600, -inf, std::nan(""), 5, 500.5, 12.25, -2.5, 12.25});
    d.east = Matrix::column({0, 0, 0, 0, 0, 0, 0.5, 0, 0, 0, 0});
    d.north = Matrix(11, 1);
    d.height = Matrix(11, 1);
    results.dataSets = {d};
    Json dataSets = Json::array({Json::object({{"name", "RxA"}})});
    addCorrectFixDistributions(dataSets, results);
    const Json& t = dataSets[0]["time_to_correct_fix_s"];
    EXPECT_EQ(t["distribution"].dump(), "[[-2.5,1],[0.0,1],[12.0,2],[12.25,2],[30.5,1],[500.5,1]]");
    EXPECT_EQ(t["no_correct_fix"], 3);
    EXPECT_EQ(dataSets[0]["name"], "RxA");  // added beside what is there
}

TEST(RunLabel, TheTitleUnlessALabelIsGivenAndANoteOrNull) {
    Json summary = {{"schema", "ambiscan-summary/2"}, {"title", "Nightly"}};
    addRunLabel(summary, {});
    EXPECT_EQ(summary["label"], "Nightly");
    EXPECT_TRUE(summary["note"].is_null());
    addRunLabel(summary, {"V1.02", "rig 2, new antenna"});
    EXPECT_EQ(summary["label"], "V1.02");
    EXPECT_EQ(summary["note"], "rig 2, new antenna");
}

}  // namespace
}  // namespace ambiscan::report
