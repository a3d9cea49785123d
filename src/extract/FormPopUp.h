#pragma once
// The pop-up extraction window: the whole open archive extracted with one
// button or key, into the archive's folder, a picked folder, one of five
// named destinations, or (zip archives) the program's own folder. It stays
// open after each extraction, so one archive can go to several places.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/FormBase.h"
#include "extract/FolderPickerHost.h"

namespace quib {

// What the window needs of the window that opened it (the main window).
class PopUpHost {
public:
    enum class Listing { Normal, Sfx, Susie };
    virtual ~PopUpHost() = default;
    virtual Listing ListingMode() const = 0;
    virtual std::wstring ArchivePath() const = 0;
    virtual std::vector<std::wstring> EntryLines() const = 0;  // StrListArchiveDirFile
    // The rows shown that the program-folder extraction takes (files only),
    // their stored paths; rowCount: how many rows the list has at all.
    virtual std::vector<std::wstring> FileRowPaths(size_t& rowCount) const = 0;
    virtual std::wstring ExtractBase() const = 0;
    virtual std::wstring ResponseFilePath() const = 0;
    // ArchiveUnpack with the archive, not temporary.
    virtual bool Unpack(const std::wstring& destination, const std::wstring& listArgument, bool withPath,
                        HWND owner) = 0;
    // The items ("path \t position \t size") through the archive's plug-in.
    virtual bool SusieExtract(const std::vector<std::wstring>& items, const std::wstring& destination,
                              HWND owner) = 0;
    virtual HWND FilerWindow() const = 0;  // QuibHandle
    virtual FolderPickerHost* Pickers() = 0;
    virtual void CloseProgram() = 0;
};

class TFormPopUp : public TFormBase {
public:
    enum : int {
        kTagButtonThis = 2201,
        kTagButtonList = 2202,
        kTagButtonTree = 2203,
        kTagButtonBrowse = 2204,
        kTagButtonExtract1 = 2205,  // .. 2209
        kTagButtonExtractQuibFM = 2210,
        kTagButtonReturnList = 2211,
        kTagButtonClose = 2212,
        kTagLabel26 = 2001,
        kTagLabel11 = 2002,
        kTagCheckBox51 = 6001,  // .. 6005
        kTagMenuFile = 1000,
        kTagMenuOption = 1100,
    };
    // Function numbers of the commands.
    enum : int {
        kMenuThis = 1001,
        kMenuList = 1002,
        kMenuExtract1 = 1003,  // .. 1007
        kMenuExtractQuibFM = 1008,
        kMenuReturnList = 1009,
        kMenuTree = 1010,
        kMenuBrowse = 1011,
        kMenuClose = 1031,
        kMenuCheckBox51 = 1101,
        kMenuCheckBox52 = 1102,
        kMenuCheckBox53 = 1103,
        kMenuCheckBox54 = 1104,
        kMenuLabel26 = 1105,
        kMenuCheckBox55 = 1106,
        kMenuKeyBoard = 1111,
    };

    explicit TFormPopUp(PopUpHost& host);

    // Fields as the program names them.
    std::wstring StrExtractPath;
    std::array<std::wstring, 5> StrExtractPathN;  // StrExtractPath1 .. 5
    std::wstring StrExtractPathThis;
    std::wstring StrExtractPathQuibFM;
    std::vector<std::wstring> StrListListViewMark;

    HWND Control(int tag) const;
    HWND ZipDllCombo() const { return zipDll_; }
    bool Checked(int checkTag) const;

    void SetExtractButton();
    void WriteIniFile();
    void ExtractFile();

    // Commands.
    void MenuThisClick();
    void MenuListClick();
    void MenuTreeClick();
    void MenuBrowseClick();
    void MenuExtractClick(int n);  // 0 .. 4
    void MenuExtract1Click() { MenuExtractClick(0); }
    void MenuExtract2Click() { MenuExtractClick(1); }
    void MenuExtract3Click() { MenuExtractClick(2); }
    void MenuExtract4Click() { MenuExtractClick(3); }
    void MenuExtract5Click() { MenuExtractClick(4); }
    void MenuExtractQuibFMClick();
    void MenuReturnListClick();
    void MenuCloseClick();
    void MenuCheckBox51Click();
    void MenuCheckBox52Click();
    void MenuCheckBox53Click();
    void MenuCheckBox54Click();
    void MenuCheckBox55Click();
    void MenuLabel26Click();
    void MenuKeyBoardClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;
    void FormClose() override;
    void FormDestroy() override;
    void ControlCommand(HWND control, int id, int code) override;
    void LanguageApplied() override;
    void SwitchLanguage(bool japanese) override;

private:
    bool AskExtract(const std::wstring& destination);
    // After a picker: the folder must exist; it gets its final "\".
    void ExtractToPicked(const std::wstring& chosen);
    void ExtractFileQuibFM();
    void SetCheck(int checkTag, bool on);
    void Coupling();
    void Finished(bool ok, const std::wstring& destination, bool moveFolder);

    PopUpHost& host_;
    std::array<HWND, 12> buttons_{};  // by tag - kTagButtonThis
    std::array<HWND, 5> checks_{};    // by tag - kTagCheckBox51
    std::array<std::wstring, 5> baseCaptions_;
    HWND label11_ = nullptr, label26_ = nullptr, zipDll_ = nullptr;
};

const CommandTable& PopUpCommandTable();

}  // namespace quib
