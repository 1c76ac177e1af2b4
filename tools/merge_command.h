#pragma once

#include "tools/analysis_arguments.h"

namespace zvx {

// `zvx-analysis merge`: adds up the statistics of game files played under the same rules and strategy and
// prints the merged screen. A missing or damaged file, or one played otherwise than the first, is refused by
// name with FileFailure, and nothing is written then.
int RunMerge(const Arguments& args);

} // namespace zvx
