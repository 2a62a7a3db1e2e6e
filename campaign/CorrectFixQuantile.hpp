#pragma once

#include "campaign/TimeSample.hpp"
#include "evidence/Evidence.hpp"

namespace ambiscan::campaign {

// A quantile of the time to a correct fix over all n attempts: the order statistic T(ceil(p n))
// with its distribution-free 95 % interval from the same binomial ranks as the run's own
// intervals. +Inf where it falls on an attempt without a correct fix ("not reached within
// 500 s"); NaN for a side n attempts cannot bound, and for all of it without attempts.
struct Quantile {
    double value;
    evidence::Interval ci95;
};
Quantile correctFixQuantile(const TimeSample& times, double p);

}  // namespace ambiscan::campaign
