#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <system_error>

#include "engine/safe_file.h"

namespace zvx {

// Little-endian put/get at a byte offset. Records on disk are written field by field with these, never by copying
// structs, so the layout does not depend on the compiler's padding or the machine's byte order.

inline void PutU8(std::span<std::uint8_t> out, std::size_t at, std::uint8_t v) { out[at] = v; }

inline void PutU16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFFu);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutU32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFFu);
}

inline void PutI32(std::span<std::uint8_t> out, std::size_t at, std::int32_t v) {
    PutU32(out, at, static_cast<std::uint32_t>(v));
}

inline std::uint8_t GetU8(std::span<const std::uint8_t> in, std::size_t at) { return in[at]; }

inline std::uint16_t GetU16(std::span<const std::uint8_t> in, std::size_t at) {
    return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

inline std::uint32_t GetU32(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(in[at + i]) << (8 * i);
    return v;
}

inline std::int32_t GetI32(std::span<const std::uint8_t> in, std::size_t at) {
    return static_cast<std::int32_t>(GetU32(in, at));
}

// The in-memory counters are wider than their file fields; a value that does not fit is written as the field's
// nearest end rather than wrapped, so a long run shows "very many" instead of a negative count.
template <typename Narrow>
Narrow Saturate(std::int64_t v) {
    if (v < static_cast<std::int64_t>(std::numeric_limits<Narrow>::min())) return std::numeric_limits<Narrow>::min();
    if (v > static_cast<std::int64_t>(std::numeric_limits<Narrow>::max())) return std::numeric_limits<Narrow>::max();
    return static_cast<Narrow>(v);
}

// Whole-record files go through the one opener and the one save helper.

// Writes the record as the file `path` through a fresh temporary file renamed over it (SaveFileReplacing).
inline bool WriteRecordFileReplacing(const std::string& path, std::span<const std::uint8_t> record,
                                     std::error_code* why = nullptr) {
    return SaveFileReplacing(path, record, why);
}

} // namespace zvx
