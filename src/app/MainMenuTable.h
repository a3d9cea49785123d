#pragma once
// The main window's commands as data: menu placement, Tag (= function number of
// the key map), caption, default key and handler. The menus, the built-in key
// table, the language file and the help texts are all made from this table.
#include <string>
#include <vector>

#include "app/FormCommand.h"

namespace quib {

using MainCommand = FormCommand;
using MainMenuBarItem = FormMenu;

// Menus and the 70 commands in key-table order.
const CommandTable& MainCommandTable();
const std::vector<MainCommand>& MainCommands();
const MainCommand* FindMainCommand(int tag);

// Top-level menus in menu-bar order: category and caption.
const std::vector<MainMenuBarItem>& MainMenuBar();

namespace tag {
enum : int {
    MenuOpen = 1001,
    MenuFileArchive = 1011,
    MenuFileSimple = 1012,
    MenuFileTest = 1013,
    MenuFileSfx = 1014,
    MenuFileSusie = 1015,
    MenuFileSfxAuto = 1016,
    MenuFileSfxList = 1017,
    MenuFileSfxSimple = 1018,
    MenuFileSfxTest = 1019,
    MenuShowPopup = 1021,
    MenuAutoPopup = 1022,
    MenuListText = 1031,
    MenuListFiler = 1032,
    MenuClose = 1041,
    MenuUnpack = 1101,
    MenuPassword = 1102,
    MenuDelete = 1103,
    MenuBackSpace = 1111,
    MenuExecuteExt = 1112,
    MenuImageWic = 1113,
    MenuImageGdi = 1114,
    MenuImageSusie = 1115,
    MenuTextView = 1116,
    MenuArchiveViewer = 1117,
    MenuMovieMusicPlayer = 1118,
    MenuMark = 1121,
    MenuAllMarkFile = 1122,
    MenuAllMarkFolderFile = 1123,
    MenuMarkReverse = 1124,
    MenuLauncher = 1131,
    MenuInitialSearch = 1132,
    MenuInitialSearchOneTime = 1133,
    MenuCopyFileName = 1141,
    MenuMoveTop = 1201,
    MenuMovePrev = 1202,
    MenuMoveUp = 1203,
    MenuMoveDown = 1204,
    MenuMoveNext = 1205,
    MenuMoveEnd = 1206,
    MenuMoveTop2 = 1207,
    MenuMovePrev2 = 1208,
    MenuMoveUp2 = 1209,
    MenuMoveDown2 = 1210,
    MenuMoveNext2 = 1211,
    MenuMoveEnd2 = 1212,
    MenuMovePrev3 = 1213,
    MenuMoveUp3 = 1214,
    MenuMoveDown3 = 1215,
    MenuMoveNext3 = 1216,
    MenuNoOperation1 = 1217,
    MenuNoOperation2 = 1218,
    MenuNoOperation3 = 1219,
    MenuNoOperation4 = 1220,
    MenuParameterSetting = 1301,
    MenuArchiveSetting = 1302,
    MenuSameAsQuibFM = 1303,
    MenuCloseESCkey = 1304,
    MenuKeyBoad = 1311,
    MenuListViewWidthInit = 1321,
    MenuEncode = 1322,
    MenuArchiveSetFocus = 1401,
    MenuFilerSetFocus = 1421,
    MenuParentShow = 1431,
    MenuShowLog = 1441,
    MenuShowListItems = 1442,
    MenuSendTopToFiler = 1451,
    MenuShowHelp = 1501,
    MenuJapanese = 1601,
    MenuEnglish = 1602,
    // Top-level menus (language file only; no key-map line).
    MenuFile = 1000,
    MenuOperation = 1100,
    MenuMove = 1200,
    MenuSetting = 1300,
    MenuExpand = 1400,
    MenuHelp = 1500,
    MenuLanguage = 1600,
    // The initial search's letter and digit menus: on the menu bar only while
    // a search mode is on; neither has a key-map line nor a language line.
    MenuInitialSearchChar = 1700,
    MenuInitialSearchA = 1701,  // .. MenuInitialSearchZ = 1726
    MenuInitialSearchNumber = 1730,
    MenuInitialSearchNum0 = 1740,  // .. MenuInitialSearchNum9 = 1749
};
}  // namespace tag

}  // namespace quib
