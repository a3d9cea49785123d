// The help files the build puts beside the program. Their key tables are made
// from the command table's source text by a script; these tests hold them
// against the command table the program is compiled from and against the
// shipped language file, so a key or caption that drifts, a row the script
// fails to read, or a command that slips into the table without a key fails
// here instead of misleading users.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "app/MainMenuTable.h"
#include "extract/FormBrowse.h"
#include "extract/FormPopUp.h"
#include "extract/FormTree.h"
#include "keymap/KeyMapRegistry.h"
#include "util/StrConv.h"
#include "viewers/image/FormImage.h"
#include "viewers/player/FormPlayer.h"
#include "viewers/text/FormText.h"

namespace {

struct HelpFile {
    const wchar_t* name;
    const wchar_t* japaneseHeading;
    const wchar_t* englishHeading;
};

const HelpFile kHelpFiles[] = {
    {L"quibFMarchive.txt", L"quibFMarchive ヘルプ", L"quibFMarchive Help"},
    {L"quibFMarchive_First.txt", L"quibFMarchive はじめに", L"quibFMarchive First steps"},
    {L"quibFMarchive_ViewGrid.txt", L"quibFMarchive グリッドビューワ", L"quibFMarchive Grid viewer"},
};

constexpr size_t kMaxLineLength = 100;

std::string Show(const std::wstring& text) { return "\"" + quib::WideToUtf8(text) + "\""; }

// The text of a UTF-16LE file after its byte-order mark; false (with the
// reason) when the file is missing, has no mark or has an odd length.
bool ReadUtf16(const std::wstring& path, std::wstring& text, std::string& why) {
    const std::string bytes = quibtest::ReadFileBytes(path);
    if (bytes.empty()) {
        why = "missing or empty";
        return false;
    }
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE", 2) != 0) {
        why = "no UTF-16LE byte-order mark";
        return false;
    }
    if (bytes.size() % 2 != 0) {
        why = "odd number of bytes";
        return false;
    }
    text.clear();
    for (size_t i = 2; i < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return true;
}

// Lines split at CR LF (the text must end with one).
std::vector<std::wstring> SplitCrLf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    return lines;
}

std::vector<std::wstring> HelpLines(const std::wstring& name) {
    std::wstring text;
    std::string why;
    EXPECT_TRUE(ReadUtf16(quibtest::BinDir() + L"\\" + name, text, why)) << Show(name) << ": " << why;
    return SplitCrLf(text);
}

std::wstring Trim(const std::wstring& s) {
    const size_t first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return s.substr(first, s.find_last_not_of(L' ') - first + 1);
}

// A menu caption as the help shows it: " (&A)" / "(&O)" go, every other
// single "&" goes, "&&" stays as one "&".
std::wstring DisplayCaption(const std::wstring& caption) {
    std::wstring s = caption;
    for (size_t at = s.find(L"(&"); at != std::wstring::npos; at = s.find(L"(&", at)) {
        if (at + 3 < s.size() && s[at + 2] != L'&' && s[at + 3] == L')') {
            const size_t from = at > 0 && s[at - 1] == L' ' ? at - 1 : at;
            s.erase(from, at + 4 - from);
            at = from;
        } else {
            at += 2;
        }
    }
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != L'&') {
            out.push_back(s[i]);
        } else if (i + 1 < s.size() && s[i + 1] == L'&') {
            out.push_back(L'&');
            ++i;
        }
    }
    return out;
}

