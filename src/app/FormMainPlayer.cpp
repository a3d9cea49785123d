#include "app/FormMainPlayer.h"

#include "app/FormMain.h"
#include "app/FormMainViewerHost.h"
#include "util/Message.h"
#include "viewers/player/FormPlayer.h"

namespace quib {
namespace {

class MainPlayerHost final : public MainStepHost<ArchiveStepHost> {
public:
    using MainStepHost::MainStepHost;

    // The player steps while the list shows an archive's entries in the
    // normal listing or in the text form; never through a listing that
    // shows a text instead of entries.
    bool ListsArchive() const override {
        return ModeListsEntries(f_.ListingModeNow) && (f_.ListingModeNow == ListingMode::Normal || f_.TextForm());
    }
};

}  // namespace

void OpenPlayer(TFormMain& f) {
    MainPlayerHost host(f);
    {
        FormInstance<TFormPlayer> player(host);
        if (player.Create() && player.ControlAvailable()) {
            player.ShowModal();
        } else {
            // Windows N and Server editions come without the control.
            ShowMsgJE(f.Handle(),
                      L"Information : Windows Media Player のコントロールが作成できないので動画・音楽プレイヤーは"
                      L"使用できません\r\n" + f.StrExtractFolderFileName,
                      L"Information : The movie and music player can not be used, because of the Windows Media "
                      L"Player control can not be created.\r\n[OK]\r\n" + f.StrExtractFolderFileName);
        }
    }
    SetFocus(f.ListView1());
}

}  // namespace quib
