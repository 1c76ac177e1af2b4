// libFuzzer target: the first 6 bytes as a Real48 to decode, the next 8 as a double to encode.

#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zvx::fuzz::Verdict("Real48", zvx::fuzz::CheckReal48({data, size}));
}
