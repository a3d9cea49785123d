#include "archive/SfxArchive.h"

#include "util/StrConv.h"

namespace quib {
namespace {

const wchar_t* const kKinds[kSfxKindCount] = {L".lzh", L".zip", L".7z", L".cab", L".rar", L".gz", L".iso"};

// The order of the probes: the cheap, unambiguous signatures first; 7-Zip
// before zip because 7-zip32.dll reads zip too and is told apart by its
// report; the zip family answers for zip whatever DLL is chosen for it.
struct ProbeRow {
    const wchar_t* kind;
    bool ArchiveSettings::*enabled;
};
const ProbeRow kProbeOrder[kSfxKindCount] = {
    {L".lzh", &ArchiveSettings::BoolAutoCheckSfxLha}, {L".cab", &ArchiveSettings::BoolAutoCheckSfxCab},
    {L".7z", &ArchiveSettings::BoolAutoCheckSfx7z},   {L".zip", &ArchiveSettings::BoolAutoCheckSfxZip},
    {L".rar", &ArchiveSettings::BoolAutoCheckSfxRar}, {L".gz", &ArchiveSettings::BoolAutoCheckSfxGz},
    {L".iso", &ArchiveSettings::BoolAutoCheckSfxIso},
};

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

}  // namespace

std::wstring SfxKindOfIndex(int index) {
    return index >= 0 && index < kSfxKindCount ? std::wstring(kKinds[index]) : std::wstring();
}

int SfxIndexOfKind(const std::wstring& kind) {
    for (int i = 0; i < kSfxKindCount; ++i)
        if (EqualsNoCase(kind, kKinds[i])) return i;
    return -1;
}

ArchiveFamily SfxKindFamily(const std::wstring& kind, int unzipDllIndex) {
    if (SfxIndexOfKind(kind) < 0) return ArchiveFamily::None;
    return ArchiveFamilyOfExtension(kind, unzipDllIndex);
}

std::vector<SfxProbe> SfxProbes(const ArchiveSettings& settings, const std::wstring& path) {
    std::vector<SfxProbe> probes;
    for (const ProbeRow& row : kProbeOrder) {
        if (!(settings.*row.enabled)) continue;
        SfxProbe p;
        p.kind = row.kind;
        p.family = SfxKindFamily(p.kind, settings.IntUnZipDll);
        const std::wstring list = ArchiveCommandText(settings, p.family, ArchiveCommandKey::List);
        // UNLHA32.DLL is told to search the whole file for the archive's
        // header (-gm1): the program part in front can be large.
        p.commandLine = p.family == ArchiveFamily::Lha ? list + L" -gm1 " + L" " + Quoted(path)
                                                       : list + L" " + Quoted(path);
        p.needsSevenZipType = p.kind == L".7z";
        probes.push_back(std::move(p));
    }
    return probes;
}

bool SfxReportSaysSevenZip(const std::vector<std::wstring>& reportLines) {
    for (const std::wstring& line : reportLines) {
        const std::wstring up = ToUpper(line);
        if (up.rfind(L"TYPE", 0) == 0 && up.find(L'=') != std::wstring::npos && up.find(L"7Z") != std::wstring::npos)
            return true;
    }
    return false;
}

SfxDetection DetectSfxKind(const ArchiveListContext& ctx, const std::wstring& path) {
    SfxDetection out;
    try {
        SetDllFolderForListing(ctx);
        for (const SfxProbe& probe : SfxProbes(ctx.settings, path)) {
            const std::string cmd = ArchiveAnsiText(probe.commandLine, path);
            // One byte more than the DLL is told, always NUL.
            std::vector<char> buf(static_cast<size_t>(kSfxProbeBufferSize) + 1, '\0');
            if (ArchiveCommand(probe.family, ctx.owner, cmd, buf.data(), kSfxProbeBufferSize) != 0) continue;
            buf[kSfxProbeBufferSize] = '\0';
            out.report = SplitLines(AnsiToWide(std::string_view(buf.data())));
            out.reportReplaced = true;
            if (probe.needsSevenZipType && !SfxReportSaysSevenZip(out.report)) continue;
            out.kind = probe.kind;
            break;
        }
    } catch (...) {
        // A DLL that is not there cannot say what the file is: no kind.
        out.kind.clear();
    }
    return out;
}

bool ArchiveListSfxCore(const ArchiveListContext& ctx, const std::wstring& path,
                        const std::vector<std::wstring>& sfxExtList, const std::wstring& kind, NormalListing& out) {
    out.lines.clear();
    if (GetExtType(path, sfxExtList) < 0) return false;
    ArchiveListNormalByFamily(ctx, path, SfxKindFamily(kind, ctx.settings.IntUnZipDll), out);
    return true;
}

void ArchiveListSfxReport(const ArchiveListContext& ctx, const std::wstring& path, const std::wstring& kind,
                          ArchiveCommandKey key, std::vector<std::wstring>& result) {
    const DWORD attr = GetFileAttributesW(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return;
    const ArchiveFamily family = SfxKindFamily(kind, ctx.settings.IntUnZipDll);
    if (family == ArchiveFamily::None) {
        result.clear();
        return;
    }
    SetDllFolderForListing(ctx);
    ArchiveListReport(ctx, path, family, ArchiveCommandText(ctx.settings, family, key), result);
}

}  // namespace quib
