#include "archive/EntryModel.h"

#include <cwchar>

#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

std::wstring Pad(unsigned value, int digits) {
    wchar_t buf[16];
    swprintf(buf, 16, L"%0*u", digits, value);
    return buf;
}

std::wstring JoinFields(const std::wstring* fields, size_t count) {
    std::wstring line;
    size_t total = count;
    for (size_t i = 0; i < count; ++i) total += fields[i].size();
    line.reserve(total);
    for (size_t i = 0; i < count; ++i) {
        if (i) line += L'\t';
        line += fields[i];
    }
    return line;
}

std::wstring LocaleSeparator(LCTYPE type, const wchar_t* fallback) {
    wchar_t buf[16] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buf, 16) <= 1) return fallback;
    return std::wstring(1, buf[0]);
}

}  // namespace

DateTimeSeparators LocaleDateTimeSeparators() {
    DateTimeSeparators s;
    s.date = LocaleSeparator(LOCALE_SDATE, L"/");
    s.time = LocaleSeparator(LOCALE_STIME, L":");
    return s;
}

std::wstring FormatDosDateTime(std::uint16_t dosDate, std::uint16_t dosTime, const DateTimeSeparators& sep) {
    const unsigned year = 1980u + (dosDate >> 9);
    const unsigned month = (dosDate >> 5) & 0x0F;
    const unsigned day = dosDate & 0x1F;
    const unsigned hour = dosTime >> 11;
    const unsigned minute = (dosTime >> 5) & 0x3F;
    const unsigned second = (dosTime & 0x1F) * 2u;
    return Pad(year, 4) + sep.date + Pad(month, 2) + sep.date + Pad(day, 2) + L" " + Pad(hour, 2) + sep.time +
           Pad(minute, 2) + sep.time + Pad(second, 2);
}

std::string FixedFieldText(const char* field, size_t size) {
    size_t n = 0;
    while (n < size && field[n] != '\0') ++n;
    return std::string(field, n);
}

ArchiveEntryLine BuildArchiveEntryLine(const TArchiveEntryInfo& info, bool utf8Display,
                                       const DateTimeSeparators& sep) {
    const std::string raw = FixedFieldText(info.FileName, sizeof(info.FileName));
    ArchiveEntryLine out;
    // A control character (a tab, a line break) would cut the line into other
    // fields or other lines; it is shown as "?".
    auto safe = [](std::wstring s) {
        for (wchar_t& c : s)
            if (c < 0x20) c = L'?';
        return s;
    };
    out.pathAnsi = safe(AnsiToWide(raw));
    const std::wstring display = utf8Display ? safe(Utf8ToWide(raw)) : out.pathAnsi;

    std::wstring f[10];
    f[0] = display;
    const bool folder = !display.empty() && (display.back() == L'/' || display.back() == L'\\');
    if (folder) {
        f[2] = L" <DIR>";
    } else {
        f[1] = ExtractFileExt(out.pathAnsi);
        f[2] = IntToCommaStr(info.OriginalSize);
    }
    const std::wstring dateTime = FormatDosDateTime(info.DosDate, info.DosTime, sep);
    f[3] = dateTime.substr(0, 10);
    f[4] = dateTime.size() > 11 ? dateTime.substr(11, 8) : std::wstring();
    f[5] = AnsiToWide(FixedFieldText(info.Attribute, sizeof(info.Attribute)));
    f[6] = AnsiToWide(FixedFieldText(info.Method, sizeof(info.Method)));
    f[7] = IntToCommaStr20(info.OriginalSize);
    f[8] = IntToCommaStr20(info.CompressedSize);
    f[9] = display;
    out.line = JoinFields(f, 10);
    return out;
}

std::wstring RootEntryLine() { return L"<\\>\t\t <DIR>\t\t\t\t\t0\t0\t<\\>"; }
std::wstring ParentEntryLine() { return L"<..>\t\t <DIR>\t\t\t\t\t0\t0\t<..>"; }

int EntryLineLevel(const std::wstring& line) {
    if (line.empty()) return 0;
    auto isSep = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    int level = isSep(line[0]) ? 1 : 0;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        if (isSep(line[i])) ++level;
    }
    return level;
}

std::wstring ArchiveFileTimeToDateTime(std::uint32_t timestamp) {
    const std::uint32_t t = timestamp + 32400u;  // wraps modulo 2^32
    const std::uint32_t days = (t / 86400u) % 65536u;
    const std::uint32_t secs = t % 86400u;
    // Civil date of 1970-01-01 plus days.
    long long z = static_cast<long long>(days) + 719468;
    const long long era = z / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const unsigned year = static_cast<unsigned>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return Pad(year, 4) + L"/" + Pad(month, 2) + L"/" + Pad(day, 2) + L" " + Pad(secs / 3600, 2) + L":" +
           Pad(secs / 60 % 60, 2) + L":" + Pad(secs % 60, 2);
}

bool SusieRecordIsEntry(const TSusieFileInfo& info) { return info.Method[0] != '\0'; }

SusieEntryLine BuildSusieEntryLine(const TSusieFileInfo& info) {
    const std::wstring dir = AnsiToWide(FixedFieldText(info.Path, sizeof(info.Path)));
    const std::wstring name = AnsiToWide(FixedFieldText(info.FileName, sizeof(info.FileName)));
    SusieEntryLine out;
    out.storedPath = dir + name;
    const std::wstring dateTime = ArchiveFileTimeToDateTime(info.Timestamp);
    std::wstring f[10];
    f[0] = out.storedPath;
    f[1] = ExtractFileExt(name);
    f[2] = IntToCommaStr(info.FileSize);
    f[3] = dateTime.substr(0, 10);
    f[4] = dateTime.substr(11, 8);
    f[5] = std::to_wstring(info.Position);
    f[6] = AnsiToWide(FixedFieldText(info.Method, sizeof(info.Method)));
    f[7] = IntToCommaStr20(info.FileSize);
    f[8] = IntToCommaStr20(info.CompressedSize);
    f[9] = out.storedPath;
    out.line = JoinFields(f, 10);
    return out;
}

}  // namespace quib
