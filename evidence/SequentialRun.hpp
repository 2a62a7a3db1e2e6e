#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/gates.hpp"
#include "evidence/Evidence.hpp"
#include "evidence/SequentialGate.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::evidence {

// One gate of the command line decided sequentially for every receiver, in legend order.
struct SequentialGateRun {
    std::string gate;  // "require-reliability" or "require-p90", as the fixed gates name it
    double threshold = 0;
    bool onBadFixes = false;  // the event: a bad fix, or else an attempt slower than threshold
    std::vector<SequentialGate> receivers;
    SequentialDecision decision() const;  // FAIL if any failed, else CONTINUE if any is open
};

// Good fixes and attempts per receiver so far: what the confidence sequence needs.
struct ReceiverTally {
    std::size_t attempts = 0, good = 0;
};

// Everything a decided (or watched) run keeps up to date record by record.
struct SequentialRun {
    std::vector<std::string> names;
    std::vector<ReceiverTally> tallies;
    std::vector<SequentialGateRun> gates;
    std::size_t records = 0;
    bool allDecided() const;
};

// The gates set, in the fixed gates' order: for --require-reliability PCT an event is a bad fix
// and the required rate 1 - PCT/100; for --require-p90 S an event is an attempt not fixed
// within S s (a time above S + 0.5 s, NaN or +Inf) and the rate 0.10.
SequentialRun startSequentialRun(const std::vector<std::string>& names,
                                 const analysis::GateLimits& limits, double badFactor, double risk);

// Feeds one record, its numbers as the file holds them.
void addRecord(SequentialRun& run, const double* record);
// Feeds the records from row `from` on (rows as read: start time, N times, E N U per receiver).
void addRecords(SequentialRun& run, const Matrix& records, std::size_t from = 0);

// Is this attempt an event for a 90 % time gate of `seconds`?
bool slowerThan(double time, double seconds);

// The reliability's 95 % confidence sequence per receiver, in percent.
std::vector<Interval> reliabilitySequences95(const SequentialRun& run);

}  // namespace ambiscan::evidence

namespace ambiscan::evidence {

// Is the record (its numbers as the file holds them) an event for receiver k under this gate?
bool isEvent(const SequentialGateRun& gate, const double* record, std::size_t k);

// What a chart of one receiver's sequential test shows, attempt by attempt from 1: the events
// so far and the limits (NaN where there is none yet: no count passes or fails).
struct DecisionPath {
    std::vector<double> attempts, events, passMost, failLeast;
};
// The path over the first `lastAttempt` records (at most those there are).
DecisionPath decisionPath(const SequentialGateRun& gate, std::size_t k, const Matrix& records,
                          std::size_t lastAttempt);

}  // namespace ambiscan::evidence
