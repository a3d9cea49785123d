#include "extract/ExtractCommand.h"
#include "settings/SettingKeys.h"

#include <array>

#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {

ArchiveFamily UnpackFamily(const std::wstring& archivePath, const std::wstring& sfxType, int unzipDllIndex) {
    const std::wstring ext = ExtractFileExt(archivePath);
    if (EqualsNoCase(ext, L".exe")) return ArchiveFamilyOfExtension(sfxType, unzipDllIndex);
    return ArchiveFamilyOfExtension(ext, unzipDllIndex);
}

std::wstring UnpackPrefix(const ArchiveSettings& settings, ArchiveFamily family, UnpackMode mode) {
    const ArchiveCommandKey key = mode == UnpackMode::Temporary ? ArchiveCommandKey::Temp
                                  : mode == UnpackMode::WithPath ? ArchiveCommandKey::Normal2
                                                                 : ArchiveCommandKey::Normal1;
    return ArchiveCommandText(settings, family, key);
}

std::wstring PasswordSwitch(ArchiveFamily family, const std::wstring& password) {
    if (password.empty()) return {};
    std::wstring sw;
    switch (family) {
        case ArchiveFamily::Zip:
        case ArchiveFamily::LMZip: sw = L"-P" + password; break;
        case ArchiveFamily::SevenZip:
        case ArchiveFamily::Rar: sw = L"-p" + password; break;
        default: return {};
    }
    if (password.find(L' ') != std::wstring::npos) sw = L"\"" + sw + L"\"";
    return L" " + sw;
}

namespace {
std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }
}  // namespace

std::wstring UnpackCommandLine(ArchiveFamily family, const std::wstring& prefix, const std::wstring& archivePath,
                               const std::wstring& destination, const std::wstring& listArgument) {
    switch (family) {
        case ArchiveFamily::Lha:
        case ArchiveFamily::Zip:
        case ArchiveFamily::LMZip:
        case ArchiveFamily::Cab:
            return prefix + L" " + Quoted(archivePath) + L" " + Quoted(destination) + L"  " + Quoted(listArgument);
        case ArchiveFamily::SevenZip:
            return prefix + L" " + Quoted(archivePath) + L" -o" + Quoted(destination) + L" " + Quoted(listArgument);
        case ArchiveFamily::Arj: {
            std::wstring list = listArgument;
            if (!list.empty() && list[0] == L'@') list[0] = L'!';
            return prefix + L" " + Quoted(archivePath) + L" " + Quoted(destination) + L" " + Quoted(list);
        }
        case ArchiveFamily::Bga: return prefix + L" " + Quoted(archivePath) + L" " + Quoted(listArgument);
        case ArchiveFamily::Rar:
        case ArchiveFamily::Tar:
        case ArchiveFamily::Iso:
        case ArchiveFamily::Gca:
        case ArchiveFamily::Yz1:
            return prefix + L" " + Quoted(archivePath) + L" " + Quoted(destination) + L" " + Quoted(listArgument);
        default: return {};
    }
}

StringList ResponseFileLines(const std::wstring& archivePath, const StringList& storedPaths) {
    const std::wstring ext = ExtractFileExt(archivePath);
    const bool lzh = EqualsNoCase(ext, L".lzh");
    const bool bga = EqualsNoCase(ext, L".bza") || EqualsNoCase(ext, L".gza");
    StringList lines;
    lines.reserve(storedPaths.size());
    for (std::wstring p : storedPaths) {
        if (bga && !p.empty() && p.back() == L'\\') continue;
        if (lzh && !p.empty() && p.back() == L'/') p.pop_back();
        lines.push_back(Quoted(p));
    }
    return lines;
}

bool WriteResponseFile(const std::wstring& path, const StringList& lines) {
    std::string bytes;
    for (const std::wstring& line : lines) {
        bytes += ArchiveAnsiText(line);
        bytes += "\r\n";
    }
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(h);
    return ok;
}

UnpackOutcome ArchiveUnpackCall(const IniFile& ini, const ArchiveSettings& settings, const UnpackRequest& request,
                                const UnpackRunner& runner) {
    UnpackOutcome out;
    const int unzipDll = ReadKeyInt(ini, key::UnzipDllIndex);
    out.family = UnpackFamily(request.archivePath, request.sfxType, unzipDll);
    if (out.family == ArchiveFamily::None) return out;
    const std::wstring prefix =
        UnpackPrefix(settings, out.family, request.mode) + PasswordSwitch(out.family, request.password);
    out.commandLine =
        UnpackCommandLine(out.family, prefix, request.archivePath, request.destination, request.listArgument);
    // Each path is checked on its own first, so that the message names it.
    ArchiveAnsiText(request.archivePath);
    ArchiveAnsiText(request.destination);
    const std::string ansi = ArchiveAnsiText(out.commandLine, request.archivePath);
    const ArchiveFamily family = out.family;
    const HWND owner = request.owner;
    const bool bga = family == ArchiveFamily::Bga;
    const std::wstring destination = request.destination;
    auto call = [family, owner, ansi, bga, destination]() -> int {
        std::array<char, 4096> buffer{};
        std::wstring saved;
        if (bga) {
            // Bga32.dll extracts into the current folder: set for the call, put back after.
            saved.resize(MAX_PATH * 4);
            saved.resize(GetCurrentDirectoryW(static_cast<DWORD>(saved.size()), saved.data()));
            SetCurrentDirectoryW(destination.c_str());
        }
        struct Restore {
            const std::wstring& folder;
            bool active;
            ~Restore() {
                if (active && !folder.empty()) SetCurrentDirectoryW(folder.c_str());
            }
        } restore{saved, bga};
        return ArchiveCommand(family, owner, ansi, buffer.data(), static_cast<DWORD>(buffer.size()));
    };
    out.code = runner ? runner(call) : call();
    return out;
}

bool UnpackSucceeded(const UnpackOutcome& outcome, bool extractErrorDisabled) {
    if (outcome.code == 0) return true;
    // unrar32.dll's result says nothing reliable; the program never looked at it.
    if (outcome.family == ArchiveFamily::Rar) return true;
    return extractErrorDisabled;
}

bool ArchiveUnpack(const IniFile& ini, const ArchiveSettings& settings, const UnpackRequest& request,
                   const UnpackRunner& runner) {
    const UnpackOutcome outcome = ArchiveUnpackCall(ini, settings, request, runner);
    return UnpackSucceeded(outcome, ReadKeyBool(ini, key::ExtractErrorDisabled));
}

}  // namespace quib
