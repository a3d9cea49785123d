#include "app/FormKeyMap.h"

#include <commctrl.h>

#include <algorithm>

#include "app/Language.h"
#include "keymap/KeyMapView.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId { kListView1 = 100, kButtonSort0, kButtonSort1, kButtonCopy, kButtonClose };
enum TimerId : UINT_PTR { kTimerNoFile = 1 };

constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 28;
constexpr int kButtonStrip = 44;
// Column widths: category, (command takes the rest), current key, function, blank.
constexpr int kWidthCategory = 140;
constexpr int kWidthKey = 295;
constexpr int kWidthFunction = 100;
constexpr int kWidthBlank = 10;

const wchar_t* const kColumnsJpn[] = {L"カテゴリ", L"コマンド", L"現在のキー", L"機能", L""};
const wchar_t* const kColumnsEng[] = {L"Category", L"Command", L"Current Key", L"Function", L""};

}  // namespace

TFormKeyMap::TFormKeyMap() : TFormBase(L"FormKeyMap", SIZE{860, 480}, SIZE{860, 480}) {}

TFormKeyMap::~TFormKeyMap() = default;

HWND TFormKeyMap::Button(int tag) const {
    switch (tag) {
        case kTagButtonSort0: return buttonSort0_;
        case kTagButtonSort1: return buttonSort1_;
        case kTagButtonCopy: return buttonCopy_;
        case kTagButtonClose: return buttonClose_;
        default: return nullptr;
    }
}

void TFormKeyMap::FormCreate() {
    SetCaption(L"キーボードマップ");
    HINSTANCE inst = Instance();
    listView_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                0, 0, 10, 10, handle_, reinterpret_cast<HMENU>(kListView1), inst, nullptr);
    ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT);
    SendMessageW(listView_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    const int widths[] = {kWidthCategory, 100, kWidthKey, kWidthFunction, kWidthBlank};
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = const_cast<LPWSTR>(kColumnsJpn[i]);
        col.cx = widths[i];
        col.iSubItem = i;
        ListView_InsertColumn(listView_, i, &col);
    }

    struct ButtonDef {
        HWND* hwnd;
        int id;
        int tag;
        const wchar_t* caption;
    };
    const ButtonDef buttons[] = {
        {&buttonSort0_, kButtonSort0, kTagButtonSort0, L"ソート無(&N)"},
        {&buttonSort1_, kButtonSort1, kTagButtonSort1, L"ソート有(&K)"},
        {&buttonCopy_, kButtonCopy, kTagButtonCopy, L"ｸﾘｯﾌﾟへｺﾋﾟｰ(&L)"},
        {&buttonClose_, kButtonClose, kTagButtonClose, L"閉じる(&C)"},
    };
    for (const auto& b : buttons) {
        *b.hwnd = CreateWindowExW(0, L"BUTTON", b.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                  kButtonWidth, kButtonHeight, handle_, reinterpret_cast<HMENU>(b.id), inst, nullptr);
        SendMessageW(*b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
        RegisterComponent({ComponentKind::Button, b.tag, *b.hwnd});
    }

    const IniFile ini = Settings();
    BoolDeveloper = ini.ReadBool(L"Developer", L"Enabled", false);
}

void TFormKeyMap::FormShow() {
    BoolJapanese = UiJapanese();
    StrLanguageFileName = LanguageFilePath(L"KeyMap.txt");
    ApplyLanguage();
    SetColumnCaptions();
    ReadKeyMapFromFile();
    SetKeyMapJpnEng();
    GetKeySort1();
    SetKeySort0();
    SetFocus(listView_);
}

void TFormKeyMap::FormDestroy() {
    KillTimer(handle_, kTimerNoFile);
    WritePlacement(Settings());
}

