#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/generator_choice.h"
#include "analysis/screens.h"
#include "analysis/study_manifest.h"

namespace zvx {

inline constexpr int UsageError = 2;
inline constexpr int FileFailure = 1;

// What the screen, the game file and the JSON of a run or a merge go to.
struct OutputChoice {
    std::optional<std::string> SavePath;
    std::optional<std::string> JsonPath; // "-": standard output, instead of the screen
    int Screen = StatisticsScreen;
    bool Tsv = false;
    std::optional<std::uint32_t> Bankroll; // dollars, for the risk of ruin; the table's starting one when absent
};

// --screen 4: the risk view beside the analysis window's three screens.
inline constexpr int RiskScreenNumber = 4;

struct Arguments {
    std::int64_t Hours = 0;
    std::optional<std::uint32_t> Seed;
    int Jobs = 1;
    std::optional<Generator> Shuffler;
    std::optional<std::uint32_t> Stream;
    bool Single = false;
    bool Exact = false; // --exact: the exact advantage off the top beside strategy #1's
    std::optional<std::uint16_t> Decks, Penetration, Minimum;
    std::optional<bool> Surrender, Soft17, DoubleAny, Das, Resplit, TwoHands;
    std::optional<std::string> Strategy;
    OutputChoice Output;

    // `zvx-analysis merge FILE...`: the game files to merge instead of a run.
    bool Merge = false;
    std::vector<std::string> MergeFiles;
    std::optional<StreamRange> ExpectStreams; // merge --expect-streams A-B
    bool Force = false;                       // merge --force: --save may replace another study's file
};

// The outcome of reading the command line: the arguments, or the text to print and the exit status (0 for
// --help, UsageError for a wrong flag or value).
struct ParsedArguments {
    std::optional<Arguments> Args;
    std::string Message;
    int Status = 0;
};

ParsedArguments ParseArguments(int argc, const char* const* argv);

// A file a command writes or reads, with what the command line calls it ("--save", "the game file merged").
struct NamedFile {
    std::string What;
    std::string Path;
};

// The first output that would be written over another output or over a file the command reads (under any name:
// a link, "./a.zvx"), as one line; nothing when every output has a place of its own.
std::optional<std::string> OutputClash(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs);

} // namespace zvx
