#include "keymap/FormKeyMap.h"

#include <commctrl.h>

#include <algorithm>

#include "app/Language.h"
#include "keymap/KeyMapView.h"
#include "util/Controls.h"
#include "util/Message.h"

namespace quib {
namespace {

enum ControlId { kListView1 = 100, kButtonSort0, kButtonSort1, kButtonCopy, kButtonClose };

// Lengths in pixels at 96 DPI (the window scales them to its own).
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
    FormDescription d = FormDescription::Window(L"FormKeyMap", SIZE{860, 480}, SIZE{860, 480});
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
    // The shared list control: rows come from the lines last shown, on demand.
    list_.Attach(AddControl(ComponentKind::Other, 0, WC_LISTVIEWW, L"", TMyListView::kStyle | LVS_SHOWSELALWAYS,
                            TMyListView::kExStyle, kListView1));
    // A read-only viewer: the arrows, Home and End move as in any list.
    list_.SetKeyFilter(false);
    list_.SetColumns({{kColumnsJpn[0], kWidthCategory},
                      {kColumnsJpn[1], 100},
                      {kColumnsJpn[2], kWidthKey},
                      {kColumnsJpn[3], kWidthFunction},
                      {kColumnsJpn[4], kWidthBlank}});
    list_.SetTextSource([this](int row, int column) -> std::wstring_view {
        if (row < 0 || static_cast<size_t>(row) >= shown_->size()) return {};
        const KeyMapLine& line = (*shown_)[static_cast<size_t>(row)];
        switch (column) {
            case 0: return line.category;
            case 1: return line.caption;
            case 2: return line.keyText;
            case 3: return line.number;
            default: return {};
        }
    });
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
    SetFocus(list_.Handle());
}

void TFormKeyMap::LanguageApplied() {
    SetColumnCaptions();
    // The buttons follow their captions and the language's font.
    RECT rc{};
    GetClientRect(handle_, &rc);
    FormResize(rc.right, rc.bottom);
}

void TFormKeyMap::FormResize(int clientWidth, int clientHeight) {
    HWND listView_ = list_.Handle();
    if (!listView_) return;
    const int strip = Scale(kButtonStrip), height = Scale(kButtonHeight), gap = Scale(8);
    const int listHeight = std::max(0, clientHeight - strip);
    MoveWindow(listView_, 0, 0, clientWidth, listHeight, TRUE);
    const int y = listHeight + (strip - height) / 2;
    // A caption longer than the usual width (the English ones in the
    // language's font) widens its button rather than being cut.
    auto width = [&](HWND button) { return std::max<int>(Scale(kButtonWidth), TextExtent(button).cx + Scale(16)); };
    int x = gap;
    for (HWND b : {buttonSort0_, buttonSort1_, buttonCopy_}) {
        const int w = width(b);
        MoveWindow(b, x, y, w, height, TRUE);
        x += w + gap;
    }
    const int closeWidth = width(buttonClose_);
    MoveWindow(buttonClose_, std::max(x, clientWidth - closeWidth - gap), y, closeWidth, height, TRUE);
    SizeColumns();
}

void TFormKeyMap::SizeColumns() {
    HWND listView_ = list_.Handle();
    RECT rc{};
    GetClientRect(listView_, &rc);
    const int category = Scale(kWidthCategory), key = Scale(kWidthKey), function = Scale(kWidthFunction),
              blank = Scale(kWidthBlank);
    const int rest = (rc.right - rc.left) - category - key - function - blank - Scale(5);
    ListView_SetColumnWidth(listView_, 0, category);
    ListView_SetColumnWidth(listView_, 1, std::max(0, rest));
    ListView_SetColumnWidth(listView_, 2, key);
    ListView_SetColumnWidth(listView_, 3, function);
    ListView_SetColumnWidth(listView_, 4, blank);
}

void TFormKeyMap::SetColumnCaptions() {
    const wchar_t* const* captions = BoolJapanese ? kColumnsJpn : kColumnsEng;
    for (int i = 0; i < 5; ++i) list_.SetColumnCaption(i, captions[i]);
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
    list_.BeginRefill();
    shown_ = &lines;
    list_.EndRefill(static_cast<int>(lines.size()));
    if (!lines.empty()) list_.SelectRow(0, false);
}

void TFormKeyMap::CopyToClipboard() {
    std::wstring text;
    for (const auto& line : *shown_) text += KeyMapLineText(line) + L"\r\n";
    SetClipboardText(handle_, text);
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
