#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zvx {

// The 6-byte real that every money and statistics value takes in the files.
//   byte 0      exponent, biased by 129; 0 means the value 0 whatever the other bytes hold
//   bytes 1..5  a 39-bit fraction, least significant byte first, below an implied leading 1
//   byte 5 bit 7  the sign
// value = (-1)^sign * 1.fraction * 2^(exponent - 129)
inline constexpr std::size_t Real48Size = 6;
using Real48 = std::array<std::uint8_t, Real48Size>;

// Exact: every Real48 is a double.
double Real48ToDouble(const Real48& r);

// Rounds to the nearest Real48, ties to the even fraction. Zero (either sign), NaN and magnitudes below the
// smallest Real48 give six zero bytes; magnitudes above the largest (infinities too) give the largest, signed.
Real48 DoubleToReal48(double d);

inline void PutReal48(std::span<std::uint8_t> out, std::size_t at, double d) {
    const Real48 r = DoubleToReal48(d);
    for (std::size_t i = 0; i < Real48Size; ++i) out[at + i] = r[i];
}

inline double GetReal48(std::span<const std::uint8_t> in, std::size_t at) {
    Real48 r{};
    for (std::size_t i = 0; i < Real48Size; ++i) r[i] = in[at + i];
    return Real48ToDouble(r);
}

} // namespace zvx
