// The rows of a report view, kept compact for the backends: each row is one
// block of bytes holding its cells back to back behind a table of their ends,
// so that a table of a hundred thousand rows costs little more than its file.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class GridRows {
public:
    int Count() const { return static_cast<int>(rows_.size()); }
    // The cell's bytes; the empty text outside the row or the table.
    std::string_view Cell(int row, int column) const;
    int CellCount(int row) const;
    // The first count cells of a row, empty ones past its end.
    void ReadRow(int row, int count, std::vector<std::string_view>& cells) const;
    void Append(std::span<const std::string_view> cells);
    void Set(int row, int column, std::string_view text);
    void Clear() { rows_.clear(); }

private:
    std::vector<std::unique_ptr<char[]>> rows_;
};

}  // namespace tk
