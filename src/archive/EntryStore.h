#pragma once
// The entries of one listing, kept compactly. A listing of a quarter million
// entries held as ten strings per entry (or one text line each) costs more
// than a kilobyte per entry and a heap full of small blocks; here an entry is
// one fixed record plus its path in one shared character arena, and the
// ten-field entry line is made from the record when it is asked for.
//
// Two kinds of entry share the store: records of an archiver DLL, whose
// fields are kept as values, and entry lines taken as they are (the root
// line, lines made elsewhere), whose fields are cut from the text on demand.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "archive/ArchiveRecords.h"
#include "archive/EntryModel.h"

namespace quib {

class EntryStore {
public:
    explicit EntryStore(DateTimeSeparators separators = {});

    // A DLL record: the stored path decoded as UTF-8 for display when
    // utf8Display is set, else in the ANSI code page, exactly as
    // BuildArchiveEntryLine makes its line. Returns the entry's index.
    uint32_t AddArchiveRecord(const TArchiveEntryInfo& info, bool utf8Display);
    // An entry line taken as it is.
    uint32_t AddLine(std::wstring_view line);

    size_t Count() const { return records_.size(); }

    // The ten-field line (BuildArchiveEntryLine's for a DLL record).
    std::wstring Line(uint32_t entry) const;
    // The line written into out (replacing what it held), without allocating
    // once out has grown to the longest line.
    void WriteLine(uint32_t entry, std::wstring& out) const;
    // Field n (0-9) of the line.
    std::wstring Field(uint32_t entry, int n) const;
    // Field 0 without copying (fields 0 and 9 of a DLL record are the same).
    std::wstring_view DisplayPath(uint32_t entry) const;
    // The stored path decoded in the ANSI code page (StrListPathFile); for a
    // line taken as it is, its field 0.
    std::wstring PathAnsi(uint32_t entry) const;
    // Field 2 is " <DIR>".
    bool Folder(uint32_t entry) const;
    // The value of the size in field 7.
    long long SizeValue(uint32_t entry) const;
    // Field 3 is not empty.
    bool HasDate(uint32_t entry) const;
    // EntryLineLevel of the line, without making the line.
    int Level(uint32_t entry) const;

    // Memory the store holds, for the benchmark.
    size_t BytesHeld() const;

private:
    enum : uint8_t { kRecord = 0, kRawLine = 1 };
    enum : uint8_t { kFolderFlag = 1, kAnsiDiffers = 2 };
    static constexpr uint16_t kNoText = 0xFFFF;

    struct Record {
        uint32_t text = 0;        // field 0 (a raw line: the line) in text_
        uint32_t length = 0;      // of field 0 (a raw line: of the line)
        uint32_t ansiLength = 0;  // the ANSI-decoded path follows field 0 when it differs
        uint32_t size = 0;
        uint32_t packed = 0;
        uint16_t dosDate = 0;
        uint16_t dosTime = 0;
        uint16_t attribute = 0;   // index into texts_
        uint16_t method = 0;
        uint8_t kind = kRecord;
        uint8_t flags = 0;
    };

    struct SmallText {
        std::wstring text;
        int separators = 0;  // "\" and "/" in it, for the level
    };

    // Characters in blocks that never move, so that growing never copies
    // (a doubling vector would hold the old and the new copy at its peak). An
    // offset is the block's number and the position in it.
    class TextArena {
    public:
        static constexpr uint32_t kPositionBits = 21;
        static constexpr uint32_t kMaxBlock = 1u << kPositionBits;
        // Room for n characters (at most kMaxBlock) in one block; Commit
        // says how many were used.
        wchar_t* Room(size_t n, uint32_t& offset);
        void Commit(size_t used) { used_ += static_cast<uint32_t>(used); }
        const wchar_t* At(uint32_t offset) const {
            return blocks_[offset >> kPositionBits].data.get() + (offset & (kMaxBlock - 1));
        }
        size_t BytesHeld() const;

