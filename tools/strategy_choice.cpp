#include "tools/strategy_choice.h"

#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"

namespace zvx {

std::optional<std::string> LoadNamedGameFile(Game& g, const std::string& path) {
    const GameFileLoad result = LoadGameFile(g, path);
    switch (result) {
    case GameFileLoad::Ok: return std::nullopt;
    case GameFileLoad::NotFound: return "cannot open game file '" + path + "'";
    default: return "'" + path + "' is not a game file: " + GameFileLoadProblem(result);
    }
}

std::optional<std::string> ChooseStrategy(Game& g, const std::string& choice) {
    if (choice == "default") {
        LoadDefaultStrategy(g.Strategy);
        return std::nullopt;
    }
    if (choice == "advanced") {
        LoadAdvancedStrategy(g.Strategy);
        return std::nullopt;
    }
    return LoadStrategyFromGameFile(g.Strategy, choice);
}

std::string StrategyName(const StrategyTable& table, const std::string& source) {
    StrategyTable builtin;
    LoadDefaultStrategy(builtin);
    if (table == builtin) return "default";
    LoadAdvancedStrategy(builtin);
    if (table == builtin) return "advanced";
    return source;
}

} // namespace zvx
