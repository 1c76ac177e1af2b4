// libFuzzer target: any bytes at all as the options file.

#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const zvx::fuzz::ScratchFolder folder;
    return zvx::fuzz::Verdict("options file", zvx::fuzz::CheckOptionsFile({data, size}, folder.Path()), &folder);
}
