// zvx_fuzz_seeds FOLDER: writes the seed corpora of the fuzz targets into FOLDER/<target>/, over its own earlier
// seeds; other files there (the inputs of past findings) stay. Every seed starts
// from a file the program itself wrote (its options file, a game saved after an analysis); the rest are copies
// cut short or lengthened, and copies with one field at an extreme, so that the fuzzer starts next to every
// repair the loaders make.

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "analysis/analysis_run.h"
#include "engine/byte_io.h"
#include "engine/options_file.h"
#include "engine/real48.h"
#include "engine/round.h"
#include "engine/shell_view.h"
#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"

namespace {

using namespace zvx;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A file this program wrote: an options file or a game file, far below the limit.
Bytes ReadFile(const fs::path& path) {
    const WholeFileRead read = ReadWholeFile(path.string(), 1u << 20);
    return {read.Bytes.begin(), read.Bytes.end()};
}

bool WriteSeed(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    return SaveFileReplacing((folder / name).string(), bytes);
}

Bytes Cut(Bytes b, std::size_t size) {
    b.resize(size);
    return b;
}

Bytes Lengthened(Bytes b, std::size_t extra) {
    b.resize(b.size() + extra, 0xA5);
    return b;
}

template <class Change> Bytes With(Bytes b, Change change) {
    change(std::span<std::uint8_t>(b));
    return b;
}

class NoWindow : public ShellView {
public:
    void ProcessEvents() override {}
    void RefreshAnalysisWindow() override {}
    void CloseAnalysisWindow() override {}
};

// A game after a short analysis: accounts, clock and hour count as a real run leaves them. The run's reset
// clears the accounts, so they are saved from inside it, as the File menu would.
class SavingWindow : public NoWindow {
public:
    SavingWindow(Game& g, std::string path) : g_(g), path_(std::move(path)) {}
    void CloseAnalysisWindow() override { Saved = SaveGameFile(g_, path_); }
    bool Saved = false;

private:
    Game& g_;
    std::string path_;
};

Bytes PlayedGameFile(const fs::path& scratch, const CasinoRules& rules, bool advanced, std::int64_t hours) {
    Game g;
    g.Options.Rules = rules;
    g.Options.Prefs.AnimationSpeed = 5000;
    g.Options.Version = CurrentVersionText();
    if (advanced) LoadAdvancedStrategy(g.Strategy);
    else LoadDefaultStrategy(g.Strategy);
    g.Options.StrategyCopy = g.Strategy;
    g.FixedSeed = 2024;
    PrepareAnalysisRun(g);
    const std::string path = (scratch / "PLAYED.ZVX").string();
    SavingWindow window(g, path);
    g.Shell = &window;
    g.AnalysisWindowOpen = true;
    g.StopAfterHours = hours;
    RunGame(g);
    g.Shell = nullptr;
    return window.Saved ? ReadFile(path) : Bytes{};
}

Bytes OptionsFile(const fs::path& scratch, void (*prepare)(Game&)) {
    Game g;
    g.Options.FirstRun = true;
    InstallDefaultOptions(g);
    g.Options.Prefs.AnimationSpeed = 5000;
    prepare(g);
    const std::string path = (scratch / OptionsFileName).string();
    return SaveOptions(g, path) ? ReadFile(path) : Bytes{};
}

// The four numbers at the head of the options record: decks, penetration, table minimum, animation speed.
void PutOptionNumbers(std::span<std::uint8_t> b, std::uint16_t decks, std::uint16_t penetration,
                      std::uint16_t minimum, std::uint16_t speed) {
    PutU16(b, 0, decks);
    PutU16(b, 2, penetration);
    PutU16(b, 4, minimum);
    PutU16(b, 6, speed);
}

void PutRealBytes(std::span<std::uint8_t> b, std::size_t at, const Real48& r) {
    std::copy(r.begin(), r.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
}

bool WriteOptionsSeeds(const fs::path& folder, const fs::path& scratch) {
    const Bytes plain = OptionsFile(scratch, [](Game&) {});
    const Bytes varied = OptionsFile(scratch, [](Game& g) {
        g.Options.Rules = CasinoRules{1, 2, 5, true, true, false, false, false, false};
        g.Options.Prefs = PlayerPreferences{MinAnimationSpeed, true, false};
        g.Options.HideStrategyIntro = true;
        LoadAdvancedStrategy(g.Strategy);
    });
    if (plain.size() != OptionsRecordSize || varied.size() != OptionsRecordSize) return false;
    bool ok = WriteSeed(folder, "saved-defaults", plain) && WriteSeed(folder, "saved-varied", varied);
    ok = ok && WriteSeed(folder, "empty", {}) && WriteSeed(folder, "rules-only", Cut(plain, 18)) &&
         WriteSeed(folder, "one-byte-short", Cut(plain, OptionsRecordSize - 1)) &&
         WriteSeed(folder, "lengthened", Lengthened(varied, 64));
    ok = ok && WriteSeed(folder, "rules-beyond", With(plain, [](std::span<std::uint8_t> b) {
             PutOptionNumbers(b, 9, 1, 30, 25001);
         }));
    ok = ok && WriteSeed(folder, "rules-extreme", With(varied, [](std::span<std::uint8_t> b) {
             PutOptionNumbers(b, 0xFFFF, 0, 0xFFFF, 0);
             for (std::size_t i = 8; i < 18; ++i) b[i] = 0xFF;
             for (std::size_t i = OptionsStrategyOffset; i < OptionsVersionOffset; i += 7) b[i] = 0xFF;
         }));
    ok = ok && WriteSeed(folder, "foreign-version", With(varied, [](std::span<std::uint8_t> b) {
             b[OptionsVersionOffset + 11] = '0';
             PutU16(b, 6, 60000);
         }));
    ok = ok && WriteSeed(folder, "version-tail-set", With(plain, [](std::span<std::uint8_t> b) {
             for (std::size_t i = OptionsVersionOffset + VersionTagSize; i < OptionsRecordSize; ++i) b[i] = 0xEE;
         }));
    return ok;
}

bool WriteGameSeeds(const fs::path& folder, const fs::path& scratch) {
    const Bytes played = PlayedGameFile(scratch, CasinoRules{}, false, 3);
    if (played.size() != GameRecordSize) return false;
    const auto stats = [](int hand, std::size_t offset) {
        return GameStatsOffset + static_cast<std::size_t>(hand) * PlayStatsSize + offset;
    };
    bool ok = WriteSeed(folder, "played", played) && WriteSeed(folder, "empty", {}) &&
              WriteSeed(folder, "options-only", Cut(played, OptionsRecordSize + 2)) &&
              WriteSeed(folder, "one-byte-short", Cut(played, GameRecordSize - 1)) &&
              WriteSeed(folder, "lengthened", Lengthened(played, 100));
    ok = ok && WriteSeed(folder, "counters-extreme", With(played, [&](std::span<std::uint8_t> b) {
             constexpr auto high = std::numeric_limits<std::int32_t>::max();
             constexpr auto low = std::numeric_limits<std::int32_t>::min();
             for (std::size_t at = 252; at < 336; at += 4) PutI32(b, stats(1, at), at % 8 == 0 ? high : low);
             for (std::size_t at = 372; at < PlayStatsSize; at += 4) PutI32(b, stats(2, at), low);
             for (std::size_t at = 372; at < PlayStatsSize; at += 4) PutI32(b, stats(3, at), high);
             PutI32(b, GameHoursPlayedOffset, -1);
             PutU16(b, GameRunHoursOffset, 0xFFFF);
             PutU16(b, GameRunMinutesOffset, 0xFFFF);
             PutU16(b, GameRunSecondsOffset, 60);
             PutU16(b, GameSpareWordOffset, 0x1234);
         }));
    ok = ok && WriteSeed(folder, "reals-extreme", With(played, [&](std::span<std::uint8_t> b) {
             const Real48 largest = DoubleToReal48(std::numeric_limits<double>::infinity());
             const Real48 lowest = DoubleToReal48(-std::numeric_limits<double>::infinity());
             const Real48 smallest = DoubleToReal48(std::ldexp(1.0, -128));
             const Real48 zeroWithJunk = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
             for (std::size_t at = 0; at < 2 * CountSlots * Real48Size; at += Real48Size) {
                 PutRealBytes(b, stats(1, at), largest);
                 PutRealBytes(b, stats(2, at), lowest);
                 PutRealBytes(b, stats(3, at), smallest);
                 PutRealBytes(b, stats(4, at), zeroWithJunk);
             }
             for (std::size_t at = 336; at < 372; at += Real48Size) {
                 PutRealBytes(b, stats(1, at), largest);
                 PutRealBytes(b, stats(2, at), lowest);
                 PutRealBytes(b, stats(4, at), zeroWithJunk);
             }
         }));
    // Out of range only where the loader repairs (the deck count, the speed): accepted.
    ok = ok && WriteSeed(folder, "options-repairable", With(played, [](std::span<std::uint8_t> b) {
             PutOptionNumbers(b, 9, 2, 5, 0);
         }));
    // Out of range where a save never writes: refused.
    ok = ok && WriteSeed(folder, "options-extreme", With(played, [](std::span<std::uint8_t> b) {
             PutOptionNumbers(b, 0, 0xFFFF, 1, 0xFFFF);
             for (std::size_t i = 8; i < 18; ++i) b[i] = 0x80;
             b[OptionsVersionOffset] = 0xFF;
             for (std::size_t i = GameStrategyOffset; i < GameRecordSize; i += 5) b[i] = 0xFF;
         }));
    return ok;
}

bool WriteStrategySeeds(const fs::path& folder, const fs::path& scratch) {
    const Bytes advanced = PlayedGameFile(scratch, CasinoRules{8, 2, 100, true, true, true, true, true, true}, true, 1);
    if (advanced.size() != GameRecordSize) return false;
    const auto fill = [](std::uint8_t v) {
        return [v](std::span<std::uint8_t> b) { std::fill(b.begin() + GameStrategyOffset, b.end(), v); };
    };
    return WriteSeed(folder, "advanced", advanced) && WriteSeed(folder, "every-flag-set", With(advanced, fill(1))) &&
           WriteSeed(folder, "no-flag-set", With(advanced, fill(0))) &&
           WriteSeed(folder, "bytes-beyond-flags", With(advanced, fill(0x7F))) &&
           WriteSeed(folder, "one-byte-short", Cut(advanced, GameRecordSize - 1));
}

// Six bytes of a Real48, then eight of a double.
Bytes RealSeed(const Real48& r, double d) {
    Bytes b(r.begin(), r.end());
    b.resize(Real48Size + sizeof d);
    std::memcpy(b.data() + Real48Size, &d, sizeof d);
    return b;
}

bool WriteReal48Seeds(const fs::path& folder) {
    const double inf = std::numeric_limits<double>::infinity();
    // 1 + 2^-40 lies halfway between two Real48s; ties go to the even fraction.
    const double tie = 1.0 + std::ldexp(1.0, -40);
    const double justAboveTie = 1.0 + std::ldexp(1.0, -40) + std::ldexp(1.0, -52);
    return WriteSeed(folder, "one", RealSeed(DoubleToReal48(1.0), 1.0)) &&
           WriteSeed(folder, "money", RealSeed(DoubleToReal48(-1234.5), 2.675)) &&
           WriteSeed(folder, "largest", RealSeed(DoubleToReal48(inf), std::numeric_limits<double>::max())) &&
           WriteSeed(folder, "smallest", RealSeed(DoubleToReal48(std::ldexp(1.0, -128)), std::ldexp(1.0, -129))) &&
           WriteSeed(folder, "zero-with-junk", RealSeed(Real48{0, 1, 2, 3, 4, 0x85}, -0.0)) &&
           WriteSeed(folder, "ties", RealSeed(DoubleToReal48(-tie), tie)) &&
           WriteSeed(folder, "above-tie", RealSeed(DoubleToReal48(justAboveTie), -justAboveTie)) &&
           WriteSeed(folder, "not-a-number", RealSeed(Real48{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                                                      std::numeric_limits<double>::quiet_NaN())) &&
           WriteSeed(folder, "subnormal", RealSeed(Real48{1, 0, 0, 0, 0, 0}, std::numeric_limits<double>::denorm_min())) &&
           WriteSeed(folder, "short", {0x81, 0, 0});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zvx_fuzz_seeds FOLDER\n");
        return 2;
    }
    const fs::path root = argv[1];
    std::error_code ec;
    const fs::path scratch = fs::temp_directory_path(ec) / ("zvx-seeds-" + std::to_string(::getpid()));
    fs::create_directories(scratch, ec);
    bool ok = true;
    for (const char* target : {"options_file", "game_file", "strategy_file", "real48"}) {
        fs::create_directories(root / target, ec);
        ok = ok && fs::is_directory(root / target, ec);
    }
    ok = ok && WriteOptionsSeeds(root / "options_file", scratch) && WriteGameSeeds(root / "game_file", scratch) &&
         WriteStrategySeeds(root / "strategy_file", scratch) && WriteReal48Seeds(root / "real48");
    fs::remove_all(scratch, ec);
    if (!ok) {
        std::fprintf(stderr, "zvx_fuzz_seeds: could not write the seeds under %s\n", root.c_str());
        return 1;
    }
    return 0;
}
