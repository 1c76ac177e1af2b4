#include "strategy/builtin_strategies.h"

#include <initializer_list>

namespace zvx {

namespace {

constexpr int Ace = 11;
constexpr int FirstUpCard = 2;
constexpr int LastUpCard = 11;

void SetUpCards(StrategyTable& table, int rowCode, std::initializer_list<int> upCards) {
    std::uint8_t* row = table.Row(rowCode);
    for (int u : upCards)
        row[u] = 1;
}

void SetUpCardRange(StrategyTable& table, int rowCode, int first, int last) {
    std::uint8_t* row = table.Row(rowCode);
    for (int u = first; u <= last; ++u)
        row[u] = 1;
}

void SetAll(StrategyTable& table, int rowCode) {
    SetUpCardRange(table, rowCode, FirstUpCard, LastUpCard);
}

// ALWAYS carries its ten up-card flags with it, as the editor keeps it.
void SetAlways(StrategyTable& table, int rowCode) {
    table.Row(rowCode)[AlwaysByte] = 1;
    SetAll(table, rowCode);
}

void SetNever(StrategyTable& table, int rowCode) {
    table.Row(rowCode)[NeverByte] = 1;
}

// The rows both sets share.
void LoadCommonRows(StrategyTable& table) {
    table.Bytes.fill(0);

    // Hard 4..11 hit against everything, yet are not marked ALWAYS: the decision never reads them.
    for (int total = 4; total <= 11; ++total)
        SetAll(table, HitRows + total);
    for (int total = 13; total <= 16; ++total)
        SetUpCards(table, HitRows + total, {7, 8, 9, 10, Ace});
    SetAlways(table, HitRows + 17);

    SetNever(table, DoubleRows + 7);
    SetUpCards(table, DoubleRows + 9, {2, 3, 4, 5, 6});
    SetUpCardRange(table, DoubleRows + 10, 2, 9);

    SetUpCardRange(table, SplitRows + 4, 2, 7);
    SetUpCardRange(table, SplitRows + 6, 2, 7);
    SetNever(table, SplitRows + 8);
    SetNever(table, SplitRows + 10);
    SetUpCardRange(table, SplitRows + 14, 2, 7);
    SetUpCardRange(table, SplitRows + 18, 2, 9);
    SetNever(table, SplitRows + 20);
    SetAlways(table, SplitRows + 22);

    for (int total = 12; total <= 14; ++total)
        SetNever(table, SurrenderRows + total);
    SetUpCards(table, SurrenderRows + 15, {10, Ace});
    SetUpCards(table, SurrenderRows + 16, {10, Ace});
    SetNever(table, SurrenderRows + 17);
}

} // namespace

void LoadDefaultStrategy(StrategyTable& table) {
    LoadCommonRows(table);

    SetUpCards(table, HitRows + 12, {2, 3, 7, 8, 9, 10, Ace});
    SetNever(table, HitRows + 18);

    SetUpCards(table, DoubleRows + 8, {4, 5, 6});
    SetAlways(table, DoubleRows + 11);
    for (int total = 13; total <= 17; ++total)
        SetUpCards(table, DoubleRows + total, {4, 5, 6});
    SetNever(table, DoubleRows + 18);
    SetNever(table, DoubleRows + 19);

    SetUpCardRange(table, SplitRows + 12, 2, 7);
    SetAlways(table, SplitRows + 16);
}

void LoadAdvancedStrategy(StrategyTable& table) {
    LoadCommonRows(table);

    SetUpCards(table, HitRows + 12, {2, 7, 8, 9, 10, Ace});
    SetUpCards(table, HitRows + 18, {9, 10});

    SetUpCards(table, DoubleRows + 8, {5, 6});
    SetUpCardRange(table, DoubleRows + 11, 2, 10);
    for (int total = 13; total <= 16; ++total)
        SetUpCards(table, DoubleRows + total, {5, 6});
    for (int total = 17; total <= 19; ++total)
        SetUpCards(table, DoubleRows + total, {2, 3, 4, 5, 6});

    SetUpCards(table, SplitRows + 12, {2, 3, 4, 5, 6});
    SetUpCardRange(table, SplitRows + 16, 2, 9);
    SetUpCards(table, SplitRows + 16, {Ace});
}

} // namespace zvx
