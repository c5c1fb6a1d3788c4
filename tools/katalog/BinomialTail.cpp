// The binomial tail as a sum of terms taken in log space, largest term first.
#include "tools/katalog/BinomialTail.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// ln of the term P(X = i).
double LogTerm(int64_t n, int64_t i, double logP, double logQ) {
  const auto nd = static_cast<double>(n);
  const auto id = static_cast<double>(i);
  return std::lgamma(nd + 1) - std::lgamma(id + 1) - std::lgamma(nd - id + 1) + id * logP +
         (nd - id) * logQ;
}

} // namespace

double LogBinomialUpperTail(int64_t n, int64_t k, double p) {
  if (k <= 0)
    return 0.0;
  if (k > n || p <= 0.0)
    return -std::numeric_limits<double>::infinity();
  if (p >= 1.0)
    return 0.0;
  const double logP = std::log(p);
  const double logQ = std::log1p(-p);
  // The terms rise up to the mode and fall after it, so the tail's largest term is at the mode
  // or at k. Every term is summed relative to it; terms that fall below it by more than the
  // precision of a double cannot change the sum, and the walk stops there.
  const auto mode = static_cast<int64_t>(std::floor(static_cast<double>(n + 1) * p));
  const int64_t top = std::clamp(mode, k, n);
  const double logTop = LogTerm(n, top, logP, logQ);
  constexpr double kNegligible = -40.0; // e^-40 is below a double's relative precision
  const double logRatio = logP - logQ;
  double sum = 1.0; // the top term itself
  double logTerm = logTop;
  for (int64_t i = top; i < n; ++i) {
    logTerm += std::log(static_cast<double>(n - i) / static_cast<double>(i + 1)) + logRatio;
    if (logTerm - logTop < kNegligible)
      break;
    sum += std::exp(logTerm - logTop);
  }
  logTerm = logTop;
  for (int64_t i = top; i > k; --i) {
    logTerm -= std::log(static_cast<double>(n - i + 1) / static_cast<double>(i)) + logRatio;
    if (logTerm - logTop < kNegligible)
      break;
    sum += std::exp(logTerm - logTop);
  }
  return std::min(0.0, logTop + std::log(sum));
}
