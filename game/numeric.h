#pragma once
// The game's number conversions: Int takes the floor, CInt and CLng round to the
// nearest whole number with ties going to the even one.
#include <cmath>
#include <cstdint>

namespace quabe {

inline int Int(double v) { return static_cast<int>(std::floor(v)); }

inline double RoundHalfEven(double v) {
    double r = std::floor(v);
    double diff = v - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    return r;
}

// Out-of-range values are clamped rather than overflowing.
inline int16_t CInt(double v) {
    double r = RoundHalfEven(v);
    if (!(r >= INT16_MIN)) return INT16_MIN;  // also catches NaN
    if (r > INT16_MAX) return INT16_MAX;
    return static_cast<int16_t>(r);
}

inline int32_t CLng(double v) {
    double r = RoundHalfEven(v);
    if (!(r >= INT32_MIN)) return INT32_MIN;
    if (r > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(r);
}

}  // namespace quabe
