// A language file applied to a small window that has one or more components
// of every kind, in Japanese and in English.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "LanguageTestFiles.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "util/Controls.h"
#include "app/FormBase.h"
#include "app/Language.h"
#include "util/Message.h"

using langtest::ProgramDir;
using quib::Component;
using quib::ComponentKind;
using quibtest::MsgCapture;
using quibtest::WindowText;

namespace {

using Lines = std::vector<std::wstring>;

// Every component starts with a "design-" text, which no language file uses,
// so any change is visible.
class LanguageTestWindow : public quib::TFormBase {
public:
    LanguageTestWindow() : TFormBase(Description()) {}
    static quib::FormDescription Description() {
        return quib::FormDescription::Window(L"FormLanguageTest", SIZE{600, 500}, SIZE{100, 100});
    }

    HWND label0 = nullptr, label1 = nullptr, label1Twin = nullptr, label2 = nullptr, button1 = nullptr,
         panel1 = nullptr, tab1 = nullptr, group1 = nullptr, list1 = nullptr, list2 = nullptr, radioGroup1 = nullptr,
         check1 = nullptr, combo1 = nullptr, combo2 = nullptr, edit1 = nullptr, edit2 = nullptr, radioGroup2 = nullptr;
    HWND radios[3] = {};
    HWND radios2[2] = {};
    HMENU menu() const { return menu_; }

protected:
    void FormCreate() override {
        menu_ = CreateMenu();
        HMENU sub = CreatePopupMenu();
        AppendMenuW(sub, MF_STRING, 1001, L"design-Open");
        AppendMenuW(sub, MF_STRING, 1002, L"design-Close");
        AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), L"design-File");
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_ID;
        mii.wID = 1000;
        SetMenuItemInfoW(menu_, 0, TRUE, &mii);
        SetMenu(handle_, menu_);
        SetMenuHandle(menu_);
        Register(ComponentKind::MenuItem, 1000, nullptr);
        Register(ComponentKind::MenuItem, 1001, nullptr);
        Register(ComponentKind::MenuItem, 1002, nullptr);

