#pragma once

#include <optional>
#include <string>

#include "engine/game_state.h"

namespace zvx {

// Adds one betting strategy's account into another. Every figure is a count or a sum of whole dollars and
// halves, exact in a double, so a merged account is the same whatever the order of the additions.
void MergeAccount(PlayStats& into, const PlayStats& from);

// Adds the statistics of `from` into `into`: the four accounts, HoursPlayed and the run time (the sum: the
// time the parts took one after another).
void MergeStatistics(Game& into, const Game& from);

// The first rule or strategy difference that makes two games' statistics unfit to be merged, as a sentence
// ("decks 2 and 6"), or nothing when they were played alike.
std::optional<std::string> FirstDifference(const Game& a, const Game& b);

// A game file keeps its counters in 32 bits and writes a larger count as the largest it can hold; such a file
// no longer knows its count, and a merge with it would be short. Names the first counter at that limit.
std::optional<std::string> CounterAtFileLimit(const Game& g);

} // namespace zvx
