// Tests of the binomial tail against values computed independently.
#include "tools/katalog/BinomialTail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// The expected values are exact sums of fractions, made with Python's math.comb and
// fractions.Fraction:
//   sum(comb(n, i) * p**i * (1 - p)**(n - i) for i in range(k, n + 1))
// and for the tail too small for a double, the logarithm of the exact fraction's numerator minus
// that of its denominator.
TEST(BinomialTail, MatchesExactSumsAndNeverUnderflows) {
  const auto near = [](double logTail, double expected) {
    EXPECT_NEAR(std::exp(logTail), expected, expected * 1e-9);
  };
  near(LogBinomialUpperTail(10, 7, 0.3), 0.0105920784);
  near(LogBinomialUpperTail(20, 17, 0.2), 7.9776710656e-10);
  near(LogBinomialUpperTail(20, 16, 0.25), 3.865316102746874e-07);
  near(LogBinomialUpperTail(5000, 1, 0.001), 0.9932788880401344);
  near(LogBinomialUpperTail(2000, 1000, 0.5), 0.5089195055729272);
  // e^-1760.94 lies far below the smallest double; its logarithm does not.
  EXPECT_NEAR(LogBinomialUpperTail(1000, 900, 0.1), -1760.9369409101027, 1e-8);

  const double none = -std::numeric_limits<double>::infinity();
  EXPECT_EQ(LogBinomialUpperTail(10, 0, 0.3), 0.0);
  EXPECT_EQ(LogBinomialUpperTail(10, 11, 0.3), none);
  EXPECT_EQ(LogBinomialUpperTail(10, 1, 0.0), none);
  EXPECT_EQ(LogBinomialUpperTail(10, 10, 1.0), 0.0);
  near(LogBinomialUpperTail(10, 10, 0.5), 1.0 / 1024);
}
