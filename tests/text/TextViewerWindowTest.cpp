// The text viewer as a real window: decoded text and status read back from
// its controls, the deferred messages, the key map and its file, scrolling
// with real keys, line numbers in step, wrap, the search bar and its menu,
// the find and go-to-line dialogs, copying and the size limit.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "FormTestSupport.h"
#include "keymap/KeyMap.h"
#include "util/IniFile.h"
#include "util/Message.h"
#include "util/StrConv.h"
#include "viewers/grid/FormViewGrid.h"
#include "settings/FormSetting.h"
#include "viewers/text/DecEdit.h"
#include "viewers/text/FormFind.h"
#include "viewers/text/FormText.h"
#include "viewers/text/FormTextSettings.h"
#include "viewers/text/TextRules.h"

using namespace quibtest;
using quib::TFormText;

namespace {

struct FindViewerData {
    TFormText* found = nullptr;
};
BOOL CALLBACK FindViewerProc(HWND w, LPARAM lp) {
    auto* d = reinterpret_cast<FindViewerData*>(lp);
    if (auto* v = dynamic_cast<TFormText*>(quib::TFormBase::FromHandle(w)); v && IsWindowVisible(w)) {
        d->found = v;
        return FALSE;
    }
    return TRUE;
}
TFormText* OpenViewer() {
    FindViewerData d;
    EnumThreadWindows(GetCurrentThreadId(), FindViewerProc, reinterpret_cast<LPARAM>(&d));
    return d.found && d.found->BoolFormShow ? d.found : nullptr;
}

std::string U8(const std::wstring& w) { return quib::WideToUtf8(w); }

class TextViewer : public testing::Test {
protected:
    TestProgramFolder program;
    TempDir dir;
    MsgCapture messages;
    void SetUp() override { quib::SetUiJapanese(true); }
    std::wstring File(const std::string& bytes, const std::wstring& name = L"t.txt") {
        WriteFileBytes(dir / name, bytes);
        return dir / name;
    }
    // Opens the viewer modally on the file and runs the body while it stands.
    void With(const std::wstring& file, const std::function<void(TFormText&)>& body) {
        bool ran = false;
        DuringModal driver([&] {
            TFormText* v = OpenViewer();
            if (!v) return false;
            body(*v);
            ran = true;
            v->Close();
            return true;
        });
        quib::ShowTextViewer(file);
        EXPECT_TRUE(ran);
    }
};

const std::string kSjisReadme = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\x81\x41\x90\xa2\x8a\x45\r\n"
                                "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\r\n";
const std::wstring kReadmeText = L"こんにちは、世界\r\n日本語のテキスト\r\n";

struct ShowCase {
    const char* name;
    std::string bytes;
    std::wstring text;
    std::wstring charText, retText;
};

const ShowCase kShow[] = {
    {"Shift_JIS", kSjisReadme, kReadmeText, L"Shift_JIS", L"Cr+Lf(Windows) "},
    {"EUC-JP", "\xa4\xa2\xa4\xa4\n\xb4\xc1\n", L"あい\r\n漢\r\n", L"EUC-JP", L"Lf(OSX,Android)"},
    {"JIS", "\x1b$B$\"$$\x1b(B\r\nabc", L"あい\r\nabc\r\n", L"JIS", L"Cr+Lf(Windows) "},
    {"JIS by a number sign", "#include <a.h>\r\nint x;\r\n", L"#include <a.h>\r\nint x;\r\n", L"JIS", L"Cr+Lf(Windows) "},
    {"UTF-8", "\xe3\x81\x82\xe3\x81\x84\r", L"あい\r\n", L"UTF8  [BOM無]", L"Cr(OS9)"},
    {"UTF-16LE with mark", std::string("\xff\xfe\x42\x30\x0d\x00\x0a\x00", 8), L"あ\r\n", L"UTF16 [BOM有 LittleEndian]",
     L"Cr+Lf(Windows) "},
    {"UTF-16BE without mark", std::string("\x30\x42\x00\x0d\x00\x0a", 6), L"あ\r\n", L"UTF16 [BOM無 BigEndian]",
     L"Cr+Lf(Windows) "},
    {"empty", "", L"", L"Shift_JIS", L"無し"},
};

TEST_F(TextViewer, ShowsDecodedTextWithItsStatus) {
    for (const auto& c : kShow) {
        messages.Clear();
        With(File(c.bytes), [&](TFormText& v) {
            EXPECT_EQ(WindowText(v.Memo1()), c.text) << c.name << ": " << U8(WindowText(v.Memo1()));
            EXPECT_EQ(v.StatusText(1, 4), c.charText) << c.name;
            EXPECT_EQ(v.StatusText(2, 4), c.charText) << c.name;
            EXPECT_EQ(v.StatusText(1, 5), c.retText) << c.name;
            EXPECT_EQ(v.StatusText(1, 3), L"") << c.name;
            EXPECT_EQ(WindowText(v.Handle()), (dir / L"t.txt") + L" - テキスト表示");
            Pump(400);
        });
        EXPECT_TRUE(messages.Texts().empty()) << c.name << ": " << (messages.Texts().empty() ? "" : U8(messages.Texts()[0]));
    }
}

TEST_F(TextViewer, EnglishStatusTexts) {
    quib::SetUiJapanese(false);
    With(File(std::string("\xff\xfe\x61\x00", 4)), [&](TFormText& v) {
        EXPECT_EQ(v.StatusText(1, 4), L"UTF16 [WithBOM LittleEndian]");
        EXPECT_EQ(v.StatusText(1, 5), L"None");
        EXPECT_EQ(v.StatusText(1, 2), L"Row:1");
        EXPECT_EQ(v.StatusText(1, 1), L"Row:1 Col:1");
        EXPECT_EQ(WindowText(v.Handle()), (dir / L"t.txt") + L" - Text Viwer");
    });
}

// The language file reaches the items of every bar and of the context menu.
TEST_F(TextViewer, EnglishCaptionsFromTheLanguageFile) {
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", quib::ProgramFolder() + L"\\Language"));
    quib::SetUiJapanese(false);
    With(File("x\r\n"), [&](TFormText& v) {
        EXPECT_EQ(v.MenuItemCaption(1101), L"&Find... ");
        EXPECT_EQ(v.MenuItemCaption(1300), L"&Character code");
        EXPECT_EQ(v.MenuItemCaption(1803), L"Search bar: find &next ");
        EXPECT_EQ(v.MenuItemCaption(1901), L"&Copy");
        EXPECT_EQ(WindowText(GetDlgItem(v.Handle(), 2011)), L"Next(&V)");
        v.SwitchLanguage(true);
        EXPECT_EQ(v.MenuItemCaption(1803), L"検索バー 次を検索(&N) ");
        EXPECT_EQ(WindowText(v.Handle()), (dir / L"t.txt") + L" - テキスト表示");
        EXPECT_EQ(v.StatusText(1, 2), L"1行");
    });
}

// A UTF-16 text without a mark and without line ends has NUL bytes: shown
// through the filtered copy, read-only, with the binary message; choosing
// UTF-16 by hand keeps that path.
TEST_F(TextViewer, BinaryFileIsShownFilteredWithItsMessage) {
    With(File(std::string("a\0b\0c\0", 6)), [&](TFormText& v) {
        EXPECT_EQ(WindowText(v.Memo1()), L"abc\r\n");
        EXPECT_EQ(v.StatusText(1, 3), L"ファイル読取専用");
        Pump(400);
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], L"Information : 不正な文字を含んでいますので書き換え禁止ファイルとして扱います");
        messages.Clear();
        v.RunCommand(1310);
        Pump(400);
        EXPECT_EQ(WindowText(v.Memo1()), L"abc\r\n");
        EXPECT_TRUE(v.MenuChecked(1310));
        EXPECT_FALSE(v.MenuChecked(1321));
        ASSERT_EQ(messages.Texts().size(), 1u);
    });
    // The choice is kept for the next viewer.
    EXPECT_EQ(program.Read(L"Editor", L"ReadUTF16Le"), L"1");
    EXPECT_EQ(program.Read(L"Editor", L"ReadAuto"), L"0");
}

