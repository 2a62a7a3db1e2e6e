// The README's table of edge values, row by row: each row names a case run here, and a row
// without a case (or a case without a row) fails, so the table and the program cannot drift.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

// The first cells of the rows of the README's "Edge values" table.
std::vector<std::string> tableRows() {
    std::istringstream readme(readFile(std::filesystem::path(AMBISCAN_SOURCE_DIR) / "README.md"));
    std::vector<std::string> rows;
    bool inSection = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.starts_with("### ")) {
            inSection = line == "### Edge values";
        } else if (inSection && line.starts_with("| ") && !line.starts_with("| in ")) {
            rows.push_back(line.substr(2, line.find(" |", 2) - 2));
        }
    }
    return rows;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::vector<std::string> stats;  // the fields of the first data set's line
};

Outcome runOn(const std::string& text) {
    TempDir dir;
    writeFile(dir / "inits.txt", text);
    const RunResult run = runProgram(dir.path(), {"T", "R"});
    EXPECT_EQ(run.status, 0) << text << run.err;
    Outcome outcome{run.status, run.out, {}};
    std::istringstream stats(readFile(dir / "stats.csv"));
    std::string line;
    std::getline(stats, line);
    std::getline(stats, line);
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) {
        outcome.stats.push_back(field);
    }
    return outcome;
}

// Nine ordinary attempts of 8 to 39 s; sorted 8 9 11 12 14 15 20 30 39.
std::string nineAttempts() {
    std::string text;
    int start = 345600;
    for (const int seconds : {8, 39, 12, 20, 15, 9, 11, 30, 14}) {
        text += std::to_string(start) + " " + std::to_string(seconds) + " 0.01 0.02 0.03\n";
        start += 100;
    }
    return text;
}

// stats.csv fields: 2 run time, 3 reliability, 4 90 %, 5 max, 6 mean, 7 median, 9 E-mean.
enum Field { kRunTime = 2, kReliability, kNinety, kMax, kMean, kMedian, kEMean = 9 };

void expectTime(const std::string& tenth, const std::string& ninety, const std::string& max,
                const std::string& mean, const std::string& median) {
    const Outcome o = runOn(nineAttempts() + "346500 " + tenth + " 0.01 0.02 0.03\n");
    ASSERT_EQ(o.stats.size(), 15u) << tenth;
    EXPECT_EQ(o.stats[kNinety], ninety) << tenth;
    EXPECT_EQ(o.stats[kMax], max) << tenth;
    EXPECT_EQ(o.stats[kMean], mean) << tenth;
    EXPECT_EQ(o.stats[kMedian], median) << tenth;
}

void expectRunTime(const std::string& text, const std::string& hours) {
    const Outcome o = runOn(text);
    ASSERT_EQ(o.stats.size(), 15u) << text;
    EXPECT_EQ(o.stats[kRunTime], hours) << text;
}

const std::map<std::string, std::function<void()>>& cases() {
    static const std::map<std::string, std::function<void()>> table = {
        // Nine of ten within 500 s reach 90 % at the ninth fastest, 39 s.
        {"NaN as a time to fix", [] { expectTime("NaN", "39.000000", "39", "NaN", "NaN"); }},
        // Median of 8 9 11 12 14 | 15 20 30 39 Inf: (14 + 15) / 2, floored.
        {"Inf as a time to fix", [] { expectTime("Inf", "39.000000", "Inf", "Inf", "14"); }},
        // -Inf is the fastest: the ninth of ten is then 30 s; median (12 + 14) / 2.
        {"-Inf as a time to fix", [] { expectTime("-Inf", "30.000000", "39", "-Inf", "13"); }},
        {"NaN as a position error",
         [] {
             const Outcome o = runOn(nineAttempts() + "346500 10 NaN 0.02 0.03\n");
             EXPECT_NE(o.out.find("Init Num = 10 Time = 346500 dE = NaN dN = 0.02"),
                       std::string::npos)
                 << o.out;
             EXPECT_EQ(o.stats[kReliability], "90.000000");
             EXPECT_EQ(o.stats[kEMean], "0.010000");  // the nine good ones
             EXPECT_EQ(o.stats[kEMean + 1], "0.000000");
         }},
        {"Inf / -Inf as a position error",
         [] {
             const Outcome o =
                 runOn(nineAttempts() + "346500 10 Inf 0.02 0.03\n346600 10 0.01 0.02 -Inf\n");
             EXPECT_NE(o.out.find("Init Num = 10 Time = 346500 dE = Inf"), std::string::npos);
             EXPECT_NE(o.out.find("Init Num = 11 Time = 346600 dE = 0.01 dN = 0.02 dU = -Inf"),
                       std::string::npos);
             EXPECT_EQ(o.stats[kReliability], "81.818182");  // 9 of 11
             EXPECT_EQ(o.stats[kEMean], "0.010000");
         }},
        {"±1e308",
         [] {
             const Outcome o = runOn(nineAttempts() + "346500 1e308 -1e308 0.02 0.03\n");
             // 1e308 as a double is 100000000000000001097906… : 309 digits.
             const std::size_t at = o.out.find("dE = -1000000000000000010979");
             ASSERT_NE(at, std::string::npos) << o.out;
             EXPECT_EQ(o.out.find('.', at) - (at + 6), 309u);
             EXPECT_EQ(o.stats[kMax].size(), 309u);
             EXPECT_EQ(o.stats[kMax].substr(0, 20), "10000000000000000109");
         }},
        {"subnormals (4.9e-324)",
         [] {
             const Outcome o = runOn("345600 8 4.9e-324 0 0\n345700 9 4.9e-324 0 0\n");
             EXPECT_EQ(o.stats[kEMean], "0.000000");
             EXPECT_EQ(o.stats[kReliability], "100.000000");
         }},
        {"NaN or Inf start time",
         [] {
             expectRunTime(nineAttempts() + "NaN 10 0.01 0.02 0.03\n", "NaN");
             expectRunTime(nineAttempts() + "Inf 10 0.01 0.02 0.03\n", "Inf");
         }},
        {"negative start times",
         [] { expectRunTime("-3600 8 0.01 0.02 0.03\n0 9 0.01 0.02 0.03\n", "1.000000"); }},
        {"start times of 9e15 or ±1e308",
         [] {
             expectRunTime("9e15 8 0 0 0\n9000000000003600 9 0 0 0\n", "1.000000");
             expectRunTime("-1e308 8 0 0 0\n1e308 9 0 0 0\n", "Inf");
         }},
    };
    return table;
}

TEST(EdgeValues, EveryRowOfTheReadmeTableHoldsInARun) {
    const std::vector<std::string> rows = tableRows();
    ASSERT_EQ(rows.size(), cases().size());
    for (const std::string& row : rows) {
        SCOPED_TRACE(row);
        const auto found = cases().find(row);
        ASSERT_NE(found, cases().end()) << "no case for this row";
        found->second();
    }
}

}  // namespace
}  // namespace ambiscan::testing