        label0 = Child(L"STATIC", L"design-Label0", 0);
        label1 = Child(L"STATIC", L"design-Label1", 0);
        label1Twin = Child(L"STATIC", L"design-Label1Twin", 0);
        label2 = Child(L"STATIC", L"design-Label2", 0);
        button1 = Child(L"BUTTON", L"design-Button1", BS_PUSHBUTTON);
        panel1 = quib::CreatePanel(handle_, 50, GetSysColor(COLOR_BTNFACE));
        SetWindowTextW(panel1, L"design-Panel1");
        tab1 = Child(WC_TABCONTROLW, L"", 0);
        for (int i = 0; i < 2; ++i) {
            std::wstring text = L"design-Page" + std::to_wstring(i + 1);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageW(tab1, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
        group1 = Child(L"BUTTON", L"design-Group1", BS_GROUPBOX);
        list1 = Child(L"LISTBOX", L"", LBS_NOTIFY);
        list2 = Child(L"LISTBOX", L"", LBS_NOTIFY);
        for (const wchar_t* s : {L"design-L1", L"design-L2", L"design-L3"}) {
            SendMessageW(list1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendMessageW(list2, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        radioGroup1 = Child(L"BUTTON", L"design-Radio", BS_GROUPBOX);
        for (int i = 0; i < 3; ++i)
            radios[i] = Child(L"BUTTON", (L"design-R" + std::to_wstring(i + 1)).c_str(), BS_AUTORADIOBUTTON);
        radioGroup2 = Child(L"BUTTON", L"design-Radio2", BS_GROUPBOX);
        for (int i = 0; i < 2; ++i)
            radios2[i] =
                Child(L"BUTTON", (L"design-S" + std::to_wstring(i + 1)).c_str(), BS_AUTORADIOBUTTON | WS_GROUP);
        check1 = Child(L"BUTTON", L"design-Check1", BS_AUTOCHECKBOX);
        combo1 = Child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL);
        combo2 = Child(L"COMBOBOX", L"", CBS_DROPDOWN | WS_VSCROLL);
        for (const wchar_t* s : {L"design-C1", L"design-C2"}) {
            SendMessageW(combo1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendMessageW(combo2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        edit1 = Child(L"EDIT", L"design-Edit1", ES_AUTOHSCROLL);
        edit2 = Child(L"EDIT", L"design-Edit2", ES_AUTOHSCROLL);

        // Registration order is the order the language file searches in.
        // Outside the caption range 2001..2999: no caption line reaches it.
        Register(ComponentKind::Label, 2000, label0);
        Register(ComponentKind::Label, 2001, label1);
        Register(ComponentKind::Label, 2001, label1Twin);
        Register(ComponentKind::Label, 2002, label2, false);
        Register(ComponentKind::Button, 2201, button1);
        Register(ComponentKind::Panel, 2401, panel1);
        RegisterComponent(Component{ComponentKind::TabSheet, 2601, nullptr, true, tab1, 0, {}});
        RegisterComponent(Component{ComponentKind::TabSheet, 2602, nullptr, true, tab1, 1, {}});
        Register(ComponentKind::GroupBox, 2801, group1);
        Register(ComponentKind::ListBox, 4001, list1);
        Register(ComponentKind::ListBox, 4002, list2);
        RegisterComponent(Component{
            ComponentKind::RadioGroup, 5001, radioGroup1, true, nullptr, -1, {radios[0], radios[1], radios[2]}});
        RegisterComponent(
            Component{ComponentKind::RadioGroup, 5002, radioGroup2, true, nullptr, -1, {radios2[0], radios2[1]}});
        Register(ComponentKind::CheckBox, 6001, check1);
        Register(ComponentKind::ComboBox, 7001, combo1);
        Register(ComponentKind::ComboBox, 7002, combo2);
        Register(ComponentKind::Edit, 8001, edit1);
        Register(ComponentKind::Edit, 8002, edit2);
        SetCaption(L"design-Title");
    }

private:
    HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style) {
        HWND h = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 150, 80, handle_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_id_++)), Instance(), nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
        return h;
    }
    void Register(ComponentKind kind, int tag, HWND hwnd, bool parentFont = true) {
        RegisterComponent(Component{kind, tag, hwnd, parentFont, nullptr, -1, {}});
    }
    HMENU menu_ = nullptr;
    int next_id_ = 100;
};

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        std::wstring s(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
        s.resize(s.size() - 1);
        items.push_back(s);
    }
    return items;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        std::wstring s(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1,
                       L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
        s.resize(s.size() - 1);
        items.push_back(s);
    }
    return items;
}

std::wstring TabText(HWND tab, int index) {
    wchar_t buf[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 255;
    SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buf;
}

std::wstring MenuText(HMENU menu, UINT id, UINT flag) {
    wchar_t buf[256] = {};
    GetMenuStringW(menu, id, buf, 255, flag);
    return buf;
}

struct FontInfo {
    std::wstring face;
    LONG height = 0;
};
FontInfo FontOf(HWND hwnd) {
    FontInfo info;
    HFONT f = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (f && GetObjectW(f, sizeof(lf), &lf) == sizeof(lf)) {
        info.face = lf.lfFaceName;
        info.height = lf.lfHeight;
    }
    return info;
}
LONG HeightOfPoints(int points) {
    HDC dc = GetDC(nullptr);
    const LONG h = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    return h;
}

const std::wstring kHeading = L"Tag\tEnabled\tName\tProperty\tJapanese\tEnglish";

// One line of every kind; the list box's items come in two groups with other
// lines between them, and disabled lines sit among the applied ones.
const Lines kFullFile = {
    kHeading,
    L"1000\t1\tMenuFile\tCaption\tファイル(&F)\t&File",
    L"1001\t1\tMenuOpen\tCaption\t開く(&O)\t&Open",
    L"1002\t0\tMenuClose\tCaption\t閉じる(&C)\t&Close",
    L"2001\t1\tLabel1\tCaption\tラベル一\tLabel one",
    L"2002\t1\tLabel2\tCaption\tラベル二\tLabel two",
    L"2201\t1\tButton1\tCaption\t実行(&R)\t&Run",
    L"2401\t1\tPanel1\tCaption\tパネル\tPanel",
    L"2602\t1\tTabSheet2\tCaption\t二枚目\tSecond page",
    L"2801\t1\tGroupBox1\tCaption\tグループ\tGroup",
    L"4001\t1\tListBox1\tItem\t赤\tRed",
    L"4001\t0\tListBox1\tItem\t紫\tPurple",
    L"4001\t1\tListBox1\tItem\t緑\tGreen",
    L"6001\t1\tCheckBox1\tCaption\t確認する(&K)\t&Confirm",
    L"2201\t0\tButton1\tCaption\t無効\tDisabled",
    L"4001\t1\tListBox1\tItem\t青\tBlue",
    L"5001\t1\tRadioGroup1\tCaption\t方式\tMethod",
    L"5001\t1\tRadioGroup1\tItem\t速い\tFast",
    L"5001\t1\tRadioGroup1\tItem\t普通\tNormal",
    L"5001\t1\tRadioGroup1\tItem\t遅い\tSlow",
    L"7001\t1\tComboBox1\tItem\t小\tSmall",
    L"7001\t1\tComboBox1\tItem\t大\tLarge",
    L"8001\t1\tEdit1\tText\t編集\tEdited",
    L"8002\t0\tEdit2\tText\t無効\tDisabled",
    L"2999\t1\tForm\tCaption\tテスト窓\tTest window",
};

class ApplyLanguageTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(quib::Application().Initialize(GetModuleHandleW(nullptr)));
        savedUi_ = quib::UiJapanese();
        quib::SetUiJapanese(Japanese());
        window_ = std::make_unique<quib::FormInstance<LanguageTestWindow>>();
        ASSERT_TRUE(window_->Create());
    }
    void TearDown() override {
        window_.reset();
        quib::Application().ProcessMessages();
        quib::SetUiJapanese(savedUi_);
    }

    bool Japanese() const { return GetParam(); }
    std::wstring J(const std::wstring& japanese, const std::wstring& english) const {
        return Japanese() ? japanese : english;
    }
    void Apply(const std::wstring& path) {
        if (Japanese()) {
            quib::SetJapanese(*window_, path);
        } else {
            quib::SetEnglish(*window_, path);
        }
    }
    // Applies lines written as the window's language file "Test.txt".
    void ApplyLines(const Lines& lines) { Apply(dir_.Write(L"Test.txt", lines)); }

    LanguageTestWindow& W() { return *window_; }

    // Every text of the window, to show that a file changed nothing.
    std::vector<std::wstring> Snapshot() {
        LanguageTestWindow& w = W();
        std::vector<std::wstring> s = {w.Caption(),
                                       MenuText(w.menu(), 0, MF_BYPOSITION),
                                       MenuText(w.menu(), 1001, MF_BYCOMMAND),
                                       MenuText(w.menu(), 1002, MF_BYCOMMAND),
                                       TabText(w.tab1, 0),
                                       TabText(w.tab1, 1)};
        for (HWND h : {w.label0, w.label1, w.label1Twin, w.label2, w.button1, w.panel1, w.group1, w.radioGroup1,
                       w.radios[0], w.radios[1], w.radios[2], w.radioGroup2, w.radios2[0], w.radios2[1], w.check1,
                       w.combo1, w.combo2, w.edit1, w.edit2})
            s.push_back(WindowText(h));
        for (const auto& i : ListItems(w.list1)) s.push_back(L"list1:" + i);
        for (const auto& i : ListItems(w.list2)) s.push_back(L"list2:" + i);
        for (const auto& i : ComboItems(w.combo1)) s.push_back(L"combo1:" + i);
        s.push_back(FontOf(w.label1).face);
        return s;
    }

    ProgramDir dir_;
    MsgCapture msgs_;

private:
    std::unique_ptr<LanguageTestWindow> window_;
    bool savedUi_ = true;
};

}  // namespace

