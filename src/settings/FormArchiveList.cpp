#include "settings/FormArchiveList.h"

#include "archive/ArchiveKind.h"
#include "archive/Listing.h"

namespace quib {
namespace {

const CommandTable& ArchiveListCommands() {
    static const CommandTable table = {
        {FormMenu{L"ファイル", L"ファイル(&F)", TFormArchiveList::kTagMenuFile}, TFormTextWindow::PopUpMenu()},
        {FormCommand{TFormArchiveList::kTagMenuClose, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", kCommandPlain,
                     Handler(&TFormArchiveList::MenuCloseClick)},
         TFormTextWindow::PopUpCopyCommand()}};
    return table;
}

FormDescription ArchiveListDescription() {
    FormDescription d = FormDescription::Window(L"FormArchiveList", SIZE{780, 550}, SIZE{760, 500});
    d.languageFile = L"ArchiveList.txt";
    d.commands = &ArchiveListCommands();
    return d;
}

}  // namespace

TFormArchiveList::TFormArchiveList(ArchiveListInput input)
    : TFormTextWindow(ArchiveListDescription()), input_(std::move(input)) {}

TFormArchiveList::~TFormArchiveList() {
    if (brush_) DeleteObject(brush_);
    if (font_) DeleteObject(font_);
}

void TFormArchiveList::FormCreate() {
    TFormTextWindow::FormCreate();
    SetCaption(L"圧縮ファイルビューワ [簡易表示]");
    SetMemoText(L"");
    brush_ = CreateSolidBrush(input_.back);
    ApplyFont();
}

void TFormArchiveList::ApplyFont() {
    if (font_) DeleteObject(font_);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(input_.fontSize, static_cast<int>(Dpi()), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(lf.lfFaceName, LF_FACESIZE, input_.fontName.c_str(), _TRUNCATE);
    font_ = CreateFontIndirectW(&lf);
    SendMessageW(Memo1(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageW(Memo1(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&TabStops));
}

void TFormArchiveList::FormDpiChanged(UINT) { ApplyFont(); }

void TFormArchiveList::FormShow() {
    // The memo keeps its own font: the language file's font is for the menus.
    ApplyFont();
    const DWORD attr = GetFileAttributesW(input_.archivePath.c_str());
    SetMemoText(L"");
    TakeMainCloseKey(kTagMenuClose);
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return;
    // The family by the extension and the ZIP DLL choice; the DLL folder is
    // the one the last archive operation set.
    ArchiveListContext ctx;
    ctx.owner = handle_;
    ctx.settings = ReadArchiveSetting(Settings());
    const ArchiveFamily family = ArchiveFamilyOfPath(input_.archivePath, ctx.settings.IntUnZipDll);
    if (family == ArchiveFamily::None) return;
    std::vector<std::wstring> lines;
    ArchiveListReport(ctx, input_.archivePath, family, ArchiveCommandText(ctx.settings, family, ArchiveCommandKey::List),
                      lines);
    SetMemoLines(lines);
}

void TFormArchiveList::FormClose() { CloseIme(); }

void TFormArchiveList::MenuCloseClick() { Close(); }

bool TFormArchiveList::FormKeyDown(WPARAM key, bool shift, bool ctrl, bool alt) {
    if (key == VK_RETURN && !shift && !ctrl && !alt) {
        Close();
        return true;
    }
    return false;
}

bool TFormArchiveList::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    // A read-only edit asks for the static colours.
    if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT) && reinterpret_cast<HWND>(lp) == Memo1()) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, input_.text);
        SetBkColor(dc, input_.back);
        result = reinterpret_cast<LRESULT>(brush_);
        return true;
    }
    return false;
}

}  // namespace quib