TEST_F(TextViewer, MixedLineEndsAreTold) {
    With(File("a\r\nb\nc\r\n"), [&](TFormText& v) {
        EXPECT_EQ(v.StatusText(1, 5), L"Cr+Lf(Windows) ");
        Pump(400);
    });
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], L"Information : 改行(CrLf)までに、さらに改行(Lf)があります");
}

TEST_F(TextViewer, ReadOnlyFileSaysSo) {
    const std::wstring f = File("text\r\n");
    SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_READONLY);
    With(f, [&](TFormText& v) { EXPECT_EQ(v.StatusText(2, 3), L"ファイル読取専用"); });
    SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(TextViewer, MissingFileIsTold) {
    With(dir / L"none.txt", [&](TFormText&) { Pump(400); });
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], L"Information : ファイルがありません");
}

// A file beyond the limit is refused with a message, never read.
TEST_F(TextViewer, FileBeyondTheLimitIsRefused) {
    const std::wstring f = dir / L"big.txt";
    HANDLE h = CreateFileW(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = static_cast<LONGLONG>(quib::kTextViewMaxBytes + 1);
    SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
    With(f, [&](TFormText& v) { EXPECT_EQ(WindowText(v.Memo1()), L""); });
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], L"Information : ファイルが大きすぎるので表示できません (上限 128 MB)\r\n" + f);
}