// Tag -> English caption of a shipped language file (the main window's
// unless another is named).
std::map<int, std::wstring> ShippedEnglishCaptions(const std::wstring& file = L"Main.txt") {
    std::map<int, std::wstring> out;
    std::wstring text;
    std::string why;
    const std::wstring path = quibtest::BinDir() + L"\\Language\\quibFMarchive\\" + file;
    EXPECT_TRUE(ReadUtf16(path, text, why)) << Show(file) << ": " << why;
    for (const std::wstring& line : SplitCrLf(text)) {
        std::vector<std::wstring> f;
        size_t start = 0;
        for (size_t tab = line.find(L'\t'); tab != std::wstring::npos; tab = line.find(L'\t', start)) {
            f.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        f.push_back(line.substr(start));
        if (f.size() != 6 || f[3] != L"Caption" || f[0].empty() ||
            f[0].find_first_not_of(L"0123456789") != std::wstring::npos)
            continue;
        out[std::stoi(f[0])] = f[5];
    }
    return out;
}

// A key-table row with the menu heading it stands under.
using Row = std::tuple<std::wstring, std::wstring, std::wstring>;  // heading, key, caption

// The rows of one language's part of a help file: every line with a tab is a
// key-table row "  KEY<spaces><TAB>CAPTION"; the heading is the last "[...]"
// line above it.
std::vector<Row> TableRows(const std::vector<std::wstring>& lines, size_t begin, size_t end) {
    std::vector<Row> rows;
    std::wstring heading;
    for (size_t i = begin; i < end; ++i) {
        const std::wstring& line = lines[i];
        if (!line.empty() && line.front() == L'[' && line.back() == L']') heading = line;
        const size_t tab = line.find(L'\t');
        if (tab == std::wstring::npos) continue;
        rows.emplace_back(heading, Trim(line.substr(0, tab)), Trim(line.substr(tab + 1)));
    }
    return rows;
}

size_t FindLine(const std::vector<std::wstring>& lines, const std::wstring& wanted, size_t from = 0,
                size_t to = std::wstring::npos) {
    for (size_t i = from; i < std::min(to, lines.size()); ++i)
        if (Trim(lines[i]) == wanted) return i;
    return std::wstring::npos;
}

// The line that opens a window's key table names its key-map file.
std::wstring KeyTableMarker(const quib::KeyMapWindowInfo& info, bool english) {
    return (english ? L"Key map: " : L"キーマップ: ") + std::wstring(info.keyMapFile);
}

// The lines of one window's key table inside [begin, end): from its marker to
// the next window's marker or the next rule line. {npos, npos} without one.
std::pair<size_t, size_t> KeyTableSection(const std::vector<std::wstring>& lines, size_t begin, size_t end,
                                          const quib::KeyMapWindowInfo& info, bool english) {
    const size_t first = FindLine(lines, KeyTableMarker(info, english), begin, end);
    if (first == std::wstring::npos) return {first, first};
    size_t last = first + 1;
    for (; last < end; ++last) {
        const std::wstring& line = lines[last];
        if (line.rfind(L"-----", 0) == 0) break;
        bool marker = false;
        for (const auto& other : quib::KeyMapWindows())
            marker = marker || Trim(line) == KeyTableMarker(other, english);
        if (marker) break;
    }
    return {first, last};
}

std::string ShowRow(const Row& r) {
    return Show(std::get<0>(r)) + " " + Show(std::get<1>(r)) + " " + Show(std::get<2>(r));
}

// Every command with a default key is a row under its menu's heading with its
// key and caption, and every row is such a command: a command without a
// default key, or anything else, has no row.
void ExpectTableMatches(const std::vector<Row>& rows, bool english,
                        const std::map<int, std::wstring>& englishCaptions) {
    auto caption = [&](int tag, const wchar_t* japanese) {
        if (!english) return DisplayCaption(japanese);
        const auto it = englishCaptions.find(tag);
        return it == englishCaptions.end() ? std::wstring(L"<no English caption>") : DisplayCaption(it->second);
    };
    std::map<std::wstring, std::wstring> headingOf;  // category -> heading line
    for (const auto& m : quib::MainMenuBar()) headingOf[m.category] = L"[" + caption(m.tag, m.caption) + L"]";

    std::vector<Row> expected;
    size_t keyed = 0;
    for (const auto& c : quib::MainCommands()) {
        if (std::wstring(c.key).empty()) continue;
        ++keyed;
        expected.emplace_back(headingOf[c.category], c.key, caption(c.tag, c.caption));
    }
    ASSERT_GT(keyed, 0u);

    std::vector<Row> unexpected;
    for (const Row& r : rows) {
        const auto it = std::find(expected.begin(), expected.end(), r);
        if (it != expected.end()) {
            expected.erase(it);
        } else {
            unexpected.push_back(r);
        }
    }
    for (const Row& r : expected) ADD_FAILURE() << "no row for " << ShowRow(r);
    for (const Row& r : unexpected) {
        std::string note;
        for (const auto& c : quib::MainCommands())
            if (std::wstring(c.key).empty() && caption(c.tag, c.caption) == std::get<2>(r))
                note = " (a command without a default key has this caption)";
        ADD_FAILURE() << "row that is no command with a default key: " << ShowRow(r) << note;
    }
    EXPECT_EQ(rows.size(), keyed);
}

}  // namespace

