#pragma once
// Number conversions for values read from content files, which may hold
// anything.
#include <algorithm>
#include <cmath>
#include <cstdint>

// The value truncated towards zero and cut to int32's range; 0 for not a
// number. (A plain cast of a float beyond the range is undefined.)
inline int32_t toIntSaturated(float value)
{
    if (std::isnan(value))
        return 0;
    constexpr float Limit = 2147483520.0f;  // the largest float below 2^31
    return static_cast<int32_t>(std::clamp(value, -Limit, Limit));
}