TEST_P(ApplyLanguageTest, EveryKindOfComponentTakesItsText) {
    ApplyLines(kFullFile);
    LanguageTestWindow& w = W();
    EXPECT_TRUE(msgs_.Texts().empty());
    EXPECT_EQ(MenuText(w.menu(), 0, MF_BYPOSITION), J(L"ファイル(&F)", L"&File"));
    EXPECT_EQ(MenuText(w.menu(), 1001, MF_BYCOMMAND), J(L"開く(&O)", L"&Open"));
    EXPECT_EQ(WindowText(w.label1), J(L"ラベル一", L"Label one"));
    EXPECT_EQ(WindowText(w.label2), J(L"ラベル二", L"Label two"));
    EXPECT_EQ(WindowText(w.button1), J(L"実行(&R)", L"&Run"));
    EXPECT_EQ(WindowText(w.panel1), J(L"パネル", L"Panel"));
    EXPECT_EQ(TabText(w.tab1, 0), L"design-Page1");
    EXPECT_EQ(TabText(w.tab1, 1), J(L"二枚目", L"Second page"));
    EXPECT_EQ(WindowText(w.group1), J(L"グループ", L"Group"));
    EXPECT_EQ(ListItems(w.list1), (Lines{J(L"赤", L"Red"), J(L"緑", L"Green"), J(L"青", L"Blue")}));
    EXPECT_EQ(ListItems(w.list2), (Lines{L"design-L1", L"design-L2", L"design-L3"}));
    EXPECT_EQ(WindowText(w.check1), J(L"確認する(&K)", L"&Confirm"));
    EXPECT_EQ(WindowText(w.radioGroup1), J(L"方式", L"Method"));
    EXPECT_EQ(WindowText(w.radios[0]), J(L"速い", L"Fast"));
    EXPECT_EQ(WindowText(w.radios[1]), J(L"普通", L"Normal"));
    EXPECT_EQ(WindowText(w.radios[2]), J(L"遅い", L"Slow"));
    EXPECT_EQ(ComboItems(w.combo1), (Lines{J(L"小", L"Small"), J(L"大", L"Large")}));
    EXPECT_EQ(ComboItems(w.combo2), (Lines{L"design-C1", L"design-C2"}));
    EXPECT_EQ(WindowText(w.edit1), J(L"編集", L"Edited"));
    EXPECT_EQ(w.Caption(), J(L"テスト窓", L"Test window"));
    // Disabled lines.
    EXPECT_EQ(MenuText(w.menu(), 1002, MF_BYCOMMAND), L"design-Close");
    EXPECT_EQ(WindowText(w.edit2), L"design-Edit2");
}

