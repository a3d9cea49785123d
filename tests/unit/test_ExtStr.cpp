#include <gtest/gtest.h>

#include "TestSupport.h"
#include "util/Message.h"
#include "util/MyUtility.h"

using namespace quib;

namespace {

const std::wstring kEmptyJ = L"Information : 拡張子が設定されていません\r\n";
const std::wstring kEmptyE = L"Information : Extention is empty.\r\n[OK]\r\n";
const std::wstring kCountJ = L"Information : 拡張子の . と ; の数が不一致です\r\n";
const std::wstring kCountE = L"Information : Number of .[Piriod] and ;[Semicolon] is not match.\r\n[OK]\r\n";
const std::wstring kNoDotJ = L"Information : 拡張子に ; が設定されていません\r\n";
const std::wstring kNoDotE = L"Information : Extention not include .[Piriod] .\r\n[OK]\r\n";
const std::wstring kNoSemiJ = L"Information : 拡張子に ; が設定されていません\r\n";
const std::wstring kNoSemiE = L"Information : Extention not include ;[Semicolon] .\r\n[OK]\r\n";

struct ExtCase {
    std::wstring text;
    int result;
    std::vector<std::wstring> list;  // what ExtStrToList leaves
    std::wstring jp, en;             // message of ExtStrToList; empty when none
    std::wstring checkJp, checkEn;   // message of ExtStrCheck; empty when none
};

const std::vector<ExtCase>& Cases() {
    static const std::vector<ExtCase> cases = {
        {L".txt;.log;.ini;", 1, {L".txt", L".log", L".ini"}, L"", L"", L"", L""},
        {L".txt;", 1, {L".txt"}, L"", L"", L"", L""},
        {L".JPG;.Gz;", 1, {L".JPG", L".Gz"}, L"", L"", L"", L""},
        // Two dots in one extension break the counts; the cut starts at the last dot.
        {L".tar.gz;", 0, {L".gz"}, kCountJ, kCountE, kCountJ, kCountE},
        {L"", 0, {}, kEmptyJ, kEmptyE, kEmptyJ, kEmptyE},
        {L".txt;.log", 0, {L".txt"}, kCountJ, kCountE, kCountJ, kCountE},
        {L"txt;", 0, {L"txt"}, kCountJ, kCountE, kCountJ, kCountE},
        {L"txt", 0, {}, kNoDotJ, kNoDotE, kEmptyJ, kEmptyE},
        {L";.", 0, {L""}, kNoSemiJ, kNoSemiE, kNoSemiJ, kNoSemiE},
        {L".a;;.", 0, {L".a", L".a;"}, kNoSemiJ, kNoSemiE, kNoSemiJ, kNoSemiE},
        {L".a;b.", 0, {L".a"}, kCountJ, kCountE, kCountJ, kCountE},
        // The text from the last "." seen, even across an earlier ";".
        {L".txt;log;", 0, {L".txt", L".txt;log"}, kCountJ, kCountE, kCountJ, kCountE},
        {L".テキスト;.日本;", 1, {L".テキスト", L".日本"}, L"", L"", L"", L""},
    };
    return cases;
}

}  // namespace

TEST(ExtStrToList, ResultsListsAndMessagesInBothLanguages) {
    for (bool japanese : {true, false}) {
        SetUiJapanese(japanese);
        for (const ExtCase& c : Cases()) {
            quibtest::MsgCapture capture;
            std::vector<std::wstring> list{L"stale"};
            EXPECT_EQ(ExtStrToList(c.text, list, L"[FormMain] Txt", nullptr), c.result) << c.text;
            EXPECT_EQ(list, c.list) << c.text;
            const std::wstring& msg = japanese ? c.jp : c.en;
            if (msg.empty()) {
                EXPECT_TRUE(capture.Texts().empty()) << c.text;
            } else {
                EXPECT_EQ(capture.Texts(), std::vector<std::wstring>{msg + L"[FormMain] Txt"}) << c.text;
            }
        }
    }
    SetUiJapanese(true);
}

TEST(ExtStrCheck, SameCountingWithEmptyMessageForNoPeriod) {
    for (bool japanese : {true, false}) {
        SetUiJapanese(japanese);
        for (const ExtCase& c : Cases()) {
            quibtest::MsgCapture capture;
            EXPECT_EQ(ExtStrCheck(c.text, L""), c.result) << c.text;
            const std::wstring& msg = japanese ? c.checkJp : c.checkEn;
            if (msg.empty()) {
                EXPECT_TRUE(capture.Texts().empty()) << c.text;
            } else {
                EXPECT_EQ(capture.Texts(), std::vector<std::wstring>{msg}) << c.text;
            }
        }
    }
    SetUiJapanese(true);
}
