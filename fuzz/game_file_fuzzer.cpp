// libFuzzer target: any bytes at all as a game file loaded from the File menu.

#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const zvx::fuzz::ScratchFolder folder;
    return zvx::fuzz::Verdict("game file", zvx::fuzz::CheckGameFile({data, size}, folder.Path()), &folder);
}
