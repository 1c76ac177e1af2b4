#include "analysis/json_names.h"

#include <cstdio>

namespace zvx {

namespace {

// The length of the UTF-8 sequence at `at`, or 0 when the bytes there are not one (overlong forms,
// surrogates and code points past U+10FFFF included).
std::size_t Utf8Length(std::string_view t, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(t[i]); };
    const unsigned char b = byte(at);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    unsigned lowest = 0;
    if (b >= 0xC2 && b <= 0xDF) n = 2, lowest = 0x80;
    else if (b >= 0xE0 && b <= 0xEF) n = 3, lowest = 0x800;
    else if (b >= 0xF0 && b <= 0xF4) n = 4, lowest = 0x10000;
    else return 0;
    if (at + n > t.size()) return 0;
    unsigned code = b & (0x7Fu >> n);
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

} // namespace

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8Length(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string ReadableName(std::string_view name) {
    if (IsUtf8(name)) return std::string(name);
    std::string out;
    char hex[8];
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = Utf8Length(name, i);
        if (n == 0) {
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(name[i]));
            out += hex;
            ++i;
            continue;
        }
        if (name[i] == '\\') out += '\\';
        out.append(name.substr(i, n));
        i += n;
    }
    return out;
}

std::string HexBytes(std::string_view bytes) {
    std::string out;
    char hex[4];
    for (const char c : bytes) {
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(c));
        out += hex;
    }
    return out;
}

} // namespace zvx
