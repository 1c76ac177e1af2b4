// zvx-analysis: Betting and Rules Analysis on the command line, on the same engine as the desktop program.

#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_run.h"
#include "analysis/screen_render.h"
#include "analysis/screens.h"
#include "engine/game_state.h"
#include "engine/options_file.h"
#include "engine/round.h"
#include "engine/shell_view.h"
#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"

namespace {

using namespace zvx;

constexpr int UsageError = 2;
constexpr int FileFailure = 1;

constexpr const char* Usage = R"(Usage: zvx-analysis --hours N [options]

Plays Betting and Rules Analysis without windows: four betting strategies on the same cards, in hours of
100 rounds, and prints one analysis screen at the end. Starts from the rules and strategy of ZVX.PRM in the
current directory when it is readable and valid, else from the defaults; the flags below override them.
The tool never writes ZVX.PRM.

  --hours N                 play exactly N hours of 100 rounds (1..1000000000), then stop
  --seed S                  seed the card shuffle with S (0..4294967295) instead of the clock
  --single                  single-strategy mode: only strategy #4 is played and booked
  --decks 1|2|4|6|8         decks in the shoe
  --penetration 2|3         deal 1/2 (2) or 3/4 (3) of each deck before the cut card
  --minimum 5|25|100        table minimum in dollars (also the betting unit)
  --surrender 0|1           Surrender Allowed
  --soft17 0|1              Dealer Hits Soft 17
  --double-any 0|1          Double Any Hand (0: only on 10 and 11)
  --das 0|1                 Double After Split
  --resplit 0|1             Re-Split a Split Hand
  --two-hands 0|1           Play 2 Hands (two boxes, twice the bets)
  --strategy default|advanced|FILE
                            the playing strategy: a built-in set, or the live strategy of game file FILE
  --save FILE               write the game file (rules, statistics, strategy) to FILE at the end
  --screen 1|2|3            screen to print: 1 odds per hour, 2 advantage by count, 3 statistics (default)
  --tsv                     print the screen's 20 rows as tab-separated cells instead of an aligned table
  --help                    show this text

Exit status: 0 done, 1 a file could not be read or written, 2 a wrong flag or value.
)";

struct Arguments {
    std::int64_t Hours = 0;
    std::optional<std::uint32_t> Seed;
    bool Single = false;
    std::optional<std::uint16_t> Decks, Penetration, Minimum;
    std::optional<bool> Surrender, Soft17, DoubleAny, Das, Resplit, TwoHands;
    std::optional<std::string> Strategy;
    std::optional<std::string> SavePath;
    int Screen = StatisticsScreen;
    bool Tsv = false;
};

struct UsageFailure {
    std::string Message;
};

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return value;
}

std::uint16_t OneOf(std::string_view flag, std::string_view text, std::initializer_list<std::uint16_t> allowed) {
    const auto value = ParseNumber<std::uint16_t>(text);
    if (value)
        for (auto a : allowed)
            if (a == *value) return a;
    std::string list;
    for (auto a : allowed) list += (list.empty() ? "" : "|") + std::to_string(a);
    throw UsageFailure{std::string(flag) + " must be " + list + ", not '" + std::string(text) + "'"};
}

bool Switch(std::string_view flag, std::string_view text) { return OneOf(flag, text, {0, 1}) == 1; }

Arguments Parse(const std::vector<std::string_view>& args) {
    Arguments a;
    bool hoursGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view flag = args[i];
        if (flag == "--single") {
            a.Single = true;
            continue;
        }
        if (flag == "--tsv") {
            a.Tsv = true;
            continue;
        }
        static const std::vector<std::string_view> valued = {
            "--hours", "--seed", "--decks", "--penetration", "--minimum", "--surrender", "--soft17", "--double-any",
            "--das", "--resplit", "--two-hands", "--strategy", "--save", "--screen"};
        bool known = false;
        for (auto v : valued) known |= v == flag;
        if (!known) throw UsageFailure{"unknown flag '" + std::string(flag) + "' (see --help)"};
        if (i + 1 >= args.size()) throw UsageFailure{std::string(flag) + " needs a value"};
        const std::string_view value = args[++i];
        if (flag == "--hours") {
            const auto n = ParseNumber<std::int64_t>(value);
            if (!n || *n < 1 || *n > 1000000000)
                throw UsageFailure{"--hours must be a whole number from 1 to 1000000000, not '" + std::string(value) + "'"};
            a.Hours = *n;
            hoursGiven = true;
        } else if (flag == "--seed") {
            const auto s = ParseNumber<std::uint32_t>(value);
            if (!s) throw UsageFailure{"--seed must be a whole number from 0 to 4294967295, not '" + std::string(value) + "'"};
            a.Seed = *s;
        } else if (flag == "--decks") a.Decks = OneOf(flag, value, {1, 2, 4, 6, 8});
        else if (flag == "--penetration") a.Penetration = OneOf(flag, value, {2, 3});
        else if (flag == "--minimum") a.Minimum = OneOf(flag, value, {5, 25, 100});
        else if (flag == "--surrender") a.Surrender = Switch(flag, value);
        else if (flag == "--soft17") a.Soft17 = Switch(flag, value);
        else if (flag == "--double-any") a.DoubleAny = Switch(flag, value);
        else if (flag == "--das") a.Das = Switch(flag, value);
        else if (flag == "--resplit") a.Resplit = Switch(flag, value);
        else if (flag == "--two-hands") a.TwoHands = Switch(flag, value);
        else if (flag == "--screen") a.Screen = OneOf(flag, value, {1, 2, 3});
        else if (flag == "--strategy") {
            if (value.empty()) throw UsageFailure{"--strategy needs default, advanced or a game file"};
            a.Strategy = std::string(value);
        } else if (flag == "--save") {
            if (value.empty()) throw UsageFailure{"--save needs a file name"};
            a.SavePath = std::string(value);
        }
    }
    if (!hoursGiven) throw UsageFailure{"--hours N is required (see --help)"};
    return a;
}

