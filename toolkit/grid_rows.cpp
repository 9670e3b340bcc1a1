#include "toolkit/grid_rows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tk {
namespace {

// A row block: one byte giving the width w of the numbers (2 or 4 bytes), the
// number of cells, the end of each cell counted from the start of the cell
// bytes, then the cell bytes, each cell followed by one byte that is not part
// of it. Cells that lie in one text with one byte between them, as the fields
// of a line do, are so copied in one piece.
std::size_t Number(const char* block, std::size_t index) {
    const unsigned width = static_cast<unsigned char>(block[0]);
    const char* at = block + 1 + index * width;
    if (width == 2) {
        std::uint16_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Where the cell bytes of a block start.
const char* CellBytes(const char* block) {
    return block + 1 + (Number(block, 0) + 1) * static_cast<unsigned char>(block[0]);
}

// Writes the number of cells and the end of each cell as numbers of type Number.
template <typename Number>
char* PutEnds(char* at, std::span<const std::string_view> cells) {
    auto number = static_cast<Number>(cells.size());
    std::memcpy(at, &number, sizeof number);
    at += sizeof number;
    Number end = 0;
    for (const std::string_view cell : cells) {
        end = static_cast<Number>(end + cell.size());
        std::memcpy(at, &end, sizeof end);
        at += sizeof end;
        ++end;
    }
    return at;
}

std::unique_ptr<char[]> MakeBlock(std::span<const std::string_view> cells) {
    std::size_t total = 0;
    for (const std::string_view cell : cells) {
        total += cell.size() + 1;
    }
    const unsigned width = total < 0xFFFF && cells.size() < 0xFFFF ? 2 : 4;
    // Not filled first: every byte is written below.
    std::unique_ptr<char[]> block(new char[1 + (cells.size() + 1) * width + total]);
    char* at = block.get();
    *at++ = static_cast<char>(width);
    at = width == 2 ? PutEnds<std::uint16_t>(at, cells) : PutEnds<std::uint32_t>(at, cells);
    for (std::size_t first = 0; first < cells.size();) {
        // The run of cells from first on that follow each other with one byte between.
        std::size_t last = first;
        while (last + 1 < cells.size() && cells[last].data() != nullptr &&
               cells[last + 1].data() == cells[last].data() + cells[last].size() + 1) {
            ++last;
        }
        const char* from = cells[first].data();
        const auto length =
            static_cast<std::size_t>(cells[last].data() + cells[last].size() - from);
        if (length > 0) {  // an empty view may hold no address at all
            std::memcpy(at, from, length);
        }
        at[length] = ';';
        at += length + 1;
        first = last + 1;
    }
    return block;
}

}  // namespace

int GridRows::CellCount(int row) const {
    if (row < 0 || row >= Count()) {
        return 0;
    }
    return static_cast<int>(Number(rows_[static_cast<std::size_t>(row)].get(), 0));
}

std::string_view GridRows::Cell(int row, int column) const {
    if (column < 0 || column >= CellCount(row)) {
        return {};
    }
    const char* block = rows_[static_cast<std::size_t>(row)].get();
    const auto index = static_cast<std::size_t>(column);
    const std::size_t begin = index == 0 ? 0 : Number(block, index) + 1;
    return {CellBytes(block) + begin, Number(block, index + 1) - begin};
}

void GridRows::ReadRow(int row, int count, std::vector<std::string_view>& cells) const {
    cells.assign(static_cast<std::size_t>(count), std::string_view());
    if (row < 0 || row >= Count()) {
        return;
    }
    const char* block = rows_[static_cast<std::size_t>(row)].get();
    const char* bytes = CellBytes(block);
    const std::size_t stored = Number(block, 0);
    std::size_t begin = 0;
    for (std::size_t c = 0; c < stored && c < cells.size(); ++c) {
        const std::size_t end = Number(block, c + 1);
        cells[c] = std::string_view(bytes + begin, end - begin);
        begin = end + 1;
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
