#include "evidence/SequentialRun.hpp"

#include <algorithm>
#include <limits>

#include "analysis/positionErrors.hpp"
#include "analysis/setup.hpp"
#include "evidence/ConfidenceSequence.hpp"

namespace ambiscan::evidence {

namespace {

const char* const kReliabilityGate = "require-reliability";
const char* const kInit90Gate = "require-p90";

// The share of attempts a 90 % time allows outside it.
constexpr double kSlowShare = 0.10;

bool badFix(const double* record, std::size_t k, std::size_t n) {
    return analysis::isBadInit(record[analysis::errorColumn(n, k, 0)],
                               record[analysis::errorColumn(n, k, 1)],
                               record[analysis::errorColumn(n, k, 2)]);
}

// Record r of the matrix as the file holds it, into `row`.
const double* recordOf(const Matrix& records, std::size_t r, std::vector<double>& row) {
    row.resize(records.cols());
    for (std::size_t c = 0; c < row.size(); ++c) {
        row[c] = records(r, c);
    }
    return row.data();
}

}  // namespace

SequentialDecision SequentialGateRun::decision() const {
    const auto any = [this](SequentialDecision d) {
        return std::any_of(receivers.begin(), receivers.end(),
                           [d](const SequentialGate& g) { return g.decision == d; });
    };
    if (any(SequentialDecision::Fail)) {
        return SequentialDecision::Fail;
    }
    return any(SequentialDecision::Continue) ? SequentialDecision::Continue
                                             : SequentialDecision::Pass;
}

bool SequentialRun::allDecided() const {
    return std::all_of(gates.begin(), gates.end(), [](const SequentialGateRun& g) {
        return g.decision() != SequentialDecision::Continue;
    });
}

bool slowerThan(double time, double seconds) {
    // Times fall in whole-second bins: t counts by s when t <= s + 0.5. NaN and +Inf never do.
    return !(time <= seconds + 0.5);
}

SequentialRun startSequentialRun(const std::vector<std::string>& names,
                                 const analysis::GateLimits& limits, double badFactor,
                                 double risk) {
    SequentialRun run;
    run.names = names;
    run.tallies.resize(names.size());
    const auto gate = [&](const char* name, double threshold, double eventRate) {
        const SequentialGate start(SequentialRule{eventRate, badFactor, risk});
        run.gates.push_back({name, threshold, name == std::string(kReliabilityGate),
                             std::vector<SequentialGate>(names.size(), start)});
    };
    if (limits.minReliability) {
        gate(kReliabilityGate, *limits.minReliability, 1 - *limits.minReliability / 100);
    }
    if (limits.maxInit90) {
        gate(kInit90Gate, *limits.maxInit90, kSlowShare);
    }
    return run;
}

void addRecord(SequentialRun& run, const double* record) {
    const std::size_t n = run.names.size();
    for (std::size_t k = 0; k < n; ++k) {
        ++run.tallies[k].attempts;
        run.tallies[k].good += badFix(record, k, n) ? 0 : 1;
        for (SequentialGateRun& g : run.gates) {
            g.receivers[k].add(isEvent(g, record, k));
        }
    }
    ++run.records;
}

void addRecords(SequentialRun& run, const Matrix& records, std::size_t from) {
    std::vector<double> row;
    for (std::size_t r = from; r < records.rows(); ++r) {
        addRecord(run, recordOf(records, r, row));
    }
}

bool isEvent(const SequentialGateRun& gate, const double* record, std::size_t k) {
    if (gate.onBadFixes) {
        return badFix(record, k, gate.receivers.size());
    }
    return slowerThan(record[analysis::initTimeColumn(k)], gate.threshold);
}

DecisionPath decisionPath(const SequentialGateRun& gate, std::size_t k, const Matrix& records,
                          std::size_t lastAttempt) {
    DecisionPath path;
    SequentialLimits limits;
    std::size_t events = 0;
    const auto orNaN = [](const std::optional<std::size_t>& v) {
        return v ? static_cast<double>(*v) : std::numeric_limits<double>::quiet_NaN();
    };
    std::vector<double> row;
    for (std::size_t r = 0; r < std::min(lastAttempt, records.rows()); ++r) {
        limits = nextLimits(gate.receivers[k].rule, limits);
        events += isEvent(gate, recordOf(records, r, row), k) ? 1 : 0;
        path.attempts.push_back(static_cast<double>(r + 1));
        path.events.push_back(static_cast<double>(events));
        path.passMost.push_back(orNaN(limits.passMost));
        path.failLeast.push_back(orNaN(limits.failLeast));
    }
    return path;
}

std::vector<Interval> reliabilitySequences95(const SequentialRun& run) {
    std::vector<Interval> intervals;
    for (const ReceiverTally& t : run.tallies) {
        const Interval cs = confidenceSequence95(t.good, t.attempts);
        intervals.push_back({100 * cs.lower, 100 * cs.upper});
    }
    return intervals;
}

}  // namespace ambiscan::evidence