TEST_P(ApplyLanguageTest, OnlyEnabledFieldExactlyOneApplies) {
    // Every value but "1" leaves its line out, including near misses.
    ApplyLines({
        L"1001\t0\tMenuOpen\tCaption\t開く(&O)\t&Open",
        L"2001\t\tLabel1\tCaption\tラベル一\tLabel one",
        L"2201\t01\tButton1\tCaption\t実行(&R)\t&Run",
        L"6001\t1 \tCheckBox1\tCaption\t確認する\tConfirm",
        L"8001\ttrue\tEdit1\tText\t編集\tEdited",
        L"4001\t2\tListBox1\tItem\t赤\tRed",
        L"7001\tyes\tComboBox1\tItem\t小\tSmall",
        L"5001\t0\tRadioGroup1\tItem\t速い\tFast",
        L"2999\t0\tForm\tCaption\tテスト窓\tTest window",
    });
    LanguageTestWindow& w = W();
    EXPECT_TRUE(msgs_.Texts().empty());
    EXPECT_EQ(MenuText(w.menu(), 1001, MF_BYCOMMAND), L"design-Open");
    EXPECT_EQ(WindowText(w.label1), L"design-Label1");
    EXPECT_EQ(WindowText(w.button1), L"design-Button1");
    EXPECT_EQ(WindowText(w.check1), L"design-Check1");
    EXPECT_EQ(WindowText(w.edit1), L"design-Edit1");
    // Not even emptied.
    EXPECT_EQ(ListItems(w.list1), (Lines{L"design-L1", L"design-L2", L"design-L3"}));
    EXPECT_EQ(ComboItems(w.combo1), (Lines{L"design-C1", L"design-C2"}));
    EXPECT_EQ(WindowText(w.radios[0]), L"design-R1");
    EXPECT_EQ(w.Caption(), L"design-Title");
}

