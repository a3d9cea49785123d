#include "keymap/FormKeyMap.h"

#include <commctrl.h>

#include <algorithm>

#include "app/Language.h"
#include "keymap/KeyMapView.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId { kListView1 = 100, kButtonSort0, kButtonSort1, kButtonCopy, kButtonClose };

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

FormDescription KeyMapViewerDescription() {
    FormDescription d;
    d.section = L"FormKeyMap";
    d.defaultSize = SIZE{860, 480};
    d.minimumSize = SIZE{860, 480};
    d.languageFile = L"KeyMap.txt";
    return d;
}

}  // namespace

TFormKeyMap::TFormKeyMap() : TFormBase(KeyMapViewerDescription()) {}

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
    listView_ = AddControl(ComponentKind::Other, 0, WC_LISTVIEWW, L"",
                           WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                           kListView1);
    ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT);
    const int widths[] = {kWidthCategory, 100, kWidthKey, kWidthFunction, kWidthBlank};
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = const_cast<LPWSTR>(kColumnsJpn[i]);
        col.cx = widths[i];
        col.iSubItem = i;
        ListView_InsertColumn(listView_, i, &col);
    }
    buttonSort0_ = AddButton(kTagButtonSort0, L"ソート無(&N)", kButtonSort0);
    buttonSort1_ = AddButton(kTagButtonSort1, L"ソート有(&K)", kButtonSort1);
    buttonCopy_ = AddButton(kTagButtonCopy, L"ｸﾘｯﾌﾟへｺﾋﾟｰ(&L)", kButtonCopy);
    buttonClose_ = AddButton(kTagButtonClose, L"閉じる(&C)", kButtonClose);
}

void TFormKeyMap::FormShow() {
    ReadKeyMapFromFile();
    SetKeyMapJpnEng();
    GetKeySort1();
    SetKeySort0();
    SetFocus(listView_);
}

void TFormKeyMap::LanguageApplied() { SetColumnCaptions(); }

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
        After(300, [] {
            ShowMsgJE(nullptr, L"Information : キーボード設定のファイルがありません",
                      L"Information : Keyboard map file is not exist.\r\n[OK]");
        });
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
    TFormBase::SwitchLanguage(japanese);
    ReadKeyMapFromFile();
    SetKeyMapJpnEng();
    GetKeySort1();
    SetKeySort0();
    ShowMsgJE(handle_, L"Information : Dark Mode では、リストの文字が見えません",
              L"Information : List can not view, when Dark Mode.\r\n[OK]");
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

}  // namespace quib
