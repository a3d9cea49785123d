// The grid viewer's commands as data: menus, captions, the keys fixed in the
// window, and their handlers.
#include "viewers/grid/FormViewGridMenu.h"

#include "viewers/grid/FormViewGrid.h"

namespace quib {
namespace {

using F = TFormViewGrid;

constexpr unsigned kSep = kCommandSeparatorBefore;
constexpr unsigned kToggle = kCommandToggle;

const wchar_t kFile[] = L"ファイル";
const wchar_t kRead[] = L"読込";
const wchar_t kSave[] = L"保存";
const wchar_t kEdit[] = L"編集";
const wchar_t kSearch[] = L"検索";
const wchar_t kView[] = L"表示";
const wchar_t kSetting[] = L"設定";
const wchar_t kPopup[] = L"PopupMenu1";

CommandTable MakeTable() {
    CommandTable t;
    t.menus = {
        {kFile, L"ファイル(&F)", F::kTagMenuFile},
        {kEdit, L"編集(&E)", F::kTagMenuEdit},
        {kSearch, L"検索(&S)", F::kTagMenuSearch},
        {kView, L"表示(&V)", F::kTagMenuView},
        {kSetting, L"設定(&P)", F::kTagMenuSetting},
        // The two submenus of the file menu are built as pop-ups and hung
        // into it once the bar stands.
        {kRead, L"読込(&R)", F::kTagMenuRead, true},
        {kSave, L"保存(&S)", F::kTagMenuSave, true},
        {kPopup, L"PopupMenu1", F::kTagPopupMenu1, true},
    };
    // The radio groups have no handler of their own: the window's
    // MenuCommand learns which item of the group was chosen.
    constexpr CommandHandler read = nullptr, csv = nullptr, clip = nullptr, memo = nullptr, ratio = nullptr,
                             status = nullptr;
    auto off = Handler(&F::DisabledClick);
    t.commands = {
        {1011, kRead, L"MenuLoadFile", L"再読み込み(&R)", L"", 0, Handler(&F::MenuLoadFileClick)},
        {1021, kRead, L"MenuLfToTab", L"セル内の改行をタブに置き換えて読込(&T)", L"", kSep | kToggle,
         Handler(&F::MenuLfToTabClick)},
        {1031, kRead, L"MenuCsvAuto", L"CSV 自動検出(&W)", L"", kSep, csv},
        {1032, kRead, L"MenuCsvEx1", L"CSV カンマ区切り 11,\"22,22\",33 (&X)", L"", 0, csv},
        {1033, kRead, L"MenuCsvEx2", L"CSV カンマ区切り 11,\"22\",\"3,3\",\"4\"\"4\",55 (&Y)", L"", 0, csv},
        {1041, kRead, L"MenuReadSJIS", L"Shift_JIS(&S)", L"", kSep, read},
        {1042, kRead, L"MenuReadJIS", L"JIS(&J)", L"", 0, read},
        {1043, kRead, L"MenuReadEUCJP", L"EUC-JP(&E)", L"", 0, read},
        {1044, kRead, L"MenuReadUTF7", L"UTF-7(&7)", L"", 0, read},
        {1045, kRead, L"MenuReadUTF8Bom", L"UTF-8 [BOM有](&8)", L"", 0, read},
        {1046, kRead, L"MenuReadUTF8", L"UTF-8 [BOM無](&V)", L"", 0, read},
        {1047, kRead, L"MenuReadUTF16BomBe", L"UTF-16 [BOM有 ビッグエンディアン](&B)", L"", 0, read},
        {1048, kRead, L"MenuReadUTF16Be", L"UTF-16 [BOM無 ビッグエンディアン](&C)", L"", 0, read},
        {1049, kRead, L"MenuReadUTF16BomLe", L"UTF-16 [BOM有 リトルエンディアン](&L)", L"", 0, read},
        {1050, kRead, L"MenuReadUTF16Le", L"UTF-16 [BOM無 リトルエンディアン](&M)", L"", 0, read},
        {1051, kRead, L"MenuReadAuto", L"自動検出(&A)", L"", 0, read},

        {1061, kSave, L"MenuSaveFile", L"上書き保存(&S)", L"", 0, off},
        {1062, kSave, L"MenuSaveAs", L"名前を付けて保存(&A)...", L"", 0, off},
        {1071, kSave, L"MenuSaveTAB", L"タブ区切り [ TAB ] (&T)", L"", kSep, off},
        {1072, kSave, L"MenuSaveDoubleCautation", L"ダブルコーテーション区切り [ \",\" ] (&D)", L"", 0, off},
        {1073, kSave, L"MenuSaveComma", L"カンマ区切り [ , ] (&C)", L"", 0, off},
        {1074, kSave, L"MenuSaveFixedLength", L"固定長 (&F)", L"", 0, off},
        {1075, kSave, L"MenuSaveCsvEx2", L"CSV カンマ区切り 11,\"22\",\"3,3\",\"4\"\"4\",55 (&V)", L"", 0, off},
        {1081, kSave, L"MenuSaveSJIS", L"Shift_JIS(&S)", L"", kSep, off},
        {1082, kSave, L"MenuSaveJIS", L"JIS(&J)", L"", 0, off},
        {1083, kSave, L"MenuSaveEUCJP", L"EUC-JP(&E)", L"", 0, off},
        {1084, kSave, L"MenuSaveUTF7", L"UTF-7(&7)", L"", 0, off},
        {1085, kSave, L"MenuSaveUTF8Bom", L"UTF-8 [BOM有](&8)", L"", 0, off},
        {1086, kSave, L"MenuSaveUTF8", L"UTF-8 [BOM無](&V)", L"", 0, off},
        {1087, kSave, L"MenuSaveUTF16BomBe", L"UTF-16 [BOM有 ビッグエンディアン](&B)", L"", 0, off},
        {1088, kSave, L"MenuSaveUTF16Be", L"UTF-16 [BOM無 ビッグエンディアン](&C)", L"", 0, off},
        {1089, kSave, L"MenuSaveUTF16BomLe", L"UTF-16 [BOM有 リトルエンディアン](&L)", L"", 0, off},
        {1090, kSave, L"MenuSaveUTF16Le", L"UTF-16 [BOM無 リトルエンディアン](&M)", L"", 0, off},

        {1003, kFile, L"MenuQuit", L"終了(&Q && &X)", L"", 0, Handler(&F::MenuQuitClick)},

        {1111, kEdit, L"MenuEditMode", L"編集モード(&E)", L"Ctrl+E", 0, Handler(&F::MenuEditModeClick)},
        {1121, kEdit, L"MenuClipTab", L"クリップ時の区切り  タブ区切り [ TAB ] (&T)", L"", kSep, clip},
        {1122, kEdit, L"MenuClipDoubleCautation", L"クリップ時の区切り  ダブルコーテーション区切り [ \",\" ] (&D)", L"",
         0, clip},
        {1123, kEdit, L"MenuClipComma", L"クリップ時の区切り  カンマ区切り [ , ] (&C)", L"", 0, clip},
        {1125, kEdit, L"MenuClipCsvEx2", L"クリップ時の区切り  CSV 11,\"22\",\"3,3\",\"4\"\"4\",55 (&V)", L"", 0, clip},
        {1124, kEdit, L"MenuCopyToClip", L"選択範囲をクリップボードへコピー(&Z)", L"", kSep,
         Handler(&F::MenuCopyToClipClick)},
        {1131, kEdit, L"MenuRowDelete", L"行の削除(&D)", L"Ctrl+Del", kSep, off},
        {1132, kEdit, L"MenuRowInsert", L"行の挿入(&I)", L"", 0, off},
        {1133, kEdit, L"MenuRowAdd", L"行の追加(&A)", L"", 0, off},
        {1134, kEdit, L"MenuRowUp", L"行を上へ移動(&U)", L"", 0, off},
        {1135, kEdit, L"MenuRowDown", L"行を下へ移動(&W)", L"", 0, off},
        {1141, kEdit, L"MenuColDelete", L"桁の削除(&E)", L"", kSep, off},
        {1142, kEdit, L"MenuColInsert", L"桁の挿入(&S)", L"", 0, off},
        {1143, kEdit, L"MenuColLeft", L"桁を左へ移動(&G)", L"", 0, off},
        {1144, kEdit, L"MenuColRight", L"桁を右へ移動(&H)", L"", 0, off},
        {1145, kEdit, L"MenuColAdd", L"桁の追加(&L)", L"", 0, off},
        {1151, kEdit, L"MenuMemoHeight1", L"メモの高さ 1倍(&1)", L"", kSep, memo},
        {1152, kEdit, L"MenuMemoHeight2", L"メモの高さ 2倍(&2)", L"", 0, memo},
        {1153, kEdit, L"MenuMemoHeight3", L"メモの高さ 3倍(&3)", L"", 0, memo},
        {1154, kEdit, L"MenuMemoHeight4", L"メモの高さ 4倍(&4)", L"", 0, memo},
        {1155, kEdit, L"MenuMemoHeight5", L"メモの高さ 5倍(&5)", L"", 0, memo},
        {1156, kEdit, L"MenuMemoHeight6", L"メモの高さ 6倍(&6)", L"", 0, memo},
        {1157, kEdit, L"MenuMemoHeight7", L"メモの高さ 7倍(&7)", L"", 0, memo},
        {1158, kEdit, L"MenuMemoHeight8", L"メモの高さ 8倍(&8)", L"", 0, memo},
        {1159, kEdit, L"MenuMemoHeight9", L"メモの高さ 9倍(&9)", L"", 0, memo},
        {1160, kEdit, L"MenuMemoHeight10", L"メモの高さ 10倍(&0)", L"", 0, memo},

        {1211, kSearch, L"MenuSearchWordNext", L"次を検索(&N)", L"F3", 0, Handler(&F::MenuSearchWordNextClick)},
        {1212, kSearch, L"MenuSearchWordPrev", L"前を検索(&P)", L"Shift+F3", 0, Handler(&F::MenuSearchWordPrevClick)},

        {1311, kView, L"MenuColumnWidthAdjust", L"桁の幅を自動調整(&L)", L"Ctrl+I", 0,
         Handler(&F::MenuColumnWidthAdjustClick)},
        {1321, kView, L"MenuRowFixed", L"現在行をタイトル行に設定(&J)", L"", kSep, Handler(&F::MenuRowFixedClick)},
        {1322, kView, L"MenuRowFixedClear", L"タイトル行をクリア(&K)", L"", 0, Handler(&F::MenuRowFixedClearClick)},
        {1331, kView, L"MenuColFixed", L"現在桁をタイトル桁に設定(&M)", L"", kSep, Handler(&F::MenuColFixedClick)},
        {1332, kView, L"MenuColFixedClear", L"タイトル桁をクリア(&N)", L"", 0, Handler(&F::MenuColFixedClearClick)},
        {1341, kView, L"MenuStatusRowCol", L"ステータス表示は [行,桁] (&Y)", L"", kSep, status},
        {1342, kView, L"MenuStatusColRow", L"ステータス表示は [桁,行] (&X)", L"", 0, status},
        {1351, kView, L"MenuRatio1", L"行の高さ 1倍(&1)", L"", kSep, ratio},
        {1352, kView, L"MenuRatio2", L"行の高さ 2倍(&2)", L"", 0, ratio},
        {1353, kView, L"MenuRatio3", L"行の高さ 3倍(&3)", L"", 0, ratio},
        {1354, kView, L"MenuRatio4", L"行の高さ 4倍(&4)", L"", 0, ratio},
        {1355, kView, L"MenuRatio5", L"行の高さ 5倍(&5)", L"", 0, ratio},
        {1356, kView, L"MenuRatio6", L"行の高さ 6倍(&6)", L"", 0, ratio},
        {1357, kView, L"MenuRatio7", L"行の高さ 7倍(&7)", L"", 0, ratio},
        {1358, kView, L"MenuRatio8", L"行の高さ 8倍(&8)", L"", 0, ratio},
        {1359, kView, L"MenuRatio9", L"行の高さ 9倍(&9)", L"", 0, ratio},
        {1360, kView, L"MenuRatio10", L"行の高さ 10倍(&0)", L"", 0, ratio},

        {1411, kSetting, L"MenuFontColor", L"フォント設定(&F)", L"", 0, Handler(&F::MenuFontColorClick)},
        {1412, kSetting, L"MenuBackColor", L"背景色設定(&C)", L"", 0, Handler(&F::MenuBackColorClick)},
        {1413, kSetting, L"MenuCurrentBackColor", L"カレントセルの背景色設定(&R)", L"", 0,
         Handler(&F::MenuCurrentBackColorClick)},
        {1414, kSetting, L"MenuFixedBackColor", L"固定行と固定桁の背景色設定(&X)", L"", 0,
         Handler(&F::MenuFixedBackColorClick)},
        {1421, kSetting, L"MenuCrLfColor", L"テキスト改行色設定(&L)", L"", kSep, Handler(&F::MenuCrLfColorClick)},
        {1431, kSetting, L"MenuFontColoInit", L"フォントと色を初期化(&I)", L"", kSep, Handler(&F::MenuFontColoInitClick)},
        {1432, kSetting, L"MenuSameAsQuibView", L"色はquibViewと同じ(&A)", L"", kSep | kToggle,
         Handler(&F::MenuSameAsQuibViewClick)},

        {1501, kPopup, L"PopupCopy", L"コピー(&C)", L"Ctrl+C", 0, Handler(&F::PopupCopyClick)},
        {1502, kPopup, L"PopupCut", L"切り取り(&X)", L"Ctrl+X", 0, Handler(&F::PopupCutClick)},
        {1503, kPopup, L"PopupPaste", L"貼り付け(&P)", L"Ctrl+V", 0, Handler(&F::PopupPasteClick)},
        {1504, kPopup, L"PopupSelectAll", L"全選択(&A)", L"Ctrl+A", 0, Handler(&F::PopupSelectAllClick)},
    };
    return t;
}

}  // namespace

const CommandTable& ViewGridCommands() {
    static const CommandTable table = MakeTable();
    return table;
}

}  // namespace quib
