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

char* PutNumber(char* at, std::uint32_t value, unsigned width) {
    if (width == 2) {
        const auto narrow = static_cast<std::uint16_t>(value);
        std::memcpy(at, &narrow, sizeof narrow);
    } else {
        std::memcpy(at, &value, sizeof value);
    }
    return at + width;
}

std::string MakeBlock(std::span<const std::string_view> cells) {
    std::size_t total = 0;
    for (const std::string_view cell : cells) {
        total += cell.size();
    }
    const unsigned width = total < 0xFFFF && cells.size() < 0xFFFF ? 2 : 4;
    std::string block(1 + (cells.size() + 1) * width + total, '\0');
    char* at = block.data();
    *at++ = static_cast<char>(width);
    at = PutNumber(at, static_cast<std::uint32_t>(cells.size()), width);
    std::uint32_t end = 0;
    for (const std::string_view cell : cells) {
        end += static_cast<std::uint32_t>(cell.size());
        at = PutNumber(at, end, width);
    }
    for (const std::string_view cell : cells) {
        if (!cell.empty()) {  // an empty view may hold no address at all
            std::memcpy(at, cell.data(), cell.size());
            at += cell.size();
        }
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

void GridRows::ReadRow(int row, int count, std::vector<std::string_view>& cells) const {
    cells.assign(static_cast<std::size_t>(count), std::string_view());
    if (row < 0 || row >= Count()) {
        return;
    }
    const std::string& block = rows_[static_cast<std::size_t>(row)];
    const std::size_t stored = Number(block, 0);
    const std::size_t width = static_cast<unsigned char>(block[0]);
    const std::string_view bytes = std::string_view(block).substr(1 + (stored + 1) * width);
    std::size_t begin = 0;
    for (std::size_t c = 0; c < stored && c < cells.size(); ++c) {
        const std::size_t end = Number(block, c + 1);
        cells[c] = bytes.substr(begin, end - begin);
        begin = end;
    }
}

void GridRows::Append(std::span<const std::string_view> cells) {
    rows_.push_back(MakeBlock(cells));
}

void GridRows::Set(int row, int column, std::string_view text) {
    if (row < 0 || row >= Count() || column < 0) {
        return;
    }
    // An edit is rare: the row is rebuilt with the new cell.
    const int count = std::max(CellCount(row), column + 1);
    std::vector<std::string_view> cells;
    ReadRow(row, count, cells);
    cells[static_cast<std::size_t>(column)] = text;
    rows_[static_cast<std::size_t>(row)] = MakeBlock(cells);
}

}  // namespace tk
