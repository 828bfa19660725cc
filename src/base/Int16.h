#pragma once
// The system's 16-bit integers and Booleans. A Boolean is an int16_t holding
// True (-1) or False (0), never 1: callers test it both as "not 0" and as
// exactly -1, and combine Booleans bitwise.
#include <cstdint>

namespace velmora {

inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

inline constexpr std::int16_t ToBoolean(bool condition) { return condition ? True : False; }

// `value` as a 16-bit integer; run-time error 6 (Overflow) when it does not fit.
std::int16_t CheckedInt16(long long value);

// `value` as a 32-bit integer; run-time error 6 when it does not fit.
std::int32_t CheckedInt32(long long value);

}  // namespace velmora
