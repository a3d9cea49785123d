#include "extract/FolderDialogParts.h"

#include <algorithm>
#include <string>

#include "util/Theme.h"

namespace quib {

const wchar_t* const kInvalidNameHint = L"* | \\ : \" < > ? / の文字は使用できません";

namespace {
constexpr COLORREF kBlue = 0xFF0000;  // blue-green-red order
}  // namespace

bool BlueFieldColor(HWND form, UINT msg, WPARAM wp, LPARAM lp, std::initializer_list<HWND> fields,
                    LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLOREDIT) return false;
    const HWND control = reinterpret_cast<HWND>(lp);
    if (std::find(fields.begin(), fields.end(), control) == fields.end()) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    if (!ThemeHandleMessage(form, msg, wp, lp, result)) {
        // A read-only edit is drawn on the dialog's face, as the system does.
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    // A dark style draws every field in its own text colour (blue would
    // hardly show on its dark ground).
    if (!DarkStyleActive()) SetTextColor(dc, kBlue);
    return true;
}

}  // namespace quib
