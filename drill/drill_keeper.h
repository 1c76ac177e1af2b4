#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "drill/cost_source.h"
#include "drill/drill_record.h"
#include "engine/game_state.h"

namespace zvx {

// The player's drill record in use: judged decisions go in with their cost and are written to the record
// file after each one; in the Practice Deck it can aim the deal at the player's weak spots. The game reaches
// it through Game::DrillRecorder while one is installed.
class DrillKeeper {
public:
    // An empty path keeps the record in memory only.
    explicit DrillKeeper(std::filesystem::path file = {});
    ~DrillKeeper();
    DrillKeeper(const DrillKeeper&) = delete;
    DrillKeeper& operator=(const DrillKeeper&) = delete;

    // Reads the record file; returns a message for the player when the file could not be used.
    std::optional<std::string> Load();
    void SetCostSource(std::unique_ptr<CostSource> source);

    // The drill score has just judged `taken` on player hand 1..4, where the strategy plays `right`.
    void DecisionJudged(const Game& g, int hand, Action taken, Action right);
    // Prices a judged decision, adds it to the record and writes the file.
    void Take(const Game& g, const JudgedDecision& decision);
    // Before a Practice Deck round is dealt: with weak-spot practice on, arranges the next cards of the shoe.
    void BeforePracticeDeal(Game& g);

    // Starts a new record and writes it; returns the reason when the file could not be written.
    std::optional<std::string> Clear();

    // A write that failed since the last call, told once a session.
    std::optional<std::string> TakeMessage();

    const DrillRecord& Record() const { return record_; }
    const std::filesystem::path& File() const { return file_; }
    bool Kept() const { return !file_.empty() && writable_; }

    bool WeakSpotPractice = false;

private:
    std::optional<std::string> Save();

    std::filesystem::path file_;
    bool writable_ = true;
    bool failureTold_ = false;
    std::optional<std::string> message_;
    DrillRecord record_;
    std::unique_ptr<CostSource> costs_;
};

} // namespace zvx
