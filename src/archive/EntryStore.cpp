#include "archive/EntryStore.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "app/EntryView.h"
#include "util/MyUtility.h"
#include "util/StrConv.h"

namespace quib {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

int CountSeparators(std::wstring_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), IsSeparator));
}

size_t FieldLength(const char* field, size_t size) {
    size_t n = 0;
    while (n < size && field[n] != '\0') ++n;
    return n;
}

bool Ascii(const char* text, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

// Decodes n bytes into out, which has room for n characters (never more
// UTF-16 units than bytes); ASCII is the same in every code page the program
// runs under and in UTF-8, so most names skip the system's conversion.
// A control character (a tab, a line break) in a name would cut the entry
// line into other fields or other lines; it is shown as "?".
uint32_t Decode(const char* text, size_t n, UINT codePage, bool ascii, wchar_t* out) {
    uint32_t got = 0;
    if (ascii) {
        for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(text[i]);
        got = static_cast<uint32_t>(n);
    } else if (n > 0) {
        const int k = MultiByteToWideChar(codePage, 0, text, static_cast<int>(n), out, static_cast<int>(n));
        got = static_cast<uint32_t>(k > 0 ? k : 0);
    }
    for (uint32_t i = 0; i < got; ++i)
        if (out[i] < 0x20) out[i] = L'?';
    return got;
}

// IntToCommaStr / IntToCommaStr20 of a 32-bit size, without the allocations.
void AppendComma(std::wstring& out, uint32_t value, size_t width) {
    wchar_t buf[16];
    int n = 0, digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) buf[n++] = L',';
        buf[n++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
        ++digits;
    } while (value != 0);
    if (static_cast<size_t>(n) < width) out.append(width - static_cast<size_t>(n), L' ');
    std::reverse(buf, buf + n);
    out.append(buf, static_cast<size_t>(n));
}

}  // namespace

EntryStore::EntryStore(DateTimeSeparators separators) : separators_(std::move(separators)) {
    const std::wstring sample = FormatDosDateTime(0x21, 0, separators_);
    dateSeparators_ = CountSeparators(sample.substr(0, 10));
    timeSeparators_ = sample.size() > 11 ? CountSeparators(sample.substr(11, 8)) : 0;
}

wchar_t* EntryStore::TextArena::Room(size_t n, uint32_t& offset) {
    n = std::min<size_t>(n, kMaxBlock);
    if (blocks_.empty() || used_ + n > blocks_.back().size) {
        // Small listings stay small: blocks grow from 4096 characters.
        uint32_t size = blocks_.empty() ? 4096u : std::min(blocks_.back().size * 2, kMaxBlock);
        while (size < n) size *= 2;
        blocks_.push_back({std::make_unique<wchar_t[]>(size), size});
        used_ = 0;
    }
    offset = (static_cast<uint32_t>(blocks_.size() - 1) << kPositionBits) | used_;
    return blocks_.back().data.get() + used_;
}

size_t EntryStore::TextArena::BytesHeld() const {
    size_t bytes = 0;
    for (const Block& b : blocks_) bytes += b.size * sizeof(wchar_t);
    return bytes;
}

void EntryStore::RecordChunks::push_back(const Record& r) {
    if (count_ == chunks_.size() * kChunk) chunks_.push_back(std::make_unique<Record[]>(kChunk));
    (*this)[count_++] = r;
}

uint32_t EntryStore::AddText(std::wstring_view text) {
    uint32_t offset = 0;
    wchar_t* room = text_.Room(text.size(), offset);
    const size_t n = std::min<size_t>(text.size(), TextArena::kMaxBlock);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), room);
    text_.Commit(n);
    return offset;
}

uint16_t EntryStore::Intern(const char* field, size_t size) {
    const size_t n = FieldLength(field, size);
    std::wstring text = Ascii(field, n) ? std::wstring(field, field + n) : AnsiToWide(std::string_view(field, n));
    const auto it = textIndex_.find(text);
    if (it != textIndex_.end()) return it->second;
    if (texts_.size() >= kNoText) return kNoText;
    const auto index = static_cast<uint16_t>(texts_.size());
    texts_.push_back({text, CountSeparators(text)});
    textIndex_.emplace(std::move(text), index);
    return index;
}

