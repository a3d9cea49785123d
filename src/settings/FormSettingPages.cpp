// The parameter settings dialog's pages: their controls, captions and places.

#include "settings/FormSetting.h"

#include <commctrl.h>

#include "util/Controls.h"

namespace quib {
namespace {

FormDescription SettingDescription() {
    FormDescription d = FormDescription::Window(L"FormSetting", SIZE{860, 620}, SIZE{860, 620});
    d.languageFile = L"Setting.txt";
    return d;
}

const wchar_t* const kPageCaptions[TFormSetting::kPageCount] = {
    L"Color(&1)", L"Boot(&2)", L"Setting(&3)", L"Extract(&4)", L"Susie(&5)",
    L"Image(&6)", L"Expand1(&7)", L"Expand2(&8)", L"Expand3(&9)", L"Expand4(&0)"};

const wchar_t* const kNamedColors[] = {
    L"clAqua 空色",   L"clBlack 黒色",  L"clBlue 青色",     L"clCream 淡黄色",           L"clFuchsia 赤紫色",
    L"clGray 灰色",   L"clGreen 緑色",  L"clLime 濃緑色",   L"clMaroon 栗色",            L"clMedGray 灰色",
    L"clMoneyGreen ミントグリーン",     L"clNavy 濃紺色",   L"clOlive 黄緑色",           L"clPurple 紫色",
    L"clRed 赤色",    L"clSilver 銀色", L"clSkyBlue スカイブルー", L"clTeal 暗青緑色",   L"clWhite 白色",
    L"clYellow 黄色"};

const wchar_t* const kBootCheckTexts[] = {
    L"隠しファイルの表示(&H)",         L"システムファイルの表示(&Y)",  L"リスト一覧のタイトルの表示(&L)",
    L"ファイルサイズは実サイズ表示(&P)", L"ファイルサイズは1024単位(&Q)", L"拡張子は12文字(&E)",
    L"ファイル名を UniCode で表示(&U)",  L"Dateの表示(&W)",               L"Attrの表示(&A)",
    L"Timeの表示(&T)",                  L"Sizeの表示は右詰め(&-)",       L"explpre準拠ソート(&X)"};

const wchar_t* const kExtLabels[7] = {L"実行(&E) ",    L"圧縮(&D)",  L"画像[WIC](&W)",   L"画像[GDI](&G)",
                                      L"テキスト(&T)", L"その他(&P)", L"動画・音楽(&M)"};

const wchar_t* const kSusieLabels[4] = {L"quibFM-spi.txtの設定(&I)", L"quibFM-spm.txtの設定(&M)",
                                        L"quibFMsusie.exeの設定(&X)", L"quibFMimage.exeの設定(&X)"};

const wchar_t* const kImageLabels[6] = {L"スクロールボックスのマウス移動量(&M)", L"サイドバー幅(&D)",
                                        L"ホイールスクロール量(&H)", L"ページ＋＋移動(&Q)", L"ページ＋移動(&R)",
                                        L"スライドショウ表示間隔[秒](&I)"};

const wchar_t kExtAccel[6] = {L'A', L'F', L'J', L'N', L'S', L'W'};
const wchar_t kExeAccel[6] = {L'D', L'H', L'L', L'Q', L'U', L'Y'};

std::wstring TwoDigits(int n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); }

}  // namespace

TFormSetting::TFormSetting(SettingContext context) : TFormBase(SettingDescription()), context_(std::move(context)) {}

void TFormSetting::At(Page p, HWND control, int x, int y, int w, int h, Anchor anchor) {
    layout_[static_cast<size_t>(p)].push_back(Placed{control, x, y, w, h, anchor});
}

