#pragma once

#include <optional>
#include <string>

#include "analysis/result_json.h"
#include "engine/game_state.h"
#include "tools/analysis_arguments.h"

namespace zvx {

// Checks, before any work, that the game file and the JSON can be written where they are asked for. Returns
// the message for the first that cannot.
std::optional<std::string> CheckOutputPaths(const OutputChoice& out);

// The message for an output that cannot be written where it is asked for (`problem` from SaveProblem).
std::string OutputPathProblem(const std::string& path, const std::string& problem);

// Prints the chosen screen (or the JSON on standard output), writes the game file and the JSON file.
// Returns the exit status: 0, or FileFailure after a message on standard error.
int WriteOutputs(Game& result, const OutputChoice& out, const RunFacts& facts);

} // namespace zvx
