// A number that carries its first derivatives with respect to N inputs (forward-mode automatic
// differentiation), for the gradient of the fitting loss through the templated FSRS-6 formulas.
// Only the fit uses it.
#pragma once

#include <array>
#include <cmath>

namespace fsrs {

template <int N> class TDual {
public:
  TDual() = default;
  // A constant: every derivative is zero.
  explicit TDual(double value) : value(value) {}
  // The input `index` of the N: its derivative with respect to itself is one.
  static TDual Input(double value, int index) {
    TDual input(value);
    input.derivatives[static_cast<std::size_t>(index)] = 1;
    return input;
  }

  double Value() const { return value; }
  double Derivative(int index) const { return derivatives[static_cast<std::size_t>(index)]; }

  TDual operator-() const { return Scaled(-value, -1, *this); }

  TDual& operator+=(const TDual& other) {
    value += other.value;
    for (int i = 0; i < N; ++i)
      derivatives[i] += other.derivatives[i];
    return *this;
  }

  friend TDual operator+(TDual left, const TDual& right) { return left += right; }

  friend TDual operator-(const TDual& left, const TDual& right) {
    return Combined(left.value - right.value, 1, left, -1, right);
  }

  friend TDual operator*(const TDual& left, const TDual& right) {
    return Combined(left.value * right.value, right.value, left, left.value, right);
  }

  friend TDual operator/(const TDual& left, const TDual& right) {
    const double quotient = left.value / right.value;
    return Combined(quotient, 1 / right.value, left, -quotient / right.value, right);
  }

  friend TDual exp(const TDual& x) {
    const double e = std::exp(x.value);
    return Scaled(e, e, x);
  }

  friend TDual log(const TDual& x) { return Scaled(std::log(x.value), 1 / x.value, x); }

  friend TDual pow(const TDual& base, double exponent) {
    const double power = std::pow(base.value, exponent);
    return Scaled(power, exponent * std::pow(base.value, exponent - 1), base);
  }

  // d(b^e) = b^e · (e/b · db + ln b · de); the base is positive wherever the formulas use it.
  friend TDual pow(const TDual& base, const TDual& exponent) {
    const double power = std::pow(base.value, exponent.value);
    return Combined(power, power * exponent.value / base.value, base, power * std::log(base.value),
                    exponent);
  }

  friend bool operator<(const TDual& left, const TDual& right) { return left.value < right.value; }
  friend bool operator>(const TDual& left, const TDual& right) { return left.value > right.value; }
  friend bool operator<(const TDual& left, double right) { return left.value < right; }
  friend bool operator>(const TDual& left, double right) { return left.value > right; }
  friend bool operator<(double left, const TDual& right) { return left < right.value; }
  friend bool operator>(double left, const TDual& right) { return left > right.value; }

private:
  // value with the derivatives a · x'.
  static TDual Scaled(double value, double a, const TDual& x) {
    TDual result(value);
    for (int i = 0; i < N; ++i)
      result.derivatives[i] = a * x.derivatives[i];
    return result;
  }

  // value with the derivatives a · x' + b · y'.
  static TDual Combined(double value, double a, const TDual& x, double b, const TDual& y) {
    TDual result(value);
    for (int i = 0; i < N; ++i)
      result.derivatives[i] = a * x.derivatives[i] + b * y.derivatives[i];
    return result;
  }

  double value = 0;
  std::array<double, N> derivatives{};
};

} // namespace fsrs
