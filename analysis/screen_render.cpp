#include "analysis/screen_render.h"

#include <algorithm>
#include <vector>

namespace zvx {

namespace {

constexpr int NarrowestShownColumn = 2; // pixels; narrower columns are hidden on screen too

bool ColumnShown(const ScreenGrid& grid, int column) {
    return column > 0 && grid.ColumnWidths[static_cast<std::size_t>(column)] >= NarrowestShownColumn;
}

void TrimRight(std::string& line) {
    const auto end = line.find_last_not_of(' ');
    line.erase(end == std::string::npos ? 0 : end + 1);
}

} // namespace

std::string RenderAligned(const ScreenGrid& grid) { return RenderAligned(grid, {}); }

std::string RenderAligned(const ScreenGrid& grid, const std::vector<ScreenLine>& linesBelow) {
    std::vector<int> columns;
    for (int column = 0; column < GridColumns; ++column)
        if (ColumnShown(grid, column)) columns.push_back(column);

    std::vector<std::size_t> widths;
    for (int column : columns) {
        std::size_t widest = 0;
        for (int row = 0; row < GridRows; ++row) widest = std::max(widest, grid.Cell(column, row).size());
        widths.push_back(widest);
    }

    std::string text = grid.Title + "\n";
    for (int row = 0; row < GridRows; ++row) {
        std::string line;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0) line += ' ';
            const std::string& cell = grid.Cell(columns[i], row);
            line += cell;
            line.append(widths[i] - cell.size(), ' ');
        }
        TrimRight(line);
        text += line + "\n";
    }
    for (const ScreenLine& cells : linesBelow) {
        std::string line;
        std::size_t start = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0) line += ' ';
            if (line.size() < start) line.append(start - line.size(), ' ');
            line += cells[static_cast<std::size_t>(columns[i])];
            start += widths[i] + 1;
        }
        TrimRight(line);
        text += line + "\n";
    }
    return text;
}

std::string RenderTsv(const ScreenGrid& grid) {
    std::string text;
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 0; column < GridColumns; ++column) {
            if (column > 0) text += '\t';
            text += grid.Cell(column, row);
        }
        text += '\n';
    }
    return text;
}

} // namespace zvx