uint32_t EntryStore::AddArchiveRecord(const TArchiveEntryInfo& info, bool utf8Display) {
    Record r;
    // Most records repeat the texts of the one before.
    if (std::memcmp(lastAttribute_, info.Attribute, sizeof(lastAttribute_)) != 0 || lastAttributeIndex_ == kNoText) {
        std::memcpy(lastAttribute_, info.Attribute, sizeof(lastAttribute_));
        lastAttributeIndex_ = Intern(info.Attribute, sizeof(info.Attribute));
    }
    if (std::memcmp(lastMethod_, info.Method, sizeof(lastMethod_)) != 0 || lastMethodIndex_ == kNoText) {
        std::memcpy(lastMethod_, info.Method, sizeof(lastMethod_));
        lastMethodIndex_ = Intern(info.Method, sizeof(info.Method));
    }
    r.attribute = lastAttributeIndex_;
    r.method = lastMethodIndex_;
    const size_t n = FieldLength(info.FileName, sizeof(info.FileName));
    const bool ascii = Ascii(info.FileName, n);
    if (r.attribute == kNoText || r.method == kNoText) {
        // More distinct attribute or method texts than a record can name: the
        // line is kept as it is.
        const ArchiveEntryLine entry = BuildArchiveEntryLine(info, utf8Display, separators_);
        std::wstring text = entry.line;
        const bool differs = entry.pathAnsi != entry.line.substr(0, entry.line.find(L'\t'));
        if (differs) text += entry.pathAnsi;
        Record raw;
        raw.kind = kRawLine;
        raw.text = AddText(text);
        raw.length = static_cast<uint32_t>(entry.line.size());
        if (differs) {
            raw.flags |= kAnsiDiffers;
            raw.ansiLength = static_cast<uint32_t>(entry.pathAnsi.size());
        }
        if (RawField(raw, 2) == L" <DIR>") raw.flags |= kFolderFlag;
        records_.push_back(raw);
        return static_cast<uint32_t>(records_.size() - 1);
    }
    // Room for the display path and, when it may differ, the ANSI path after it.
    const bool both = utf8Display && !ascii;
    wchar_t* room = text_.Room(both ? 2 * n : n, r.text);
    r.length = Decode(info.FileName, n, utf8Display ? CP_UTF8 : CP_ACP, ascii, room);
    if (both) {
        r.ansiLength = Decode(info.FileName, n, CP_ACP, false, room + r.length);
        if (std::wstring_view(room, r.length) != std::wstring_view(room + r.length, r.ansiLength)) r.flags |= kAnsiDiffers;
    }
    text_.Commit(r.length + ((r.flags & kAnsiDiffers) ? r.ansiLength : 0));
    if (r.length > 0 && IsSeparator(room[r.length - 1])) r.flags |= kFolderFlag;
    r.size = info.OriginalSize;
    r.packed = info.CompressedSize;
    r.dosDate = info.DosDate;
    r.dosTime = info.DosTime;
    records_.push_back(r);
    return static_cast<uint32_t>(records_.size() - 1);
}

uint32_t EntryStore::AddLine(std::wstring_view line) {
    Record r;
    r.kind = kRawLine;
    r.text = AddText(line);
    r.length = static_cast<uint32_t>(std::min<size_t>(line.size(), TextArena::kMaxBlock));
    if (RawField(r, 2) == L" <DIR>") r.flags |= kFolderFlag;
    records_.push_back(r);
    return static_cast<uint32_t>(records_.size() - 1);
}

std::wstring_view EntryStore::RawField(const Record& r, int n) const {
    std::wstring_view line = Text(r.text, r.length);
    for (int i = 0; i < n; ++i) {
        const size_t tab = line.find(L'\t');
        if (tab == std::wstring_view::npos) return {};
        line.remove_prefix(tab + 1);
    }
    return line.substr(0, line.find(L'\t'));
}