// The analysis window of the command line: it prints the chosen screen when the run closes it, and shows
// progress on a terminal.
class ConsoleAnalysis : public ShellView {
public:
    ConsoleAnalysis(Game& g, const Arguments& args) : game_(g), args_(args), start_(Clock::now()) {
        progress_ = isatty(STDERR_FILENO) != 0;
        screens_.Open(g);
        if (args.Single) screens_.Button1Click(g);
        screens_.AnalysisScreen = static_cast<std::uint8_t>(args.Screen);
        screens_.RelabelPending = true;
    }

    void ProcessEvents() override {}

    void RefreshAnalysisWindow() override {
        if (!progress_) return;
        const auto now = Clock::now();
        if (now - lastProgress_ < std::chrono::milliseconds(500)) return;
        lastProgress_ = now;
        const double rounds = static_cast<double>(game_.HoursPlayed) * 100;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        std::fprintf(stderr, "\r%.0f of %lld rounds, %.0f rounds/s ", rounds, static_cast<long long>(args_.Hours) * 100,
                     seconds > 0 ? rounds / seconds : 0.0);
    }

    void CloseAnalysisWindow() override {
        if (progress_) std::fputs("\r\033[K", stderr);
        screens_.Redraw(game_);
        output_ = args_.Tsv ? RenderTsv(screens_.Grid) : RenderAligned(screens_.Grid);
        if (args_.SavePath) saved_ = SaveGameFile(game_, *args_.SavePath);
    }

    const std::string& Output() const { return output_; }
    bool Saved() const { return saved_; }

private:
    using Clock = std::chrono::steady_clock;
    Game& game_;
    const Arguments& args_;
    AnalysisScreens screens_;
    Clock::time_point start_;
    Clock::time_point lastProgress_{};
    bool progress_ = false;
    std::string output_;
    bool saved_ = true;
};

// The strategy of --strategy: a built-in set or a game file's live table. Returns an error text on failure.
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

bool FolderWritable(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return false;
    if (std::filesystem::is_directory(path, ec)) return false;
    return access(folder.c_str(), W_OK) == 0;
}

int Run(const Arguments& args) {
    Game g;
    g.Options.FirstRun = true;
    LoadOptions(g); // the defaults when there is no valid options file; nothing is written back
    g.FileError = false;

    CasinoRules& rules = g.Options.Rules;
    if (args.Decks) rules.Decks = *args.Decks;
    if (args.Penetration) rules.Penetration = *args.Penetration;
    if (args.Minimum) rules.TableMinimum = *args.Minimum;
    if (args.Surrender) rules.SurrenderAllowed = *args.Surrender;
    if (args.Soft17) rules.DealerHitsSoft17 = *args.Soft17;
    if (args.DoubleAny) rules.DoubleAnyHand = *args.DoubleAny;
    if (args.Das) rules.DoubleAfterSplit = *args.Das;
    if (args.Resplit) rules.ResplitAllowed = *args.Resplit;
    if (args.TwoHands) rules.PlayTwoHands = *args.TwoHands;
    if (args.Strategy)
        if (const auto error = ChooseStrategy(g, *args.Strategy)) {
            std::cerr << "zvx-analysis: " << *error << "\n";
            return FileFailure;
        }
    if (args.SavePath && !FolderWritable(*args.SavePath)) {
        std::cerr << "zvx-analysis: cannot write '" << *args.SavePath << "' (no such folder, or not writable)\n";
        return FileFailure;
    }

    g.FixedSeed = args.Seed;
    PrepareAnalysisRun(g);
    ConsoleAnalysis console(g, args);
    g.Shell = &console;
    g.AnalysisWindowOpen = true;
    g.StopAfterHours = args.Hours;
    RunGame(g);
    FinishAnalysisRun(g);
    g.Shell = nullptr;

    std::cout << console.Output();
    std::cout.flush();
    if (!console.Saved()) {
        std::cerr << "zvx-analysis: could not write '" << *args.SavePath << "'; nothing was changed there\n";
        return FileFailure;
    }
    return std::cout ? 0 : FileFailure;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    for (auto a : args)
        if (a == "--help" || a == "-h") {
            std::cout << Usage;
            return 0;
        }
    try {
        return Run(Parse(args));
    } catch (const UsageFailure& failure) {
        std::cerr << "zvx-analysis: " << failure.Message << "\n";
        return UsageError;
    }
}
