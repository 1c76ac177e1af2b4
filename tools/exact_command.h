#pragma once

namespace zvx {

// `zvx-analysis exact [flags]`: the exact edge off the top of the playing strategy under the rules, and with
// --best the best table for them and what each departure from it costs. argv[0] is "exact".
int RunExactCommand(int argc, const char* const* argv);

} // namespace zvx