    private:
        struct Block {
            std::unique_ptr<wchar_t[]> data;
            uint32_t size;
        };
        std::vector<Block> blocks_;
        uint32_t used_ = 0;
    };

    // Records in chunks for the same reason.
    class RecordChunks {
    public:
        static constexpr size_t kChunk = 8192;
        void push_back(const Record& r);
        Record& operator[](size_t i) { return chunks_[i / kChunk][i % kChunk]; }
        const Record& operator[](size_t i) const { return chunks_[i / kChunk][i % kChunk]; }
        Record& back() { return (*this)[count_ - 1]; }
        size_t size() const { return count_; }
        size_t BytesHeld() const { return chunks_.size() * kChunk * sizeof(Record); }

    private:
        std::vector<std::unique_ptr<Record[]>> chunks_;
        size_t count_ = 0;
    };

    uint16_t Intern(const char* field, size_t size);
    std::wstring_view Text(uint32_t offset, uint32_t length) const {
        return std::wstring_view(text_.At(offset), length);
    }
    uint32_t AddText(std::wstring_view text);
    std::wstring_view Extension(uint32_t entry) const;
    std::wstring_view RawField(const Record& r, int n) const;
    void AppendDate(const Record& r, std::wstring& out, bool date) const;

    DateTimeSeparators separators_;
    int dateSeparators_ = 0, timeSeparators_ = 0;  // "\" and "/" in every date and time text
    RecordChunks records_;
    TextArena text_;
    std::vector<SmallText> texts_;
    std::unordered_map<std::wstring, uint16_t> textIndex_;
    char lastAttribute_[sizeof(TArchiveEntryInfo::Attribute)] = {};
    char lastMethod_[sizeof(TArchiveEntryInfo::Method)] = {};
    uint16_t lastAttributeIndex_ = kNoText, lastMethodIndex_ = kNoText;
};

// StrListArchiveDirFile: the archive's entry lines in level order, the root
// line first. The lines are made from the store when asked for.
class EntryLines {
public:
    EntryLines() = default;
    EntryLines(std::shared_ptr<const EntryStore> store, std::vector<uint32_t> order)
        : store_(std::move(store)), order_(std::move(order)) {}
    // Plain lines, in the order given (tests and listings made elsewhere).
    static EntryLines FromLines(const std::vector<std::wstring>& lines);

    size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }
    void clear() {
        order_.clear();
        store_.reset();
    }
    std::wstring operator[](size_t i) const { return store_->Line(order_[i]); }
    std::vector<std::wstring> ToVector() const;

    const EntryStore& Store() const { return *store_; }
    const std::shared_ptr<const EntryStore>& SharedStore() const { return store_; }
    uint32_t Entry(size_t i) const { return order_[i]; }

    class const_iterator {
    public:
        const_iterator(const EntryLines* lines, size_t i) : lines_(lines), i_(i) {}
        std::wstring operator*() const { return (*lines_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator!=(const const_iterator& o) const { return i_ != o.i_; }

    private:
        const EntryLines* lines_;
        size_t i_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, order_.size()}; }

private:
    std::shared_ptr<const EntryStore> store_;
    std::vector<uint32_t> order_;
};

// StrListPathFile: the ANSI-decoded stored paths in the DLL's order.
class EntryPathList {
public:
    EntryPathList() = default;
    EntryPathList(std::shared_ptr<const EntryStore> store, uint32_t count) : store_(std::move(store)), count_(count) {}
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    void clear() {
        count_ = 0;
        store_.reset();
    }
    std::wstring operator[](size_t i) const { return store_->PathAnsi(static_cast<uint32_t>(i)); }
    std::vector<std::wstring> ToVector() const;

private:
    std::shared_ptr<const EntryStore> store_;
    uint32_t count_ = 0;
};

// Level order of the store's entries (OrderEntryLinesByLevel's rules: by
// level, then by the locale's case-insensitive order, lines equal under it
// dropped but the first); the indices of the entries kept.
std::vector<uint32_t> OrderEntriesByLevel(const EntryStore& store, uint32_t first, uint32_t count);

}  // namespace quib
