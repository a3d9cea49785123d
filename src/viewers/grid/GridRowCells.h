#pragma once
// The cells of one grid row in one block: the cell count, each cell's end
// offset, then the characters of all cells one after the other. A grid of a
// hundred thousand rows then costs one allocation per row instead of one
// string object (and often one more allocation) per cell, which is what
// keeps a big CSV's grid within a small multiple of its text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quib {

class GridRowCells {
public:
    GridRowCells() = default;
    explicit GridRowCells(const std::vector<std::wstring_view>& cells);
    explicit GridRowCells(const std::vector<std::wstring>& cells);

    size_t Count() const { return block_ ? Word(0) : 0; }
    std::wstring_view At(size_t index) const;
    std::vector<std::wstring> ToStrings() const;

private:
    void Build(const std::wstring_view* cells, size_t count);
    uint32_t Word(size_t index) const;
    // [count][end of cell 0]...[end of cell count-1] as 32-bit words, then
    // the characters.
    std::unique_ptr<std::byte[]> block_;
};

}  // namespace quib
