// The main window's Susie archive plug-ins: the choice of the plug-in for an
// archive from the list file, the listing, the extension lists of both list
// files, and taking entries out through the plug-in.
#include "app/FormMain.h"

#include <unordered_map>

#include "archive/EntryModel.h"
#include "archive/SusieApi.h"
#include "archive/SusieList.h"
#include "extract/ExtractPaths.h"
#include "extract/ExtractSusie.h"
#include "extract/ExtractTemp.h"
#include "util/Message.h"
#include "util/PathPrefix.h"

namespace quib {
namespace {

bool FileThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring TFormMain::SusieListFile(bool archives) const {
    // Read afresh: the plug-in setup program may have moved it since.
    const IniFile ini = Ini();
    const std::wstring section = archives ? L"Spm" : L"Spi";
    const std::wstring fallback = StrExePath + (archives ? L"\\quibFM-spm.txt" : L"\\quibFM-spi.txt");
    return ExpandPathPrefix(ini.ReadString(section, L"FileName", fallback), ProgramPath());
}

void TFormMain::GetSpiExt() {
    StrListSpiExt.clear();
    StringList lines;
    if (ReadSusieListFile(SusieListFile(false), lines))
        StrListSpiExt = SusieListExtensions(ParseSusieList(lines), BoolJapanese);
}

void TFormMain::GetSpmExt() {
    StrListSpmExt.clear();
    StringList lines;
    if (ReadSusieListFile(SusieListFile(true), lines))
        StrListSpmExt = SusieListExtensions(ParseSusieList(lines), BoolJapanese);
}

void TFormMain::GetSpiListExt(StringList& dstList, const std::wstring& executeType) {
    StringList lines;
    if (!ReadSusieListFile(SusieListFile(false), lines)) return;
    for (auto& line : SusieAssociationLines(ParseSusieList(lines), BoolJapanese, executeType))
        dstList.push_back(std::move(line));
}

bool TFormMain::ListSusie(const std::wstring& archiveFileName) {
    BusyScope busy(*this);
    StrListArchiveDirFile.clear();
    StrListPathFile.clear();
    InformationClear();
    if (archiveFileName.empty() || !FileThere(archiveFileName)) return false;
    const std::wstring listFile = SusieListFile(true);
    StringList lines;
    if (!ReadSusieListFile(listFile, lines)) {
        ShowMsgJE(handle_, L"Information : SPM の設定ファイルがありません", L"Information : SPM file is not exist.\r\n[OK]");
        return false;
    }
    StrListSpmList = lines;
    std::wstring chosen;
    for (const auto& plugin : SusieCandidates(ParseSusieList(lines), archiveFileName, BoolJapanese, ProgramPath())) {
        bool faulted = false;
        const int answer = FileIsSupportedArchive(plugin, archiveFileName, BoolReadDllSystem32andApplication,
                                                  ProgramPath(), handle_, &faulted);
        if (faulted) ReportSusieFault(handle_, plugin);
        if (answer != 0) {
            chosen = plugin;
            break;
        }
    }
    if (chosen.empty()) {
        ShowMsgJE(handle_, L"Information : サポートしている SPM ががありません",
                  L"Information : Target SPM file is not match.\r\n[OK]");
        return false;
    }
    if (!FileThere(chosen)) {
        ShowMsgJE(handle_, L"Information : SPM のファイルがありません\r\n" + chosen,
                  L"Information : Target SPM file is not exist.\r\n[OK]\r\n" + chosen);
        return false;
    }
    StrSpmFileName = chosen;
    FileGetArchiveFileInfo(chosen, archiveFileName);
    return true;
}

int TFormMain::FileGetArchiveFileInfo(const std::wstring& spiFileName, const std::wstring& archiveFileName) {
    std::vector<std::wstring> lines, paths;
    const int result =
        FileGetArchiveFileInfoCore(spiFileName, archiveFileName, BoolReadDllSystem32andApplication, lines, paths);
    if (result == kSusieCallFaulted) ReportSusieFault(handle_, spiFileName);
    if (lines.empty()) return result;  // the plug-in gave nothing: the lists stay as they are
    InformationClear();
    StrListArchiveDirFile = EntryLines::FromLines(lines);
    auto pathStore = std::make_shared<EntryStore>();
    for (const auto& p : paths) pathStore->AddLine(p);
    StrListPathFile = EntryPathList(pathStore, static_cast<uint32_t>(paths.size()));
    return result;
}

StringList TFormMain::SusieItemsOf(const StringList& storedPaths) const {
    std::unordered_map<std::wstring, size_t> byPath;
    const size_t n = StrListArchiveDirFile.size();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t e = StrListArchiveDirFile.Entry(i);
        byPath.emplace(StrListArchiveDirFile.Store().Field(e, 9), i);
    }
    StringList items;
    for (const auto& p : storedPaths) {
        const auto it = byPath.find(p);
        if (it == byPath.end()) continue;
        const uint32_t e = StrListArchiveDirFile.Entry(it->second);
        const EntryStore& s = StrListArchiveDirFile.Store();
        items.push_back(SusieItemText(p, s.Field(e, 5), s.Field(e, 7)));
    }
    return items;
}

bool TFormMain::SusieExtractItems(const StringList& items, const std::wstring& destination, HWND owner) {
    BusyScope busy(*this);
    for (const auto& text : items) {
        const SusieItem item = ParseSusieItem(text);
        const SusieFetchResult r = FetchSusieEntry(StrSpmFileName, StrLoadFileName, destination, item,
                                                   BoolReadDllSystem32andApplication, ProgramPath());
        if (r.Ok()) continue;
        if (!r.contained) {
            ShowMsgJE(owner, L"Error : 解凍先の外を指すパスは解凍しません\r\n" + item.storedPath,
                      L"Error : Stored paths that point outside the destination are not extracted.\r\n[OK]\r\n" +
                          item.storedPath,
                      MsgButtons::Ok, MsgStyle::Error);
            return false;
        }
        if (r.faulted) ReportSusieFault(owner, StrSpmFileName);
        ShowMsgJE(owner, SusieFetchFailureText(r, true), SusieFetchFailureText(r, false), MsgButtons::Ok,
                  MsgStyle::Error);
        return false;
    }
    return true;
}

std::wstring TFormMain::SusieTempFile(const std::wstring& storedPath, HWND owner) {
    if (storedPath == L"<\\>") {
        ShowMsgJE(owner, L"Information : このフォルダは指定できません", L"Information : This folder can not accept.\r\n[OK]");
        return {};
    }
    if (storedPath.empty()) {
        ShowMsgJE(owner, L"Information : ファイル名が設定されていません", L"Information : Filename is empty.\r\n[OK]");
        return {};
    }
    const auto target = ContainedPath(StrExtractBase, storedPath);
    if (!target) {
        ShowMsgJE(owner, L"Error : 一時フォルダの外を指すパスは扱えません\r\n" + storedPath,
                  L"Error : This stored path points outside the temporary folder.\r\n[OK]\r\n" + storedPath,
                  MsgButtons::Ok, MsgStyle::Error);
        return {};
    }
    if (FileThere(*target)) return *target;
    const StringList items = SusieItemsOf({storedPath});
    if (items.empty() || !SusieExtractItems(items, StrExtractBase, owner)) return {};
    return FileThere(*target) ? *target : std::wstring();
}

}  // namespace quib
