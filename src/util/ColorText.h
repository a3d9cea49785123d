#pragma once
// Colours as the settings files store them: a colour identifier (clBlack ...
// clMedGray, or a system colour such as clBtnFace), or "$" with hexadecimal
// digits of the value in blue-green-red order (0x00BBGGRR). The filer's own
// settings file writes the six digits without "$".
#include <windows.h>

#include <string>

namespace quib {

// Parses a colour text. Identifiers are compared without regard to case;
// "$" is followed by any number of hexadecimal digits whose value fits in 32
// bits; "0x" hexadecimal and plain decimal numbers are read too, as the
// program's original settings accepted them. A value whose high byte is 0x80
// names a system colour by its index (0x80000005 is clWindow). System colours
// resolve through GetSysColor. Returns false for anything else and leaves
// out alone.
bool ParseColorText(const std::wstring& text, COLORREF& out);

// The colour of a text, or def when the text is not a colour.
COLORREF ColorTextToColor(const std::wstring& text, COLORREF def);

// "$" and eight hexadecimal digits, "$00BBGGRR".
std::wstring ColorToColorText(COLORREF color);

// The name of one of the twenty standard colours with this value (clBlack,
// clMaroon ... clMedGray), or an empty text.
std::wstring StandardColorName(COLORREF color);

// A colour as the settings file keeps it: its standard name when it has one,
// else "$00BBGGRR".
std::wstring ColorToSettingText(COLORREF color);

// The filer's form: six hexadecimal digits without "$" ("400000" is dark
// blue). Read by putting "$" in front, so a colour name is not a colour here.
COLORREF FilerColorTextToColor(const std::wstring& text, COLORREF def);
std::wstring ColorToFilerColorText(COLORREF color);

}  // namespace quib