std::string Lines(int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "line " + std::to_string(i) + "\r\n";
    return s;
}

int CaretLine(HWND memo) {
    DWORD start = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(SendMessageW(memo, EM_LINEFROMCHAR, start, 0));
}

// Key set 0: the arrows and page keys scroll by the three steps (3, 17, 17
// lines), Home and End go to the ends; the steps stop at the text's lines.
TEST_F(TextViewer, DefaultKeysScrollBySteps) {
    With(File(Lines(100)), [&](TFormText& v) {
        HWND m = v.Memo1();
        PressKey(m, VK_DOWN);
        EXPECT_EQ(CaretLine(m), 3);
        PressKey(m, VK_RIGHT);
        EXPECT_EQ(CaretLine(m), 20);
        PressKey(m, VK_NEXT);
        EXPECT_EQ(CaretLine(m), 37);
        PressKey(m, VK_UP);
        EXPECT_EQ(CaretLine(m), 34);
        PressKey(m, VK_LEFT);
        EXPECT_EQ(CaretLine(m), 17);
        PressKey(m, VK_PRIOR);
        EXPECT_EQ(CaretLine(m), 0);
        PressKey(m, VK_END);
        EXPECT_EQ(CaretLine(m), 100);  // the empty line after the text
        PressKey(m, VK_HOME);
        EXPECT_EQ(CaretLine(m), 0);
        PressKey(m, VK_END, 4);  // Ctrl+End: the copy in the second group
        EXPECT_EQ(CaretLine(m), 100);
        PressKey(m, VK_UP);
        EXPECT_EQ(CaretLine(m), 97);
        for (int i = 0; i < 5; ++i) PressKey(m, VK_DOWN);
        EXPECT_EQ(CaretLine(m), 99);
        EXPECT_EQ(v.StatusText(1, 1), L"100行,1桁");
        EXPECT_EQ(v.StatusText(1, 2), L"100行");
    });
}

// The key-map file is written from the built-in map (commands of the other
// bars and of the context menu have no lines) and replaced when its numbers
// differ.
TEST_F(TextViewer, KeyMapFileWrittenAndReplaced) {
    const std::wstring path = quib::ProgramFolder() + L"\\quibFMarchive-KeyMapText.txt";
    With(File("x\r\n"), [](TFormText&) {});
    quib::KeyMapTable table;
    ASSERT_TRUE(quib::ReadKeyMapFile(path, table));
    ASSERT_EQ(table.size(), 73u);
    EXPECT_EQ(table.front(), quib::MakeKeyMapLine(L"ファイル", L"終了(&Q && &X)", L"", 1031));
    const auto* find = quib::FindKeyMapLine(table, L"1101");
    ASSERT_TRUE(find);
    EXPECT_EQ(find->keyText, L"F");
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1801"), nullptr);
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1901"), nullptr);
    // A user's key is kept.
    quib::FindKeyMapLine(table, L"1235")->keyText = L"J";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, table));
    With(File(Lines(20)), [](TFormText& v) {
        PressKey(v.Memo1(), 'J');
        EXPECT_EQ(CaretLine(v.Memo1()), 3);
    });
    // Other numbers: the built-in map comes back.
    table.back().number = L"9999";
    ASSERT_TRUE(quib::WriteKeyMapFile(path, table));
    With(File("x\r\n"), [](TFormText&) {});
    quib::KeyMapTable again;
    ASSERT_TRUE(quib::ReadKeyMapFile(path, again));
    EXPECT_EQ(quib::FindKeyMapLine(again, L"1235")->keyText, L"Down");
    EXPECT_EQ(quib::FindKeyMapLine(again, L"9999"), nullptr);
}

