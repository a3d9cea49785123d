#include "util/MyUtility.h"

#include <cmath>
#include <cwchar>

#include "util/Message.h"
#include "util/StrConv.h"

namespace quib {
namespace {

std::function<void()> g_pump;

std::wstring CommaText(std::int64_t value, size_t width, size_t maxPositiveDigits, size_t maxNegativeDigits) {
    const bool negative = value < 0;
    // Through unsigned arithmetic so that the most negative value has a magnitude too.
    const std::uint64_t magnitude =
        negative ? (0 - static_cast<std::uint64_t>(value)) : static_cast<std::uint64_t>(value);
    const std::wstring digits = std::to_wstring(magnitude);
    if (digits.size() > (negative ? maxNegativeDigits : maxPositiveDigits)) return L"***";
    std::wstring text;
    text.reserve(width + 8);
    if (negative) text += L'-';
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += L',';
        text += digits[i];
    }
    if (text.size() < width) text.insert(0, width - text.size(), L' ');
    return text;
}

std::wstring TwoDigits(unsigned v) {
    wchar_t buf[8];
    swprintf(buf, 8, L"%02u", v % 100);
    return buf;
}

bool ToLocalSystemTime(const FILETIME& utc, SYSTEMTIME& st) {
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) return false;
    return FileTimeToSystemTime(&local, &st) != FALSE;
}

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yy + (m <= 2));
}

const long long kDaysTo18991230 = DaysFromCivil(1899, 12, 30);

// The messages of the extension-list routines.
enum class ExtMsg { Empty, CountMismatch, NoPeriod, NoSemicolon };

void ShowExtMsg(HWND owner, ExtMsg which, const std::wstring& appendText) {
    std::wstring jp, en;
    switch (which) {
        case ExtMsg::Empty:
            jp = L"Information : 拡張子が設定されていません\r\n";
            en = L"Information : Extention is empty.\r\n[OK]\r\n";
            break;
        case ExtMsg::CountMismatch:
            jp = L"Information : 拡張子の . と ; の数が不一致です\r\n";
            en = L"Information : Number of .[Piriod] and ;[Semicolon] is not match.\r\n[OK]\r\n";
            break;
        case ExtMsg::NoPeriod:
            jp = L"Information : 拡張子に ; が設定されていません\r\n";
            en = L"Information : Extention not include .[Piriod] .\r\n[OK]\r\n";
            break;
        case ExtMsg::NoSemicolon:
            jp = L"Information : 拡張子に ; が設定されていません\r\n";
            en = L"Information : Extention not include ;[Semicolon] .\r\n[OK]\r\n";
            break;
    }
    ShowMsgJE(owner, jp + appendText, en + appendText);
}

// Shared by ExtStrToList and ExtStrCheck: the counting, the cutting (when a
// list is given) and the choice of the message. The text is walked as
// UTF-16: cutting it at positions counted in its ANSI form would cut a text
// holding double-byte characters in the wrong places.
int ExtStrWalk(const std::wstring& text, std::vector<std::wstring>* list, bool noPeriodIsEmpty,
               const std::wstring& appendText, HWND owner) {
    if (list) list->clear();
    size_t lastDot = 0;
    size_t semicolons = 0, periods = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'.') {
            lastDot = i;
            ++periods;
        } else if (text[i] == L';') {
            if (list) list->push_back(text.substr(lastDot, i - lastDot));
            ++semicolons;
        }
    }
    ExtMsg msg;
    if (text.empty()) {
        msg = ExtMsg::Empty;
    } else if (semicolons != periods) {
        msg = ExtMsg::CountMismatch;
    } else if (periods == 0) {
        msg = noPeriodIsEmpty ? ExtMsg::Empty : ExtMsg::NoPeriod;
    } else if (text.back() != L';') {
        msg = ExtMsg::NoSemicolon;
    } else {
        return 1;
    }
    ShowExtMsg(owner, msg, appendText);
    return 0;
}

}  // namespace

std::wstring IntToCommaStr20(std::int64_t value) { return CommaText(value, 20, 15, 15); }
std::wstring IntToCommaStr11(std::int64_t value) { return CommaText(value, 11, 8, 7); }
std::wstring IntToCommaStr(std::int64_t value) { return CommaText(value, 0, 15, 15); }