TEST_P(ApplyLanguageTest, PropertyMustFitTheTagExactly) {
    ApplyLines({
        L"2001\t1\tLabel1\tcaption\tラベル一\tLabel one",       // case differs
        L"2201\t1\tButton1\tCaption \t実行(&R)\t&Run",         // trailing blank
        L"2801\t1\tGroupBox1\tText\tグループ\tGroup",          // wrong property for a caption
        L"1001\t1\tMenuOpen\tItem\t開く(&O)\t&Open",
        L"4001\t1\tListBox1\tCaption\t赤\tRed",                // list boxes take items only
        L"6001\t1\tCheckBox1\tText\t確認する\tConfirm",
        L"7001\t1\tComboBox1\tText\t小\tSmall",
        L"8001\t1\tEdit1\tCaption\t編集\tEdited",              // edit boxes take text only
        L"5001\t1\tRadioGroup1\tText\t方式\tMethod",
    });
    LanguageTestWindow& w = W();
    EXPECT_EQ(WindowText(w.label1), L"design-Label1");
    EXPECT_EQ(WindowText(w.button1), L"design-Button1");
    EXPECT_EQ(WindowText(w.group1), L"design-Group1");
    EXPECT_EQ(MenuText(w.menu(), 1001, MF_BYCOMMAND), L"design-Open");
    EXPECT_EQ(ListItems(w.list1), (Lines{L"design-L1", L"design-L2", L"design-L3"}));
    EXPECT_EQ(WindowText(w.check1), L"design-Check1");
    EXPECT_EQ(ComboItems(w.combo1), (Lines{L"design-C1", L"design-C2"}));
    EXPECT_EQ(WindowText(w.edit1), L"design-Edit1");
    EXPECT_EQ(WindowText(w.radioGroup1), L"design-Radio");
}

TEST_P(ApplyLanguageTest, FirstComponentWithTheTagWins) {
    ApplyLines({L"2001\t1\tLabel1\tCaption\tラベル一\tLabel one"});
    EXPECT_EQ(WindowText(W().label1), J(L"ラベル一", L"Label one"));
    EXPECT_EQ(WindowText(W().label1Twin), L"design-Label1Twin");
}

TEST_P(ApplyLanguageTest, TagsWithoutComponentOrOfAnotherKindChangeNothing) {
    auto before = Snapshot();
    ApplyLines({
        L"1999\t1\tNoMenu\tCaption\t無し\tNone",
        L"2000\t1\tOutOfRangeLabel\tCaption\t無し\tNone",
        L"2003\t1\tNoLabel\tCaption\t無し\tNone",
        L"20010\t1\tLongTag\tCaption\t無し\tNone",       // starts like 2001, is another tag
        L"29990\t1\tLongTitle\tCaption\t無し\tNone",     // starts like the title, is another tag
        L"6201\t1\tNotACheckBox\tCaption\t無し\tNone",
        L"4002\t1\tListIsNotCombo\tCaption\t無し\tNone",
        L"7001\t1\tComboAsEdit\tText\t無し\tNone",
        L"8001\t1\tEditAsCheck\tCaption\t無し\tNone",
        L"100000000000000000001\t1\tHugeMenu\tCaption\t無し\tNone",
        L"200000000000000000001\t1\tHugeLabel\tCaption\t無し\tNone",
        L"400000000000000000001\t1\tHugeList\tItem\t無し\tNone",
        L"\t1\tEmptyTag\tCaption\t無し\tNone",
    });
    EXPECT_TRUE(msgs_.Texts().empty());
    auto after = Snapshot();
    // The font is the one change a well-formed file always makes.
    before.pop_back();
    after.pop_back();
    EXPECT_EQ(after, before);
}