HWND TFormSetting::NewPage(Page p, int tag, const wchar_t* caption) {
    HWND page = CreatePanel(handle_, 3000 + static_cast<int>(p), GetSysColor(COLOR_BTNFACE));
    // Tab and the mnemonics reach the controls on the page.
    SetWindowLongPtrW(page, GWL_EXSTYLE, GetWindowLongPtrW(page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    pages_[static_cast<size_t>(p)] = page;
    Component sheet{ComponentKind::TabSheet, tag, page};
    sheet.tabControl = tabs_;
    sheet.tabIndex = -1;  // set when the tabs are made (FormCreate)
    (void)caption;
    RegisterComponent(sheet);
    return page;
}

// Controls without a caption of their own still take the font the language
// file gives the window.
HWND TFormSetting::TakesWindowFont(HWND control) {
    RegisterComponent({ComponentKind::Other, 0, control});
    return control;
}

HWND TFormSetting::Label(Page p, int tag, const std::wstring& text) {
    HWND label = AddControl(tag ? ComponentKind::Label : ComponentKind::Other, tag, L"STATIC", text, WS_VISIBLE, 0, 0,
                            pages_[static_cast<size_t>(p)]);
    return tag ? label : TakesWindowFont(label);
}

HWND TFormSetting::Check(Page p, int tag, const std::wstring& text) {
    return AddControl(ComponentKind::CheckBox, tag, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                      pages_[static_cast<size_t>(p)]);
}

HWND TFormSetting::Button(Page p, int tag, const std::wstring& text) {
    return AddControl(ComponentKind::Button, tag, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                      pages_[static_cast<size_t>(p)]);
}

HWND TFormSetting::Edit(Page p, const std::wstring& text, bool readOnly) {
    return TakesWindowFont(AddControl(ComponentKind::Other, 0, L"EDIT", text,
                                      WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0),
                                      WS_EX_CLIENTEDGE, 0, pages_[static_cast<size_t>(p)]));
}

HWND TFormSetting::Combo(Page p, int tag, const std::vector<std::wstring>& items) {
    HWND combo = AddControl(tag ? ComponentKind::ComboBox : ComponentKind::Other, tag, L"COMBOBOX", L"",
                            WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                            pages_[static_cast<size_t>(p)]);
    if (!tag) TakesWindowFont(combo);
    SendMessageW(combo, CB_SETMINVISIBLE, 16, 0);
    for (const auto& item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    return combo;
}

HWND TFormSetting::List(Page p, int tag, const std::vector<std::wstring>& items) {
    // Owner-drawn, so that the selected line keeps its aqua while the list
    // does not have the focus.
    HWND list = AddControl(tag ? ComponentKind::ListBox : ComponentKind::Other, tag, L"LISTBOX", L"",
                           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                               LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                           0, 0, pages_[static_cast<size_t>(p)]);
    if (!tag) TakesWindowFont(list);
    for (const auto& item : items) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    return list;
}

void TFormSetting::FormCreate() {
    SetCaption(L"パラメータ設定");
    tabs_ = AddControl(ComponentKind::Other, 0, WC_TABCONTROLW, L"", WS_VISIBLE | WS_CLIPSIBLINGS);
    BuildColorPage();
    BuildBootPage();
    BuildSettingPage();
    BuildExtractPage();
    BuildSusiePage();
    BuildImagePage();
    BuildExpandPages();
    ok_ = AddButton(2901, L"OK(&O)", 0, true);
    cancel_ = AddButton(2902, L"ｷｬﾝｾﾙ(&C)");

    // The pages the caller's window may see.
    const std::wstring& type = context_.StrSettingType;
    for (int i = 0; i < kPageCount; ++i) {
        const Page p = static_cast<Page>(i);
        shownPage_[static_cast<size_t>(i)] =
            type == L"FormImage" ? p == Page::Image : type == L"FormText" ? p == Page::Color : true;
    }
    for (int i = 0; i < kPageCount; ++i) {
        if (!shownPage_[static_cast<size_t>(i)]) continue;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
        SendMessageW(tabs_, TCM_INSERTITEMW, tabPages_.size(), reinterpret_cast<LPARAM>(&item));
        tabPages_.push_back(i);
    }
    // The language file finds each page's tab by its place among the tabs shown.
    for (const Component& c : Components()) {
        if (c.kind != ComponentKind::TabSheet) continue;
        for (size_t t = 0; t < tabPages_.size(); ++t)
            if (pages_[static_cast<size_t>(tabPages_[t])] == c.hwnd) const_cast<Component&>(c).tabIndex = static_cast<int>(t);
    }
    ReadIniFileValue();
}

void TFormSetting::BuildColorPage() {
    const Page p = Page::Color;
    NewPage(p, 2101, kPageCaptions[0]);
    std::vector<std::wstring> items;
    for (int i = 0; i < kColorItemCount; ++i) items.push_back(ColorItemText(i));
    colorList_ = List(p, 0, items);
    At(p, colorList_, 8, 8, 280, 330);
    sample_ = AddControl(ComponentKind::Other, 0, L"STATIC", L"", WS_VISIBLE | SS_NOTIFY, WS_EX_CLIENTEDGE, 0,
                         pages_[0]);
    At(p, sample_, 300, 8, 150, 64);
    const wchar_t* const rgb[3] = {L"R", L"G", L"B"};
    for (size_t i = 0; i < 3; ++i) {
        HWND l = Label(p, 0, rgb[i]);
        At(p, l, 300, 86 + 32 * static_cast<int>(i), 20, 22);
        rgb_[i] = Edit(p, L"0");
        SendMessageW(rgb_[i], EM_SETLIMITTEXT, 3, 0);
        SetWindowLongPtrW(rgb_[i], GWL_STYLE, GetWindowLongPtrW(rgb_[i], GWL_STYLE) | ES_NUMBER);
        At(p, rgb_[i], 324, 84 + 32 * static_cast<int>(i), 60, 24);
    }
    At(p, Label(p, 2002, L"フォント名"), 300, 186, 150, 22);
    fontName_ = Edit(p, L"");
    At(p, fontName_, 300, 208, 250, 24);
    At(p, Label(p, 2003, L"サイズ"), 300, 240, 150, 22);
    fontSize_ = Edit(p, L"");
    SetWindowLongPtrW(fontSize_, GWL_STYLE, GetWindowLongPtrW(fontSize_, GWL_STYLE) | ES_NUMBER);
    At(p, fontSize_, 300, 262, 80, 24);
    fontButton_ = Button(p, 2201, L"フォント選択(&F)");
    At(p, fontButton_, 390, 260, 180, 28);
    applyColor_ = Button(p, 2202, L"色とフォントを反映(&L)");
    At(p, applyColor_, 300, 306, 270, 30);
    std::vector<std::wstring> named(std::begin(kNamedColors), std::end(kNamedColors));
    namedColors_ = List(p, 4001, named);
    At(p, namedColors_, 586, 8, 8, 330, Anchor::Stretch);
    defaultColors_ = Button(p, 2203, L"デフォルト色を読込(&I)");
    At(p, defaultColors_, 8, 350, 270, 30);
    filerColors_ = Button(p, 2204, L"quibFM の色を読込(&A)");
    At(p, filerColors_, 300, 350, 270, 30);
}

void TFormSetting::BuildBootPage() {
    const Page p = Page::Boot;
    NewPage(p, 2102, kPageCaptions[1]);
    int tag = 6001;
    for (size_t i = 0; i < std::size(kBootCheckTexts); ++i) {
        bootChecks_.push_back(Check(p, tag++, kBootCheckTexts[i]));
        At(p, bootChecks_.back(), 8, 8 + 28 * static_cast<int>(i), 360, 24);
    }
    At(p, Label(p, 2011, L"テーマ(&^)"), 390, 8, 200, 22);
    bootCombos_.push_back(Combo(p, 0, {L"Windows", L"Carbon", L"Charcoal Dark Slate", L"Windows10 Dark"}));
    At(p, bootCombos_.back(), 390, 30, 260, 300);
    At(p, Label(p, 2012, L"テーマの変更は次回起動時に反映されます"), 390, 60, 8, 22, Anchor::Stretch);
    At(p, Label(p, 2013, L"フォルダ選択(&M)"), 390, 96, 200, 22);
    bootCombos_.push_back(Combo(p, 7001, {L"一覧(windows)", L"ツリー", L"参照(Lorix)"}));
    At(p, bootCombos_.back(), 390, 118, 260, 300);
    HWND group = AddControl(ComponentKind::GroupBox, 2301, L"BUTTON", L"「参照画面」のみに反映", WS_VISIBLE | BS_GROUPBOX,
                            0, 0, pages_[1]);
    At(p, group, 390, 160, 8, 250, Anchor::Stretch);
    At(p, Label(p, 2014, L"ソートモード(&S)"), 404, 186, 200, 22);
    bootCombos_.push_back(Combo(p, 7002, {L"ソートなし", L"ファイル名順", L"拡張子順", L"日付順", L"サイズ順"}));
    At(p, bootCombos_.back(), 404, 208, 240, 300);
    At(p, Label(p, 2015, L"ソート順(&R)"), 404, 240, 200, 22);
    bootCombos_.push_back(Combo(p, 7003, {L"昇順", L"降順"}));
    At(p, bootCombos_.back(), 404, 262, 240, 300);
    const wchar_t* const sorts[3] = {L"explpre準拠ソート(&Y)", L"SJISソート(quibFM)(&A)", L"Unicodeソート(&U)"};
    for (int i = 0; i < 3; ++i) {
        browseChecks_.push_back(Check(p, tag++, sorts[i]));
        At(p, browseChecks_.back(), 404, 298 + 30 * i, 24, 24, Anchor::Stretch);
    }
}

void TFormSetting::BuildSettingPage() {
    const Page p = Page::Setting;
    NewPage(p, 2103, kPageCaptions[2]);
    At(p, Label(p, 2021, L"色設定"), 8, 8, 8, 22, Anchor::Stretch);
    int y = 34;
    for (size_t i = 0; i < 7; ++i) {
        if (i == 1) {
            At(p, Label(p, 2022, L"色設定と内蔵ビューワの拡張子判定"), 8, y + 8, 8, 22, Anchor::Stretch);
            y += 36;
        }
        At(p, Label(p, 2031 + static_cast<int>(i), kExtLabels[i]), 8, y + 3, 150, 22);
        extFields_[i] = Edit(p, L"");
        At(p, extFields_[i], 162, y, 8, 24, Anchor::Stretch);
        y += 34;
    }
    At(p, Label(p, 2023, L"画像[SPI]は quibFM-spi.txt の設定に従います"), 8, y + 12, 8, 22, Anchor::Stretch);
    At(p, Label(p, 2024, L"圧縮ファイル[SPM]は quibFM-spm.txt の設定に従います"), 8, y + 40, 8, 22, Anchor::Stretch);
}

void TFormSetting::BuildExtractPage() {
    const Page p = Page::Extract;
    NewPage(p, 2104, kPageCaptions[3]);
    extractList_ = List(p, 0, {});
    At(p, extractList_, 8, 8, 8, 160, Anchor::Stretch);
    extractSet_ = Button(p, 2211, L"ポップアップ画面の解凍先設定(&B)");
    At(p, extractSet_, 8, 178, 400, 30);
    extractDelete_ = Button(p, 2212, L"選択しているポップアップ画面の解凍先を削除(&D)");
    At(p, extractDelete_, 8, 216, 500, 30);
}

void TFormSetting::BuildSusiePage() {
    const Page p = Page::Susie;
    NewPage(p, 2105, kPageCaptions[4]);
    for (size_t i = 0; i < 4; ++i) {
        const int y = 8 + 62 * static_cast<int>(i);
        At(p, Label(p, 2041 + static_cast<int>(i), kSusieLabels[i]), 8, y, 8, 22, Anchor::Stretch);
        susieFields_[i] = Edit(p, L"");
        At(p, susieFields_[i], 8, y + 24, 196, 24, Anchor::Stretch);
        susieList_[i] = Button(p, 2221 + static_cast<int>(i), L"一覧");
        At(p, susieList_[i], 184, y + 22, 84, 28, Anchor::Right);
        susieBrowse_[i] = Button(p, 2225 + static_cast<int>(i), L"参照");
        At(p, susieBrowse_[i], 92, y + 22, 84, 28, Anchor::Right);
    }
    At(p, Label(p, 2045, L"ファイル名は %d %pの設定が可能"), 8, 260, 400, 22);
    susieStart_ = Button(p, 2229, L"起動(&R)");
    At(p, susieStart_, 8, 292, 160, 30);
}

void TFormSetting::BuildImagePage() {
    const Page p = Page::Image;
    NewPage(p, 2106, kPageCaptions[5]);
    At(p, Label(p, 2051, L"Exif情報ソフトの設定(&E)"), 8, 8, 8, 22, Anchor::Stretch);
    exifFile_ = Edit(p, L"");
    At(p, exifFile_, 8, 32, 196, 24, Anchor::Stretch);
    exifList_ = Button(p, 2231, L"一覧");
    At(p, exifList_, 184, 30, 84, 28, Anchor::Right);
    exifBrowse_ = Button(p, 2232, L"参照");
    At(p, exifBrowse_, 92, 30, 84, 28, Anchor::Right);
    At(p, Label(p, 2052, L"Exif情報ソフトのパラメータ設定(&P)"), 8, 68, 400, 22);
    exifOption_ = Edit(p, L"");
    At(p, exifOption_, 8, 92, 330, 24);
    At(p, Label(p, 2053, L"引数(&A)"), 350, 68, 300, 22);
    exifArgs_ = Combo(p, 7011, {L" ", L"$(FileNameEx):ファイル名"});
    At(p, exifArgs_, 350, 92, 300, 200);
    At(p, Label(p, 2054, L"Exifで自動回転を無効にする拡張子の設定(&T)"), 8, 128, 8, 22, Anchor::Stretch);
    rotateExcept_ = Edit(p, L"");
    At(p, rotateExcept_, 8, 152, 330, 24);
    At(p, Edit(p, L".crw;.cr2;.nef;.orf;.dng;", true), 350, 152, 300, 24);
    for (size_t i = 0; i < imageCombos_.size(); ++i) {
        const int y = 196 + 34 * static_cast<int>(i);
        At(p, Label(p, 2055 + static_cast<int>(i), kImageLabels[i]), 8, y + 3, 380, 22);
        imageCombos_[i] = Combo(p, 0, ImageListItems(static_cast<ImageList>(i)));
        At(p, imageCombos_[i], 400, y, 120, 400);
    }
}

void TFormSetting::BuildExpandPages() {
    {
        const Page p = Page::Expand1;
        NewPage(p, 2107, kPageCaptions[6]);
        const wchar_t* const notes[4] = {L"拡張子は「.」で始め「;」で区切ります (例 .txt;.log;)",
                                         L"ﾌｧｲﾙ名にはプログラムのパスと引数を書きます",
                                         L"%d はプログラムのドライブ、%p はプログラムのフォルダ、%h は画面のハンドルです",
                                         L"内蔵ビューワは @TextViewer などの名前で指定します"};
        for (int i = 0; i < 4; ++i) At(p, Label(p, 2061 + i, notes[i]), 8, 8 + 28 * i, 8, 22, Anchor::Stretch);
        notUse_ = Check(p, 6021, L"拡張子設定は quibFM.ext を使用しない(&Z)");
        At(p, notUse_, 8, 132, 8, 24, Anchor::Stretch);
    }
    const std::vector<std::wstring> tokens = {L"@ImageWicViewer", L"@ImageGdiViewer", L"@MovieMusicViwer",
                                              L"@ArchiveViwer", L"@TextViewer"};
    for (int page = 0; page < 3; ++page) {
        const Page p = static_cast<Page>(static_cast<int>(Page::Expand2) + page);
        NewPage(p, 2108 + page, kPageCaptions[7 + page]);
        At(p, Label(p, 2071 + page, L"一覧選択(&-)"), 8, 11, 110, 22);
        fileSelect_[static_cast<size_t>(page)] = Combo(p, 7021 + page, {L"一覧(windows)", L"参照(Lorix)"});
        At(p, fileSelect_[static_cast<size_t>(page)], 120, 8, 160, 200);
        At(p, Label(p, 2074 + page, L"内蔵ビューワ(&-)"), 290, 11, 160, 22);
        viewerTokens_[static_cast<size_t>(page)] = Combo(p, 0, tokens);
        At(p, viewerTokens_[static_cast<size_t>(page)], 452, 8, 140, 200);
        if (page == 0) {
            initSlots_ = Button(p, 2241, L"01から06を初期化(&+)");
            At(p, initSlots_, 228, 6, 220, 28, Anchor::Right);
        }
        for (int k = 0; k < 6; ++k) {
            const int slot = page * 6 + k;
            const int y = 46 + 74 * k;
            const std::wstring nn = TwoDigits(slot + 1);
            At(p, Label(p, 2401 + slot, L"拡張子" + nn + L"(&" + kExtAccel[k] + L")"), 8, y + 3, 120, 22);
            slotExt_[static_cast<size_t>(slot)] = Edit(p, L"");
            At(p, slotExt_[static_cast<size_t>(slot)], 130, y, 196, 24, Anchor::Stretch);
            At(p, Label(p, 2421 + slot, L"ﾌｧｲﾙ名" + nn + L"(&" + kExeAccel[k] + L")"), 8, y + 33, 120, 22);
            slotExe_[static_cast<size_t>(slot)] = Edit(p, L"");
            At(p, slotExe_[static_cast<size_t>(slot)], 130, y + 30, 196, 24, Anchor::Stretch);
            slotRead_[static_cast<size_t>(slot)] = Button(p, 2251 + slot, L"読込");
            At(p, slotRead_[static_cast<size_t>(slot)], 184, y - 2, 84, 28, Anchor::Right);
            slotList_[static_cast<size_t>(slot)] = Button(p, 2271 + slot, L"一覧");
            At(p, slotList_[static_cast<size_t>(slot)], 184, y + 28, 84, 28, Anchor::Right);
        }
    }
}

void TFormSetting::FormResize(int w, int h) {
    if (!ok_) return;
    w = Unscale(w);
    h = Unscale(h);
    Place(tabs_, 4, 4, w - 8, h - 52);
    Place(cancel_, w - 8 - 130, h - 40, 130, 32);
    Place(ok_, w - 16 - 260, h - 40, 130, 32);
    LayoutPages(w, h);
}

void TFormSetting::LayoutPages(int w, int h) {
    // The pages fill the tab control's display area.
    RECT area{0, 0, Scale(w - 8), Scale(h - 52)};
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const int x0 = Scale(4) + area.left, y0 = Scale(4) + area.top;
    const int pw = area.right - area.left, ph = area.bottom - area.top;
    const int pageWidth = Unscale(pw);
    for (size_t i = 0; i < pages_.size(); ++i) {
        MoveWindow(pages_[i], x0, y0, pw, ph, TRUE);
        for (const Placed& c : layout_[i]) {
            switch (c.anchor) {
                case Anchor::Fixed: Place(c.hwnd, c.x, c.y, c.w, c.h); break;
                case Anchor::Stretch: Place(c.hwnd, c.x, c.y, std::max(40, pageWidth - c.x - c.w), c.h); break;
                case Anchor::Right: Place(c.hwnd, pageWidth - c.x, c.y, c.w, c.h); break;
            }
        }
    }
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace quib
