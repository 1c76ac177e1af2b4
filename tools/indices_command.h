#pragma once

namespace zvx {

// `zvx-analysis indices [flags]`: the index plays for the rules and a counting system, found with the exact
// engine. argv[0] is "indices".
int RunIndicesCommand(int argc, const char* const* argv);

} // namespace zvx
