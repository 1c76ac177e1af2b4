#pragma once

#include <optional>
#include <string>

#include "engine/game_state.h"

namespace zvx {

// Loads a game file named on the command line. Returns the message for a missing or damaged file.
std::optional<std::string> LoadNamedGameFile(Game& g, const std::string& path);

// Installs the strategy of --strategy: a built-in set or a game file's live table. Returns an error text on
// failure, with the game unchanged.
std::optional<std::string> ChooseStrategy(Game& g, const std::string& choice);

// "default" or "advanced" when the table is one of the built-in sets, else `source`.
std::string StrategyName(const StrategyTable& table, const std::string& source);

} // namespace zvx