// Notepad mode: the caret keys move the caret; off again, the steps return.
TEST_F(TextViewer, NotepadCursorMode) {
    With(File(Lines(30)), [&](TFormText& v) {
        v.RunCommand(1251);
        EXPECT_TRUE(v.MenuChecked(1251));
        PressKey(v.Memo1(), VK_DOWN);
        EXPECT_EQ(CaretLine(v.Memo1()), 1);
        PressKey(v.Memo1(), VK_END);
        EXPECT_EQ(v.StatusText(1, 1), L"2行,7桁");
        v.RunCommand(1251);
        PressKey(v.Memo1(), VK_DOWN);
        EXPECT_EQ(CaretLine(v.Memo1()), 4);
    });
}

TEST_F(TextViewer, LineNumbersStayInStep) {
    program.Write(L"Editor", L"ShowLineNumber", L"1");
    With(File(Lines(10)), [&](TFormText& v) {
        EXPECT_TRUE(IsWindowVisible(v.Memo9()));
        const std::wstring numbers = WindowText(v.Memo9());
        EXPECT_EQ(numbers.substr(0, 8), L"000001\r\n");
        EXPECT_EQ(numbers.substr(numbers.size() - 8), L"000011\r\n");
        EXPECT_EQ(numbers.size(), 88u);
    });
    With(File(Lines(500)), [&](TFormText& v) {
        PressKey(v.Memo1(), VK_NEXT);
        PressKey(v.Memo1(), VK_NEXT);
        PressKey(v.Memo1(), VK_NEXT);
        PressKey(v.Memo1(), VK_NEXT);
        Pump(250);
        const LRESULT top = SendMessageW(v.Memo1(), EM_GETFIRSTVISIBLELINE, 0, 0);
        EXPECT_GT(top, 0);
        EXPECT_EQ(SendMessageW(v.Memo9(), EM_GETFIRSTVISIBLELINE, 0, 0), top);
        SendMessageW(v.Memo1(), WM_VSCROLL, SB_LINEDOWN, 0);
        Pump(250);
        EXPECT_EQ(SendMessageW(v.Memo9(), EM_GETFIRSTVISIBLELINE, 0, 0),
                  SendMessageW(v.Memo1(), EM_GETFIRSTVISIBLELINE, 0, 0));
        // Wrapping hides the pane and disables its items; back again shows it.
        v.RunCommand(1402);
        EXPECT_FALSE(IsWindowVisible(v.Memo9()));
        EXPECT_FALSE(v.MenuEnabled(1403));
        EXPECT_EQ(GetWindowLongW(v.Memo1(), GWL_STYLE) & WS_HSCROLL, 0);
        EXPECT_EQ(WindowText(v.Memo1()).substr(0, 8), L"line 1\r\n");
        v.RunCommand(1401);
        EXPECT_TRUE(IsWindowVisible(v.Memo9()));
        EXPECT_TRUE(v.MenuEnabled(1403));
    });
    EXPECT_EQ(program.Read(L"Editor", L"WrapNone"), L"1");
}

TEST_F(TextViewer, GoToLine) {
    With(File(Lines(50)), [&](TFormText& v) {
        for (auto [typed, line] : {std::pair<std::wstring, int>{L"25", 24}, {L"999", 49}, {L"", 0}}) {
            DuringModal jump([&] {
                HWND w = FindThreadWindow(L"行へ移動");
                if (!w) return false;
                HWND edit = FindWindowExW(w, nullptr, L"EDIT", nullptr);
                SetWindowTextW(edit, L"");
                for (wchar_t c : L"x" + typed) SendMessageW(edit, WM_CHAR, c, 0);  // the letter is refused
                PressKey(edit, VK_RETURN);
                return true;
            });
            v.RunCommand(1221);
            EXPECT_TRUE(jump.Done());
            EXPECT_EQ(CaretLine(v.Memo1()), line) << U8(typed);
            EXPECT_EQ(program.Read(L"Editor", L"Jump"), typed);
        }
    });
}

