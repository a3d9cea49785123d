// The browse window's commands: its menus, its built-in key table (file
// "quibFMarchive-KeyMapBrowse.txt") and what each command runs.
#include "extract/FormBrowse.h"

namespace quib {
namespace {

template <class F>
CommandHandler H(F f) {
    return Handler<TFormBrowse>(f);
}

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
    };
    // The drive items: A .. I on the digits 1 .. 9, the rest without a key.
    static const wchar_t* const kNames[26] = {
        L"MenuDriveA", L"MenuDriveB", L"MenuDriveC", L"MenuDriveD", L"MenuDriveE", L"MenuDriveF", L"MenuDriveG",
        L"MenuDriveH", L"MenuDriveI", L"MenuDriveJ", L"MenuDriveK", L"MenuDriveL", L"MenuDriveM", L"MenuDriveN",
        L"MenuDriveO", L"MenuDriveP", L"MenuDriveQ", L"MenuDriveR", L"MenuDriveS", L"MenuDriveT", L"MenuDriveU",
        L"MenuDriveV", L"MenuDriveW", L"MenuDriveX", L"MenuDriveY", L"MenuDriveZ"};
    static const wchar_t* const kCaptions[26] = {
        L"ドライブA:\\(&A)", L"ドライブB:\\(&B)", L"ドライブC:\\(&C)", L"ドライブD:\\(&D)", L"ドライブE:\\(&E)",
        L"ドライブF:\\(&F)", L"ドライブG:\\(&G)", L"ドライブH:\\(&H)", L"ドライブI:\\(&I)", L"ドライブJ:\\(&J)",
        L"ドライブK:\\(&K)", L"ドライブL:\\(&L)", L"ドライブM:\\(&M)", L"ドライブN:\\(&N)", L"ドライブO:\\(&O)",
        L"ドライブP:\\(&P)", L"ドライブQ:\\(&Q)", L"ドライブR:\\(&R)", L"ドライブS:\\(&S)", L"ドライブT:\\(&T)",
        L"ドライブU:\\(&U)", L"ドライブV:\\(&V)", L"ドライブW:\\(&W)", L"ドライブX:\\(&X)", L"ドライブY:\\(&Y)",
        L"ドライブZ:\\(&Z)"};
    static const wchar_t* const kKeys[9] = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"};
    for (int d = 0; d < 26; ++d)
        t.commands.push_back({TFormBrowse::kTagMenuDriveA + d, L"ドライブ", kNames[d], kCaptions[d], d < 9 ? kKeys[d] : L"",
                              kCommandPlain, nullptr});
    return t;
}

}  // namespace

const CommandTable& BrowseCommandTable() {
    static const CommandTable table = MakeTable();
    return table;
}

}  // namespace quib
