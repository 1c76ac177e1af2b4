#pragma once

#include <cstdint>
#include <functional>

#include "analysis/generator_choice.h"
#include "engine/game_state.h"

namespace zvx {

inline constexpr int MaxJobs = 256;

// How an analysis is shared among n jobs. Job k plays hours / n hours, one more when k < hours % n, so the
// jobs together play exactly the hours asked for.
std::int64_t JobHours(std::int64_t hours, int jobs, int job);

// The seed of job k of n under the classic generator: its state after k * floor(2^32 / n) draws from `seed`. Job 0 starts at
// the seed itself, so one job is the run without jobs, and the jobs deal from disjoint stretches of the
// generator's cycle until each has drawn 2^32 / n keys.
std::uint32_t JobSeed(std::uint32_t seed, int jobs, int job);

struct AnalysisPlan {
    std::int64_t Hours = 0;
    int Jobs = 1;
    std::uint32_t Seed = 0;
    bool Single = false; // single-strategy mode
    Generator Shuffler = Generator::Classic;
    std::uint32_t Stream = 0; // the long generator's stream: the part of a study this run is
};

struct AnalysisProgress {
    std::int64_t Hours = 0; // closed so far, all jobs together
    std::uint64_t Keys = 0; // shuffle keys drawn so far
};

// Called on the calling thread a few times a second while the jobs play, and once more when all are done.
using AnalysisTick = std::function<void(const AnalysisProgress&)>;

// The long generator cuts a run into chunks of ChunkHours (the last one shorter): chunk c plays from its own
// stream, LongStart(seed, stream, c), whichever job plays it, and the chunks are merged in chunk order, so the
// result does not depend on the number of jobs.
inline constexpr std::int64_t ChunkHours = 250;
std::int64_t ChunkCount(std::int64_t hours);

// The jobs worth starting: no more than the plan asks for, nor than there are chunks (long) or hours
// (classic) to share, and at least one.
int UsefulJobs(const AnalysisPlan& plan);

// Plays "Betting and Rules Analysis" as the plan says, on UsefulJobs threads, each game with its own copy of
// `start` (rules and strategy set) and its own shoe. Under the classic generator job k plays JobHours from
// JobSeed; under the long one the jobs play the chunks. Returns the game as the first job (or chunk) left it
// at the end of its run, with every other's statistics merged in job (or chunk) order. The run time is left
// at 0:00:00; it belongs to whoever watches the clock.
Game RunAnalysisJobs(const Game& start, const AnalysisPlan& plan, const AnalysisTick& tick);

} // namespace zvx