// The search bar: typing and Enter searches forward, Shift+Enter backward;
// while it has the focus its own menu bar is shown.
TEST_F(TextViewer, SearchBarAndItsMenu) {
    With(File("alpha beta\r\ngamma beta\r\nBeta & co\r\n"), [&](TFormText& v) {
        HMENU normal = GetMenu(v.Handle());
        EXPECT_EQ(GetMenuItemCount(normal), 6);
        v.RunCommand(1107);
        EXPECT_EQ(GetFocus(), FindWindowExW(v.ComboBox1(), nullptr, L"EDIT", nullptr));
        HMENU bar = GetMenu(v.Handle());
        ASSERT_EQ(GetMenuItemCount(bar), 1);
        EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 1803), L"検索バー 次を検索(&N) \tCtrl+V");
        SetWindowTextW(v.ComboBox1(), L"beta");
        PressKeyOnFocus(VK_RETURN);
        DWORD s = 0, e = 0;
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 6u);
        EXPECT_EQ(e, 10u);
        PressKeyOnFocus(VK_RETURN);
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 18u);
        PressKeyOnFocus(VK_RETURN);
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 24u);  // caseless by default
        PressKeyOnFocus(VK_RETURN, 1);
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 18u);
        // The text gets the focus: the normal menu returns.
        SetFocus(v.Memo1());
        EXPECT_EQ(GetMenuItemCount(GetMenu(v.Handle())), 6);
        // Not found: the word with its ampersand doubled.
        v.RunCommand(1107);
        SetWindowTextW(v.ComboBox1(), L"x & y");
        PressKeyOnFocus(VK_RETURN);
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], L"Information : 検索しましたが見つかりませんでした\r\nx && y");
        SetFocus(v.Memo1());
    });
    std::vector<std::wstring> history;
    quib::ReadUtf16Lines(quib::ProgramFolder() + L"\\quibFMarchive-Find.txt", history);
    EXPECT_EQ(history, (std::vector<std::wstring>{L"x & y", L"beta"}));
}

// Key set 0: V and T search forward and backward for the search word; an
// empty word is told.
TEST_F(TextViewer, SearchKeysAndEmptyWord) {
    With(File("one two one\r\n"), [&](TFormText& v) {
        PressKey(v.Memo1(), 'V');
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], L"Information : 検索語が設定されていません");
        v.StrSearchValue = L"one";
        PressKey(v.Memo1(), 'V');
        DWORD s = 0, e = 0;
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 0u);
        PressKey(v.Memo1(), 'V');
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 8u);
        PressKey(v.Memo1(), 'T');
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 0u);
        // A refused regular expression gives the engine's message.
        program.Write(L"Options", L"RegExp", L"1");
        v.StrSearchValue = L"(one";
        messages.Clear();
        PressKey(v.Memo1(), 'V');
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0].rfind(L"Error : 正規表現が正しくありません\r\nmissing closing parenthesis", 0), 0u)
            << U8(messages.Texts()[0]);
    });
}

// The find dialog: the word at the caret, a forward search from the dialog,
// the viewer's stand-in menu while it is active, closing.
TEST_F(TextViewer, FindDialogSearchesTheViewer) {
    With(File("abc def\r\nxyz def\r\n"), [&](TFormText& v) {
        SendMessageW(v.Memo1(), EM_SETSEL, 5, 5);
        PressKey(v.Memo1(), 'F');
        quib::TFormFind* find = v.FindDialog();
        ASSERT_TRUE(find && find->Visible());
        EXPECT_EQ(WindowText(find->ComboBox1()), L"def");
        EXPECT_EQ(program.Read(L"FormFind", L"Parent"), L"Text");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(find->Handle(), 6003)));
        SendMessageW(find->ButtonNext(), BM_CLICK, 0, 0);
        DWORD s = 0, e = 0;
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 13u);
        EXPECT_EQ(e, 16u);
        EXPECT_EQ(program.Read(L"Options", L"SearchWord"), L"def");
        EXPECT_EQ(find->History(), std::vector<std::wstring>{L"def"});
        SendMessageW(find->CheckBox1(), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(find->ButtonPrev(), BM_CLICK, 0, 0);
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 4u);
        WaitFor([&] { return !find->Visible(); });
        EXPECT_FALSE(find->Visible());  // closed after a successful search
        EXPECT_EQ(GetMenuItemCount(GetMenu(v.Handle())), 6);
    });
    EXPECT_TRUE(messages.Texts().empty());
}

