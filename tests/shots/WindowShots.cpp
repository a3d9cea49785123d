// Saves a picture of each window of the program, as a person sees it, in both
// languages: the main window on an archive, the log, the help and the key-map
// viewer. Usage: window_shots OUTPUT_FOLDER [style]; pictures are BMP files
// named window-language[-style].bmp.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "FormTestSupport.h"
#include "MainWindowHarness.h"
#include "app/FormHelp.h"
#include "app/FormLog.h"
#include "app/FormSelectFiler.h"
#include "app/MainMenuTable.h"
#include "extract/FormBrowse.h"
#include "extract/FormDrive.h"
#include "extract/FormJumpFolder.h"
#include "extract/FormTree.h"
#include "extract/FormExtract.h"
#include "extract/FormInputExtract.h"
#include "extract/FormPopUp.h"
#include "extract/FormJumpFolderEx.h"
#include "extract/FormMakeFolder.h"
#include "app/FormSelectDll.h"
#include "extract/FormDelete.h"
#include "extract/FormPassword.h"
#include "extract/FormRename.h"
#include "extract/FormSort.h"
#include "keymap/FormKeyMap.h"
#include "launch/FormExecute.h"
#include "launch/FormInputLauncher.h"
#include "launch/FormLauncher.h"
#include "keymap/FormKeyBoard.h"
#include "settings/FormArchiveSetting.h"
#include "settings/FormSetting.h"
#include "util/IniFile.h"
#include "util/StrConv.h"
#include "viewers/text/FormFind.h"
#include "viewers/text/FormText.h"
#include "launch/FormExtention.h"
#include "util/Dpi.h"
#include "util/TextFile.h"
#include "viewers/grid/FormViewGrid.h"
#include "viewers/image/FormImage.h"
#include "viewers/image/FormKeyMove.h"
#include "viewers/player/FormPlayer.h"
#include "ImageTestPictures.h"

using namespace quibtest;

namespace {

std::wstring g_out;
std::wstring g_style;

// The window's rectangle as the screen shows it, into a 24-bit BMP.
bool SaveWindowPicture(HWND w, const std::wstring& name) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Pump(300);
    RECT r{};
    GetWindowRect(w, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) & ~3u);
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + size;
    // Pictures at another display scale than 100 % are named after it.
    const UINT dpi = quib::DpiOfWindow(w);
    const std::wstring scale = dpi == 96 ? L"" : L"-dpi" + std::to_wstring(dpi);
    const std::wstring path = g_out + L"\\" + name + (g_style.empty() ? L"" : L"-" + g_style) + scale + L".bmp";
    bool ok = false;
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        fwrite(&fh, sizeof(fh), 1, f);
        fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f);
        fwrite(bits, 1, size, f);
        fclose(f);
        ok = true;
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

template <class Form>
void ShootModal(MainWindowHarness& h, int command, const std::wstring& caption, const std::wstring& name,
                const std::function<void(Form&)>& prepare = {}) {
    DuringModal driver([&] {
        HWND w = FindThreadWindow(caption);
        auto* form = w ? dynamic_cast<Form*>(quib::TFormBase::FromHandle(w)) : nullptr;
        if (!form) return false;
        if (prepare) prepare(*form);
        SaveWindowPicture(w, name);
        form->Close();
        return true;
    });
    h.Command(command);
}

// Shows a form made for the picture and saves it.
template <class Form>
void ShootForm(Form& form, const std::wstring& name, const std::function<void(Form&)>& prepare = {}) {
    form.Create();
    form.Show();
    if (prepare) prepare(form);
    Pump(300);
    SaveWindowPicture(form.Handle(), name);
}

