#include "extract/ExtractDelete.h"
#include "settings/SettingKeys.h"

#include <array>

#include "extract/ExtractCommand.h"
#include "util/Message.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

bool FileExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool DeleteExtensionAccepted(const std::wstring& archivePath) {
    const std::wstring ext = ExtractFileExt(archivePath);
    return EqualsNoCase(ext, L".lzh") || EqualsNoCase(ext, L".zip") || EqualsNoCase(ext, L".7z");
}

DeleteCall DeleteCommand(const ArchiveSettings& s, const std::wstring& archivePath, int deleteZipDll,
                         const std::wstring& password, const std::wstring& listArgument) {
    DeleteCall call;
    const std::wstring ext = ExtractFileExt(archivePath);
    std::wstring prefix;
    if (EqualsNoCase(ext, L".lzh")) {
        call.family = ArchiveFamily::Lha;
        prefix = s.StrLhaDelete;  // UNLHA32.DLL takes no password
    } else if (EqualsNoCase(ext, L".zip")) {
        if (deleteZipDll == 0) {
            call.family = ArchiveFamily::Zip32J;
            prefix = s.StrZipDelete + PasswordSwitch(ArchiveFamily::Zip, password);
        } else if (deleteZipDll == 1) {
            call.family = ArchiveFamily::LMZip;
            prefix = s.StrLMZIPDelete + PasswordSwitch(ArchiveFamily::LMZip, password);
        } else {
            call.family = ArchiveFamily::SevenZip;
            prefix = s.Str7zZipDelete + PasswordSwitch(ArchiveFamily::SevenZip, password);
        }
    } else if (EqualsNoCase(ext, L".7z")) {
        call.family = ArchiveFamily::SevenZip;
        prefix = s.Str7zDelete + PasswordSwitch(ArchiveFamily::SevenZip, password);
    } else {
        return call;
    }
    call.commandLine = prefix + L" " + Quoted(archivePath) + L" " + Quoted(listArgument);
    return call;
}

bool ArchiveDeleteFileCore(const IniFile& ini, const ArchiveSettings& settings,
                           const std::vector<std::wstring>& arcExtList, const DeleteRequest& request) {
    const std::wstring& archive = request.archivePath;
    if (GetExtType(archive, arcExtList) < 0 || !FileExists(archive)) return false;
    const bool keepTime = ReadKeyBool(ini, key::ArchiveTimeStampKeep);
    const bool keepAttributes = ReadKeyBool(ini, key::ArchiveAttributeKeep);
    const int deleteZipDll = ReadKeyInt(ini, key::DeleteZipDllIndex);

    FILETIME lastWrite{};
    if (keepTime) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(archive.c_str(), GetFileExInfoStandard, &data)) {
            ShowMsgJE(request.owner, L"Error : ファイルのタイムスタンプの取得に失敗しました\r\n" + archive,
                      L"Error : Get time stamp failed.\r\n[OK]\r\n" + archive, MsgButtons::Ok, MsgStyle::Error);
            return false;
        }
        lastWrite = data.ftLastWriteTime;
    }
    DWORD attributes = 0;
    if (keepAttributes) {
        WIN32_FIND_DATAW fd{};
        const HANDLE find = FindFirstFileW(archive.c_str(), &fd);
        if (find != INVALID_HANDLE_VALUE) {
            attributes = fd.dwFileAttributes;
            FindClose(find);
        }
    }

    const DeleteCall call = DeleteCommand(settings, archive, deleteZipDll, request.password, request.listArgument);
    if (call.family == ArchiveFamily::None) return false;
    // Each path is checked on its own first, so that the message names it.
    ArchiveAnsiText(archive);
    const std::string ansi = ArchiveAnsiText(call.commandLine, archive);
    std::array<char, 4096> buffer{};
    const int rc = call.family == ArchiveFamily::LMZip
                       ? ArchiveCommandLMZipZip(request.owner, ansi, buffer.data(), static_cast<DWORD>(buffer.size()))
                       : ArchiveCommand(call.family, request.owner, ansi, buffer.data(),
                                        static_cast<DWORD>(buffer.size()));

    bool restoreAttributes = keepAttributes;
    if (keepTime && FileExists(archive)) {
        // Only the last-write time: creation and last-access stay as the DLL left them.
        const HANDLE h = CreateFileW(archive.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const bool set = h != INVALID_HANDLE_VALUE && SetFileTime(h, nullptr, nullptr, &lastWrite);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        if (!set) {
            ShowMsgJE(request.owner, L"Error : ファイルのタイムスタンプの変更に失敗しました\r\n" + archive,
                      L"Error : Change time stamp failed.\r\n[OK]\r\n" + archive, MsgButtons::Ok, MsgStyle::Error);
            restoreAttributes = false;
        }
    }
    if (restoreAttributes && FileExists(archive) && !SetFileAttributesW(archive.c_str(), attributes)) {
        ShowMsgJE(request.owner, L"Error : ファイル属性の変更が失敗しました\r\n" + archive,
                  L"Error : Change file attribute failed.\r\n[OK]\r\n" + archive, MsgButtons::Ok, MsgStyle::Error);
    }
    return rc == 0;
}

}  // namespace quib
