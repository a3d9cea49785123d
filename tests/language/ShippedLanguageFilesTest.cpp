// The language files the build puts beside the program agree with the
// windows they translate: every Tag has its line, the Japanese texts are the
// designed captions, and the English texts are there.
#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <set>

#include "LanguageTestFiles.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "keymap/FormKeyMap.h"
#include "app/Language.h"
#include "app/MainMenuTable.h"
#include "util/MyUtility.h"

using quibtest::MsgCapture;

namespace {

struct LangLine {
    std::wstring enabled, name, property, japanese, english;
};

std::wstring ShippedFile(const std::wstring& name) {
    return quibtest::BinDir() + L"\\Language\\quibFMarchive\\" + name;
}

// The file's lines by tag (each tag once; a second line of a tag is a failure).
std::map<int, LangLine> ReadShipped(const std::wstring& name) {
    std::map<int, LangLine> out;
    std::vector<std::wstring> lines;
    EXPECT_TRUE(quib::ReadLanguageFile(ShippedFile(name), lines)) << "missing: " << testing::PrintToString(name);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::wstring> f;
        quib::StringToCsvList(lines[i], f);
        if (f.size() != 6) continue;  // reported by the check
        if (i == 0 && f[0] == L"Tag") continue;
        const int tag = std::stoi(f[0]);
        EXPECT_EQ(out.count(tag), 0u) << "tag " << tag << " twice";
        out[tag] = LangLine{f[1], f[2], f[3], f[4], f[5]};
    }
    return out;
}

// The accelerator letter of a caption ("&&" is a literal ampersand); 0 for none.
wchar_t Accelerator(const std::wstring& caption, int* count) {
    wchar_t letter = 0;
    *count = 0;
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        ++*count;
        letter = static_cast<wchar_t>(std::towlower(caption[i + 1]));
        ++i;
    }
    return letter;
}

// Tags of the main window's caption labels (in creation order) and title.
constexpr int kFirstLabel = 2001, kLastLabel = 2016, kTitle = 2999;

}  // namespace

TEST(ShippedLanguageFiles, AreUtf16WithByteOrderMarkAndPassTheCheck) {
    for (const wchar_t* name : {L"Main.txt", L"KeyMap.txt", L"Image.txt", L"KeyMove.txt", L"Player.txt", L"KeyBoard.txt",
                                L"Launcher.txt", L"InputLauncher.txt"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        const std::string bytes = quibtest::ReadFileBytes(ShippedFile(name));
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
        EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));
        MsgCapture msgs;
        EXPECT_TRUE(quib::CheckLanguageFile(ShippedFile(name)));
        EXPECT_TRUE(msgs.Texts().empty());
    }
}

TEST(ShippedLanguageFiles, MainHasEveryMenuWithItsDesignedCaption) {
    const auto lines = ReadShipped(L"Main.txt");
    auto check = [&](int tag, const std::wstring& caption) {
        SCOPED_TRACE("tag " + std::to_string(tag));
        auto it = lines.find(tag);
        ASSERT_NE(it, lines.end());
        EXPECT_EQ(it->second.enabled, L"1");
        EXPECT_EQ(it->second.property, L"Caption");
        EXPECT_EQ(it->second.japanese, caption);
        int marks = 0;
        Accelerator(it->second.english, &marks);
        EXPECT_EQ(marks, 1) << "English caption needs one accelerator: "
                            << testing::PrintToString(it->second.english);
    };
    for (const auto& c : quib::MainCommands()) check(c.tag, c.caption);
    for (const auto& m : quib::MainMenuBar()) check(m.tag, m.caption);
}

TEST(ShippedLanguageFiles, MainEnglishAcceleratorsAreUniqueInEachMenu) {
    const auto lines = ReadShipped(L"Main.txt");
    std::map<std::wstring, std::map<wchar_t, int>> byMenu;  // menu -> letter -> tag
    auto add = [&](const std::wstring& menu, int tag) {
        auto it = lines.find(tag);
        if (it == lines.end()) return;  // reported by the test above
        int marks = 0;
        const wchar_t letter = Accelerator(it->second.english, &marks);
        if (!letter) return;
        auto [pos, fresh] = byMenu[menu].emplace(letter, tag);
        EXPECT_TRUE(fresh) << "tags " << pos->second << " and " << tag << " share the accelerator in "
                           << testing::PrintToString(it->second.english);
    };
    for (const auto& m : quib::MainMenuBar()) add(L"<bar>", m.tag);
    for (const auto& c : quib::MainCommands()) add(c.category, c.tag);
}

