// Mathematical constants, defined once for every layer (the standard library has them only
// from C++20 on). Header only, using nothing but the language.
#pragma once

namespace vevadur
{
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;
} // namespace vevadur
