#include "analysis/account_merge.h"

#include <limits>

namespace zvx {

namespace {

template <typename T, std::size_t N>
void AddEach(std::array<T, N>& into, const std::array<T, N>& from) {
    for (std::size_t i = 0; i < N; ++i) into[i] += from[i];
}

void AddRunTime(RunClock& into, const RunClock& from) {
    std::int64_t seconds = into.Seconds + from.Seconds + 60 * (into.Minutes + from.Minutes);
    into.Hours += from.Hours + seconds / 3600;
    seconds %= 3600;
    into.Minutes = static_cast<std::uint16_t>(seconds / 60);
    into.Seconds = static_cast<std::uint16_t>(seconds % 60);
}

std::string Switch(bool on) { return on ? "on" : "off"; }

} // namespace

void MergeAccount(PlayStats& into, const PlayStats& from) {
    AddEach(into.WonByCount, from.WonByCount);
    AddEach(into.BetByCount, from.BetByCount);
    AddEach(into.HourHistogram, from.HourHistogram);
    into.HourWon += from.HourWon;
    into.TotalWon += from.TotalWon;
    into.TotalBet += from.TotalBet;
    into.SwingBalance += from.SwingBalance;
    into.BetsWon += from.BetsWon;
    into.BetsLost += from.BetsLost;
    into.SwingsLost += from.SwingsLost;
    into.SwingsWon += from.SwingsWon;
    into.HandsPlayed += from.HandsPlayed;
    into.HandsSplit += from.HandsSplit;
    into.HandsDoubled += from.HandsDoubled;
    into.Blackjacks += from.Blackjacks;
    into.HourWonSquares += from.HourWonSquares;
    into.HourSquares += from.HourSquares;
    into.RoundSquares.Add(from.RoundSquares);
    into.RoundsClosed += from.RoundsClosed;
    into.RoundSquaresKnown = into.RoundSquaresKnown && from.RoundSquaresKnown;
}

void MergeStatistics(Game& into, const Game& from) {
    for (int i = 1; i <= StrategyCount; ++i)
        MergeAccount(into.Hands[static_cast<std::size_t>(i)].Stats, from.Hands[static_cast<std::size_t>(i)].Stats);
    into.HoursPlayed += from.HoursPlayed;
    into.KeysDrawn += from.KeysDrawn;
    AddRunTime(into.RunTime, from.RunTime);
}

std::optional<std::string> FirstDifference(const Game& a, const Game& b) {
    const CasinoRules& x = a.Rules();
    const CasinoRules& y = b.Rules();
    auto number = [](const char* what, int p, int q) {
        return std::string(what) + " " + std::to_string(p) + " and " + std::to_string(q);
    };
    auto flag = [](const char* what, bool p, bool q) { return std::string(what) + " " + Switch(p) + " and " + Switch(q); };
    if (x.Decks != y.Decks) return number("decks", x.Decks, y.Decks);
    if (x.Penetration != y.Penetration) return number("penetration", x.Penetration, y.Penetration);
    if (x.TableMinimum != y.TableMinimum) return number("table minimum", x.TableMinimum, y.TableMinimum);
    if (x.SurrenderAllowed != y.SurrenderAllowed) return flag("surrender", x.SurrenderAllowed, y.SurrenderAllowed);
    if (x.DealerHitsSoft17 != y.DealerHitsSoft17) return flag("dealer hits soft 17", x.DealerHitsSoft17, y.DealerHitsSoft17);
    if (x.DoubleAnyHand != y.DoubleAnyHand) return flag("double any hand", x.DoubleAnyHand, y.DoubleAnyHand);
    if (x.DoubleAfterSplit != y.DoubleAfterSplit) return flag("double after split", x.DoubleAfterSplit, y.DoubleAfterSplit);
    if (x.ResplitAllowed != y.ResplitAllowed) return flag("re-split", x.ResplitAllowed, y.ResplitAllowed);
    if (x.PlayTwoHands != y.PlayTwoHands) return flag("two hands", x.PlayTwoHands, y.PlayTwoHands);
    for (int row = FirstStrategyRow; row <= LastStrategyRow; ++row)
        for (int column = 0; column < StrategyRowSize; ++column)
            if (a.Strategy.Row(row)[column] != b.Strategy.Row(row)[column])
                return "playing strategy row " + std::to_string(row) + " byte " + std::to_string(column) + ": " +
                       std::to_string(a.Strategy.Row(row)[column]) + " and " + std::to_string(b.Strategy.Row(row)[column]);
    return std::nullopt;
}

std::optional<std::string> CounterAtFileLimit(const Game& g) {
    constexpr std::int64_t Limit = std::numeric_limits<std::int32_t>::max();
    if (g.HoursPlayed >= Limit) return "hours played";
    for (int i = 1; i <= StrategyCount; ++i) {
        const PlayStats& s = g.Hands[static_cast<std::size_t>(i)].Stats;
        const std::string whose = " of strategy #" + std::to_string(i);
        if (s.HandsPlayed >= Limit) return "hands" + whose;
        if (s.HandsSplit >= Limit) return "hands split" + whose;
        if (s.HandsDoubled >= Limit) return "hands doubled" + whose;
        if (s.Blackjacks >= Limit) return "blackjacks" + whose;
        if (s.SwingsWon >= Limit || s.SwingsLost >= Limit) return "swings" + whose;
        for (const auto hours : s.HourHistogram)
            if (hours >= Limit) return "hour histogram" + whose;
    }
    return std::nullopt;
}

} // namespace zvx
