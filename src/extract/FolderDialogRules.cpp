#include "extract/FolderDialogRules.h"

#include <algorithm>

#include "util/MyUtility.h"
#include "util/StrConv.h"
#include "util/TextFile.h"

namespace quib {

bool HasInvalidNameCharacter(const std::wstring& name) {
    return name.find_first_of(L"*|\\:\"<>?/") != std::wstring::npos;
}

std::wstring NormaliseName(const std::wstring& name) {
    size_t start = 0;
    while (start < name.size() && name[start] <= L' ') ++start;
    std::wstring out;
    out.reserve(name.size() - start);
    for (size_t i = start; i < name.size(); ++i) {
        const wchar_t c = name[i];
        if (c == L'\r') {
            if (i + 1 < name.size() && name[i + 1] == L'\n') ++i;
            out.push_back(L' ');
        } else if (c == L'\n' || c == L'\t') {
            out.push_back(L' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::wstring MakeFolderPath(const std::wstring& folder, const std::wstring& name) {
    std::wstring path = folder + name;
    if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
    return path;
}

std::wstring ExtractFilePath(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\:");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring FolderPartOf(const std::wstring& text) {
    if (!text.empty() && text.back() == L'\\') return text;
    return ExtractFilePath(text);
}

StringList UpdateCurrentHistory(const StringList& history, const std::wstring& text) {
    StringList out;
    out.reserve(std::min(history.size() + 1, kCurrentHistoryMax));
    out.push_back(text);
    for (const auto& line : history) {
        if (out.size() >= kCurrentHistoryMax) break;
        if (!EqualsNoCase(line, text)) out.push_back(line);
    }
    return out;
}

std::wstring CurrentHistoryPath(const std::wstring& programFolder) {
    return programFolder + L"\\quibFMarchive-Current.txt";
}

std::optional<StringList> ReadCurrentHistory(const std::wstring& programFolder) {
    const std::wstring path = CurrentHistoryPath(programFolder);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    StringList lines;
    if (!ReadUtf16Lines(path, lines)) return std::nullopt;
    // The writer ends every line, so a last empty line is the file's end.
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool WriteCurrentHistory(const std::wstring& programFolder, const StringList& history) {
    return WriteUtf16Lines(CurrentHistoryPath(programFolder), history);
}

namespace {
std::wstring TrimLeftBlanks(const std::wstring& s) {
    size_t i = 0;
    while (i < s.size() && s[i] <= L' ') ++i;
    return s.substr(i);
}
}  // namespace

std::optional<std::wstring> FolderOfFilerCaption(const std::wstring& caption) {
    std::optional<std::wstring> field;
    std::wstring text = caption;
    if (const size_t at = text.find(L" - quibFM"); at != std::wstring::npos) {
        text = TrimLeftBlanks(text.substr(0, at));
        field = text;
    }
    if (const size_t at = text.find(L" - PellFMmini"); at != std::wstring::npos) {
        text = TrimLeftBlanks(text.substr(0, at));
        field = text;
    }
    return field;
}

std::vector<StringList> DriveRows(const StringList& driveTable) {
    std::vector<StringList> rows;
    for (size_t i = 1; i < driveTable.size(); ++i) {
        StringList fields;
        StringToCsvList(driveTable[i], fields);
        fields.resize(8);
        rows.push_back(std::move(fields));
    }
    return rows;
}

int DriveRowOfRoot(const std::vector<StringList>& rows, const std::wstring& root) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].empty() && rows[i][0] == root) return static_cast<int>(i);
    return -1;
}

RenameResult RenameFileFolder(const std::wstring& path, const std::wstring& oldName, const std::wstring& newName) {
    RenameResult r;
    if (HasInvalidNameCharacter(newName)) {
        r.outcome = RenameOutcome::InvalidCharacter;
        r.newName = newName;
        return r;
    }
    r.newName = NormaliseName(newName);
    const std::wstring oldPath = path + oldName;
    const std::wstring newPath = path + r.newName;
    // The file system ignores case, so a name differing only in case is
    // found here and refused like any other name in use.
    if (GetFileAttributesW(newPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        r.outcome = RenameOutcome::AlreadyExists;
        return r;
    }
    const DWORD attributes = GetFileAttributesW(oldPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        r.outcome = RenameOutcome::AttributeReadFailed;
        return r;
    }
    if (attributes & FILE_ATTRIBUTE_DEVICE) {
        r.outcome = RenameOutcome::NeitherFolderNorFile;
        return r;
    }
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Within one folder a move is a rename: a folder keeps its contents, and
    // an entry that appeared meanwhile under the new name is never replaced.
    const BOOL moved = MoveFileW(oldPath.c_str(), newPath.c_str());
    if (!moved || GetFileAttributesW(newPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        r.outcome = folder ? RenameOutcome::FolderMoveFailed : RenameOutcome::FileMoveFailed;
        return r;
    }
    if (!SetFileAttributesW(newPath.c_str(), attributes)) {
        r.outcome = folder ? RenameOutcome::FolderAttributeFailed : RenameOutcome::FileAttributeFailed;
        return r;
    }
    r.outcome = RenameOutcome::Renamed;
    return r;
}

MessageTexts RenameMessage(RenameOutcome outcome) {
    switch (outcome) {
        case RenameOutcome::Renamed: return {};
        case RenameOutcome::InvalidCharacter:
            return {L"Information : 不正な文字が含まれています", L"Information : Some letter can not accept.\r\n[OK]"};
        case RenameOutcome::AlreadyExists:
            return {L"Information : 同一のフォルダ名またはファイル名があります",
                    L"Information : Same folder or file is already exist.\r\n[OK]"};
        case RenameOutcome::AttributeReadFailed:
            return {L"Error : 属性が取得できませんでした", L"Error : Get attribute failed.\r\n[OK]", true};
        case RenameOutcome::FolderMoveFailed:
            return {L"Error : フォルダ名の変更に失敗しました", L"Error : Rename folder failed.\r\n[OK]", true};
        case RenameOutcome::FileMoveFailed:
            return {L"Error : ファイル名の変更に失敗しました", L"Error : Rename file failed.\r\n[OK]", true};
        case RenameOutcome::FolderAttributeFailed:
            return {L"Error : フォルダ属性の変更が失敗しました", L"Error : Change folder attribute failed.\r\n[OK]", true};
        case RenameOutcome::FileAttributeFailed:
            return {L"Error : ファイル属性の変更が失敗しました", L"Error : Change file attribute failed.\r\n[OK]", true};
        case RenameOutcome::NeitherFolderNorFile:
            return {L"Error : ファイル属性がフォルダでもファイルでもありません",
                    L"Error : Attribute is not folder or file.\r\n[OK]", true};
    }
    return {};
}

}  // namespace quib