void EntryStore::AppendDate(const Record& r, std::wstring& out, bool date) const {
    // FormatDosDateTime's text cut as the line cuts it: the date is its first
    // ten characters, the time the eight from the twelfth.
    wchar_t full[64];
    size_t n = 0;
    auto number = [&](unsigned value, int digits) {
        wchar_t buf[12];
        int k = 0;
        do {
            buf[k++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        for (int i = k; i < digits; ++i) full[n++] = L'0';
        while (k > 0) full[n++] = buf[--k];
    };
    auto text = [&](const std::wstring& t) {
        for (size_t i = 0; i < t.size() && n < 40; ++i) full[n++] = t[i];
    };
    number(1980u + (r.dosDate >> 9), 4);
    text(separators_.date);
    number((r.dosDate >> 5) & 0x0F, 2);
    text(separators_.date);
    number(r.dosDate & 0x1F, 2);
    full[n++] = L' ';
    number(r.dosTime >> 11, 2);
    text(separators_.time);
    number((r.dosTime >> 5) & 0x3F, 2);
    text(separators_.time);
    number((r.dosTime & 0x1F) * 2u, 2);
    if (date) {
        out.append(full, std::min<size_t>(n, 10));
    } else if (n > 11) {
        out.append(full + 11, std::min<size_t>(n - 11, 8));
    }
}

std::wstring_view EntryStore::Extension(uint32_t entry) const {
    // ExtractFileExt of the ANSI-decoded path, without copying it.
    const Record& r = records_[entry];
    const std::wstring_view path =
        (r.flags & kAnsiDiffers) ? Text(r.text + r.length, r.ansiLength) : DisplayPath(entry);
    const size_t dot = path.find_last_of(L".\\/:");
    if (dot == std::wstring_view::npos || path[dot] != L'.') return {};
    return path.substr(dot);
}

void EntryStore::WriteLine(uint32_t entry, std::wstring& out) const {
    const Record& r = records_[entry];
    out.clear();
    if (r.kind == kRawLine) {
        out.append(Text(r.text, r.length));
        return;
    }
    const std::wstring_view path = Text(r.text, r.length);
    out.append(path);
    out += L'\t';
    if (r.flags & kFolderFlag) {
        out += L"\t <DIR>";
    } else {
        out += Extension(entry);
        out += L'\t';
        AppendComma(out, r.size, 0);
    }
    out += L'\t';
    AppendDate(r, out, true);
    out += L'\t';
    AppendDate(r, out, false);
    out += L'\t';
    out += texts_[r.attribute].text;
    out += L'\t';
    out += texts_[r.method].text;
    out += L'\t';
    AppendComma(out, r.size, 20);
    out += L'\t';
    AppendComma(out, r.packed, 20);
    out += L'\t';
    out.append(path);
}

std::wstring EntryStore::Line(uint32_t entry) const {
    std::wstring line;
    WriteLine(entry, line);
    return line;
}

std::wstring EntryStore::Field(uint32_t entry, int n) const {
    const Record& r = records_[entry];
    if (r.kind == kRawLine) return std::wstring(RawField(r, n));
    std::wstring out;
    switch (n) {
        case 0:
        case 9: return std::wstring(DisplayPath(entry));
        case 1:
            if (!(r.flags & kFolderFlag)) out = Extension(entry);
            break;
        case 2:
            if (r.flags & kFolderFlag) return L" <DIR>";
            AppendComma(out, r.size, 0);
            break;
        case 3: AppendDate(r, out, true); break;
        case 4: AppendDate(r, out, false); break;
        case 5: return texts_[r.attribute].text;
        case 6: return texts_[r.method].text;
        case 7: AppendComma(out, r.size, 20); break;
        case 8: AppendComma(out, r.packed, 20); break;
        default: break;
    }
    return out;
}

std::wstring_view EntryStore::DisplayPath(uint32_t entry) const {
    const Record& r = records_[entry];
    if (r.kind == kRawLine) return RawField(r, 0);
    return Text(r.text, r.length);
}

std::wstring EntryStore::PathAnsi(uint32_t entry) const {
    const Record& r = records_[entry];
    if (r.flags & kAnsiDiffers) return std::wstring(Text(r.text + r.length, r.ansiLength));
    return std::wstring(DisplayPath(entry));
}

bool EntryStore::Folder(uint32_t entry) const { return (records_[entry].flags & kFolderFlag) != 0; }

long long EntryStore::SizeValue(uint32_t entry) const {
    const Record& r = records_[entry];
    if (r.kind == kRawLine) return CommaTextValue(std::wstring(RawField(r, 7)));
    return r.size;
}

bool EntryStore::HasDate(uint32_t entry) const {
    const Record& r = records_[entry];
    return r.kind != kRawLine || !RawField(r, 3).empty();
}

int EntryStore::Level(uint32_t entry) const {
    const Record& r = records_[entry];
    if (r.kind == kRawLine) return EntryLineLevel(std::wstring(Text(r.text, r.length)));
    // The line holds the path twice; its first character counts twice and
    // its last (the path's last, or the tab before an empty path) not at all.
    const std::wstring_view path = Text(r.text, r.length);
    const int inPath = CountSeparators(path);
    int level = 2 * inPath + dateSeparators_ + timeSeparators_ + texts_[r.attribute].separators +
                texts_[r.method].separators;
    if (!path.empty() && IsSeparator(path.front())) ++level;
    if (!path.empty() && IsSeparator(path.back())) --level;
    return level;
}

size_t EntryStore::BytesHeld() const {
    return records_.BytesHeld() + text_.BytesHeld();
}

EntryLines EntryLines::FromLines(const std::vector<std::wstring>& lines) {
    auto store = std::make_shared<EntryStore>();
    std::vector<uint32_t> order;
    order.reserve(lines.size());
    for (const auto& l : lines) order.push_back(store->AddLine(l));
    return EntryLines(std::move(store), std::move(order));
}

std::vector<std::wstring> EntryLines::ToVector() const {
    std::vector<std::wstring> out;
    out.reserve(size());
    for (size_t i = 0; i < size(); ++i) out.push_back((*this)[i]);
    return out;
}

std::vector<std::wstring> EntryPathList::ToVector() const {
    std::vector<std::wstring> out;
    out.reserve(size());
    for (size_t i = 0; i < size(); ++i) out.push_back((*this)[i]);
    return out;
}

}  // namespace quib