void SetPumpHook(std::function<void()> pump) { g_pump = std::move(pump); }

namespace {
// Every piece between separators, the one after the last included even when empty.
void SplitAtEvery(const std::wstring& line, wchar_t separator, std::vector<std::wstring>& list) {
    size_t start = 0;
    for (size_t at; (at = line.find(separator, start)) != std::wstring::npos; start = at + 1)
        list.push_back(line.substr(start, at - start));
    list.push_back(line.substr(start));
}
}  // namespace

void StringToCsvList(const std::wstring& line, std::vector<std::wstring>& list) {
    if (g_pump) g_pump();

    if (line.find(L'\t') != std::wstring::npos) {
        SplitAtEvery(line, L'\t', list);
        return;
    }

    if (!line.empty() && line[0] == L'"') {
        const std::wstring rest = line.substr(1);
        const size_t quote = rest.find(L'"');
        if (quote != std::wstring::npos && quote == rest.size() - 1) {
            list.push_back(rest.substr(0, quote));
            return;
        }
        static const std::wstring sep = L"\",\"";
        size_t start = 0;
        for (;;) {
            const size_t at = rest.find(sep, start);
            if (at == std::wstring::npos) {
                std::wstring last = rest.substr(start);
                // The closing quote, or whatever stands in its place.
                if (!last.empty()) last.pop_back();
                list.push_back(last);
                return;
            }
            list.push_back(rest.substr(start, at - start));
            start = at + sep.size();
        }
    }

    if (line.find(L',') != std::wstring::npos) {
        SplitAtEvery(line, L',', list);
        return;
    }

    list.push_back(line);
}

void StringToCsvListByYenBySlash(const std::wstring& text, std::vector<std::wstring>& list) {
    size_t start = 0;
    bool cut = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'/' || text[i] == L'\\') {
            list.push_back(text.substr(start, i - start));
            start = i + 1;
            cut = true;
        }
    }
    if (cut && start < text.size()) list.push_back(text.substr(start));
}

bool FolderExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExtractFileExt(const std::wstring& path) {
    const size_t dot = path.find_last_of(L".\\/:");
    if (dot == std::wstring::npos || path[dot] != L'.') return {};
    return path.substr(dot);
}

std::wstring FileTimeToDateStr(const FILETIME& utc) {
    SYSTEMTIME st{};
    if (!ToLocalSystemTime(utc, st)) return {};
    wchar_t buf[32];
    swprintf(buf, 32, L"%04u/%02u/%02u", static_cast<unsigned>(st.wYear), static_cast<unsigned>(st.wMonth),
             static_cast<unsigned>(st.wDay));
    return buf;
}

std::wstring FileTimeToTimeStr(const FILETIME& utc) {
    SYSTEMTIME st{};
    if (!ToLocalSystemTime(utc, st)) return {};
    return TwoDigits(st.wHour) + L":" + TwoDigits(st.wMinute) + L":" + TwoDigits(st.wSecond);
}

std::wstring AttrToStr(DWORD attributes) {
    std::wstring s = L"----";
    if (attributes & 0x01) s[0] = L'R';
    if (attributes & 0x02) s[1] = L'H';
    if (attributes & 0x04) s[2] = L'S';
    if (attributes & 0x20) s[3] = L'A';
    return s;
}

double FileTimeToDateTimeEx(const FILETIME& time, bool toLocal) {
    if (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) return 0;
    FILETIME ft = time;
    if (toLocal) {
        FILETIME local{};
        if (!FileTimeToLocalFileTime(&time, &local)) return 0;
        ft = local;
    }
    SYSTEMTIME st{};
    if (!FileTimeToSystemTime(&ft, &st)) return 0;
    const double days = static_cast<double>(DaysFromCivil(st.wYear, st.wMonth, st.wDay) - kDaysTo18991230);
    const double fraction =
        (st.wHour * 3600000.0 + st.wMinute * 60000.0 + st.wSecond * 1000.0 + st.wMilliseconds) / 86400000.0;
    return days >= 0 ? days + fraction : days - fraction;
}

