#include "engine/real48.h"

#include <cmath>

namespace zvx {

namespace {

constexpr int ExponentBias = 129;
constexpr int FractionBits = 39;
constexpr std::uint64_t ImpliedOne = std::uint64_t{1} << FractionBits;
constexpr std::uint64_t FractionMask = ImpliedOne - 1;
constexpr std::uint8_t SignBit = 0x80;

// A double's significand has 53 bits, 14 more than the 40 (implied one included) a Real48 keeps.
constexpr int DoubleSignificandBits = 53;
constexpr int DroppedBits = DoubleSignificandBits - (FractionBits + 1);
constexpr std::uint64_t DroppedMask = (std::uint64_t{1} << DroppedBits) - 1;
constexpr std::uint64_t Half = std::uint64_t{1} << (DroppedBits - 1);

Real48 Pack(bool negative, int biasedExponent, std::uint64_t fraction) {
    Real48 r{};
    r[0] = static_cast<std::uint8_t>(biasedExponent);
    for (std::size_t i = 1; i < Real48Size; ++i) {
        r[i] = static_cast<std::uint8_t>((fraction >> (8 * (i - 1))) & 0xFFu);
    }
    if (negative) r[5] = static_cast<std::uint8_t>(r[5] | SignBit);
    return r;
}

Real48 Largest(bool negative) { return Pack(negative, 0xFF, FractionMask); }

} // namespace

double Real48ToDouble(const Real48& r) {
    if (r[0] == 0) return 0.0;
    std::uint64_t fraction = 0;
    for (std::size_t i = Real48Size - 1; i >= 1; --i) fraction = (fraction << 8) | r[i];
    fraction &= FractionMask;
    const double magnitude =
        std::ldexp(static_cast<double>(ImpliedOne | fraction), r[0] - ExponentBias - FractionBits);
    return (r[5] & SignBit) != 0 ? -magnitude : magnitude;
}

Real48 DoubleToReal48(double d) {
    if (std::isnan(d) || d == 0.0) return Real48{};
    const bool negative = std::signbit(d);
    if (std::isinf(d)) return Largest(negative);

    // d = m * 2^e with 0.5 <= |m| < 1, so the value is 1.xxx * 2^(e-1).
    int e = 0;
    const double m = std::frexp(std::fabs(d), &e);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(m, DoubleSignificandBits)); // exact
    std::uint64_t kept = significand >> DroppedBits;
    const std::uint64_t dropped = significand & DroppedMask;
    if (dropped > Half || (dropped == Half && (kept & 1) != 0)) ++kept;
    if (kept == (ImpliedOne << 1)) { // rounding carried into the next power of two
        kept = ImpliedOne;
        ++e;
    }

    const int biased = e - 1 + ExponentBias;
    if (biased < 1) return Real48{};
    if (biased > 0xFF) return Largest(negative);
    return Pack(negative, biased, kept & FractionMask);
}

} // namespace zvx
