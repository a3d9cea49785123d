#include "keymap/KeyMapRegistry.h"

#include "app/FormBase.h"
#include "app/MainKeyMap.h"
#include "extract/FormBrowse.h"
#include "extract/FormPopUp.h"
#include "extract/FormTree.h"
#include "keymap/FormKeyBoard.h"
#include "viewers/image/FormImage.h"
#include "viewers/player/FormPlayer.h"
#include "viewers/text/FormText.h"

namespace quib {
namespace {

KeyMapTable MainTable(int variant) { return InitMainKeyMap(variant, nullptr); }
KeyMapTable TextTable(int variant) { return TextBuiltInKeyTable(variant, nullptr); }
KeyMapTable ImageTable(int variant) { return ImageBuiltInKeyTable(variant); }
// The player, browse, tree and pop-up windows give both variants the same keys.
KeyMapTable PlayerTable(int) { return BuiltInKeyTable(PlayerCommandTable(), nullptr); }
KeyMapTable BrowseTable(int) { return BuiltInKeyTable(BrowseCommandTable(), nullptr); }
KeyMapTable TreeTable(int) { return BuiltInKeyTable(TreeCommandTable(), nullptr); }
KeyMapTable PopUpTable(int) { return BuiltInKeyTable(PopUpCommandTable(), nullptr); }

}  // namespace

const std::vector<KeyMapDescription>& KeyMapDescriptions() {
    static const std::vector<KeyMapDescription> descriptions = {
        {KeyMapWindow::Main, {1001, 1101, 1201, 1301, 1401, 1501}, nullptr, nullptr, &MainTable},
        {KeyMapWindow::Text, {1031, 1101, 1201, 1301, 1401, 1501}, L"初期化:メモ帳 (&J)", L"Init:Memo (&J)",
         &TextTable},
        {KeyMapWindow::Image, {1031, 1101, 1201, 1301, 1401}, L"初期化:PellFM (&J)", L"Init:PellFM (&J)",
         &ImageTable},
        {KeyMapWindow::Player, {1021, 1131, 1211, 1301, 1411}, nullptr, nullptr, &PlayerTable},
        {KeyMapWindow::Browse, {1001, 1101, 1201}, nullptr, nullptr, &BrowseTable},
        {KeyMapWindow::Tree, {1001, 1101}, nullptr, nullptr, &TreeTable},
        {KeyMapWindow::PopUp, {1001, 1101}, nullptr, nullptr, &PopUpTable},
    };
    return descriptions;
}

const KeyMapDescription* KeyMapDescriptionOf(KeyMapWindow window) {
    for (const auto& d : KeyMapDescriptions())
        if (d.window == window) return &d;
    return nullptr;
}

int ShowKeyBoardFor(KeyMapWindow window) {
    IniFile(ProgramIniPath()).WriteString(L"FormKeyBoard", L"Parent", KeyMapWindowOf(window).parentName);
    return ShowModalForm<TFormKeyBoard>();
}

}  // namespace quib
