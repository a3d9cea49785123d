#include "viewers/grid/GridRowCells.h"

#include <cstring>
#include <stdexcept>

namespace quib {

GridRowCells::GridRowCells(const std::vector<std::wstring_view>& cells) { Build(cells.data(), cells.size()); }

GridRowCells::GridRowCells(const std::vector<std::wstring>& cells) {
    std::vector<std::wstring_view> views(cells.begin(), cells.end());
    Build(views.data(), views.size());
}

uint32_t GridRowCells::Word(size_t index) const {
    uint32_t w;
    std::memcpy(&w, block_.get() + index * sizeof(uint32_t), sizeof(w));
    return w;
}

void GridRowCells::Build(const std::wstring_view* cells, size_t count) {
    // Trailing empty cells hold nothing: a short row reads as empty beyond its end.
    while (count && cells[count - 1].empty()) --count;
    if (!count) {
        block_.reset();
        return;
    }
    size_t chars = 0;
    for (size_t i = 0; i < count; ++i) chars += cells[i].size();
    if (chars > UINT32_MAX || count > UINT32_MAX - 1) throw std::length_error("grid row too long");
    const size_t head = (1 + count) * sizeof(uint32_t);
    // Built aside: the cells may be views into this row's own block.
    std::unique_ptr<std::byte[]> block(new std::byte[head + chars * sizeof(wchar_t)]);
    auto put = [&block](size_t index, size_t value) {
        const auto w = static_cast<uint32_t>(value);
        std::memcpy(block.get() + index * sizeof(uint32_t), &w, sizeof(w));
    };
    put(0, count);
    std::byte* text = block.get() + head;
    size_t end = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!cells[i].empty()) std::memcpy(text + end * sizeof(wchar_t), cells[i].data(), cells[i].size() * sizeof(wchar_t));
        end += cells[i].size();
        put(1 + i, end);
    }
    block_ = std::move(block);
}

std::wstring_view GridRowCells::At(size_t index) const {
    const size_t count = Count();
    if (index >= count) return {};
    // The characters start on a 4-byte boundary, so they are aligned for wchar_t.
    const auto* text = reinterpret_cast<const wchar_t*>(block_.get() + (1 + count) * sizeof(uint32_t));
    const uint32_t begin = index ? Word(index) : 0;
    return {text + begin, Word(1 + index) - begin};
}

std::vector<std::wstring> GridRowCells::ToStrings() const {
    std::vector<std::wstring> out;
    out.reserve(Count());
    for (size_t i = 0; i < Count(); ++i) out.emplace_back(At(i));
    return out;
}

}  // namespace quib