TEST(HelpFiles, AreUtf16WithCrLfShortLinesAndBothLanguages) {
    for (const HelpFile& f : kHelpFiles) {
        SCOPED_TRACE(Show(f.name));
        std::wstring text;
        std::string why;
        ASSERT_TRUE(ReadUtf16(quibtest::BinDir() + L"\\" + f.name, text, why)) << why;
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.substr(text.size() - 2), L"\r\n") << "the last line has no CR LF";
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == L'\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == L'\n') << "bare CR at " << i;
            } else if (text[i] == L'\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == L'\r') << "bare LF at " << i;
            }
        }
        const std::vector<std::wstring> lines = SplitCrLf(text);
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), kMaxLineLength) << "line " << i + 1 << ": " << Show(lines[i]);
            for (const wchar_t* leftover : {L"@MAIN_KEYS", L"@KEYS_", L"@KEY:", L"@JA:", L"@EN:"})
                EXPECT_EQ(lines[i].find(leftover), std::wstring::npos)
                    << "placeholder left in line " << i + 1 << ": " << Show(lines[i]);
        }
        const size_t ja = FindLine(lines, f.japaneseHeading);
        const size_t en = FindLine(lines, f.englishHeading);
        EXPECT_NE(ja, std::wstring::npos) << "no Japanese heading " << Show(f.japaneseHeading);
        EXPECT_NE(en, std::wstring::npos) << "no English heading " << Show(f.englishHeading);
        EXPECT_LT(ja, en) << "the Japanese part comes first";
    }
}

TEST(HelpFiles, MainKeyTablesMatchTheCommandTableInBothLanguages) {
    const std::vector<std::wstring> lines = HelpLines(L"quibFMarchive.txt");
    const size_t ja = FindLine(lines, kHelpFiles[0].japaneseHeading);
    const size_t en = FindLine(lines, kHelpFiles[0].englishHeading);
    ASSERT_NE(ja, std::wstring::npos);
    ASSERT_NE(en, std::wstring::npos);
    ASSERT_LT(ja, en);
    const auto english = ShippedEnglishCaptions();
    ASSERT_FALSE(english.empty());
    const quib::KeyMapWindowInfo& main = quib::KeyMapWindowOf(quib::KeyMapWindow::Main);
    const auto [jaFirst, jaLast] = KeyTableSection(lines, ja, en, main, false);
    const auto [enFirst, enLast] = KeyTableSection(lines, en, lines.size(), main, true);
    ASSERT_NE(jaFirst, std::wstring::npos) << "no line " << Show(KeyTableMarker(main, false));
    ASSERT_NE(enFirst, std::wstring::npos) << "no line " << Show(KeyTableMarker(main, true));
    {
        SCOPED_TRACE("Japanese table");
        ExpectTableMatches(TableRows(lines, jaFirst, jaLast), false, english);
    }
    {
        SCOPED_TRACE("English table");
        ExpectTableMatches(TableRows(lines, enFirst, enLast), true, english);
    }
}