TEST_P(ApplyLanguageTest, ItemGroupsOfOneTagFormOneList) {
    ApplyLines({
        L"4001\t1\tListBox1\tItem\t一\tone",
        L"6001\t1\tCheckBox1\tCaption\t確認\tCheck",
        L"7001\t1\tComboBox1\tItem\t甲\tA",
        L"5001\t1\tRadioGroup1\tItem\t上\tUp",
        L"2001\t1\tLabel1\tCaption\tラベル\tLabel",
        L"4001\t1\tListBox1\tItem\t二\ttwo",
        L"5001\t1\tRadioGroup1\tCaption\t方向\tDirection",
        L"7001\t1\tComboBox1\tItem\t乙\tB",
        L"5001\t1\tRadioGroup1\tItem\t下\tDown",
    });
    LanguageTestWindow& w = W();
    EXPECT_EQ(ListItems(w.list1), (Lines{J(L"一", L"one"), J(L"二", L"two")}));
    EXPECT_EQ(ComboItems(w.combo1), (Lines{J(L"甲", L"A"), J(L"乙", L"B")}));
    EXPECT_EQ(WindowText(w.radios[0]), J(L"上", L"Up"));
    EXPECT_EQ(WindowText(w.radios[1]), J(L"下", L"Down"));
    EXPECT_EQ(WindowText(w.radios[2]), L"design-R3");
    EXPECT_EQ(WindowText(w.radioGroup1), J(L"方向", L"Direction"));
}

TEST_P(ApplyLanguageTest, AnotherTagOfTheSameKindStartsTheListAgain) {
    // The list is emptied whenever the item tag differs from the previous
    // item line of that kind, so 4001 is emptied twice here.
    ApplyLines({
        L"4001\t1\tListBox1\tItem\t一\tone",
        L"4002\t1\tListBox2\tItem\t甲\tA",
        L"4001\t1\tListBox1\tItem\t二\ttwo",
        L"7001\t1\tComboBox1\tItem\t小\tSmall",
        L"7002\t1\tComboBox2\tItem\t中\tMedium",
        L"7001\t1\tComboBox1\tItem\t大\tLarge",
        L"5001\t1\tRadioGroup1\tItem\t上\tUp",
        L"5002\t1\tRadioGroup2\tItem\t左\tLeft",
        L"5001\t1\tRadioGroup1\tItem\t下\tDown",
    });
    LanguageTestWindow& w = W();
    EXPECT_EQ(WindowText(w.radios[0]), J(L"下", L"Down"));
    EXPECT_EQ(WindowText(w.radios[1]), L"design-R2");
    EXPECT_EQ(WindowText(w.radios2[0]), J(L"左", L"Left"));
    EXPECT_EQ(WindowText(w.radios2[1]), L"design-S2");
    EXPECT_EQ(ListItems(w.list1), (Lines{J(L"二", L"two")}));
    EXPECT_EQ(ListItems(w.list2), (Lines{J(L"甲", L"A")}));
    EXPECT_EQ(ComboItems(w.combo1), (Lines{J(L"大", L"Large")}));
    EXPECT_EQ(ComboItems(w.combo2), (Lines{J(L"中", L"Medium")}));
}

TEST_P(ApplyLanguageTest, ApplyingAgainReplacesItemsInsteadOfAddingThem) {
    const std::wstring path = dir_.Write(L"Test.txt", kFullFile);
    Apply(path);
    Apply(path);
    LanguageTestWindow& w = W();
    EXPECT_EQ(ListItems(w.list1), (Lines{J(L"赤", L"Red"), J(L"緑", L"Green"), J(L"青", L"Blue")}));
    EXPECT_EQ(ComboItems(w.combo1), (Lines{J(L"小", L"Small"), J(L"大", L"Large")}));
    EXPECT_EQ(WindowText(w.radios[0]), J(L"速い", L"Fast"));
    EXPECT_EQ(WindowText(w.radios[2]), J(L"遅い", L"Slow"));
}