// The tab mark is drawn near each tab's start, at the position the control
// reports; with every mark off nothing is drawn.
TEST_F(TextViewer, TheTextControlReportsVerticalScrolls) {
    With(File(Lines(500)), [&](TFormText& v) {
        int scrolled = 0;
        v.MemoEx().OnVScrolled = [&] { ++scrolled; };
        SendMessageW(v.Memo1(), WM_VSCROLL, SB_LINEDOWN, 0);
        SendMessageW(v.Memo1(), WM_VSCROLL, SB_PAGEDOWN, 0);
        Pump(50);
        EXPECT_EQ(scrolled, 2);
        EXPECT_GT(SendMessageW(v.Memo1(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        // Unassigned, as the viewer leaves it: scrolling goes on quietly.
        v.MemoEx().OnVScrolled = nullptr;
        SendMessageW(v.Memo1(), WM_VSCROLL, SB_LINEDOWN, 0);
        Pump(50);
        EXPECT_EQ(scrolled, 2);
    });
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

TEST_F(TextViewer, TheSettingsDialogsFontAppliesAtOnceAndCancelChangesNothing) {
    // Through the dialog as the user works it: the text's font item, a new
    // face and size, taken, then OK (or Cancel).
    auto runDialog = [](TFormText& v, bool ok) {
        bool ran = false;
        DuringModal dialog([&] {
            HWND w = FindThreadWindow(L"パラメータ設定");
            auto* f = w ? dynamic_cast<quib::TFormSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!f || !f->Visible()) return false;
            SendMessageW(f->ColorList(), LB_SETCURSEL, 14, 0);
            SendMessageW(GetParent(f->ColorList()), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(f->ColorList()), LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(f->ColorList()));
            SetWindowTextW(f->FontNameField(), L"Courier New");
            SetWindowTextW(f->FontSizeField(), L"20");
            SendMessageW(f->ButtonApplyColor(), BM_CLICK, 0, 0);
            SendMessageW(ok ? f->ButtonOK() : f->ButtonCancel(), BM_CLICK, 0, 0);
            ran = true;
            return true;
        });
        v.RunCommand(1501);
        EXPECT_TRUE(ran);
    };
    WriteFileBytes(quib::ProgramFolder() + L"\\quibFM.ini", "");
    With(File("abc\r\n"), [&](TFormText& v) {
        // With quibView's colours (the default) the dialog is not offered;
        // the user turns them off (possible with the filer's settings file).
        EXPECT_FALSE(v.MenuEnabled(1501));
        v.RunCommand(1541);
        const LOGFONTW before = FontOf(v.Memo1());
        runDialog(v, false);
        EXPECT_EQ(FontOf(v.Memo1()).lfHeight, before.lfHeight);
        EXPECT_EQ(std::wstring(FontOf(v.Memo1()).lfFaceName), before.lfFaceName);
        runDialog(v, true);
        const LOGFONTW after = FontOf(v.Memo1());
        EXPECT_EQ(std::wstring(after.lfFaceName), L"Courier New");
        EXPECT_EQ(after.lfHeight, -MulDiv(20, static_cast<int>(v.Dpi()), 72));
        EXPECT_EQ(WindowText(v.Memo1()), L"abc\r\n") << "the text stays";
    });
    EXPECT_EQ(program.Read(L"Editor", L"FontName"), L"Courier New");
}

TEST_F(TextViewer, MarksAtTheirCharacters) {
    With(File("a\tb\r\n\tc\r\n"), [&](TFormText& v) {
        UpdateWindow(v.Memo1());
        EXPECT_TRUE(v.MemoEx().LastMarks().empty());
        v.RunCommand(1413);
        EXPECT_TRUE(v.MenuChecked(1413));
        RedrawWindow(v.Memo1(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const auto& marks = v.MemoEx().LastMarks();
        ASSERT_EQ(marks.size(), 2u);
        const LRESULT p1 = SendMessageW(v.Memo1(), EM_POSFROMCHAR, 1, 0);
        const LRESULT p2 = SendMessageW(v.Memo1(), EM_POSFROMCHAR, 5, 0);
        EXPECT_EQ(marks[0].y, static_cast<short>(HIWORD(p1)));
        EXPECT_EQ(marks[1].y, static_cast<short>(HIWORD(p2)));
        EXPECT_GT(marks[1].y, marks[0].y);
        EXPECT_LE(std::abs(marks[0].x - static_cast<short>(LOWORD(p1))), 8);
        v.RunCommand(1411);
        v.RunCommand(1412);
        RedrawWindow(v.Memo1(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(v.MemoEx().LastMarks().size(), 5u);  // two tabs, two line ends, the end of the text
        v.RunCommand(1411);
        v.RunCommand(1412);
        v.RunCommand(1413);
    });
    EXPECT_EQ(program.Read(L"Editor", L"Tab"), L"0");
}

// The scroll-step dialog opens with its first list focused, shows the
// stored index as its step, and its OK gives the viewer the new step.
TEST_F(TextViewer, ScrollStepDialog) {
    With(File(Lines(40)), [&](TFormText& v) {
        std::wstring shown;
        bool firstFocused = false;
        DuringModal dialog([&] {
            HWND w = FindThreadWindow(L"カーソル移動設定");
            auto* d = w ? dynamic_cast<quib::TFormPageSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!d) return false;
            if (!WaitFor([&] { return GetFocus() == d->List(0); }, 2000)) return true;
            firstFocused = true;
            shown = WindowText(d->List(0));
            SendMessageW(d->List(2), CB_SETCURSEL, 4, 0);
            d->ButtonOKClick();
            return true;
        });
        v.RunCommand(1521);
        EXPECT_TRUE(firstFocused);
        EXPECT_EQ(shown, L"17");
        PressKey(v.Memo1(), VK_DOWN);
        EXPECT_EQ(CaretLine(v.Memo1()), 5);
    });
    EXPECT_EQ(program.Read(L"Editor", L"ScrollPlusIndex"), L"4");
}

// The symbol-position dialog: a field takes "-" only first and no letters;
// an empty field is refused and the dialog stays; OK writes the section.
TEST_F(TextViewer, SymbolPositionDialog) {
    program.Write(L"Editor", L"SameAsQuibView", L"0");
    With(File("a\tb\r\n"), [&](TFormText& v) {
        DuringModal dialog([&] {
            HWND w = FindThreadWindow(L"記号表示位置設定");
            auto* d = w ? dynamic_cast<quib::TFormKigouSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!d) return false;
            EXPECT_EQ(WindowText(d->Field(2)), L"8");
            SetWindowTextW(d->Field(2), L"");
            d->ButtonOKClick();
            EXPECT_TRUE(IsWindowVisible(w));
            for (wchar_t c : std::wstring(L"2-a4")) SendMessageW(d->Field(2), WM_CHAR, c, 0);
            EXPECT_EQ(WindowText(d->Field(2)), L"24");
            SendMessageW(d->Field(0), EM_SETSEL, 0, 0);
            SendMessageW(d->Field(0), WM_CHAR, L'-', 0);
            EXPECT_EQ(WindowText(d->Field(0)), L"-15");
            d->ButtonOKClick();
            return true;
        });
        v.RunCommand(1531);
        EXPECT_EQ(v.ShiftTab, 24);
        EXPECT_EQ(v.ShiftRet, -15);
    });
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], L"Error : '' は整数ではありません");
    EXPECT_EQ(program.Read(L"Editor", L"ShiftTab"), L"24");
}

TEST_F(TextViewer, LineNumberDialog) {
    program.Write(L"Editor", L"ShowLineNumber", L"1");
    With(File(Lines(3)), [&](TFormText& v) {
        DuringModal dialog([&] {
            HWND w = FindThreadWindow(L"行番号表示設定");
            auto* d = w ? dynamic_cast<quib::TFormLineSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!d) return false;
            EXPECT_EQ(SendMessageW(d->Radio(1), BM_GETCHECK, 0, 0), BST_CHECKED);
            SetWindowTextW(d->Field(), L"120");
            SendMessageW(d->Radio(0), BM_CLICK, 0, 0);
            d->ButtonOKClick();
            return true;
        });
        v.RunCommand(1404);
        EXPECT_EQ(WindowText(v.Memo9()), L"     1\r\n     2\r\n     3\r\n     4\r\n");
        RECT r;
        GetWindowRect(v.Memo9(), &r);
        EXPECT_EQ(r.right - r.left, 120);
    });
    EXPECT_EQ(program.Read(L"Editor", L"LineZero"), L"0");
}

// The context menu offers copying only with a selection, and select-all
// only when not everything is selected.
TEST_F(TextViewer, ContextMenuFollowsTheSelection) {
    With(File("abc\r\n"), [&](TFormText& v) {
        HMENU popup = v.PopupMenu(1900);
        ASSERT_TRUE(popup);
        SendMessageW(v.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        EXPECT_FALSE(v.MenuEnabled(1901));
        EXPECT_FALSE(v.MenuEnabled(1902));
        EXPECT_TRUE(v.MenuEnabled(1903));
        EXPECT_TRUE(v.MenuEnabled(1904));
        v.RunCommand(1203);
        SendMessageW(v.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        EXPECT_TRUE(v.MenuEnabled(1901));
        EXPECT_FALSE(v.MenuEnabled(1903));
    });
}

// Shift with an arrow over a selection across a line end puts the part
// before the first CR into the search bar.
TEST_F(TextViewer, ShiftSelectionGoesToTheSearchBar) {
    With(File("first\r\nsecond\r\n"), [&](TFormText& v) {
        SendMessageW(v.Memo1(), EM_SETSEL, 2, 9);
        SetFocus(v.Memo1());
        PressKey(v.Memo1(), VK_RIGHT, 1);
        EXPECT_EQ(WindowText(v.ComboBox1()), L"rst");
    });
}

TEST_F(TextViewer, CopyCommands) {
    With(File("first line\r\nsecond\r\n"), [&](TFormText& v) {
        SetClipboardText(L"old");
        SendMessageW(v.Memo1(), EM_SETSEL, 14, 14);
        v.RunCommand(1211);
        EXPECT_EQ(ClipboardText(), L"second");
        v.RunCommand(1212);  // the word at the caret
        DWORD s = 0, e = 0;
        SendMessageW(v.Memo1(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, 12u);
        EXPECT_EQ(e, 18u);
        v.RunCommand(1202);
        EXPECT_EQ(ClipboardText(), L"secondsecond");
        SendMessageW(v.Memo1(), EM_SETSEL, 0, 5);
        v.RunCommand(1201);
        EXPECT_EQ(ClipboardText(), L"first");
    });
}

}  // namespace

// The grid command hands the viewer's file to the grid viewer; a file removed
// meanwhile is told instead, in both languages.
TEST_F(TextViewer, TheGridCommandShowsTheFileInTheGridOrSaysItIsGone) {
    const std::wstring file = File("a,b\r\nc,d\r\n", L"t.csv");
    bool gridSeen = false;
    int gridRows = 0;
    With(file, [&](TFormText& v) {
        DuringModal grid([&] {
            HWND w = FindThreadWindow(file + L" - グリッド表示");
            auto* g = w ? dynamic_cast<quib::TFormViewGrid*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!g) return false;
            gridSeen = true;
            gridRows = g->StringGrid1().RowCount();
            g->Close();
            return true;
        });
        v.RunCommand(1051);
        messages.Clear();
        DeleteFileW(file.c_str());
        v.RunCommand(1051);
        quib::SetUiJapanese(false);
        v.RunCommand(1051);
        quib::SetUiJapanese(true);
    });
    EXPECT_TRUE(gridSeen);
    EXPECT_GE(gridRows, 2);
    EXPECT_EQ(messages.Texts(), (std::vector<std::wstring>{L"Information : ファイルがありません",
                                                           L"Information : File is not exist.\r\n[OK]"}));
}

namespace {

TEST(DecEdit, ANewAlignmentMakesTheFieldAgainKeepingItsTextIdAndFilter) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND before = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"12", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10,
                                  120, 24, parent, reinterpret_cast<HMENU>(77), nullptr, nullptr);
    quib::TDecEdit edit;
    edit.Attach(before, quib::DecimalUnSigned);
    EXPECT_EQ(edit.Alignment(), ES_LEFT);
    edit.SetAlignment(ES_RIGHT);
    HWND after = edit.Handle();
    EXPECT_NE(after, before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(edit.Alignment(), ES_RIGHT);
    EXPECT_EQ(GetWindowLongW(after, GWL_STYLE) & ES_AUTOHSCROLL, ES_AUTOHSCROLL);
    EXPECT_EQ(GetParent(after), parent);
    EXPECT_EQ(GetDlgCtrlID(after), 77);
    EXPECT_EQ(WindowText(after), L"12");
    RECT rc;
    GetWindowRect(after, &rc);
    EXPECT_EQ(rc.right - rc.left, 120);
    // The number filter goes with it.
    SendMessageW(after, EM_SETSEL, 2, 2);
    SendMessageW(after, WM_CHAR, L'a', 1);
    SendMessageW(after, WM_CHAR, L'3', 1);
    EXPECT_EQ(WindowText(after), L"123");
    // The same alignment again changes nothing.
    edit.SetAlignment(ES_RIGHT);
    EXPECT_EQ(edit.Handle(), after);
    DestroyWindow(parent);
    EXPECT_EQ(edit.Handle(), nullptr);
}

}  // namespace
