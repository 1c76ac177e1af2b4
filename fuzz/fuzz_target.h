#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "fuzz/loader_promises.h"

namespace zvx::fuzz {

// The folder a fuzz target writes its files into: one per process, in memory when the machine offers it (every
// input is written and read back several times), removed when the process ends normally.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
        path_ = (base / ("zvx-fuzz-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(path_, ec);
    }
    ~ScratchFolder() { Remove(); }
    void Remove() const {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A broken promise is a crash to libFuzzer: it keeps the input and stops with its path. The abort skips the
// destructors, so the scratch folder goes first.
inline int Verdict(const char* target, const std::optional<std::string>& broken,
                   const ScratchFolder* folder = nullptr) {
    if (broken) {
        std::fprintf(stderr, "%s: %s\n", target, broken->c_str());
        if (folder != nullptr) folder->Remove();
        std::abort();
    }
    return 0;
}

} // namespace zvx::fuzz
