// The upper tail of the binomial distribution, in log space.
#pragma once

#include <cstdint>

// ln P(X >= k) for X ~ Binomial(n, p): the chance of k or more successes in n trials of success
// chance p. Computed from the logarithms of the terms, so that neither a tail far below the
// smallest double (ln values of many thousands below zero) nor large n under- or overflows.
// Gives 0 for k <= 0 and minus infinity where the tail is empty (k > n, or p = 0 with k > 0).
double LogBinomialUpperTail(int64_t n, int64_t k, double p);