void ShootFolderDialogs(MainWindowHarness& h, const std::wstring& lang) {
    const std::wstring work = h.Folder() / L"work";
    CreateDirectoryW(work.c_str(), nullptr);
    quib::StringList drives = {L"Root\tVolume\tType\tSerial\tFile\tDisk\tFree\tUse",
                               L"C:\\\tSYSTEM\tHDD\t0x12345678\tNTFS\t  500,000,000,000\t  200,000,000,000\t  300,000,000,000",
                               L"Z:\\\t\t\t\t\t\t\t"};
    std::wstring answer;
    {
        quib::FormInstance<quib::TFormDrive> d(drives, answer);
        ShootForm<quib::TFormDrive>(d, L"drive-" + lang);
    }
    {
        quib::FormInstance<quib::TFormMakeFolder> d(work + L"\\", answer);
        ShootForm<quib::TFormMakeFolder>(d, L"makefolder-" + lang,
                                         [](quib::TFormMakeFolder& f) { SetWindowTextW(f.NameField(), L"new"); });
    }
    quib::BrowseDialogFields browse;
    browse.BoolSortSJIS = true;
    {
        quib::FormInstance<quib::TFormSort> d(browse);
        ShootForm<quib::TFormSort>(d, L"sort-" + lang);
    }
    browse.StrListRenameSrc = {L"Data\\", L"readme.txt", L"photo.jpg"};
    browse.StrSetFormRename = work + L"\\";
    {
        quib::FormInstance<quib::TFormRename> d(browse);
        // The new name starts selected; a picture taken without the window
        // being active would show the selection as white on white.
        ShootForm<quib::TFormRename>(d, L"rename-" + lang,
                                     [](quib::TFormRename& f) { SendMessageW(f.NewField(), EM_SETSEL, 0, 0); });
    }
    quib::WriteUtf16Lines(h.Folder() / L"quibFMarchive-Current.txt", {L"C:\\work\\", L"C:\\Windows\\notepad.exe"});
    {
        quib::FormInstance<quib::TFormJumpFolderEx> d(
            quib::StringList{L"C:\\work\\ - quibFM", L"D:\\ - PellFMmini"}, browse);
        ShootForm<quib::TFormJumpFolderEx>(d, L"jumpfolderex-" + lang);
    }
    // The browse window on a folder with sub-folders and files of each kind.
    CreateDirectoryW((work + L"\\Data").c_str(), nullptr);
    CreateDirectoryW((work + L"\\写真").c_str(), nullptr);
    quib::WriteUtf16Lines(work + L"\\readme.txt", {L"read me"});
    quib::WriteUtf16Lines(work + L"\\setup.exe", {L"x"});
    quib::WriteUtf16Lines(work + L"\\R&D.zip", {L"x"});
    SetFileAttributesW((work + L"\\readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    {
        quib::FolderPickerHost host;
        host.driveTable = &drives;
        host.exeExt = {L".exe"};
        host.arcExt = {L".zip"};
        std::wstring chosen;
        quib::FormInstance<quib::TFormBrowse> d(host, work + L"\\", chosen);
        ShootForm<quib::TFormBrowse>(d, L"browse-" + lang, [](quib::TFormBrowse& f) { f.SelectRow(4); });
    }
    SetFileAttributesW((work + L"\\readme.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    // The tree opened down to the work folder, the jump folders with a few lines.
    {
        quib::FolderPickerHost host;
        host.driveTable = &drives;
        std::wstring chosen;
        quib::FormInstance<quib::TFormTree> d(host, work + L"\\Data\\", chosen);
        ShootForm<quib::TFormTree>(d, L"tree-" + lang);
    }
    {
        quib::JumpFolderFile jp2 = quib::DefaultJumpFolderFile();
        jp2.lines[0] = quib::MakeJumpLine(jp2.lines[0], 0, L"作業", work + L"\\");
        jp2.lines[3] = quib::MakeJumpLine(jp2.lines[3], 3, L"data", L"%P\\data\\");
        jp2.lines[37] = quib::MakeJumpLine(jp2.lines[37], 37, L"Windows", L"C:\\Windows\\");
        quib::WriteJumpFolderFile(quib::JumpFolderFilePath(quib::ProgramFolder()), jp2);
        quib::FolderPickerHost host;
        std::wstring chosen;
        quib::FormInstance<quib::TFormJumpFolder> d(host, chosen);
        ShootForm<quib::TFormJumpFolder>(d, L"jumpfolder-" + lang);
        quib::FormInstance<quib::TFormInputFolder> input(host, 0);
        ShootForm<quib::TFormInputFolder>(input, L"inputfolder-" + lang);
    }
}

void Shoot(bool japanese) {
    const std::wstring lang = japanese ? L"ja" : L"en";
    MainWindowHarness h;
    CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
    for (const wchar_t* help : {L"quibFMarchive.txt", L"quibFMarchive_First.txt", L"quibFMarchive_ViewGrid.txt"})
        CopyFileW((BinDir() + L"\\" + help).c_str(), (h.Folder() / help).c_str(), FALSE);
    h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
    if (!g_style.empty()) h.Setting(L"VclStyle", L"Text", g_style);
    auto& f = h.Start({ProgramFixture(L"levels.zip")});
    Pump(300);
    SaveWindowPicture(f.Handle(), L"main-" + lang);
    ShootModal<quib::TFormLog>(h, quib::tag::MenuShowLog, japanese ? L"ログ表示" : L"Log", L"log-" + lang);
    ShootModal<quib::TFormHelp>(h, quib::tag::MenuShowHelp, japanese ? L"ヘルプ表示" : L"Help", L"help-" + lang);
    // Initial search on: its indicator in the panel and its two menus.
    h.Command(quib::tag::MenuInitialSearch);
    Pump(300);
    SaveWindowPicture(f.Handle(), L"main-search-" + lang);
    h.Command(quib::tag::MenuInitialSearch);
    // The filer selection over two stand-in filers, the second row selected.
    {
        RunningProgram quibFM(UnixToWin(QUIB_STANDIN_FILER_DIR) + L"\\standin-filer.exe", L"--name C:\\work");
        RunningProgram pell(UnixToWin(QUIB_STANDIN_FILER_DIR) + L"\\standin-filer.exe", L"--kind PellFM --name D:\\");
        quibFM.WaitForWindow(L" - quibFM");
        pell.WaitForWindow(L" - PellFM");
        ShootModal<quib::TFormSelectFiler>(h, quib::tag::MenuFilerSetFocus, japanese ? L"ファイラー選択" : L"Select filer",
                                           L"selectfiler-" + lang, [](quib::TFormSelectFiler& d) {
                                               SendMessageW(d.ListBox1(), LB_SETCURSEL, 1, 0);
                                               SetFocus(d.ListBox1());
                                           });
    }
    // The key-map viewer of the main window's map.
    {
        quib::FormInstance<quib::TFormKeyMap> viewer;
        viewer.Create();
        viewer.Show();
        Pump(300);
        SaveWindowPicture(viewer.Handle(), L"keymap-" + lang);
    }
    // The extraction dialog on a file, the chooser and the association picker.
    PressKey(f.ListView1(), VK_DOWN);
    ShootModal<quib::TFormExtract>(h, quib::tag::MenuUnpack, japanese ? L"ファイル解凍" : L"Extract files",
                                   L"extract-" + lang);
    // The pop-up extraction window and the destination input dialog.
    quib::IniFile(h.Ini()).WriteString(L"ExtractName", L"0", L"work");
    quib::IniFile(h.Ini()).WriteString(L"ExtractFolder", L"0", h.Folder().Path());
    ShootModal<quib::TFormPopUp>(h, quib::tag::MenuShowPopup, japanese ? L"解凍画面" : L"Extraction", L"popup-" + lang);
    {
        quib::FormInstance<quib::TFormInputExtract> input(0, nullptr, std::wstring());
        ShootForm<quib::TFormInputExtract>(input, L"inputextract-" + lang);
    }
    // The parameter settings dialog, every page.
    ShootModal<quib::TFormSetting>(h, quib::tag::MenuParameterSetting, japanese ? L"パラメータ設定" : L"Parameter settings",
                                   L"setting-0-" + lang, [&](quib::TFormSetting& d) {
                                       for (int i = 1; i < quib::TFormSetting::kPageCount; ++i) {
                                           d.ShowPage(static_cast<quib::TFormSetting::Page>(i));
                                           Pump(100);
                                           SaveWindowPicture(d.Handle(), L"setting-" + std::to_wstring(i) + L"-" + lang);
                                       }
                                       d.ShowPage(quib::TFormSetting::Page::Color);
                                       d.BoolButtomCancel = true;
                                   });
    ShootModal<quib::TFormArchiveSetting>(
        h, quib::tag::MenuArchiveSetting, japanese ? L"アーカイブパラメータ設定" : L"Archive settings",
        L"archivesetting-0-" + lang, [&](quib::TFormArchiveSetting& d) {
            for (int i = 1; i < quib::TFormArchiveSetting::kPageCount; ++i) {
                d.ShowPage(static_cast<quib::ArchivePage>(i));
                Pump(100);
                SaveWindowPicture(d.Handle(), L"archivesetting-" + std::to_wstring(i) + L"-" + lang);
            }
            d.ShowPage(quib::ArchivePage::Setting);
            d.BoolButtomCancel = true;
        });
    // The keyboard settings dialog on the main window's map, its launcher
    // category, and the launcher with two slots and its registration dialog.
    ShootModal<quib::TFormKeyBoard>(h, quib::tag::MenuKeyBoad, japanese ? L"キーボード設定" : L"Keyboard settings",
                                    L"keyboard-" + lang, [](quib::TFormKeyBoard& d) {
                                        d.PickCategory(1);
                                        Pump(100);
                                    });
    {
        quib::LauncherFile lnc{quib::EmptyLauncherLines(), quib::LauncherEncoding::Utf16Le};
        lnc.lines[1] = L"エディタ";
        lnc.lines[3] = L"%p\\editor.exe";
        lnc.lines[5 * 37 + 1] = L"viewer";
        lnc.lines[5 * 37 + 2] = L"0";
        lnc.lines[5 * 37 + 3] = L"\"C:\\Program Files\\Viewer\\view.exe\"";
        lnc.lines[5 * 37 + 4] = L"-full";
        quib::WriteLauncherFile(h.Folder() / L"quibFM.lnc", lnc);
        quib::FormInstance<quib::TFormLauncher> launcher(nullptr);
        ShootForm(launcher, L"launcher-" + lang);
        quib::FormInstance<quib::TFormInputLauncher> input(nullptr, 0);
        ShootForm(input, L"inputlauncher-" + lang);
    }
    {
        quib::FormInstance<quib::TFormExecute> chooser(std::vector<quib::Association>{
            {L"@ArchiveViwer", L".zip", L"@ArchiveViwer", L"DUMMY"},
            {L"ARCHIVE", L".zip", L"\"C:\\Tools\\quibFMarchive.exe\" hwnd=%h", L"DUMMY"}});
        chooser.Create();
        chooser.Show();
        Pump(300);
        SaveWindowPicture(chooser.Handle(), L"execute-" + lang);
    }
    {
        WriteFileBytes(h.Folder() / L"quibFM.ext", ".txt\r\nnotepad.exe\r\n/\r\n.jpg\r\n.png\r\nquibFMimage.exe\r\n");
        quib::FormInstance<quib::TFormExtention> picker;
        picker.Create();
        picker.Show();
        Pump(300);
        SaveWindowPicture(picker.Handle(), L"extention-" + lang);
    }
    // The text viewer on a Shift_JIS readme with line numbers, its find
    // dialog and the go-to-line dialog.
    {
        const std::wstring file = h.Folder() / L"readme.txt";
        std::wstring text = L"quibFMarchive 説明書\r\n\r\n■ はじめに\r\n\tこのソフトは書庫の中身を一覧し、キーボードで解凍します。\r\n"
                            L"■ 使い方\r\n\t1. 書庫を開く\t(Ctrl+O)\r\n\t2. Enter で表示\r\n";
        for (int i = 1; i <= 40; ++i) text += L"行 " + std::to_wstring(i) + L" : 全角　空白とタブ\tの例\r\n";
        WriteFileBytes(file, quib::WideToAnsi(text, 932));
        for (const wchar_t* key : {L"ShowLineNumber", L"CrLf", L"EOF", L"Tab", L"DBCS"})
            quib::IniFile(h.Ini()).WriteBool(L"Editor", key, true);
        DuringModal driver([&] {
            HWND w = FindThreadWindow(file + (japanese ? L" - テキスト表示" : L" - Text Viwer"));
            auto* v = w ? dynamic_cast<quib::TFormText*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!v || !v->BoolFormShow) return false;
            SetWindowPos(w, nullptr, 0, 0, 900, 420, SWP_NOMOVE | SWP_NOZORDER);
            Pump(300);
            SaveWindowPicture(w, L"text-" + lang);
            v->RunCommand(1101);
            Pump(300);
            if (auto* find = v->FindDialog()) {
                SaveWindowPicture(find->Handle(), L"find-" + lang);
                find->Close();
                Pump(100);
            }
            DuringModal jump([&] {
                HWND j = FindThreadWindow(japanese ? L"行へ移動" : L"Go to line");
                if (!j) return false;
                SaveWindowPicture(j, L"jump-" + lang);
                PostMessageW(j, WM_CLOSE, 0, 0);
                return true;
            });
            v->RunCommand(1221);
            const std::pair<int, std::pair<const wchar_t*, const wchar_t*>> dialogs[] = {
                {1531, {L"記号表示位置設定", L"Symbol positions"}},
                {1404, {L"行番号表示設定", L"Line number settings"}},
                {1521, {L"カーソル移動設定", L"Cursor moving settings"}}};
            for (const auto& [command, captions] : dialogs) {
                const std::wstring caption = japanese ? captions.first : captions.second;
                DuringModal shot([&] {
                    HWND d = FindThreadWindow(caption);
                    if (!d) return false;
                    Pump(100);
                    SaveWindowPicture(d, L"textsetting" + std::to_wstring(command) + L"-" + lang);
                    PostMessageW(d, WM_CLOSE, 0, 0);
                    return true;
                });
                v->RunCommand(command);
            }
            v->Close();
            return true;
        });
        quib::ShowTextViewer(file);
    }
    // The small folder dialogs, each with something in it.
    ShootFolderDialogs(h, lang);
    // The grid viewer with a title row and a title column, a block selected.
    {
        const std::wstring csv =
            L"商品,価格,在庫,メモ\r\nりんご,120,35,\"青森産\n箱入り\"\r\nみかん,80,120,\"愛媛産, 小玉\"\r\n"
            L"ぶどう,450,12,\"巨峰\"\"特選\"\"\"\r\nばなな,98,60,\r\nもも,300,8,\"岡山産\n白桃\n贈答用\"\r\n";
        WriteFileBytes(h.Folder() / L"sample.csv", quib::WideToUtf8(csv));
        quib::FormInstance<quib::TFormViewGrid> grid(h.Folder() / L"sample.csv");
        grid.Create();
        grid.Show();
        Pump(100);
        grid.RunCommand(1033);
        grid.RunCommand(1321);  // the first row becomes the title row
        grid.RunCommand(1331);  // the first column becomes the title column
        grid.RunCommand(1311);  // columns fitted
        HWND g = grid.StringGrid1().Handle();
        SetFocus(g);
        PressKey(g, VK_DOWN);
        PressKey(g, VK_RIGHT);
        PressKey(g, VK_RIGHT, 1);
        PressKey(g, VK_DOWN, 1);
        Pump(400);  // past the notice of the LF inside CR LF lines (the harness takes it)
        SaveWindowPicture(grid.Handle(), L"viewgrid-" + lang);
        // A cell of three lines in the editor, its line breaks marked.
        PressKey(g, VK_RIGHT);
        PressKey(g, VK_RIGHT);
        for (int i = 0; i < 3; ++i) PressKey(g, VK_DOWN);
        Pump(100);
        SaveWindowPicture(grid.Handle(), L"viewgrid-cell-" + lang);
    }
    h.Close();
}

// The image viewer on a picture of a zip: as it opens, and turned with its
// side bars shown.
void ShootImage(bool japanese) {
    const std::wstring lang = japanese ? L"ja" : L"en";
    MainWindowHarness h;
    CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
    h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
    if (!g_style.empty()) h.Setting(L"VclStyle", L"Text", g_style);
    const int w = 480, ht = 300;
    std::vector<std::uint8_t> px(static_cast<size_t>(w) * ht * 4);
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = static_cast<std::uint8_t>(255 * y / ht), p[1] = static_cast<std::uint8_t>(255 * x / w);
            p[2] = static_cast<std::uint8_t>((x / 40 + y / 40) % 2 ? 230 : 60), p[3] = 255;
        }
    const std::wstring zip = h.Folder() / L"pictures.zip";
    WriteFileBytes(zip, StoredZip({{"photo.jpg", EncodePicture(GUID_ContainerFormatJpeg, w, ht, px)}}));
    auto& f = h.Start({zip});
    PressKey(f.ListView1(), VK_DOWN);
    const std::wstring caption = japanese ? L"画像表示[WIC]" : L"Image Viwer[WIC]";
    ShootModal<quib::TFormImage>(h, quib::tag::MenuImageWic, caption, L"image-" + lang);
    ShootModal<quib::TFormImage>(h, quib::tag::MenuImageWic, caption, L"image-turned-" + lang,
                                 [](quib::TFormImage& v) {
                                     v.RunCommand(1331);
                                     v.RunCommand(1311);
                                     Pump(100);
                                 });
    {
        quib::FormInstance<quib::TFormKeyMove> keys(nullptr);
        keys.BoolJapanese = japanese;
        keys.Create();
        keys.Show();
        Pump(300);
        SaveWindowPicture(keys.Handle(), L"keymove-" + lang);
    }
    h.Close();
}

// The player on a music file of a zip, with the system's media player
// control (what the control paints is its own).
void ShootPlayer(bool japanese) {
    const std::wstring lang = japanese ? L"ja" : L"en";
    MainWindowHarness h;
    CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
    h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
    if (!g_style.empty()) h.Setting(L"VclStyle", L"Text", g_style);
    const std::wstring zip = h.Folder() / L"music.zip";
    WriteFileBytes(zip, StoredZip({{"song.mp3", "not really music"}, {"tune.mp3", "nor this"}}));
    auto& f = h.Start({zip});
    PressKey(f.ListView1(), VK_DOWN);
    const std::wstring caption = japanese ? L"動画・音楽プレイヤー ○ song.mp3" : L"Movie/Music Player ○ song.mp3";
    ShootModal<quib::TFormPlayer>(h, quib::tag::MenuMovieMusicPlayer, caption, L"player-" + lang);
    h.Close();
}

// The self-extracting listing with its kind in the status bar, the DLL
// selection dialog, the password dialog and the delete dialog.
void ShootSfxAndDelete(bool japanese) {
    const std::wstring lang = japanese ? L"ja" : L"en";
    {
        MainWindowHarness h;
        CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        h.Setting(L"AutoCheckSfx", L"zip", L"1");
        if (!g_style.empty()) h.Setting(L"VclStyle", L"Text", g_style);
        auto& f = h.Start({L"hsfx=%h", ProgramFixture(L"sfxzip.exe")});
        Pump(300);
        SaveWindowPicture(f.Handle(), L"main-sfx-" + lang);
        ShootModal<quib::TFormSelectDll>(h, quib::tag::MenuFileSfxList, japanese ? L"DLL選択" : L"Select DLL",
                                         L"selectdll-" + lang);
        ShootModal<quib::TFormPassword>(h, quib::tag::MenuPassword,
                                        japanese ? L"解凍パスワード入力" : L"Password for extraction",
                                        L"password-" + lang, [](quib::TFormPassword& d) {
                                            SetWindowTextW(d.PasswordEdit(), L"secret");
                                        });
        h.Close();
    }
    {
        MainWindowHarness h;
        CopyTree(BinDir() + L"\\Language", h.Folder() / L"Language");
        h.Setting(L"Language", L"Japanese", japanese ? L"1" : L"0");
        h.Setting(L"ListText", L"Enabled", L"1");
        h.Setting(L"ListFiler", L"Enabled", L"0");
        if (!g_style.empty()) h.Setting(L"VclStyle", L"Text", g_style);
        auto& f = h.Start({ProgramFixture(L"levels.zip")});
        h.Command(quib::tag::MenuAllMarkFile);
        (void)f;
        ShootModal<quib::TFormDelete>(h, quib::tag::MenuDelete, japanese ? L"ファイル削除" : L"Delete files",
                                      L"delete-" + lang);
        h.Close();
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    g_out = argv[1];
    if (argc > 2) g_style = argv[2];
    Shoot(true);
    Shoot(false);
    ShootImage(true);
    ShootImage(false);
    ShootPlayer(true);
    ShootPlayer(false);
    ShootSfxAndDelete(true);
    ShootSfxAndDelete(false);
    return 0;
}
