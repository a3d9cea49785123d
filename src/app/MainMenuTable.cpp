#include "app/MainMenuTable.h"

#include "app/FormMain.h"

namespace quib {

namespace {
constexpr CommandHandler H(void (TFormMain::*member)()) { return Handler(member); }
}  // namespace

// Commands without a handler belong to work still to come; their items exist
// so that key maps and language files keep their lines.
const CommandTable& MainCommandTable() {
    static const CommandTable table = {MainMenuBar(), {
        {1001, L"ファイル", L"MenuOpen", L"開く(&O)", L"Ctrl+O", kCommandPlain, H(&TFormMain::MenuOpenClick)},
        {1011, L"ファイル", L"MenuFileArchive", L"一覧表示 [通常書庫] (&A)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuFileArchiveClick)},
        {1012, L"ファイル", L"MenuFileSimple", L"簡易表示 [通常書庫] (&M)", L"", kCommandPlain, H(&TFormMain::MenuFileSimpleClick)},
        {1013, L"ファイル", L"MenuFileTest", L"テスト表示 [通常書庫] (&T)", L"", kCommandPlain, H(&TFormMain::MenuFileTestClick)},
        {1014, L"ファイル", L"MenuFileSfx", L"一覧表示 [自己解凍書庫] (&S)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuFileSfxClick)},
        {1015, L"ファイル", L"MenuFileSusie", L"一覧表示 [Susie書庫] (&I)", L"", kCommandPlain, H(&TFormMain::MenuFileSusieClick)},
        {1016, L"ファイル", L"MenuFileSfxAuto", L"自己解凍書庫の自動判定の一覧表示(&B)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuFileSfxAutoClick)},
        {1017, L"ファイル", L"MenuFileSfxList", L"自己解凍書庫のDLL指定の一覧表示(&D)", L"", kCommandPlain, H(&TFormMain::MenuFileSfxListClick)},
        {1018, L"ファイル", L"MenuFileSfxSimple", L"自己解凍書庫のDLL指定の簡易表示(&V)", L"", kCommandPlain, H(&TFormMain::MenuFileSfxSimpleClick)},
        {1019, L"ファイル", L"MenuFileSfxTest", L"自己解凍書庫のDLL指定のテスト表示(&W)", L"", kCommandPlain, H(&TFormMain::MenuFileSfxTestClick)},
        {1021, L"ファイル", L"MenuShowPopup", L"ポップアップ解凍表示(&P)...", L"", kCommandSeparatorBefore, H(&TFormMain::MenuShowPopupClick)},
        {1022, L"ファイル", L"MenuAutoPopup", L"ポップアップ解凍表示を起動時に表示(&U)", L"", kCommandToggle, nullptr},
        {1031, L"ファイル", L"MenuListText", L"テキスト形式表示(&L)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuListTextClick)},
        {1032, L"ファイル", L"MenuListFiler", L"ファイラー形式表示(&F)", L"", kCommandPlain, H(&TFormMain::MenuListFilerClick)},
        {1041, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuCloseClick)},
        {1101, L"操作", L"MenuUnpack", L"解凍(&U)...", L"U", kCommandPlain, H(&TFormMain::MenuUnpackClick)},
        {1102, L"操作", L"MenuPassword", L"パスワード入力(&P)", L"Ctrl+P", kCommandPlain, H(&TFormMain::MenuPasswordClick)},
        {1103, L"操作", L"MenuDelete", L"ファイル削除(&D)", L"D", kCommandPlain, H(&TFormMain::MenuDeleteClick)},
        {1111, L"操作", L"MenuBackSpace", L"上に戻る(&B)", L"BkSp", kCommandSeparatorBefore, H(&TFormMain::MenuBackSpaceClick)},
        {1112, L"操作", L"MenuExecuteExt", L"拡張子対応起動(&E)", L"Enter", kCommandPlain, H(&TFormMain::MenuExecuteExtClick)},
        {1113, L"操作", L"MenuImageWic", L"画像ビューワ [WIC] (&W)", L"W", kCommandPlain, H(&TFormMain::MenuImageWicClick)},
        {1114, L"操作", L"MenuImageGdi", L"画像ビューワ [GDI] (&G)", L"G", kCommandPlain, H(&TFormMain::MenuImageGdiClick)},
        {1115, L"操作", L"MenuImageSusie", L"画像ビューワ [Susie] (&S)", L"S", kCommandPlain, H(&TFormMain::MenuImageSusieClick)},
        {1116, L"操作", L"MenuTextView", L"テキストビューワ(&V)", L"V", kCommandPlain, H(&TFormMain::MenuTextViewClick)},
        {1117, L"操作", L"MenuArchiveViewer", L"圧縮ファイルビューワ(&A)", L"A", kCommandPlain, H(&TFormMain::MenuArchiveViewerClick)},
        {1118, L"操作", L"MenuMovieMusicPlayer", L"動画・音楽プレイヤー(&I)", L"I", kCommandPlain, H(&TFormMain::MenuMovieMusicPlayerClick)},
        {1121, L"操作", L"MenuMark", L"マーク(&M)", L"Space", kCommandSeparatorBefore, H(&TFormMain::MenuMarkClick)},
        {1122, L"操作", L"MenuAllMarkFile", L"全マークファイル(&H)", L"Home", kCommandPlain, H(&TFormMain::MenuAllMarkFileClick)},
        {1123, L"操作", L"MenuAllMarkFolderFile", L"全マークフォルダファイル(&O)", L"Shift+Home", kCommandPlain, H(&TFormMain::MenuAllMarkFolderFileClick)},
        {1124, L"操作", L"MenuMarkReverse", L"マークファイル反転(&Z)", L"Ctrl+Z", kCommandPlain, H(&TFormMain::MenuMarkReverseClick)},
        {1131, L"操作", L"MenuLauncher", L"ソフトウェア起動(&7)...", L"F7", kCommandSeparatorBefore, H(&TFormMain::MenuLauncherClick)},
        {1132, L"操作", L"MenuInitialSearch", L"イニシャルサーチ(&9)", L"F9", kCommandPlain, H(&TFormMain::MenuInitialSearchClick)},
        {1133, L"操作", L"MenuInitialSearchOneTime", L"イニシャルサーチ １回のみ(&-)", L"F10", kCommandPlain, H(&TFormMain::MenuInitialSearchOneTimeClick)},
        {1141, L"操作", L"MenuCopyFileName", L"ファイル名のコピー(&B)", L"Shift+B", kCommandSeparatorBefore, H(&TFormMain::MenuCopyFileNameClick)},
        {1201, L"移動", L"MenuMoveTop", L"先頭移動(&S)", L"Ctrl+Home", kCommandPlain, H(&TFormMain::MenuMoveTopClick)},
        {1202, L"移動", L"MenuMovePrev", L"上＋移動(&R)", L"Left", kCommandPlain, H(&TFormMain::MenuMovePrevClick)},
        {1203, L"移動", L"MenuMoveUp", L"上移動(&U)", L"Up", kCommandPlain, H(&TFormMain::MenuMoveUpClick)},
        {1204, L"移動", L"MenuMoveDown", L"下移動(&D)", L"Down", kCommandPlain, H(&TFormMain::MenuMoveDownClick)},
        {1205, L"移動", L"MenuMoveNext", L"下＋移動(&N)", L"Right", kCommandPlain, H(&TFormMain::MenuMoveNextClick)},
        {1206, L"移動", L"MenuMoveEnd", L"最後移動(&L)", L"Ctrl+End", kCommandPlain, H(&TFormMain::MenuMoveEndClick)},
        {1207, L"移動", L"MenuMoveTop2", L"先頭移動(&H)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuMoveTopClick)},
        {1208, L"移動", L"MenuMovePrev2", L"上＋移動(&W)", L"PgUp", kCommandPlain, H(&TFormMain::MenuMovePrevClick)},
        {1209, L"移動", L"MenuMoveUp2", L"上移動(&X)", L"", kCommandPlain, H(&TFormMain::MenuMoveUpClick)},
        {1210, L"移動", L"MenuMoveDown2", L"下移動(&Y)", L"", kCommandPlain, H(&TFormMain::MenuMoveDownClick)},
        {1211, L"移動", L"MenuMoveNext2", L"下＋移動(&O)", L"PgDn", kCommandPlain, H(&TFormMain::MenuMoveNextClick)},
        {1212, L"移動", L"MenuMoveEnd2", L"最後移動(&I)", L"", kCommandPlain, H(&TFormMain::MenuMoveEndClick)},
        {1213, L"移動", L"MenuMovePrev3", L"上＋移動(&T)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuMovePrevClick)},
        {1214, L"移動", L"MenuMoveUp3", L"上移動(&A)", L"", kCommandPlain, H(&TFormMain::MenuMoveUpClick)},
        {1215, L"移動", L"MenuMoveDown3", L"下移動(&B)", L"", kCommandPlain, H(&TFormMain::MenuMoveDownClick)},
        {1216, L"移動", L"MenuMoveNext3", L"下＋移動(&Z)", L"", kCommandPlain, H(&TFormMain::MenuMoveNextClick)},
        {1217, L"移動", L"MenuNoOperation1", L"何もしない(&1)", L"", kCommandSeparatorBefore, nullptr},
        {1218, L"移動", L"MenuNoOperation2", L"何もしない(&2)", L"", kCommandPlain, nullptr},
        {1219, L"移動", L"MenuNoOperation3", L"何もしない(&3)", L"", kCommandPlain, nullptr},
        {1220, L"移動", L"MenuNoOperation4", L"何もしない(&4)", L"", kCommandPlain, nullptr},
        {1301, L"設定", L"MenuParameterSetting", L"パラメータ設定(&P)...", L"", kCommandPlain, H(&TFormMain::MenuParameterSettingClick)},
        {1302, L"設定", L"MenuArchiveSetting", L"アーカイブパラメータ設定(&A)...", L"", kCommandPlain, H(&TFormMain::MenuArchiveSettingClick)},
        {1303, L"設定", L"MenuSameAsQuibFM", L"色はquibFMと同じ(&A)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuSameAsQuibFMClick)},
        {1304, L"設定", L"MenuCloseESCkey", L"ESCキーで終了(&E)", L"", kCommandToggle, nullptr},
        {1311, L"設定", L"MenuKeyBoad", L"キーボード設定(&K)...", L"", kCommandSeparatorBefore, H(&TFormMain::MenuKeyBoadClick)},
        {1321, L"設定", L"MenuListViewWidthInit", L"リスト幅初期化(&L)", L"", kCommandSeparatorBefore, H(&TFormMain::MenuListViewWidthInitClick)},
        {1322, L"設定", L"MenuEncode", L"ファイル名をUTF8で表示(&U)", L"", kCommandToggle, nullptr},
        {1401, L"拡張", L"MenuArchiveSetFocus", L"quibFMarchiveを選択(&E)...", L"", kCommandPlain, H(&TFormMain::MenuArchiveSetFocusClick)},
        {1421, L"拡張", L"MenuFilerSetFocus", L"ファイラーを選択(&I)...", L"", kCommandPlain, H(&TFormMain::MenuFilerSetFocusClick)},
        {1431, L"拡張", L"MenuParentShow", L"ファイラーを前面に表示(&G)", L"", kCommandPlain, H(&TFormMain::MenuParentShowClick)},
        {1441, L"拡張", L"MenuShowLog", L"ログ表示(&L)..", L"", kCommandSeparatorBefore, H(&TFormMain::MenuShowLogClick)},
        {1442, L"拡張", L"MenuShowListItems", L"項目表示(&M)..", L"", kCommandPlain, H(&TFormMain::MenuShowListItemsClick)},
        {1451, L"拡張", L"MenuSendTopToFiler", L"ファイラーと連携時：終了時にファイラーを前面に表示(&T)", L"", kCommandSeparatorBefore | kCommandToggle, nullptr},
        {1501, L"ヘルプ", L"MenuShowHelp", L"ヘルプ表示(&C)...", L"", kCommandPlain, H(&TFormMain::MenuShowHelpClick)},
        {1601, L"Jpn/Eng", L"MenuJapanese", L"Japanese(&J)", L"", kCommandPlain, H(&TFormMain::MenuJapaneseClick)},
        {1602, L"Jpn/Eng", L"MenuEnglish", L"English(&E)", L"", kCommandPlain, H(&TFormMain::MenuEnglishClick)},
    }};
    return table;
}

const std::vector<MainCommand>& MainCommands() { return MainCommandTable().commands; }

const MainCommand* FindMainCommand(int tag) {
    for (const auto& c : MainCommands())
        if (c.tag == tag) return &c;
    return nullptr;
}

const std::vector<MainMenuBarItem>& MainMenuBar() {
    static const std::vector<MainMenuBarItem> bar = {
        {L"ファイル", L"ファイル(&F)", 1000}, {L"操作", L"操作(&O)", 1100},   {L"移動", L"移動(&M)", 1200},
        {L"設定", L"設定(&S)", 1300},         {L"拡張", L"拡張(&E)", 1400},   {L"ヘルプ", L"ヘルプ(&H)", 1500},
        {L"Jpn/Eng", L"Jpn/Eng(&N)", 1600},
    };
    return bar;
}

}  // namespace quib
