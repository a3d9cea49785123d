// The pop-up extraction window's commands: its menus, its built-in key table
// (file "quibFMarchive-KeyMapPopUp.txt") and what each command runs.
#include "extract/FormPopUp.h"

namespace quib {
namespace {

template <class F>
CommandHandler H(F f) {
    return Handler<TFormPopUp>(f);
}

CommandTable MakeTable() {
    using P = TFormPopUp;
    CommandTable t;
    // The tags are written out: the help file's key tables are read from this source.
    static_assert(P::kTagMenuFile == 1000 && P::kTagMenuOption == 1100);
    t.menus = {
        {L"ファイル", L"ファイル(&F)", 1000},
        {L"操作", L"オプション設定(&O)", 1100},
    };
    t.commands = {
        {1001, L"ファイル", L"MenuThis", L"このフォルダに解凍(&U)", L"Alt+U", kCommandPlain, H(&P::MenuThisClick)},
        {1002, L"ファイル", L"MenuList", L"解凍フォルダを指定（一覧）(&L)", L"Alt+L", kCommandPlain, H(&P::MenuListClick)},
        {1003, L"ファイル", L"MenuExtract1", L"(&1):解凍先", L"Alt+1", kCommandPlain, H(&P::MenuExtract1Click)},
        {1004, L"ファイル", L"MenuExtract2", L"(&2):解凍先", L"Alt+2", kCommandPlain, H(&P::MenuExtract2Click)},
        {1005, L"ファイル", L"MenuExtract3", L"(&3):解凍先", L"Alt+3", kCommandPlain, H(&P::MenuExtract3Click)},
        {1006, L"ファイル", L"MenuExtract4", L"(&4):解凍先", L"Alt+4", kCommandPlain, H(&P::MenuExtract4Click)},
        {1007, L"ファイル", L"MenuExtract5", L"(&5):解凍先", L"Alt+5", kCommandPlain, H(&P::MenuExtract5Click)},
        {1008, L"ファイル", L"MenuExtractQuibFM", L"quibFM解凍(&A)", L"Alt+A", kCommandPlain, H(&P::MenuExtractQuibFMClick)},
        {1009, L"ファイル", L"MenuReturnList", L"閲覧(一覧に戻る)(&L)", L"Alt+L", kCommandPlain, H(&P::MenuReturnListClick)},
        {1031, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"Alt+X", kCommandPlain, H(&P::MenuCloseClick)},
        {1010, L"ファイル", L"MenuTree", L"解凍フォルダを指定（ツリー）(&T)", L"Alt+T", kCommandPlain, H(&P::MenuTreeClick)},
        {1011, L"ファイル", L"MenuBrowse", L"解凍フォルダを指定（参照）(&B)", L"Alt+B", kCommandPlain, H(&P::MenuBrowseClick)},
        {1101, L"操作", L"MenuCheckBox51", L"パス付で解凍(&N)", L"Alt+N", kCommandToggle, H(&P::MenuCheckBox51Click)},
        {1102, L"操作", L"MenuCheckBox52", L"圧縮ファイル名と同名のフォルダを自動で作成して解凍(&M)", L"Alt+M", kCommandToggle,
         H(&P::MenuCheckBox52Click)},
        {1103, L"操作", L"MenuCheckBox53", L"圧縮ファイルにフォルダがある場合はフォルダ名で作成(&D)", L"Alt+D", kCommandToggle,
         H(&P::MenuCheckBox53Click)},
        {1104, L"操作", L"MenuCheckBox54", L"解凍後quibFMを前面に表示(&J)", L"Alt+J", kCommandToggle, H(&P::MenuCheckBox54Click)},
        {1105, L"操作", L"MenuLabel26", L"解凍用ZipDLL選択", L"Alt+V", kCommandPlain, H(&P::MenuLabel26Click)},
        {1106, L"操作", L"MenuCheckBox55", L"解凍後にパスをクリップへ(&C)", L"Alt+P", kCommandToggle, H(&P::MenuCheckBox55Click)},
        {1111, L"操作", L"MenuKeyBoard", L"キーボード設定(&K)...", L"", kCommandSeparatorBefore, H(&P::MenuKeyBoardClick)},
    };
    return t;
}

}  // namespace

const CommandTable& PopUpCommandTable() {
    static const CommandTable table = MakeTable();
    return table;
}

}  // namespace quib