TEST(ShippedLanguageFiles, MainHasNoLineForAnythingElse) {
    std::set<int> known;
    for (const auto& c : quib::MainCommands()) known.insert(c.tag);
    for (const auto& m : quib::MainMenuBar()) known.insert(m.tag);
    for (int t = kFirstLabel; t <= kLastLabel; ++t) known.insert(t);
    known.insert(kTitle);
    for (const auto& [tag, line] : ReadShipped(L"Main.txt")) {
        EXPECT_TRUE(known.count(tag)) << "stale tag " << tag;
        EXPECT_FALSE(line.english.empty()) << "tag " << tag;
        EXPECT_FALSE(line.japanese.empty()) << "tag " << tag;
    }
}

TEST(ShippedLanguageFiles, MainLeavesTheTitleAlone) {
    // The title carries the open archive's path; a language file must not
    // replace it.
    const auto lines = ReadShipped(L"Main.txt");
    if (auto it = lines.find(kTitle); it != lines.end()) {
        EXPECT_NE(it->second.enabled, L"1");
    }
}

TEST(ShippedLanguageFiles, MainLabelsKeepTheirDesignedTexts) {
    // The caption labels read the same in both languages, and the ones the
    // window rewrites at run time (the file caption during initial search,
    // "attr:"/"mode:" vs "pos:"/"mtd:") are not applied at all.
    const auto lines = ReadShipped(L"Main.txt");
    const std::map<int, std::wstring> designed = {
        {2001, L"file:"}, {2002, L"path:"}, {2003, L"name:"}, {2004, L"size:"}, {2005, L"time:"}, {2006, L"size:"},
        {2007, L"attr:"}, {2008, L"mode:"}, {2009, L"file:"}, {2010, L"files"}, {2011, L"tag:"},  {2012, L"files"},
        {2013, L"file:"}, {2014, L"files"}, {2015, L"tag:"},  {2016, L"files"},
    };
    for (const auto& [tag, text] : designed) {
        SCOPED_TRACE("tag " + std::to_string(tag));
        auto it = lines.find(tag);
        ASSERT_NE(it, lines.end());
        EXPECT_EQ(it->second.japanese, text);
        EXPECT_EQ(it->second.english, text);
        const bool rewritten = tag == 2001 || tag == 2007 || tag == 2008;
        EXPECT_EQ(it->second.enabled, rewritten ? L"0" : L"1");
    }
}

TEST(ShippedLanguageFiles, KeyMapMatchesTheViewersComponents) {
    ASSERT_TRUE(quib::Application().Initialize(GetModuleHandleW(nullptr)));
    langtest::ProgramDir dir;
    const auto lines = ReadShipped(L"KeyMap.txt");
    quib::FormInstance<quib::TFormKeyMap> viewer;
    ASSERT_TRUE(viewer.Create());
    std::set<int> tags;
    for (const auto& c : viewer.Components()) {
        if (c.tag < 2001 || c.tag > 2998 || !c.hwnd) continue;
        SCOPED_TRACE("tag " + std::to_string(c.tag));
        tags.insert(c.tag);
        auto it = lines.find(c.tag);
        ASSERT_NE(it, lines.end());
        EXPECT_EQ(it->second.enabled, L"1");
        EXPECT_EQ(it->second.japanese, quibtest::WindowText(c.hwnd));
        EXPECT_FALSE(it->second.english.empty());
    }
    EXPECT_EQ(tags, (std::set<int>{quib::TFormKeyMap::kTagButtonSort0, quib::TFormKeyMap::kTagButtonSort1,
                                   quib::TFormKeyMap::kTagButtonCopy, quib::TFormKeyMap::kTagButtonClose}));
    auto title = lines.find(quib::TFormKeyMap::kTagForm);
    ASSERT_NE(title, lines.end());
    EXPECT_EQ(title->second.japanese, viewer.Caption());
    EXPECT_FALSE(title->second.english.empty());
    for (const auto& [tag, line] : lines)
        EXPECT_TRUE(tags.count(tag) || tag == quib::TFormKeyMap::kTagForm) << "stale tag " << tag;

    // Applied in English, every button and the title change.
    MsgCapture msgs;
    const std::wstring designedTitle = viewer.Caption();
    quib::SetEnglish(viewer, ShippedFile(L"KeyMap.txt"));
    EXPECT_TRUE(msgs.Texts().empty());
    EXPECT_EQ(viewer.Caption(), title->second.english);
    EXPECT_EQ(quibtest::WindowText(viewer.Button(quib::TFormKeyMap::kTagButtonClose)),
              lines.at(quib::TFormKeyMap::kTagButtonClose).english);
    EXPECT_NE(viewer.Caption(), designedTitle);
}
