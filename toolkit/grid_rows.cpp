#include "toolkit/grid_rows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tk {
namespace {

// A row block: one byte giving the width w of the numbers (2 or 4 bytes), the
// number of cells, the end of each cell counted from the start of the cell
// bytes, then the cell bytes.
std::uint32_t Number(const std::string& block, std::size_t index) {
    const unsigned width = static_cast<unsigned char>(block[0]);
    const char* at = block.data() + 1 + index * width;
    if (width == 2) {
        std::uint16_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void PutNumber(std::string& block, std::uint32_t value, unsigned width) {
    if (width == 2) {
        const auto narrow = static_cast<std::uint16_t>(value);
        block.append(reinterpret_cast<const char*>(&narrow), sizeof narrow);
    } else {
        block.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
}

std::string MakeBlock(std::span<const std::string> cells) {
    std::size_t total = 0;
    for (const std::string& cell : cells) {
        total += cell.size();
    }
    const unsigned width = total < 0xFFFF && cells.size() < 0xFFFF ? 2 : 4;
    std::string block;
    block.reserve(1 + (cells.size() + 1) * width + total);
    block.push_back(static_cast<char>(width));
    PutNumber(block, static_cast<std::uint32_t>(cells.size()), width);
    std::uint32_t end = 0;
    for (const std::string& cell : cells) {
        end += static_cast<std::uint32_t>(cell.size());
        PutNumber(block, end, width);
    }
    for (const std::string& cell : cells) {
        block += cell;
    }
    return block;
}

}  // namespace

int GridRows::CellCount(int row) const {
    if (row < 0 || row >= Count()) {
        return 0;
    }
    return static_cast<int>(Number(rows_[static_cast<std::size_t>(row)], 0));
}

std::string_view GridRows::Cell(int row, int column) const {
    if (column < 0 || column >= CellCount(row)) {
        return {};
    }
    const std::string& block = rows_[static_cast<std::size_t>(row)];
    const std::size_t count = Number(block, 0);
    const std::size_t width = static_cast<unsigned char>(block[0]);
    const std::size_t bytes = 1 + (count + 1) * width;
    const std::size_t begin = column == 0 ? 0 : Number(block, static_cast<std::size_t>(column));
    const std::size_t end = Number(block, static_cast<std::size_t>(column) + 1);
    return std::string_view(block).substr(bytes + begin, end - begin);
}

void GridRows::Append(std::span<const std::string> cells) {
    rows_.push_back(MakeBlock(cells));
}

void GridRows::Set(int row, int column, std::string_view text) {
    if (row < 0 || row >= Count() || column < 0) {
        return;
    }
    // An edit is rare: the row is rebuilt with the new cell.
    const int count = std::max(CellCount(row), column + 1);
    std::vector<std::string> cells;
    cells.reserve(static_cast<std::size_t>(count));
    for (int c = 0; c < count; ++c) {
        cells.emplace_back(c == column ? text : Cell(row, c));
    }
    rows_[static_cast<std::size_t>(row)] = MakeBlock(cells);
}

}  // namespace tk