namespace {

// The command table a window's menus come from.
const quib::CommandTable* CommandTableOf(quib::KeyMapWindow window) {
    switch (window) {
        case quib::KeyMapWindow::Main: return &quib::MainCommandTable();
        case quib::KeyMapWindow::Text: return &quib::TextCommandTable();
        case quib::KeyMapWindow::Image: return &quib::ImageCommandTable();
        case quib::KeyMapWindow::Player: return &quib::PlayerCommandTable();
        case quib::KeyMapWindow::Browse: return &quib::BrowseCommandTable();
        case quib::KeyMapWindow::Tree: return &quib::TreeCommandTable();
        case quib::KeyMapWindow::PopUp: return &quib::PopUpCommandTable();
        default: return nullptr;
    }
}

// The rows a window's key table must have: every line of its built-in key
// map (the defaults the keyboard dialog's first initialisation writes) that
// has a key, under the heading of its menu, with the caption in the
// language of the part.
std::vector<Row> ExpectedRows(const quib::KeyMapDescription& d, bool english,
                              const std::map<int, std::wstring>& englishCaptions) {
    auto caption = [&](int tag, const std::wstring& japanese) {
        if (!english) return Trim(DisplayCaption(japanese));
        const auto it = englishCaptions.find(tag);
        return it == englishCaptions.end() ? std::wstring(L"<no English caption>") : Trim(DisplayCaption(it->second));
    };
    const quib::CommandTable* table = CommandTableOf(d.window);
    std::map<std::wstring, std::wstring> headingOf;
    if (table)
        for (const auto& m : table->menus)
            if (m.bar == 0 && !m.popup) headingOf[m.category] = L"[" + caption(m.tag, m.caption) + L"]";
    std::vector<Row> rows;
    for (const quib::KeyMapLine& line : d.builtIn(0)) {
        if (line.keyText.empty()) continue;
        const auto heading = headingOf.find(line.category);
        rows.emplace_back(heading == headingOf.end() ? L"<no menu for " + line.category + L">" : heading->second,
                          line.keyText, caption(std::stoi(line.number), line.caption));
    }
    return rows;
}

}  // namespace

// Every window the keyboard dialog edits has its default keys in the help, in
// both languages: the rows are exactly its built-in key map's keyed lines.
TEST(HelpFiles, KeyTablesOfEveryKeyboardWindowMatchTheirBuiltInKeyMaps) {
    const std::vector<std::wstring> lines = HelpLines(L"quibFMarchive.txt");
    const size_t ja = FindLine(lines, kHelpFiles[0].japaneseHeading);
    const size_t en = FindLine(lines, kHelpFiles[0].englishHeading);
    ASSERT_NE(ja, std::wstring::npos);
    ASSERT_NE(en, std::wstring::npos);
    ASSERT_GE(quib::KeyMapDescriptions().size(), 6u);
    for (const quib::KeyMapDescription& d : quib::KeyMapDescriptions()) {
        const quib::KeyMapWindowInfo& info = d.Info();
        SCOPED_TRACE(Show(info.parentName));
        ASSERT_NE(CommandTableOf(d.window), nullptr) << "the test knows no command table of this window";
        const auto english = ShippedEnglishCaptions(info.languageFile);
        for (const bool inEnglish : {false, true}) {
            SCOPED_TRACE(inEnglish ? "English part" : "Japanese part");
            const auto [first, last] =
                inEnglish ? KeyTableSection(lines, en, lines.size(), info, true) : KeyTableSection(lines, ja, en, info, false);
            ASSERT_NE(first, std::wstring::npos) << "no key table, no line " << Show(KeyTableMarker(info, inEnglish));
            std::vector<Row> expected = ExpectedRows(d, inEnglish, english);
            ASSERT_FALSE(expected.empty());
            std::vector<Row> unexpected;
            for (const Row& r : TableRows(lines, first, last)) {
                const auto it = std::find(expected.begin(), expected.end(), r);
                if (it != expected.end()) {
                    expected.erase(it);
                } else {
                    unexpected.push_back(r);
                }
            }
            for (const Row& r : expected) ADD_FAILURE() << "no row for " << ShowRow(r);
            for (const Row& r : unexpected) ADD_FAILURE() << "row that is no keyed line of the key map: " << ShowRow(r);
        }
    }
}
