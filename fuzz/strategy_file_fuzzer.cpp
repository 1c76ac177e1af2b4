// libFuzzer target: any bytes at all as the game file of zvx-analysis --strategy FILE.

#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const zvx::fuzz::ScratchFolder folder;
    return zvx::fuzz::Verdict("strategy file", zvx::fuzz::CheckStrategyFile({data, size}, folder.Path()), &folder);
}
