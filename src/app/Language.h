#pragma once
// Switching a window's captions, list items and edit texts between Japanese
// and English from the window's language file: UTF-16LE text beside the
// program, one line per component property, six tab-separated fields
//   tag, enabled ("1" applies), free comment, property ("Caption", "Item",
//   "Text"), Japanese text, English text
// with an optional heading line whose first field is "Tag" (any case).
// Components are found by Tag among the ones the window registered
// (TFormBase::RegisterComponent), first match in creation order; menu items
// by command id = Tag in the window's menu.
#include <windows.h>

#include <string>
#include <vector>

namespace quib {

class TFormBase;

// Folder of the language files: program folder + "\Language\" + program file
// name without its extension.
std::wstring LanguageFolder();
// Full path of one window's language file, such as LanguageFilePath(L"Main.txt").
std::wstring LanguageFilePath(const std::wstring& windowFileName);

// True when every character is a digit 0 to 9 (an empty text too).
bool IsNumericStr(const std::wstring& text);

// Reads a language file: UTF-16LE, a leading byte-order mark skipped, lines
// split at CR LF, CR or LF (a final line break adds no empty line). False when
// the file does not exist or cannot be read.
bool ReadLanguageFile(const std::wstring& path, std::vector<std::wstring>& lines);

// True when the file is well formed; otherwise shows why (line number and
// line) and returns false. A file that does not exist counts as well formed.
bool CheckLanguageFile(const std::wstring& path, HWND owner = nullptr);
// The same check on lines already read.
bool CheckLanguageLines(const std::vector<std::wstring>& lines, HWND owner = nullptr);

// Applies the Japanese (field 4) or English (field 5) texts of the file to the
// window, then gives the window the language's font from the settings file
// ([SystemFontJpn] Name/Size, default "ＭＳ ゴシック" 14; [SystemFontEng]
// Name/Size, default "Courier New" 12). A missing file changes nothing; a
// malformed one shows the check's message and an error and changes nothing.
void SetJapanese(TFormBase& window, const std::wstring& file);
void SetEnglish(TFormBase& window, const std::wstring& file);

// Setters of one property of the component whose Tag is the integer value of
// tagText (first match in component order; no match, or a tag that is not a
// number, does nothing).
// Menu item caption (the shortcut text after the tab stays).
void SetMenuCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text);
// Caption of a component tagged 2001 to 2999 (labels, buttons, panels, group
// boxes; a tab sheet's text in its tab control).
void SetLabelButtonPanelTabsheetGroupboxCaption(TFormBase& window, const std::wstring& tagText,
                                                const std::wstring& text);
// The window's title (Tag 2999).
void SetFormCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text);
void SetRadioGroupCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text);
void SetCheckBoxCaption(TFormBase& window, const std::wstring& tagText, const std::wstring& text);
void SetEditText(TFormBase& window, const std::wstring& tagText, const std::wstring& text);
// Item lists. Clear empties the list and remembers its selection; each Item
// appends one item and selects the remembered index again once it exists, so
// a translated list keeps the choice the window had made.
void SetListBoxClear(TFormBase& window, const std::wstring& tagText);
void SetListBoxItem(TFormBase& window, const std::wstring& tagText, const std::wstring& text);
void SetComboBoxClear(TFormBase& window, const std::wstring& tagText);
void SetComboBoxItem(TFormBase& window, const std::wstring& tagText, const std::wstring& text);
// A radio group's items are its existing buttons (the window lays them out):
// Clear restarts at the first button, each Item gives the next button its
// caption. Items beyond the last button are ignored; the checked button stays.
void SetRadioGroupClear(TFormBase& window, const std::wstring& tagText);
void SetRadioGroupItem(TFormBase& window, const std::wstring& tagText, const std::wstring& text);

}  // namespace quib
