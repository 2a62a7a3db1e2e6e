#include "evidence/ConfidenceSequence.hpp"

#include <gtest/gtest.h>

namespace ambiscan::evidence {
namespace {

// Bounds found by root finding on the log ratio with scipy:
//   import math
//   from scipy.special import betaln
//   from scipy.optimize import brentq
//   def logratio(p, S, n):
//       ll = (S*math.log(p) if S else 0.0) + ((n-S)*math.log1p(-p) if n-S else 0.0)
//       return betaln(S+1, n-S+1) - ll - math.log(20)
//   lo = 0 if S == 0 else brentq(logratio, 1e-300, S/n, args=(S, n), xtol=1e-15, rtol=1e-15)
//   hi = 1 if S == n else brentq(logratio, S/n, 1-1e-16, args=(S, n), xtol=1e-15, rtol=1e-15)
TEST(ConfidenceSequence, MatchesScipyRootsOfTheMixtureRatio) {
    struct Case {
        std::size_t good, n;
        double lower, upper;
    };
    for (const Case c :
         {Case{0, 10, 0.0, 0.4168802756565361}, Case{10, 10, 0.5831197243434639, 1.0},
          Case{5, 10, 0.1292190124007877, 0.8707809875992123},
          Case{95, 100, 0.8397411262328003, 0.993422873833361},
          Case{950, 1000, 0.9198290886926116, 0.9717648733704767},
          Case{80, 80, 0.9117611064960379, 1.0}, Case{1, 1, 0.025, 1.0}}) {
        SCOPED_TRACE(std::to_string(c.good) + " of " + std::to_string(c.n));
        const Interval cs = confidenceSequence95(c.good, c.n);
        EXPECT_NEAR(cs.lower, c.lower, 1e-12);
        EXPECT_NEAR(cs.upper, c.upper, 1e-12);
    }
    const Interval none = confidenceSequence95(0, 0);
    EXPECT_EQ(none.lower, 0);
    EXPECT_EQ(none.upper, 1);
}

}  // namespace
}  // namespace ambiscan::evidence
