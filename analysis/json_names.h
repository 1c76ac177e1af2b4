#pragma once

#include <string>
#include <string_view>

namespace zvx {

// File names in the JSON. A name need not be UTF-8, and JSON text must be. A name that is not is written
// readable, each stray byte as the four characters "\xNN" (a backslash of such a name doubled), and beside it
// its exact bytes in hexadecimal (a field ending in "_hex"), so nothing of it is lost to a replacement
// character. UTF-8 names are written as they are.
bool IsUtf8(std::string_view text);
std::string ReadableName(std::string_view name);
std::string HexBytes(std::string_view bytes);

} // namespace zvx
