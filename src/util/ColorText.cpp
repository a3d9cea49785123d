#include "util/ColorText.h"

#include <cwchar>

#include "util/StrConv.h"

namespace quib {
namespace {

struct NamedColor {
    const wchar_t* name;
    COLORREF value;
};

// The standard colours, first as their names are written; clLtGray and
// clDkGray are older names of clSilver and clGray that settings may still hold.
const NamedColor kStandardColors[] = {
    {L"clBlack", 0x000000},      {L"clMaroon", 0x000080},   {L"clGreen", 0x008000},  {L"clOlive", 0x008080},
    {L"clNavy", 0x800000},       {L"clPurple", 0x800080},   {L"clTeal", 0x808000},   {L"clGray", 0x808080},
    {L"clSilver", 0xC0C0C0},     {L"clRed", 0x0000FF},      {L"clLime", 0x00FF00},   {L"clYellow", 0x00FFFF},
    {L"clBlue", 0xFF0000},       {L"clFuchsia", 0xFF00FF},  {L"clAqua", 0xFFFF00},   {L"clWhite", 0xFFFFFF},
    {L"clMoneyGreen", 0xC0DCC0}, {L"clSkyBlue", 0xF0CAA6},  {L"clCream", 0xF0FBFF},  {L"clMedGray", 0xA4A0A0},
    {L"clLtGray", 0xC0C0C0},     {L"clDkGray", 0x808080},
};
constexpr size_t kWrittenStandardColors = 20;

struct SystemColor {
    const wchar_t* name;
    int index;
};

const SystemColor kSystemColors[] = {
    {L"clScrollBar", COLOR_SCROLLBAR},
    {L"clBackground", COLOR_BACKGROUND},
    {L"clActiveCaption", COLOR_ACTIVECAPTION},
    {L"clInactiveCaption", COLOR_INACTIVECAPTION},
    {L"clMenu", COLOR_MENU},
    {L"clWindow", COLOR_WINDOW},
    {L"clWindowFrame", COLOR_WINDOWFRAME},
    {L"clMenuText", COLOR_MENUTEXT},
    {L"clWindowText", COLOR_WINDOWTEXT},
    {L"clCaptionText", COLOR_CAPTIONTEXT},
    {L"clActiveBorder", COLOR_ACTIVEBORDER},
    {L"clInactiveBorder", COLOR_INACTIVEBORDER},
    {L"clAppWorkSpace", COLOR_APPWORKSPACE},
    {L"clHighlight", COLOR_HIGHLIGHT},
    {L"clHighlightText", COLOR_HIGHLIGHTTEXT},
    {L"clBtnFace", COLOR_BTNFACE},
    {L"clBtnShadow", COLOR_BTNSHADOW},
    {L"clGrayText", COLOR_GRAYTEXT},
    {L"clBtnText", COLOR_BTNTEXT},
    {L"clInactiveCaptionText", COLOR_INACTIVECAPTIONTEXT},
    {L"clBtnHighlight", COLOR_BTNHIGHLIGHT},
    {L"cl3DDkShadow", COLOR_3DDKSHADOW},
    {L"cl3DLight", COLOR_3DLIGHT},
    {L"clInfoText", COLOR_INFOTEXT},
    {L"clInfoBk", COLOR_INFOBK},
    {L"clHotLight", COLOR_HOTLIGHT},
    {L"clGradientActiveCaption", COLOR_GRADIENTACTIVECAPTION},
    {L"clGradientInactiveCaption", COLOR_GRADIENTINACTIVECAPTION},
    {L"clMenuHighlight", COLOR_MENUHILIGHT},
    {L"clMenuBar", COLOR_MENUBAR},
};

bool ParseUnsigned(const std::wstring& digits, int base, unsigned long long& value) {
    if (digits.empty()) return false;
    value = 0;
    for (wchar_t c : digits) {
        int d;
        if (c >= L'0' && c <= L'9') {
            d = c - L'0';
        } else if (base == 16 && c >= L'a' && c <= L'f') {
            d = c - L'a' + 10;
        } else if (base == 16 && c >= L'A' && c <= L'F') {
            d = c - L'A' + 10;
        } else {
            return false;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFull) return false;
    }
    return true;
}

COLORREF ResolveValue(unsigned long value) {
    if ((value & 0xFF000000u) == 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    // Other high bytes (palette flags, "none") are not colours for drawing.
    return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

std::wstring Hex(unsigned long value, int digits) {
    wchar_t buf[16];
    swprintf(buf, 16, L"%0*lX", digits, value);
    return buf;
}

}  // namespace

bool ParseColorText(const std::wstring& text, COLORREF& out) {
    if (text.empty()) return false;
    for (const NamedColor& c : kStandardColors) {
        if (EqualsNoCase(text, c.name)) {
            out = c.value;
            return true;
        }
    }
    for (const SystemColor& c : kSystemColors) {
        if (EqualsNoCase(text, c.name)) {
            out = GetSysColor(c.index);
            return true;
        }
    }
    unsigned long long value = 0;
    bool ok;
    if (text[0] == L'$') {
        ok = ParseUnsigned(text.substr(1), 16, value);
    } else if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        ok = ParseUnsigned(text.substr(2), 16, value);
    } else {
        ok = ParseUnsigned(text, 10, value);
    }
    if (!ok) return false;
    out = ResolveValue(static_cast<unsigned long>(value));
    return true;
}

COLORREF ColorTextToColor(const std::wstring& text, COLORREF def) {
    COLORREF c = def;
    return ParseColorText(text, c) ? c : def;
}

std::wstring ColorToColorText(COLORREF color) { return L"$" + Hex(color, 8); }

std::wstring StandardColorName(COLORREF color) {
    for (size_t i = 0; i < kWrittenStandardColors; ++i) {
        if (kStandardColors[i].value == color) return kStandardColors[i].name;
    }
    return {};
}

COLORREF FilerColorTextToColor(const std::wstring& text, COLORREF def) {
    unsigned long long value = 0;
    if (!ParseUnsigned(text, 16, value)) return def;
    return ResolveValue(static_cast<unsigned long>(value));
}

std::wstring ColorToFilerColorText(COLORREF color) { return Hex(color & 0x00FFFFFFu, 6); }

std::wstring ColorToSettingText(COLORREF color) {
    const std::wstring name = StandardColorName(color);
    return name.empty() ? ColorToColorText(color) : name;
}

}  // namespace quib