bool DateTimeToSystemTime(double value, SYSTEMTIME& out) {
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6) return false;
    long long days = static_cast<long long>(std::trunc(value));
    long long ms = std::llround(std::fabs(value - static_cast<double>(days)) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += value >= 0 ? 1 : -1;
    }
    int y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days + kDaysTo18991230, y, m, d);
    if (y < 1601 || y > 30827) return false;
    out = SYSTEMTIME{};
    out.wYear = static_cast<WORD>(y);
    out.wMonth = static_cast<WORD>(m);
    out.wDay = static_cast<WORD>(d);
    out.wDayOfWeek = static_cast<WORD>(((days + kDaysTo18991230) % 7 + 7 + 4) % 7);  // 1970-01-01 was a Thursday
    out.wHour = static_cast<WORD>(ms / 3600000);
    out.wMinute = static_cast<WORD>(ms / 60000 % 60);
    out.wSecond = static_cast<WORD>(ms / 1000 % 60);
    out.wMilliseconds = static_cast<WORD>(ms % 1000);
    return true;
}

int DriveLetterToIndex(const std::wstring& path) {
    if (path.empty()) return -1;
    wchar_t c = path[0];
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    if (c < L'A' || c > L'Z') return -1;
    return c - L'A';
}

std::wstring DriveTypeText(UINT driveType) {
    switch (driveType) {
        case 1: return L"No Root";
        case 2: return L"Removable";
        case 3: return L"HDD";
        case 4: return L"Network";
        case 5: return L"CD-ROM";
        case 6: return L"RamDisk";
        default: return L"Unknown";
    }
}

std::wstring DriveTypeTextOfRoot(const std::wstring& root) { return DriveTypeText(GetDriveTypeW(root.c_str())); }

const wchar_t* const kDriveTableHeader = L"Root\tVolume\tType\tSerial\tFile\tDisk\tFree\tUse";

bool GetDriveList(const std::wstring& root, std::vector<std::wstring>& table) {
    table.clear();
    table.push_back(kDriveTableHeader);
    // An empty card reader or CD drive must not stop the program with the
    // system's "insert a disk" box.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode);
    const DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        std::wstring r;
        r += static_cast<wchar_t>(L'A' + i);
        r += L":\\";
        wchar_t label[256] = {}, fs[256] = {};
        DWORD serial = 0, maxLen = 0, flags = 0;
        if (!GetVolumeInformationW(r.c_str(), label, 256, &serial, &maxLen, &flags, fs, 256)) {
            table.push_back(r + L"\t\t\t\t\t\t\t");
            continue;
        }
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
        if (!GetDiskFreeSpaceW(r.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
            sectorsPerCluster = bytesPerSector = freeClusters = totalClusters = 0;
        }
        const std::int64_t clusterBytes = static_cast<std::int64_t>(bytesPerSector) * sectorsPerCluster;
        const std::int64_t total = static_cast<std::int64_t>(totalClusters) * clusterBytes;
        const std::int64_t freeBytes = static_cast<std::int64_t>(freeClusters) * clusterBytes;
        wchar_t serialText[16];
        swprintf(serialText, 16, L"0x%08X", static_cast<unsigned>(serial));
        table.push_back(r + L"\t" + label + L"\t" + DriveTypeText(GetDriveTypeW(r.c_str())) + L"\t" + serialText +
                        L"\t" + fs + L"\t" + IntToCommaStr20(total) + L"\t" + IntToCommaStr20(freeBytes) + L"\t" +
                        IntToCommaStr20(total - freeBytes));
    }
    SetThreadErrorMode(oldMode, nullptr);
    for (const std::wstring& line : table) {
        const std::wstring first = line.substr(0, line.find(L'\t'));
        if (EqualsNoCase(first, root)) return true;
    }
    return false;
}

int ExtStrToList(const std::wstring& text, std::vector<std::wstring>& list, const std::wstring& appendText,
                 HWND owner) {
    return ExtStrWalk(text, &list, false, appendText, owner);
}

int ExtStrCheck(const std::wstring& text, const std::wstring& appendText, HWND owner) {
    return ExtStrWalk(text, nullptr, true, appendText, owner);
}

}  // namespace quib
