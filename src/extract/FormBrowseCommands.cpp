// The browse window's commands: its menus, its built-in key table (file
// "quibFMarchive-KeyMapBrowse.txt") and what each command runs.
#include "extract/FormBrowse.h"

namespace quib {
namespace {

template <class F>
CommandHandler H(F f) {
    return Handler<TFormBrowse>(f);
}

// The drive rows are written out one by one: the help file's key tables are
// read from this table's text.
static_assert(TFormBrowse::kTagMenuDriveA == 1202);

CommandTable MakeTable() {
    CommandTable t;
    t.menus = {
        {L"Key", L"Keyコマンド(&K)", 1000},
        {L"その他のkey", L"その他のkeyコマンド(&E)", 1100},
        {L"ドライブ", L"ドライブ(&D)", 1200},
    };
    t.commands = {
        {1001, L"Key", L"MenuJumpFolderEx", L"カレントフォルダの変更(&H)...", L"H", kCommandPlain, H(&TFormBrowse::MenuJumpFolderExClick)},
        {1002, L"Key", L"MenuMakeFolder", L"フォルダの作成(&K)...", L"K", kCommandPlain, H(&TFormBrowse::MenuMakeFolderClick)},
        {1003, L"Key", L"MenuDriveChange", L"ドライブの変更(&L)...", L"L", kCommandPlain, H(&TFormBrowse::MenuDriveChangeClick)},
        {1004, L"Key", L"MenuRename", L"ファイル名の変更(&N)...", L"N", kCommandPlain, H(&TFormBrowse::MenuRenameClick)},
        {1005, L"Key", L"MenuSort", L"ファイルのソート(&S)...", L"S", kCommandPlain, H(&TFormBrowse::MenuSortClick)},
        {1006, L"Key", L"MenuQuit", L"終了(&Q)", L"Q", kCommandPlain, H(&TFormBrowse::MenuQuitClick)},
        {1101, L"その他のkey", L"MenuBackSpace", L"上に戻る(&V)", L"BkSp", kCommandPlain, H(&TFormBrowse::MenuBackSpaceClick)},
        {1102, L"その他のkey", L"MenuExecuteExt", L"下階層に移動(&X)", L"Enter", kCommandPlain, H(&TFormBrowse::MenuExecuteExtClick)},
        {1103, L"その他のkey", L"MenuShiftReturn", L"確定(&E)", L"Shift+Enter", kCommandPlain, H(&TFormBrowse::MenuShiftReturnClick)},
        {1104, L"その他のkey", L"MenuListViewWidthInit", L"リスト幅初期化(&I)", L"", kCommandPlain, H(&TFormBrowse::MenuListViewWidthInitClick)},
        {1105, L"その他のkey", L"MenuMoveTop", L"リストの先頭に移動(&S)", L"Ctrl+Home", kCommandPlain, H(&TFormBrowse::MenuMoveTopClick)},
        {1106, L"その他のkey", L"MenuMovePrev", L"リストの前ページに移動(&R)", L"Left", kCommandPlain, H(&TFormBrowse::MenuMovePrevClick)},
        {1107, L"その他のkey", L"MenuMoveUp", L"リストの上に移動(&U)", L"Up", kCommandPlain, H(&TFormBrowse::MenuMoveUpClick)},
        {1108, L"その他のkey", L"MenuMoveDown", L"リストの下に移動(&D)", L"Down", kCommandPlain, H(&TFormBrowse::MenuMoveDownClick)},
        {1109, L"その他のkey", L"MenuMoveNext", L"リストの次ページに移動(&N)", L"Right", kCommandPlain, H(&TFormBrowse::MenuMoveNextClick)},
        {1110, L"その他のkey", L"MenuMoveEnd", L"リストの最後に移動(&L)", L"End", kCommandPlain, H(&TFormBrowse::MenuMoveEndClick)},
        {1111, L"その他のkey", L"MenuEscape", L"終了(&X)", L"Esc", kCommandPlain, H(&TFormBrowse::MenuEscapeClick)},
        {1112, L"その他のkey", L"MenuKeyBoard", L"キーボード設定(&K)...", L"", kCommandPlain, H(&TFormBrowse::MenuKeyBoardClick)},
        {1201, L"ドライブ", L"MenuDriveUpdate", L"ドライブ情報更新(&0)", L"0", kCommandPlain, H(&TFormBrowse::MenuDriveUpdateClick)},
        // The drive items: A .. I on the digits 1 .. 9, the rest without a key.
        {1202, L"ドライブ", L"MenuDriveA", L"ドライブA:\\(&A)", L"1", kCommandPlain, nullptr},
        {1203, L"ドライブ", L"MenuDriveB", L"ドライブB:\\(&B)", L"2", kCommandPlain, nullptr},
        {1204, L"ドライブ", L"MenuDriveC", L"ドライブC:\\(&C)", L"3", kCommandPlain, nullptr},
        {1205, L"ドライブ", L"MenuDriveD", L"ドライブD:\\(&D)", L"4", kCommandPlain, nullptr},
        {1206, L"ドライブ", L"MenuDriveE", L"ドライブE:\\(&E)", L"5", kCommandPlain, nullptr},
        {1207, L"ドライブ", L"MenuDriveF", L"ドライブF:\\(&F)", L"6", kCommandPlain, nullptr},
        {1208, L"ドライブ", L"MenuDriveG", L"ドライブG:\\(&G)", L"7", kCommandPlain, nullptr},
        {1209, L"ドライブ", L"MenuDriveH", L"ドライブH:\\(&H)", L"8", kCommandPlain, nullptr},
        {1210, L"ドライブ", L"MenuDriveI", L"ドライブI:\\(&I)", L"9", kCommandPlain, nullptr},
        {1211, L"ドライブ", L"MenuDriveJ", L"ドライブJ:\\(&J)", L"", kCommandPlain, nullptr},
        {1212, L"ドライブ", L"MenuDriveK", L"ドライブK:\\(&K)", L"", kCommandPlain, nullptr},
        {1213, L"ドライブ", L"MenuDriveL", L"ドライブL:\\(&L)", L"", kCommandPlain, nullptr},
        {1214, L"ドライブ", L"MenuDriveM", L"ドライブM:\\(&M)", L"", kCommandPlain, nullptr},
        {1215, L"ドライブ", L"MenuDriveN", L"ドライブN:\\(&N)", L"", kCommandPlain, nullptr},
        {1216, L"ドライブ", L"MenuDriveO", L"ドライブO:\\(&O)", L"", kCommandPlain, nullptr},
        {1217, L"ドライブ", L"MenuDriveP", L"ドライブP:\\(&P)", L"", kCommandPlain, nullptr},
        {1218, L"ドライブ", L"MenuDriveQ", L"ドライブQ:\\(&Q)", L"", kCommandPlain, nullptr},
        {1219, L"ドライブ", L"MenuDriveR", L"ドライブR:\\(&R)", L"", kCommandPlain, nullptr},
        {1220, L"ドライブ", L"MenuDriveS", L"ドライブS:\\(&S)", L"", kCommandPlain, nullptr},
        {1221, L"ドライブ", L"MenuDriveT", L"ドライブT:\\(&T)", L"", kCommandPlain, nullptr},
        {1222, L"ドライブ", L"MenuDriveU", L"ドライブU:\\(&U)", L"", kCommandPlain, nullptr},
        {1223, L"ドライブ", L"MenuDriveV", L"ドライブV:\\(&V)", L"", kCommandPlain, nullptr},
        {1224, L"ドライブ", L"MenuDriveW", L"ドライブW:\\(&W)", L"", kCommandPlain, nullptr},
        {1225, L"ドライブ", L"MenuDriveX", L"ドライブX:\\(&X)", L"", kCommandPlain, nullptr},
        {1226, L"ドライブ", L"MenuDriveY", L"ドライブY:\\(&Y)", L"", kCommandPlain, nullptr},
        {1227, L"ドライブ", L"MenuDriveZ", L"ドライブZ:\\(&Z)", L"", kCommandPlain, nullptr},
    };
    return t;
}

}  // namespace

const CommandTable& BrowseCommandTable() {
    static const CommandTable table = MakeTable();
    return table;
}

}  // namespace quib
