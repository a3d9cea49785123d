#include "archive/Listing.h"

#include "util/StrConv.h"

namespace quib {

void SetDllFolderForListing(const ArchiveListContext& ctx) {
    if (ctx.settings.BoolReadDllSystem32andApplication) {
        SetDllFolder(L"");
        return;
    }
    std::wstring folder = ctx.programFolder;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    SetDllFolder(folder);
}

bool ArchiveListNormalCore(const ArchiveListContext& ctx, const std::wstring& archivePath,
                           const std::vector<std::wstring>& arcExtList, NormalListing& out) {
    out.lines.clear();
    if (GetExtType(archivePath, arcExtList) < 0) return false;
    ArchiveListNormalByFamily(ctx, archivePath, ArchiveFamilyOfPath(archivePath, ctx.settings.IntUnZipDll), out);
    return true;
}

void ArchiveListNormalByFamily(const ArchiveListContext& ctx, const std::wstring& archivePath, ArchiveFamily family,
                               NormalListing& out) {
    out.lines.clear();
    SetDllFolderForListing(ctx);
    auto store = std::make_shared<EntryStore>(ctx.separators);
    std::vector<uint32_t> order;
    // ZIP32J.DLL deletes only; it has nothing to enumerate with.
    const bool canList = family != ArchiveFamily::None && family != ArchiveFamily::Zip32J;
    if (canList) {
        const HARC arc =
            ArchiveOpenArchive(family, ctx.owner, ArchiveAnsiText(archivePath), ArchiveOpenModeFlags(family));
        out.pathList.clear();
        // A DLL that could not open the archive gave no handle; passing the
        // null on to FindFirst or CloseArchive may crash a real DLL.
        if (!arc) {
            order.push_back(store->AddLine(RootEntryLine()));
            out.lines = EntryLines(std::move(store), std::move(order));
            return;
        }
        try {
            // One record for every entry, as the DLLs expect to be called.
            TArchiveEntryInfo info{};
            int found = ArchiveFindFirst(family, arc, "*.*", &info);
            while (found == 0) {
                store->AddArchiveRecord(info, ctx.utf8Display);
                if (ctx.progress && (store->Count() % 4096) == 0) ctx.progress(store->Count());
                found = ArchiveFindNext(family, arc, &info);
            }
        } catch (...) {
            // A missing entry point ends the listing, but the DLL must not keep
            // the archive open behind it. What was read so far stays, unordered.
            try {
                ArchiveCloseArchive(family, arc);
            } catch (...) {
            }
            const auto count = static_cast<uint32_t>(store->Count());
            for (uint32_t i = 0; i < count; ++i) order.push_back(i);
            out.pathList = EntryPathList(store, count);
            out.lines = EntryLines(std::move(store), std::move(order));
            throw;
        }
        ArchiveCloseArchive(family, arc);
        const auto count = static_cast<uint32_t>(store->Count());
        out.pathList = EntryPathList(store, count);
        std::vector<uint32_t> ordered = OrderEntriesByLevel(*store, 0, count);
        order.reserve(ordered.size() + 1);
        order.push_back(store->AddLine(RootEntryLine()));
        order.insert(order.end(), ordered.begin(), ordered.end());
    } else {
        order.push_back(store->AddLine(RootEntryLine()));
    }
    out.lines = EntryLines(std::move(store), std::move(order));
}

void ArchiveListReport(const ArchiveListContext& ctx, const std::wstring& archivePath, ArchiveFamily family,
                       const std::wstring& commandText, std::vector<std::wstring>& result) {
    if (family == ArchiveFamily::None) {
        result.clear();
        return;
    }
    const std::string cmd = ArchiveAnsiText(commandText + L" \"" + archivePath + L"\"", archivePath);
    // One byte more than the DLL is told, always NUL, so that a report that
    // fills the whole buffer is still terminated.
    std::vector<char> buf(static_cast<size_t>(kListReportBufferSize) + 1, '\0');
    const int rc = ArchiveCommand(family, ctx.owner, cmd, buf.data(), kListReportBufferSize);
    result.clear();
    if (rc != 0) return;
    buf[kListReportBufferSize] = '\0';
    result = SplitLines(AnsiToWide(std::string_view(buf.data())));
}

namespace {

bool ReportListing(const ArchiveListContext& ctx, const std::wstring& archivePath, ArchiveCommandKey key,
                   std::vector<std::wstring>& result) {
    const DWORD attr = GetFileAttributesW(archivePath.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return true;
    SetDllFolderForListing(ctx);
    const ArchiveFamily family = ArchiveFamilyOfPath(archivePath, ctx.settings.IntUnZipDll);
    ArchiveListReport(ctx, archivePath, family, ArchiveCommandText(ctx.settings, family, key), result);
    return true;
}

}  // namespace

bool ArchiveListSimpleCore(const ArchiveListContext& ctx, const std::wstring& archivePath,
                           std::vector<std::wstring>& result) {
    return ReportListing(ctx, archivePath, ArchiveCommandKey::List, result);
}

bool ArchiveListTestCore(const ArchiveListContext& ctx, const std::wstring& archivePath,
                         std::vector<std::wstring>& result) {
    return ReportListing(ctx, archivePath, ArchiveCommandKey::Test, result);
}

}  // namespace quib
