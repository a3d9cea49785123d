#include "viewers/text/EditMarks.h"

#include <algorithm>

namespace quib {

std::vector<MarkPlace> MarksToDraw(std::wstring_view text, size_t first, size_t last, const TEditMarks& marks,
                                   const MarkMetrics& m, const std::function<POINT(size_t)>& position) {
    std::vector<MarkPlace> out;
    if (!marks.AnyEnabled() || text.empty()) return out;
    last = std::min(last, text.size() - 1);
    for (size_t i = first; i <= last && i < text.size(); ++i) {
        const wchar_t c = text[i];
        const bool isLast = i == text.size() - 1;
        const bool wanted = (c == L'\t' && marks.TabMark.Enabled) || (c == L'\r' && marks.CrlfMark.Enabled) ||
                            (c == L'\u3000' && marks.SpaceMark.Enabled) || (isLast && marks.EofMark.Enabled);
        if (!wanted) continue;
        const POINT p = position(i);
        if (p.x < 0 || p.y < 0) continue;
        if (c == L'\t' && marks.TabMark.Enabled)
            out.push_back({MarkKind::Tab, p.x + m.shiftTab - m.tabMarkWidth * 8 / 10, p.y});
        else if (c == L'\r' && marks.CrlfMark.Enabled)
            out.push_back({MarkKind::CrLf, p.x + m.shiftRet - m.widthM, p.y});
        else if (c == L'\u3000' && marks.SpaceMark.Enabled)
            out.push_back({MarkKind::Space, p.x + m.shiftDbcs - m.widthM, p.y});
        if (isLast && marks.EofMark.Enabled) out.push_back({MarkKind::Eof, m.shiftEof, p.y + m.heightA});
    }
    return out;
}

int MarkLastLine(int firstVisible, int clientHeight, int heightA, int lineCount) {
    const int h = heightA > 0 ? clientHeight / heightA : 0;
    return std::min(std::max(0, lineCount - 1), firstVisible + h * 16 / 10);
}

}  // namespace quib
