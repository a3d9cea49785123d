// The text viewer's commands as data: the normal menu bar, the search-bar
// menu bar and the find dialog's stand-in bar, and the text's context menu.
// Key set 0 is the default key map; the Notepad-like set is in the viewer.
// The help file's key tables are read from this file's text: keep only the
// table here.
#include "viewers/text/FormText.h"

namespace quib {
namespace {
constexpr CommandHandler H(void (TFormText::*member)()) { return Handler(member); }
}  // namespace

const CommandTable& TextCommandTable() {
    static const CommandTable table = {
        {
            {L"ファイル", L"ファイル(&F)", 1000},
            {L"検索", L"検索(&S)", 1100},
            {L"編集", L"編集(&E)", 1200},
            {L"文字コード", L"文字コード(&C)", 1300},
            {L"表示", L"表示(&V)", 1400},
            {L"設定", L"設定(&G)", 1500},
            {L"検索4", L"検索(&S)", 1800, false, 1},
            {L"ダミー", L"ダミー(&F)", 1700, false, 2},
            {L"PopUp", L"PopupMenu1", 1900, true},
        },
        {
            {1031, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", kCommandPlain, H(&TFormText::MenuCloseClick)},
            {1051, L"ファイル", L"MenuShowCsv", L"CSV形式で読込後に、グリッド形式で表示(&C)...", L"", kCommandSeparatorBefore, H(&TFormText::MenuShowCsvClick)},
            {1101, L"検索", L"MenuSearchWord", L"検索(&F)... ", L"F", kCommandPlain, H(&TFormText::MenuSearchWordClick)},
            {1102, L"検索", L"MenuSearchNext", L"次を検索(&P) ", L"V", kCommandPlain, H(&TFormText::MenuSearchNextClick)},
            {1103, L"検索", L"MenuSearchPrev", L"前を検索(&N)", L"T", kCommandPlain, H(&TFormText::MenuSearchPrevClick)},
            {1104, L"検索", L"MenuSearchWordOneLine", L"１行コピーして検索(&C)... ", L"", kCommandPlain, H(&TFormText::MenuSearchWordOneLineClick)},
            {1107, L"検索", L"MenuSearchBar", L"検索バーで検索(&B)", L"Ctrl+,", kCommandSeparatorBefore, H(&TFormText::MenuSearchBarClick)},
            {1108, L"検索", L"MenuSearchWordAutoGet", L"自動的に検索語を取得(&A)", L"", kCommandToggle, nullptr},
            {1109, L"検索", L"MenuSearchNext2", L"検索バー 次を検索(&V) ", L"Ctrl+V", kCommandPlain, H(&TFormText::MenuSearchNext2Click)},
            {1110, L"検索", L"MenuSearchPrev2", L"検索バー 前を検索(&T)", L"Ctrl+T", kCommandPlain, H(&TFormText::MenuSearchPrev2Click)},
            {1111, L"検索", L"MenuSearchBarSetFocus", L"検索バーの検索で検索バーにフォーカスを戻す(&X)", L"", kCommandPlain, H(&TFormText::MenuSearchBarSetFocusClick)},
            {1112, L"検索", L"MenuChkMatchCase", L"大文字と小文字を区別する(&U)", L"", kCommandSeparatorBefore, H(&TFormText::MenuChkMatchCaseClick)},
            {1201, L"編集", L"MenuCopy", L"コピー(&C)", L"", kCommandPlain, H(&TFormText::MenuCopyClick)},
            {1202, L"編集", L"MenuAddCopy", L"追加コピー(&A)", L"", kCommandPlain, H(&TFormText::MenuAddCopyClick)},
            {1203, L"編集", L"MenuSelectAll", L"全て選択(&L)", L"", kCommandPlain, H(&TFormText::MenuSelectAllClick)},
            {1211, L"編集", L"MenuCopyOneLine", L"１行コピー(&I)", L"", kCommandSeparatorBefore, H(&TFormText::MenuCopyOneLineClick)},
            {1212, L"編集", L"MenuSelectWord", L"１語を選択(&W)", L"", kCommandPlain, H(&TFormText::MenuSelectWordClick)},
            {1221, L"編集", L"MenuJump", L"行へ移動(&G)...", L"", kCommandSeparatorBefore, H(&TFormText::MenuJumpClick)},
            {1231, L"編集", L"MenuMoveDocumentTop", L"文書の先頭に移動(&T)", L"Home", kCommandSeparatorBefore, H(&TFormText::MenuMoveDocumentTopClick)},
            {1232, L"編集", L"MenuScrollPgUp", L"ページ上＋＋＋(&P)", L"PgUp", kCommandPlain, H(&TFormText::MenuScrollPgUpClick)},
            {1233, L"編集", L"MenuScrollLeft", L"ページ上＋＋(&F)", L"Left", kCommandPlain, H(&TFormText::MenuScrollLeftClick)},
            {1234, L"編集", L"MenuScrollUp", L"ページ上＋(&U)", L"Up", kCommandPlain, H(&TFormText::MenuScrollUpClick)},
            {1235, L"編集", L"MenuScrollDown", L"ページ下＋(&D)", L"Down", kCommandPlain, H(&TFormText::MenuScrollDownClick)},
            {1236, L"編集", L"MenuScrollRight", L"ページ下＋＋(&R)", L"Right", kCommandPlain, H(&TFormText::MenuScrollRightClick)},
            {1237, L"編集", L"MenuScrollPgDown", L"ページ下＋＋＋(&N)", L"PgDn", kCommandPlain, H(&TFormText::MenuScrollPgDownClick)},
            {1238, L"編集", L"MenuMoveDocumentEnd", L"文書の最後に移動(&B)", L"End", kCommandPlain, H(&TFormText::MenuMoveDocumentEndClick)},
            {1241, L"編集", L"MenuMoveLineTop", L"行の先頭に移動(&H)", L"", kCommandSeparatorBefore, H(&TFormText::MenuMoveLineTopClick)},
            {1242, L"編集", L"MenuMoveLineEnd", L"行の最後に移動(&E)", L"", kCommandPlain, H(&TFormText::MenuMoveLineEndClick)},
            {1251, L"編集", L"MenuCursolDisabled", L"カーソル移動の設定を一時的にメモ帳に設定(&K)", L"", kCommandSeparatorBefore, H(&TFormText::MenuCursolDisabledClick)},
            {1261, L"編集", L"MenuMoveDocumentTop2", L"文書の先頭に移動(&1)", L"Ctrl+Home", kCommandSeparatorBefore, H(&TFormText::MenuMoveDocumentTopClick)},
            {1262, L"編集", L"MenuScrollLeft2", L"ページ上＋＋(&2)", L"", kCommandPlain, H(&TFormText::MenuScrollLeftClick)},
            {1263, L"編集", L"MenuScrollUp2", L"ページ上＋(&3)", L"", kCommandPlain, H(&TFormText::MenuScrollUpClick)},
            {1264, L"編集", L"MenuScrollDown2", L"ページ下＋(&4)", L"", kCommandPlain, H(&TFormText::MenuScrollDownClick)},
            {1265, L"編集", L"MenuScrollRight2", L"ページ下＋＋(&5)", L"", kCommandPlain, H(&TFormText::MenuScrollRightClick)},
            {1266, L"編集", L"MenuMoveDocumentEnd2", L"文書の最後に移動(&6)", L"Ctrl+End", kCommandPlain, H(&TFormText::MenuMoveDocumentEndClick)},
            {1271, L"編集", L"MenuMemoRight", L"カーソル右(&J)", L"", kCommandSeparatorBefore, H(&TFormText::MenuMemoRightClick)},
            {1272, L"編集", L"MenuMemoLeft", L"カーソル左(&V)", L"", kCommandPlain, H(&TFormText::MenuMemoLeftClick)},
            {1273, L"編集", L"MenuMemoPageUp", L"カーソル前ページ(&M)", L"", kCommandPlain, H(&TFormText::MenuMemoPageUpClick)},
            {1274, L"編集", L"MenuMemoUp", L"カーソル上(&O)", L"", kCommandPlain, H(&TFormText::MenuMemoUpClick)},
            {1275, L"編集", L"MenuMemoDown", L"カーソル下(&Q)", L"", kCommandPlain, H(&TFormText::MenuMemoDownClick)},
            {1276, L"編集", L"MenuMemoPageDown", L"カーソル次ページ(&S)", L"", kCommandPlain, H(&TFormText::MenuMemoPageDownClick)},
            {1321, L"文字コード", L"MenuReadAuto", L"自動検出(&A)", L"", kCommandPlain, nullptr},
            {1301, L"文字コード", L"MenuReadSJIS", L"Shift_JIS(&S)", L"", kCommandSeparatorBefore, nullptr},
            {1302, L"文字コード", L"MenuReadJIS", L"JIS(&J)", L"", kCommandPlain, nullptr},
            {1303, L"文字コード", L"MenuReadEUCJP", L"EUC-JP(&E)", L"", kCommandPlain, nullptr},
            {1304, L"文字コード", L"MenuReadUTF7", L"UTF-7(&7)", L"", kCommandPlain, nullptr},
            {1305, L"文字コード", L"MenuReadUTF8Bom", L"UTF-8 [BOM有](&8)", L"", kCommandPlain, nullptr},
            {1306, L"文字コード", L"MenuReadUTF8", L"UTF-8 [BOM無](&V)", L"", kCommandPlain, nullptr},
            {1307, L"文字コード", L"MenuReadUTF16BomBe", L"UTF-16 [BOM有 ビッグエンディアン](&B)", L"", kCommandPlain, nullptr},
            {1308, L"文字コード", L"MenuReadUTF16Be", L"UTF-16 [BOM無 ビッグエンディアン](&C)", L"", kCommandPlain, nullptr},
            {1309, L"文字コード", L"MenuReadUTF16BomLe", L"UTF-16 [BOM有 リトルエンディアン](&L)", L"", kCommandPlain, nullptr},
            {1310, L"文字コード", L"MenuReadUTF16Le", L"UTF-16 [BOM無 リトルエンディアン](&M)", L"", kCommandPlain, nullptr},
            {1401, L"表示", L"MenuWrapNone", L"折り返さない(&A)", L"", kCommandPlain, H(&TFormText::MenuWrapNoneClick)},
            {1402, L"表示", L"MenuWrapWindowWidth", L"ウィンドウの右端で折り返し(&W)", L"", kCommandPlain, H(&TFormText::MenuWrapWindowWidthClick)},
            {1403, L"表示", L"MenuShowLineNumber", L"行番号を表示(&S)", L"", kCommandSeparatorBefore, H(&TFormText::MenuShowLineNumberClick)},
            {1404, L"表示", L"MenuLineSetting", L"行番号表示設定(&K)...", L"", kCommandPlain, H(&TFormText::MenuLineSettingClick)},
            {1411, L"表示", L"MenuCrLf", L"改行の表示(&L)", L"", kCommandSeparatorBefore | kCommandToggle, H(&TFormText::ApplyMarks)},
            {1412, L"表示", L"MenuEof", L"終端記号の表示(&E)", L"", kCommandToggle, H(&TFormText::ApplyMarks)},
            {1413, L"表示", L"MenuTab", L"タブの表示(&T)", L"", kCommandToggle, H(&TFormText::ApplyMarks)},
            {1414, L"表示", L"MenuDBCS", L"全角空白の表示(&D)", L"", kCommandToggle, H(&TFormText::ApplyMarks)},
            {1421, L"表示", L"MenuTab2", L"タブ数2(&2)", L"", kCommandSeparatorBefore, nullptr},
            {1422, L"表示", L"MenuTab4", L"タブ数4(&4)", L"", kCommandPlain, nullptr},
            {1423, L"表示", L"MenuTab6", L"タブ数6(&6)", L"", kCommandPlain, nullptr},
            {1424, L"表示", L"MenuTab8", L"タブ数8(&8)", L"", kCommandPlain, nullptr},
            {1431, L"表示", L"MenuStatusBarTopVisible", L"上部ステータスバーを表示(&P)", L"", kCommandSeparatorBefore, H(&TFormText::MenuStatusBarTopVisibleClick)},
            {1432, L"表示", L"MenuStatusBarBottomVisible", L"下部ステータスバーを表示(&M)", L"", kCommandPlain, H(&TFormText::MenuStatusBarBottomVisibleClick)},
            {1434, L"表示", L"MenuShowFileName", L"ステータスバーにファイル名を表示(&F)", L"", kCommandPlain, H(&TFormText::MenuShowFileNameClick)},
            {1435, L"表示", L"MenuSearchBarTopVisible", L"上部検索バーを表示(&B)", L"", kCommandPlain, H(&TFormText::MenuSearchBarTopVisibleClick)},
            {1501, L"設定", L"MenuParameterSetting", L"パラメータ設定(&P)...", L"", kCommandPlain, H(&TFormText::MenuParameterSettingClick)},
            {1511, L"設定", L"MenuKeyBoard", L"キーボード設定(&K)...", L"", kCommandPlain, H(&TFormText::MenuKeyBoardClick)},
            {1521, L"設定", L"MenuPageSetting", L"カーソル移動設定(&G)...", L"", kCommandSeparatorBefore, H(&TFormText::MenuPageSettingClick)},
            {1531, L"設定", L"MenuKigouSetting", L"記号位置設定(&U)", L"", kCommandPlain, H(&TFormText::MenuKigouSettingClick)},
            {1541, L"設定", L"MenuSameAsQuibView", L"色はquibViewと同じ(&A)", L"", kCommandSeparatorBefore, H(&TFormText::MenuSameAsQuibViewClick)},
            // The search bar's menu bar: copies of 1107, 1111, 1109, 1110, 1112 with their keys.
            {1801, L"検索4", L"MenuSearchBar4", L"検索バーで検索(&B)", L"", kCommandPlain, H(&TFormText::MenuSearchBarClick)},
            {1802, L"検索4", L"MenuSearchBarSetFocus4", L"検索バーの検索で検索バーにフォーカスを戻す(&X)", L"", kCommandPlain, H(&TFormText::MenuSearchBarSetFocusClick)},
            {1803, L"検索4", L"MenuSearchNext4", L"検索バー 次を検索(&N) ", L"", kCommandPlain, H(&TFormText::MenuSearchNext2Click)},
            {1804, L"検索4", L"MenuSearchPrev4", L"検索バー 前を検索(&P)", L"", kCommandPlain, H(&TFormText::MenuSearchPrev2Click)},
            {1805, L"検索4", L"MenuChkMatchCase4", L"大文字と小文字を区別する(&U)", L"", kCommandSeparatorBefore, H(&TFormText::MenuChkMatchCase4Click)},
            {1901, L"PopUp", L"PopupCopy", L"コピー(&C)", L"", kCommandPlain, H(&TFormText::MenuCopyClick)},
            {1902, L"PopUp", L"PopupAddCopy", L"追加コピー(&A)", L"", kCommandPlain, H(&TFormText::MenuAddCopyClick)},
            {1903, L"PopUp", L"PopupSelectAll", L"全て選択(&L)", L"", kCommandPlain, H(&TFormText::MenuSelectAllClick)},
            {1904, L"PopUp", L"PopupCopyOneLine", L"１行コピー(&I)", L"", kCommandPlain, H(&TFormText::MenuCopyOneLineClick)},
        }};
    return table;
}

}  // namespace quib
