#include "tools/analysis_arguments.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

#include "engine/options_file.h"
#include "engine/safe_file.h"

namespace zvx {

namespace {

constexpr const char* Description = R"(Plays Betting and Rules Analysis without windows: four betting strategies on the same cards, in hours of
100 rounds, and prints one analysis screen at the end. Starts from the rules and strategy of ZVX.PRM in the
current directory when it is readable and valid, else from the defaults; the flags below override them.
The tool never writes ZVX.PRM. Two commands of their own: `zvx-analysis exact` (the exact edge off the top and
the best table) and `zvx-analysis indices` (the index plays of a counting system); see their --help.
)";

constexpr const char* Footer = R"(Jobs: under the long generator the hours are cut into chunks of 250 (the last one shorter), each
played from its own stream by whichever job is free and added in chunk order, so the figures are the same
for any --jobs; the run time (the wall clock's), the JSON's jobs, wall_time_seconds and rounds_per_second, and
the manifest's digest of the game file (which holds the run time) differ. Under classic, job k of N plays its share of the hours from where the seed's cycle is
k * floor(2^32 / N) draws on, so the same seed and N give the same output on any machine.
Generators: classic is the program's own, with a cycle of 2^32 draws (a shuffle draws one per card, so about
ten per round at the default rules): it is the default for one job without --stream, exactly the run it
always was, and a run past 2^32 draws says so: its later shoes repeat earlier ones. long is xoshiro256**
(period 2^256 - 1), the default with --jobs above 1 or --stream: seeded by SplitMix64 from --seed, stream K
starts K long jumps (2^192 draws each) on and chunk c c jumps (2^128) on from there, so no two chunks or
streams ever deal the same shoes. For a study to be merged give every run the same seed and its own --stream.
With --save FILE a manifest FILE.json is written beside it; merge reads it to refuse a part given twice or
from another seed or generator (and, with --expect-streams, a study with a stream missing).

Screen 4, risk and precision, per betting strategy with one round dealt as the unit (both boxes' hands are one
result; a round sat out counts 0): the units bet per round, the win rate m and standard deviation s per round
(in dollars and in units of the table minimum, s also per unit bet), the player's advantage (#1 flat bets the
minimum: its advantage is minus the house edge), N0 = s^2/m^2 rounds, DI = 1000 m/s, SCORE = DI^2, the lifetime
risk of ruin of a bankroll B, exp(-2 m B / s^2), and the bankroll for a risk r, -s^2 ln(r) / (2 m) (the
diffusion approximation, bets never resized), each with the interval m -+ 1.96 s / sqrt(rounds) gives it; N0,
SCORE and the bankrolls read "never" for a strategy that does not win. The sums behind them are exact; a merge has them from the parts' manifests.

Exit status: 0 done, 1 a file could not be read or written, 2 a wrong flag or value.
)";

// One usage line per command, in place of CLI11's generic "[OPTIONS] [SUBCOMMAND]".
class UsageFormatter : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App* app, std::string) const override {
        if (app->get_parent() != nullptr) return "Usage: zvx-analysis merge FILE FILE... [options]\n";
        return "Usage: zvx-analysis --hours N [options]   or   zvx-analysis merge FILE FILE... [options]\n";
    }
};

// Numbers are whole decimal numbers, as they always were: no signs, no hexadecimal forms, and a leading 0
// is no octal sign (CLI11 would read 010 as 8).
const CLI::Validator Decimal(
    [](std::string& text) {
        const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits) return "'" + text + "' is not a whole decimal number";
        text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
        return std::string{};
    },
    "");

// The sets and ranges are in each flag's own text; CLI11 would repeat them beside it.
CLI::Validator Quiet(CLI::Validator v) { return v.description(""); }

// A value of the set, as an optional: nothing when the flag was not given.
std::string TypeName(const std::vector<int>& allowed) {
    std::string text;
    for (int a : allowed) text += (text.empty() ? "" : "|") + std::to_string(a);
    return text;
}

template <typename T>
void AddChoice(CLI::App& app, const char* flag, std::optional<T>& target, std::vector<int> allowed, const char* help) {
    app.add_option_function<int>(flag, [&target](const int& v) { target = static_cast<T>(v); }, help)
        ->transform(Decimal)
        ->check(Quiet(CLI::IsMember(allowed)))
        ->type_name(TypeName(allowed));
}

