#pragma once

#include <array>
#include <cstdint>

namespace zvx {

// The playing strategy: 321 rows of 12 bytes, addressed by row code 200..520 (action digit * 100 + hand value).
// Byte 0 ALWAYS, byte 1 NEVER, byte v (2..11) the flag for a dealer up card of value v.
inline constexpr int FirstStrategyRow = 200;
inline constexpr int LastStrategyRow = 520;
inline constexpr int StrategyRowCount = LastStrategyRow - FirstStrategyRow + 1;
inline constexpr int StrategyRowSize = 12;
inline constexpr int StrategyTableSize = StrategyRowCount * StrategyRowSize;
static_assert(StrategyTableSize == 3852);

inline constexpr int AlwaysByte = 0;
inline constexpr int NeverByte = 1;

// Row code bases of the four actions.
inline constexpr int HitRows = 200;
inline constexpr int DoubleRows = 300;
inline constexpr int SplitRows = 400;
inline constexpr int SurrenderRows = 500;

struct StrategyTable {
    std::array<std::uint8_t, StrategyTableSize> Bytes{};

    std::uint8_t* Row(int rowCode) { return Bytes.data() + (rowCode - FirstStrategyRow) * StrategyRowSize; }
    const std::uint8_t* Row(int rowCode) const {
        return Bytes.data() + (rowCode - FirstStrategyRow) * StrategyRowSize;
    }
    // Whether the row's action is taken against a dealer up card of value 2..11.
    bool Has(int rowCode, int upCardValue) const { return Row(rowCode)[upCardValue] != 0; }

    friend bool operator==(const StrategyTable&, const StrategyTable&) = default;
};

} // namespace zvx
