#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zvx {

// A sum of 64-bit terms that cannot overflow: 128 bits in two words. The squares of the rounds' results (in
// halves, so whole numbers) add up past 2^64 in a long study; kept whole they add exactly, in any order,
// across jobs and merged parts.
struct WideSum {
    std::uint64_t Low = 0;
    std::uint64_t High = 0;

    void Add(std::uint64_t v) {
        Low += v;
        High += Low < v ? 1 : 0;
    }
    void Add(const WideSum& o) {
        Add(o.Low);
        High += o.High;
    }
    // As a floating value (exact up to 2^64, then to the 64 bits of a long double's mantissa).
    long double Value() const { return static_cast<long double>(High) * 18446744073709551616.0L + static_cast<long double>(Low); }
    // The exact whole number in decimal, and back (nothing for anything but decimal digits within 128 bits).
    std::string Decimal() const;
    static std::optional<WideSum> FromDecimal(std::string_view text);

    friend bool operator==(const WideSum&, const WideSum&) = default;
};

inline std::string WideSum::Decimal() const {
    __extension__ using U128 = unsigned __int128;
    U128 v = (static_cast<U128>(High) << 64) | Low;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    return digits;
}

inline std::optional<WideSum> WideSum::FromDecimal(std::string_view text) {
    __extension__ using U128 = unsigned __int128;
    if (text.empty() || text.size() > 39) return std::nullopt;
    U128 v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const U128 next = v * 10 + static_cast<unsigned>(c - '0');
        if (next / 10 != v) return std::nullopt; // past 2^128
        v = next;
    }
    return WideSum{static_cast<std::uint64_t>(v), static_cast<std::uint64_t>(v >> 64)};
}

} // namespace zvx