void AddSwitch(CLI::App& app, const char* flag, std::optional<bool>& target, const char* help) {
    app.add_option_function<int>(flag, [&target](const int& v) { target = v == 1; }, help)
        ->transform(Decimal)
        ->check(Quiet(CLI::IsMember({0, 1})))
        ->type_name("0|1");
}

void AddOutputOptions(CLI::App& app, OutputChoice& out) {
    app.add_option_function<std::string>("--save", [&out](const std::string& v) { out.SavePath = v; },
                                         "write the game file (rules, statistics, strategy) to FILE at the end")
        ->type_name("FILE");
    app.add_option("--screen", out.Screen,
                   "screen to print: 1 odds per hour, 2 advantage by count, 3 statistics (default), 4 risk and precision")
        ->transform(Decimal)
        ->check(Quiet(CLI::IsMember({1, 2, 3, 4})))
        ->type_name("1|2|3|4");
    app.add_option_function<std::uint32_t>("--bankroll", [&out](const std::uint32_t& v) { out.Bankroll = v; },
                                           "the bankroll in dollars whose risk of ruin screen 4 and the JSON give "
                                           "(default: the table's starting bankroll, 200 times its minimum)")
        ->transform(Decimal)
        ->check(Quiet(CLI::Range(std::uint32_t{1}, std::uint32_t{4000000000})))
        ->type_name("DOLLARS");
    app.add_flag("--tsv", out.Tsv, "print the screen's 20 rows as tab-separated cells instead of an aligned table");
    app.add_option_function<std::string>(
           "--json", [&out](const std::string& v) { out.JsonPath = v; },
           "write every figure as JSON to FILE (- for standard output, instead of the screen)")
        ->type_name("FILE|-");
}

// What a run or a merge writes and what it reads, for OutputClash.
std::optional<std::string> FilesClash(const Arguments& a) {
    std::vector<NamedFile> outputs, inputs;
    const OutputChoice& out = a.Output;
    if (out.SavePath) {
        outputs.push_back({"--save", *out.SavePath});
        outputs.push_back({"the manifest --save writes beside its game file", ManifestPath(*out.SavePath)});
    }
    if (out.JsonPath && *out.JsonPath != "-") outputs.push_back({"--json", *out.JsonPath});
    inputs.push_back({"the options file read at the start", OptionsFileName});
    if (a.Strategy && *a.Strategy != "default" && *a.Strategy != "advanced")
        inputs.push_back({"the --strategy game file", *a.Strategy});
    for (const std::string& file : a.MergeFiles) {
        inputs.push_back({"a game file merged", file});
        inputs.push_back({"the manifest of a game file merged", ManifestPath(file)});
    }
    return OutputClash(outputs, inputs);
}

std::optional<std::string> CheckValues(const Arguments& a) {
    if (a.Strategy && a.Strategy->empty()) return "--strategy needs default, advanced or a game file";
    if (a.Output.SavePath && a.Output.SavePath->empty()) return "--save needs a file name";
    if (a.Output.SavePath && *a.Output.SavePath == "-")
        return "--save -: a game file is never written to standard output; give a file name";
    if (a.Output.JsonPath && a.Output.JsonPath->empty()) return "--json needs a file name or -";
    if (const auto clash = FilesClash(a)) return clash;
    if (a.Merge) {
        if (a.MergeFiles.size() < 2) return "merge needs at least two game files";
        return std::nullopt;
    }
    if (a.Hours == 0) return "--hours N is required (see --help)";
    if (a.Stream && a.Shuffler == Generator::Classic) return "--stream needs the long generator, not --generator classic";
    return std::nullopt;
}

} // namespace

std::optional<std::string> OutputClash(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const NamedFile& out = outputs[i];
        for (std::size_t j = 0; j < i; ++j)
            if (SameFile(out.Path, outputs[j].Path))
                return out.What + " '" + out.Path + "' is the same file as " + outputs[j].What + " '" +
                       outputs[j].Path + "'; give each output a name of its own";
        for (const NamedFile& in : inputs)
            if (SameFile(out.Path, in.Path))
                return out.What + " '" + out.Path + "' is " + in.What + " '" + in.Path +
                       "'; an output never replaces a file the command reads";
    }
    return std::nullopt;
}