TEST_P(ApplyLanguageTest, ChoicesSurviveTheTranslation) {
    LanguageTestWindow& w = W();
    SendMessageW(w.list1, LB_SETCURSEL, 1, 0);
    SendMessageW(w.combo1, CB_SETCURSEL, 1, 0);
    SendMessageW(w.radios[2], BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextW(w.combo2, L"typed text");
    ApplyLines(kFullFile);
    EXPECT_EQ(SendMessageW(w.list1, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(w.combo1, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(WindowText(w.combo1), J(L"大", L"Large"));
    EXPECT_EQ(SendMessageW(w.radios[2], BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(w.radios[0], BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // The editable combo box keeps what was typed when its items are replaced.
    ApplyLines({L"7002\t1\tComboBox2\tItem\t中\tMedium"});
    EXPECT_EQ(ComboItems(w.combo2), (Lines{J(L"中", L"Medium")}));
    EXPECT_EQ(WindowText(w.combo2), L"typed text");

    // A selection beyond the new items stays unselected.
    SendMessageW(w.list2, LB_SETCURSEL, 2, 0);
    ApplyLines({L"4002\t1\tListBox2\tItem\t甲\tA"});
    EXPECT_EQ(SendMessageW(w.list2, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_P(ApplyLanguageTest, MoreItemsThanRadioButtonsAreIgnored) {
    ApplyLines({
        L"5001\t1\tRadioGroup1\tItem\t一\tone",
        L"5001\t1\tRadioGroup1\tItem\t二\ttwo",
        L"5001\t1\tRadioGroup1\tItem\t三\tthree",
        L"5001\t1\tRadioGroup1\tItem\t四\tfour",
        L"2201\t1\tButton1\tCaption\t実行\tRun",
    });
    LanguageTestWindow& w = W();
    EXPECT_EQ(WindowText(w.radios[0]), J(L"一", L"one"));
    EXPECT_EQ(WindowText(w.radios[1]), J(L"二", L"two"));
    EXPECT_EQ(WindowText(w.radios[2]), J(L"三", L"three"));
    EXPECT_EQ(WindowText(w.button1), J(L"実行", L"Run"));
}

TEST_P(ApplyLanguageTest, MenuItemKeepsItsShortcutText) {
    W().SetShortCut(1001, quib::KeyCode{'O', quib::kKeyCtrl});
    ApplyLines(kFullFile);
    EXPECT_EQ(MenuText(W().menu(), 1001, MF_BYCOMMAND), J(L"開く(&O)", L"&Open") + L"\tCtrl+O");
    EXPECT_EQ(W().MenuItemCaption(1001), J(L"開く(&O)", L"&Open"));
}

TEST_P(ApplyLanguageTest, FontOfTheLanguageWithDefaults) {
    const FontInfo fixedBefore = FontOf(W().label2);
    ApplyLines(kFullFile);
    const FontInfo f = FontOf(W().label1);
    EXPECT_EQ(f.face, J(L"ＭＳ ゴシック", L"Courier New"));
    EXPECT_EQ(f.height, HeightOfPoints(Japanese() ? 14 : 12));
    EXPECT_EQ(FontOf(W().button1).face, f.face);
    EXPECT_EQ(FontOf(W().radios[1]).face, f.face);
    // A component that keeps its own font is left alone.
    EXPECT_EQ(FontOf(W().label2).face, fixedBefore.face);
    EXPECT_EQ(FontOf(W().label2).height, fixedBefore.height);
}

TEST_P(ApplyLanguageTest, FontOfTheLanguageFromSettings) {
    dir_.Setting(L"SystemFontJpn", L"Name", L"IPAGothic");
    dir_.Setting(L"SystemFontJpn", L"Size", L"18");
    dir_.Setting(L"SystemFontEng", L"Name", L"Arial");
    dir_.Setting(L"SystemFontEng", L"Size", L"20");
    ApplyLines(kFullFile);
    const FontInfo f = FontOf(W().label1);
    EXPECT_EQ(f.face, J(L"IPAGothic", L"Arial"));
    EXPECT_EQ(f.height, HeightOfPoints(Japanese() ? 18 : 20));
}

TEST_P(ApplyLanguageTest, MalformedFileShowsBothMessagesAndChangesNothing) {
    struct Case {
        const char* name;
        Lines lines;
        std::wstring japanese, english;  // the check's message
    };
    const Case cases[] = {
        {"empty line",
         [] {
             Lines l = kFullFile;
             l.insert(l.begin() + 5, L"");
             return l;
         }(),
         L"Information : 個数が6個ではありません\r\n6 : ", L"Information : Items is not 6.\r\n[OK]\r\n6 : "},
        {"letter in tag",
         [] {
             Lines l = kFullFile;
             l.push_back(L"20x1\t1\tLabel1\tCaption\ta\tb");
             return l;
         }(),
         L"Information : 先頭が番号ではありません\r\n26 : 20x1\t1\tLabel1\tCaption\ta\tb",
         L"Information : First column is not numeric.\r\n[OK]\r\n26 : 20x1\t1\tLabel1\tCaption\ta\tb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs_.Clear();
        const auto before = Snapshot();
        ApplyLines(c.lines);
        EXPECT_EQ(Snapshot(), before);
        ASSERT_EQ(msgs_.Messages().size(), 2u);
        EXPECT_EQ(msgs_.Messages()[0].text, J(c.japanese, c.english));
        EXPECT_EQ(msgs_.Messages()[1].text,
                  J(L"Error : 言語設定ファイルが不正です", L"Error : This language file format is wrong.\r\n[OK]"));
        EXPECT_EQ(msgs_.Messages()[1].style, quib::MsgStyle::Error);
    }
}

TEST_P(ApplyLanguageTest, MissingFileChangesNothingSilently) {
    const auto before = Snapshot();
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(W().label1, WM_GETFONT, 0, 0));
    Apply(dir_.LanguageFile(L"Absent.txt"));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(W().label1, WM_GETFONT, 0, 0)), font);
    EXPECT_TRUE(msgs_.Texts().empty());
}

TEST_P(ApplyLanguageTest, WindowFileFoundThroughTheProgramFolder) {
    dir_.Write(L"Test.txt", kFullFile);
    Apply(quib::LanguageFilePath(L"Test.txt"));
    EXPECT_EQ(W().Caption(), J(L"テスト窓", L"Test window"));
}

INSTANTIATE_TEST_SUITE_P(Languages, ApplyLanguageTest, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Japanese" : "English"; });

// The per-kind setters on their own, as other windows may call them.
TEST(LanguageSetters, SetOnePropertyByTagText) {
    ASSERT_TRUE(quib::Application().Initialize(GetModuleHandleW(nullptr)));
    quib::FormInstance<LanguageTestWindow> w;
    ASSERT_TRUE(w.Create());
    quib::SetMenuCaption(w, L"1000", L"&Top");
    quib::SetMenuCaption(w, L"1002", L"&Quit");
    quib::SetLabelButtonPanelTabsheetGroupboxCaption(w, L"2601", L"First");
    quib::SetLabelButtonPanelTabsheetGroupboxCaption(w, L"2401", L"Panel");
    quib::SetFormCaption(w, L"2999", L"Title");
    quib::SetRadioGroupCaption(w, L"5001", L"Group");
    quib::SetCheckBoxCaption(w, L"6001", L"Check");
    quib::SetEditText(w, L"8002", L"Edit");
    quib::SetListBoxClear(w, L"4002");
    quib::SetListBoxItem(w, L"4002", L"x");
    quib::SetComboBoxClear(w, L"7002");
    quib::SetComboBoxItem(w, L"7002", L"y");
    quib::SetRadioGroupClear(w, L"5001");
    quib::SetRadioGroupItem(w, L"5001", L"r1");
    EXPECT_EQ(MenuText(w.menu(), 0, MF_BYPOSITION), L"&Top");
    EXPECT_EQ(MenuText(w.menu(), 1002, MF_BYCOMMAND), L"&Quit");
    EXPECT_EQ(TabText(w.tab1, 0), L"First");
    EXPECT_EQ(WindowText(w.panel1), L"Panel");
    EXPECT_EQ(w.Caption(), L"Title");
    EXPECT_EQ(WindowText(w.radioGroup1), L"Group");
    EXPECT_EQ(WindowText(w.check1), L"Check");
    EXPECT_EQ(WindowText(w.edit2), L"Edit");
    EXPECT_EQ(ListItems(w.list2), (Lines{L"x"}));
    EXPECT_EQ(ComboItems(w.combo2), (Lines{L"y"}));
    EXPECT_EQ(WindowText(w.radios[0]), L"r1");
    EXPECT_EQ(WindowText(w.radios[1]), L"design-R2");
    // The title setter answers only to the window's own tag.
    quib::SetFormCaption(w, L"2001", L"Not the title");
    EXPECT_EQ(w.Caption(), L"Title");
    EXPECT_EQ(WindowText(w.label1), L"design-Label1");
}