void TFormKeyMap::FormResize(int clientWidth, int clientHeight) {
    if (!listView_) return;
    const int listHeight = std::max(0, clientHeight - kButtonStrip);
    MoveWindow(listView_, 0, 0, clientWidth, listHeight, TRUE);
    const int y = listHeight + (kButtonStrip - kButtonHeight) / 2;
    MoveWindow(buttonSort0_, 8, y, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(buttonSort1_, 8 + kButtonWidth + 8, y, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(buttonCopy_, 8 + 2 * (kButtonWidth + 8), y, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(buttonClose_, std::max(0, clientWidth - kButtonWidth - 8), y, kButtonWidth, kButtonHeight, TRUE);
    SizeColumns();
}

void TFormKeyMap::SizeColumns() {
    RECT rc{};
    GetClientRect(listView_, &rc);
    const int rest = (rc.right - rc.left) - kWidthCategory - kWidthKey - kWidthFunction - kWidthBlank - 5;
    ListView_SetColumnWidth(listView_, 0, kWidthCategory);
    ListView_SetColumnWidth(listView_, 1, std::max(0, rest));
    ListView_SetColumnWidth(listView_, 2, kWidthKey);
    ListView_SetColumnWidth(listView_, 3, kWidthFunction);
    ListView_SetColumnWidth(listView_, 4, kWidthBlank);
}

void TFormKeyMap::ApplyLanguage() {
    if (BoolJapanese) {
        SetJapanese(*this, StrLanguageFileName);
    } else {
        SetEnglish(*this, StrLanguageFileName);
    }
}

void TFormKeyMap::SetColumnCaptions() {
    const wchar_t* const* captions = BoolJapanese ? kColumnsJpn : kColumnsEng;
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT;
        col.pszText = const_cast<LPWSTR>(captions[i]);
        ListView_SetColumn(listView_, i, &col);
    }
}

void TFormKeyMap::ReadKeyMapFromFile() {
    const IniFile ini = Settings();
    StrParentForm = ini.ReadString(L"FormKeyBoard", L"Parent", L"Main");
    BoolShowAll = ini.ReadBool(L"ShowKeyMapItem", L"All", true);
    StrListKeyMap.clear();
    StrKeyMapFileName.clear();
    if (const KeyMapWindowInfo* parent = KeyMapWindowByParent(StrParentForm)) {
        StrKeyMapFileName = BoolShowAll ? KeyMapFilePath(parent->window) : KeyDiffFilePath(parent->window);
    }
    if (StrKeyMapFileName.empty() || !KeyMapFileExists(StrKeyMapFileName) ||
        !ReadKeyMapFile(StrKeyMapFileName, StrListKeyMap)) {
        StrListKeyMap.clear();
        // Told once the window stands on the screen, not from inside its show.
        SetTimer(handle_, kTimerNoFile, 300, nullptr);
    }
}

void TFormKeyMap::SetKeyMapJpnEng() {
    const KeyMapWindowInfo* parent = KeyMapWindowByParent(StrParentForm);
    if (!parent) return;
    SetKeyMapJpnEngFromFile(StrListKeyMap, KeyMapLanguageFilePath(parent->window), BoolJapanese,
                            ViewerCategoryPairs());
}

void TFormKeyMap::GetKeySort1() { StrListKeyMapSort = quib::GetKeySort1(StrListKeyMap); }

void TFormKeyMap::SetKeySort0() {
    shown_ = &StrListKeyMap;
    FillList(StrListKeyMap);
}

void TFormKeyMap::SetKeySort1() {
    shown_ = &StrListKeyMapSort;
    FillList(StrListKeyMapSort);
}

void TFormKeyMap::FillList(const KeyMapTable& lines) {
    SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(listView_);
    int row = 0;
    for (const auto& line : lines) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<LPWSTR>(line.category.c_str());
        const int at = ListView_InsertItem(listView_, &item);
        if (at < 0) continue;
        ListView_SetItemText(listView_, at, 1, const_cast<LPWSTR>(line.caption.c_str()));
        ListView_SetItemText(listView_, at, 2, const_cast<LPWSTR>(line.keyText.c_str()));
        ListView_SetItemText(listView_, at, 3, const_cast<LPWSTR>(line.number.c_str()));
        ++row;
    }
    if (row > 0) ListView_SetItemState(listView_, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listView_, nullptr, TRUE);
}

void TFormKeyMap::CopyToClipboard() {
    std::wstring text;
    for (const auto& line : *shown_) text += KeyMapLineText(line) + L"\r\n";
    if (!OpenClipboard(handle_)) return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(mem)) {
            memcpy(p, text.c_str(), bytes);
            GlobalUnlock(mem);
            if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
        } else {
            GlobalFree(mem);
        }
    }
    CloseClipboard();
}

void TFormKeyMap::SwitchLanguage(bool japanese) {
    BoolJapanese = japanese;
    ApplyLanguage();
    SetColumnCaptions();
    ReadKeyMapFromFile();
    SetKeyMapJpnEng();
    GetKeySort1();
    SetKeySort0();
    ShowMsgJE(handle_, L"Information : Dark Mode では、リストの文字が見えません",
              L"Information : List can not view, when Dark Mode.\r\n[OK]");
}

bool TFormKeyMap::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (!BoolDeveloper || !shift || !ctrl || alt) return false;
    if (key == 'J') {
        SwitchLanguage(true);
        return true;
    }
    if (key == 'E') {
        SwitchLanguage(false);
        return true;
    }
    return false;
}

void TFormKeyMap::ControlCommand(HWND, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kButtonSort0: SetKeySort0(); break;
        case kButtonSort1: SetKeySort1(); break;
        case kButtonCopy: CopyToClipboard(); break;
        case kButtonClose: Close(); break;
        default: break;
    }
}

bool TFormKeyMap::HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wp != kTimerNoFile) return false;
    KillTimer(handle_, kTimerNoFile);
    ShowMsgJE(handle_, L"Information : キーボード設定のファイルがありません",
              L"Information : Keyboard map file is not exist.\r\n[OK]");
    result = 0;
    return true;
}

}  // namespace quib
