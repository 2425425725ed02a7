#pragma once

#include <cmath>

namespace core {

// Nearest whole number, halves to even (2.5 → 2, 3.5 → 4, -2.5 → -2); NaN and infinities stay.
inline double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return whole;
}

} // namespace core
