#include "app/MainMenuTable.h"

namespace quib {

const std::vector<MainCommand>& MainCommands() {
    static const std::vector<MainCommand> table = {
        {1001, L"ファイル", L"MenuOpen", L"開く(&O)", L"Ctrl+O", false},
        {1011, L"ファイル", L"MenuFileArchive", L"一覧表示 [通常書庫] (&A)", L"", true},
        {1012, L"ファイル", L"MenuFileSimple", L"簡易表示 [通常書庫] (&M)", L"", false},
        {1013, L"ファイル", L"MenuFileTest", L"テスト表示 [通常書庫] (&T)", L"", false},
        {1014, L"ファイル", L"MenuFileSfx", L"一覧表示 [自己解凍書庫] (&S)", L"", true},
        {1015, L"ファイル", L"MenuFileSusie", L"一覧表示 [Susie書庫] (&I)", L"", false},
        {1016, L"ファイル", L"MenuFileSfxAuto", L"自己解凍書庫の自動判定の一覧表示(&B)", L"", true},
        {1017, L"ファイル", L"MenuFileSfxList", L"自己解凍書庫のDLL指定の一覧表示(&D)", L"", false},
        {1018, L"ファイル", L"MenuFileSfxSimple", L"自己解凍書庫のDLL指定の簡易表示(&V)", L"", false},
        {1019, L"ファイル", L"MenuFileSfxTest", L"自己解凍書庫のDLL指定のテスト表示(&W)", L"", false},
        {1021, L"ファイル", L"MenuShowPopup", L"ポップアップ解凍表示(&P)...", L"", true},
        {1022, L"ファイル", L"MenuAutoPopup", L"ポップアップ解凍表示を起動時に表示(&U)", L"", false},
        {1031, L"ファイル", L"MenuListText", L"テキスト形式表示(&L)", L"", true},
        {1032, L"ファイル", L"MenuListFiler", L"ファイラー形式表示(&F)", L"", false},
        {1041, L"ファイル", L"MenuClose", L"終了(&Q && &X)", L"", true},
        {1101, L"操作", L"MenuUnpack", L"解凍(&U)...", L"U", false},
        {1102, L"操作", L"MenuPassword", L"パスワード入力(&P)", L"Ctrl+P", false},
        {1103, L"操作", L"MenuDelete", L"ファイル削除(&D)", L"D", false},
        {1111, L"操作", L"MenuBackSpace", L"上に戻る(&B)", L"BkSp", true},
        {1112, L"操作", L"MenuExecuteExt", L"拡張子対応起動(&E)", L"Enter", false},
        {1113, L"操作", L"MenuImageWic", L"画像ビューワ [WIC] (&W)", L"W", false},
        {1114, L"操作", L"MenuImageGdi", L"画像ビューワ [GDI] (&G)", L"G", false},
        {1115, L"操作", L"MenuImageSusie", L"画像ビューワ [Susie] (&S)", L"S", false},
        {1116, L"操作", L"MenuTextView", L"テキストビューワ(&V)", L"V", false},
        {1117, L"操作", L"MenuArchiveViewer", L"圧縮ファイルビューワ(&A)", L"A", false},
        {1118, L"操作", L"MenuMovieMusicPlayer", L"動画・音楽プレイヤー(&I)", L"I", false},
        {1121, L"操作", L"MenuMark", L"マーク(&M)", L"Space", true},
        {1122, L"操作", L"MenuAllMarkFile", L"全マークファイル(&H)", L"Home", false},
        {1123, L"操作", L"MenuAllMarkFolderFile", L"全マークフォルダファイル(&O)", L"Shift+Home", false},
        {1124, L"操作", L"MenuMarkReverse", L"マークファイル反転(&Z)", L"Ctrl+Z", false},
        {1131, L"操作", L"MenuLauncher", L"ソフトウェア起動(&7)...", L"F7", true},
        {1132, L"操作", L"MenuInitialSearch", L"イニシャルサーチ(&9)", L"F9", false},
        {1133, L"操作", L"MenuInitialSearchOneTime", L"イニシャルサーチ １回のみ(&-)", L"F10", false},
        {1141, L"操作", L"MenuCopyFileName", L"ファイル名のコピー(&B)", L"Shift+B", true},
        {1201, L"移動", L"MenuMoveTop", L"先頭移動(&S)", L"Ctrl+Home", false},
        {1202, L"移動", L"MenuMovePrev", L"上＋移動(&R)", L"Left", false},
        {1203, L"移動", L"MenuMoveUp", L"上移動(&U)", L"Up", false},
        {1204, L"移動", L"MenuMoveDown", L"下移動(&D)", L"Down", false},
        {1205, L"移動", L"MenuMoveNext", L"下＋移動(&N)", L"Right", false},
        {1206, L"移動", L"MenuMoveEnd", L"最後移動(&L)", L"Ctrl+End", false},
        {1207, L"移動", L"MenuMoveTop2", L"先頭移動(&H)", L"", true},
        {1208, L"移動", L"MenuMovePrev2", L"上＋移動(&W)", L"PgUp", false},
        {1209, L"移動", L"MenuMoveUp2", L"上移動(&X)", L"", false},
        {1210, L"移動", L"MenuMoveDown2", L"下移動(&Y)", L"", false},
        {1211, L"移動", L"MenuMoveNext2", L"下＋移動(&O)", L"PgDn", false},
        {1212, L"移動", L"MenuMoveEnd2", L"最後移動(&I)", L"", false},
        {1213, L"移動", L"MenuMovePrev3", L"上＋移動(&T)", L"", true},
        {1214, L"移動", L"MenuMoveUp3", L"上移動(&A)", L"", false},
        {1215, L"移動", L"MenuMoveDown3", L"下移動(&B)", L"", false},
        {1216, L"移動", L"MenuMoveNext3", L"下＋移動(&Z)", L"", false},
        {1217, L"移動", L"MenuNoOperation1", L"何もしない(&1)", L"", true},
        {1218, L"移動", L"MenuNoOperation2", L"何もしない(&2)", L"", false},
        {1219, L"移動", L"MenuNoOperation3", L"何もしない(&3)", L"", false},
        {1220, L"移動", L"MenuNoOperation4", L"何もしない(&4)", L"", false},
        {1301, L"設定", L"MenuParameterSetting", L"パラメータ設定(&P)...", L"", false},
        {1302, L"設定", L"MenuArchiveSetting", L"アーカイブパラメータ設定(&A)...", L"", false},
        {1303, L"設定", L"MenuSameAsQuibFM", L"色はquibFMと同じ(&A)", L"", true},
        {1304, L"設定", L"MenuCloseESCkey", L"ESCキーで終了(&E)", L"", false},
        {1311, L"設定", L"MenuKeyBoad", L"キーボード設定(&K)...", L"", true},
        {1321, L"設定", L"MenuListViewWidthInit", L"リスト幅初期化(&L)", L"", true},
        {1322, L"設定", L"MenuEncode", L"ファイル名をUTF8で表示(&U)", L"", false},
        {1401, L"拡張", L"MenuArchiveSetFocus", L"quibFMarchiveを選択(&E)...", L"", false},
        {1421, L"拡張", L"MenuFilerSetFocus", L"ファイラーを選択(&I)...", L"", false},
        {1431, L"拡張", L"MenuParentShow", L"ファイラーを前面に表示(&G)", L"", false},
        {1441, L"拡張", L"MenuShowLog", L"ログ表示(&L)..", L"", true},
        {1442, L"拡張", L"MenuShowListItems", L"項目表示(&M)..", L"", false},
        {1451, L"拡張", L"MenuSendTopToFiler", L"ファイラーと連携時：終了時にファイラーを前面に表示(&T)", L"", true},
        {1501, L"ヘルプ", L"MenuShowHelp", L"ヘルプ表示(&C)...", L"", false},
        {1601, L"Jpn/Eng", L"MenuJapanese", L"Japanese(&J)", L"", false},
        {1602, L"Jpn/Eng", L"MenuEnglish", L"English(&E)", L"", false},
    };
    return table;
}

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
