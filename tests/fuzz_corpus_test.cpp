#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "fuzz/loader_promises.h"
#include "tests/temp_folder.h"

namespace zvx {
namespace {

using testing::ReadAll;
using testing::TempFolder;

using Check = std::function<std::optional<std::string>(std::span<const std::uint8_t>, const std::string&)>;

struct CorpusCase {
    std::string Target; // the folder under fuzz/corpus
    Check Promise;
};

std::string TargetName(const ::testing::TestParamInfo<CorpusCase>& info) { return info.param.Target; }
void PrintTo(const CorpusCase& c, std::ostream* os) { *os << c.Target; }

class FuzzCorpus : public ::testing::TestWithParam<CorpusCase> {};

// Every seed, and every input a fuzzer once broke a promise with, keeps its loader's promise here too, so the
// ordinary build (and its sanitizer build) guards them without clang.
TEST_P(FuzzCorpus, EveryFileKeepsTheLoadersPromise) {
    const std::filesystem::path folder = std::filesystem::path(ZVX_FUZZ_CORPUS) / GetParam().Target;
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    TempFolder scratch;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::vector<std::uint8_t> bytes = ReadAll(entry.path().string());
        const auto broken = GetParam().Promise(bytes, scratch.Path().string());
        EXPECT_FALSE(broken.has_value()) << entry.path().filename() << ": " << broken.value_or("");
        ++files;
    }
    EXPECT_GE(files, 5) << "the seeds of " << folder << " are missing (make fuzz-seeds writes them)";
}

INSTANTIATE_TEST_SUITE_P(
    Loaders, FuzzCorpus,
    ::testing::Values(CorpusCase{"options_file", fuzz::CheckOptionsFile}, CorpusCase{"game_file", fuzz::CheckGameFile},
                      CorpusCase{"strategy_file", fuzz::CheckStrategyFile},
                      CorpusCase{"real48", [](std::span<const std::uint8_t> b, const std::string&) {
                                     return fuzz::CheckReal48(b);
                                 }}),
    TargetName);

} // namespace
} // namespace zvx
