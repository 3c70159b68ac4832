#pragma once
// Conversion of a computed (floating-point) value into the type a tween
// writes. Floating types take the value as it is. Integer types truncate
// toward zero; signed ones clamp to their range, unsigned ones wrap modulo
// 2^bits (an unsigned char wraps modulo 256). NaN becomes 0. These rules keep
// every conversion defined, whatever the value.
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace tween {

template <typename T>
T fromReal(double v)
{
    if constexpr (std::is_floating_point_v<T>) {
        return static_cast<T>(v);
    } else {
        static_assert(std::is_integral_v<T>, "tweens write arithmetic types");
        if (std::isnan(v))
            return T(0);
        const double t = std::trunc(v);
        if constexpr (std::is_signed_v<T>) {
            if (t <= static_cast<double>(std::numeric_limits<T>::min()))
                return std::numeric_limits<T>::min();
            if (t >= static_cast<double>(std::numeric_limits<T>::max()))
                return std::numeric_limits<T>::max();
            return static_cast<T>(t);
        } else {
            // Through a wide signed integer, then modulo 2^bits (defined for
            // unsigned targets). 2^62 bounds keep the first cast defined.
            const double bound = 4611686018427387904.0;
            const double c = t < -bound ? -bound : (t > bound ? bound : t);
            return static_cast<T>(static_cast<int64_t>(c));
        }
    }
}

// start + delta (or start - delta when `sign` is negative) as the exact end
// value of a tween: computed in T for floating types, so that the end is the
// plain sum; through fromReal for integer types (wrapping or clamping).
template <typename T>
T offset(T start, T delta, int sign)
{
    if constexpr (std::is_floating_point_v<T>)
        return sign < 0 ? T(start - delta) : T(start + delta);
    else
        return fromReal<T>(static_cast<double>(start) + sign * static_cast<double>(delta));
}

}  // namespace tween
