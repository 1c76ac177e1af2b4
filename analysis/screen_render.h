#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/screens.h"

namespace zvx {

// The title line, then the 20 rows as a plain-text table: every shown column padded to its widest cell and
// columns separated by one blank. Column 0 (the grid's fixed edge) and columns narrowed to 1 pixel or less
// (hidden strategies) are left out; trailing blanks are dropped from each line.
std::string RenderAligned(const ScreenGrid& grid);

// A line under the table whose cells start where the table's columns start, without widening them: a cell
// too long for its column pushes the rest of its own line to the right, one blank on.
using ScreenLine = std::array<std::string, GridColumns>;
std::string RenderAligned(const ScreenGrid& grid, const std::vector<ScreenLine>& linesBelow);

// Exactly 20 lines, each the row's 7 cell texts joined by tabs, leading blanks kept: for tools that compare or
// post-process the screens.
std::string RenderTsv(const ScreenGrid& grid);

} // namespace zvx