ParsedArguments ParseArguments(int argc, const char* const* argv) {
    Arguments a;
    std::string badRange;
    CLI::App app(Description, "zvx-analysis");
    app.footer(Footer);
    auto formatter = std::make_shared<UsageFormatter>();
    formatter->column_width(30);
    app.formatter(formatter);

    app.add_option("--hours", a.Hours, "play exactly N hours of 100 rounds (1..1000000000), then stop")
        ->transform(Decimal)
        ->check(Quiet(CLI::Range(std::int64_t{1}, std::int64_t{1000000000})))
        ->type_name("N");
    app.add_option_function<std::uint32_t>("--seed", [&a](const std::uint32_t& v) { a.Seed = v; },
                                           "seed the card shuffle with S (0..4294967295) instead of the clock")
        ->transform(Decimal)
        ->type_name("S");
    app.add_option("--jobs", a.Jobs, "play on N threads (1..256); the jobs share the hours as told below")
        ->transform(Decimal)
        ->check(Quiet(CLI::Range(1, 256)))
        ->type_name("N");
    app.add_option_function<std::string>(
           "--generator",
           [&a](const std::string& v) { a.Shuffler = GeneratorNamed(v); },
           "the shuffle's random numbers: classic (one job), or long (several jobs, --stream); see below")
        ->check(Quiet(CLI::IsMember({"classic", "long"})))
        ->type_name("classic|long");
    app.add_option_function<std::uint32_t>("--stream", [&a](const std::uint32_t& v) { a.Stream = v; },
                                           "part K (0..65535) of a study to be merged: the long generator's stream K")
        ->transform(Decimal)
        ->check(Quiet(CLI::Range(0, 65535)))
        ->type_name("K");
    app.add_flag("--single", a.Single,
                 "single-strategy mode: only strategy #4's count is played and booked; with two hands it bets one box "
                 "at a count of 0 or +1 and two boxes of two minimums above (\"Velt Max Spread\")");
    app.add_flag("--exact", a.Exact,
                 "also give the playing strategy's exact advantage off the top beside strategy #1's (see exact --help)");
    AddChoice(app, "--decks", a.Decks, {1, 2, 4, 6, 8}, "decks in the shoe");
    AddChoice(app, "--penetration", a.Penetration, {2, 3}, "deal 1/2 (2) or 3/4 (3) of each deck before the cut card");
    AddChoice(app, "--minimum", a.Minimum, {5, 25, 100}, "table minimum in dollars (also the betting unit)");
    AddSwitch(app, "--surrender", a.Surrender, "Surrender Allowed");
    AddSwitch(app, "--soft17", a.Soft17, "Dealer Hits Soft 17");
    AddSwitch(app, "--double-any", a.DoubleAny, "Double Any Hand (0: only on 10 and 11)");
    AddSwitch(app, "--das", a.Das, "Double After Split");
    AddSwitch(app, "--resplit", a.Resplit, "Re-Split a Split Hand");
    AddSwitch(app, "--two-hands", a.TwoHands, "Play 2 Hands (two boxes, twice the bets)");
    app.add_option_function<std::string>("--strategy", [&a](const std::string& v) { a.Strategy = v; },
                                         "the playing strategy: a built-in set, or the live strategy of game file FILE")
        ->type_name("default|advanced|FILE");
    AddOutputOptions(app, a.Output);

    CLI::App* merge = app.add_subcommand("merge", "merge game files of runs with the same rules and playing strategy "
                                                  "into one and print its screen");
    merge->add_option("files", a.MergeFiles, "the game files")->type_name("FILE");
    merge->add_option_function<std::string>(
             "--expect-streams",
             [&a, &badRange](const std::string& v) {
                 a.ExpectStreams = ParseStreamRange(v);
                 if (!a.ExpectStreams) badRange = "'" + v + "' is not a range of streams like 0-7";
                 else if (!a.ExpectStreams->Refusal.empty()) badRange = a.ExpectStreams->Refusal;
             },
             "refuse the merge unless the parts hold exactly streams A to B, each once (their manifests say)")
        ->type_name("A-B");
    merge->add_flag("--force", a.Force, "let --save replace a study file that holds another study");
    AddOutputOptions(*merge, a.Output);

    ParsedArguments result;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        result.Message = app.help();
        return result;
    } catch (const CLI::ParseError& e) {
        result.Message = std::string(e.what()) + " (see --help)";
        result.Status = UsageError;
        return result;
    }
    a.Merge = merge->parsed();
    if (!badRange.empty()) {
        result.Message = "--expect-streams: " + badRange + " (see --help)";
        result.Status = UsageError;
        return result;
    }
    if (const auto wrong = CheckValues(a)) {
        result.Message = *wrong;
        result.Status = UsageError;
        return result;
    }
    result.Args = a;
    return result;
}

} // namespace zvx
