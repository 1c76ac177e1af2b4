#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zvx::fuzz {

// What each loader promises for any bytes at all, checked the way the program meets those bytes: as the content
// of a file in `folder`, read by the loader itself. Each check returns the first broken promise, or nothing.
// The fuzz targets abort on a broken promise; the ordinary test suite runs the same checks on every seed file.

// LoadOptions: a file shorter or longer than one record gives the defaults (keeping the start-up values), a
// foreign one the defaults with its speed and first-run marker, one of this version its record repaired. Nothing outside the options, the live
// strategy and FileError changes; whatever was loaded saves and loads back to the same bytes.
std::optional<std::string> CheckOptionsFile(std::span<const std::uint8_t> bytes, const std::string& folder);

// LoadGameFile: a file of the wrong size, or with a value or figure no save writes, is refused and changes nothing
// at all; any other replaces what the file holds (deck count and speed repaired, a zero's stray bytes dropped)
// and nothing else. Re-encoding the loaded state gives the file's bytes except where a repair was due; saving
// and loading again gives the same bytes. Loaded between two rounds of an analysis, as the File menu does, the
// file then carries the rest of it and every analysis screen, played the same through the analysis's shortcuts
// as the plain way.
std::optional<std::string> CheckGameFile(std::span<const std::uint8_t> bytes, const std::string& folder);

// The game file as a source of the playing strategy (zvx-analysis --strategy FILE): a file LoadGameFile refuses
// gives a reason and leaves the strategy alone; otherwise the strategy is the file's live table, and an analysis
// with it plays the same through its shortcuts as the plain way.
std::optional<std::string> CheckStrategyFile(std::span<const std::uint8_t> bytes, const std::string& folder);

// Real48: the first 6 bytes decode to a finite double that encodes back to them (to six zeros when the exponent
// byte is 0); the next 8 bytes, as a double, encode to the nearest Real48, saturated at both ends.
std::optional<std::string> CheckReal48(std::span<const std::uint8_t> bytes);

} // namespace zvx::fuzz
