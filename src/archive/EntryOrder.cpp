// Ordering of entry lines by level, each level sorted without regard to case
// by the user locale's rules.
//
// The comparison that decides is CompareStringEx with NORM_IGNORECASE. Calling
// it for every step of a sort of a quarter of a million lines is far too slow,
// so the sort first compares the primary section of each line's sort key (the
// weights of its characters, before case, accents and the hyphen-like
// characters that the locale only weighs at the end). Two lines whose primary
// sections differ are ordered by them exactly as CompareStringEx orders them;
// only lines whose primary sections agree (in the first bytes kept, below) are
// handed to CompareStringEx.
//
// Computing a sort key per line is itself the largest cost, so the primary
// weights of ASCII characters are taken from a table that is filled once from
// the system's own sort keys and checked against them, and only lines holding
// other characters ask the system for their key.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "archive/EntryModel.h"
#include "archive/EntryStore.h"

namespace quib {
namespace {

constexpr DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
constexpr DWORD kCompareFlags = NORM_IGNORECASE;

// The system's sort key of text: bytes ending with the 0 terminator; empty
// when the system has none.
std::string SortKey(const wchar_t* text, int len) {
    std::string key(static_cast<size_t>(len) * 6 + 32, '\0');
    int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, text, len, reinterpret_cast<LPWSTR>(key.data()),
                          static_cast<int>(key.size()), nullptr, nullptr, 0);
    if (n <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int need = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, text, len, nullptr, 0, nullptr, nullptr, 0);
        if (need > 0) {
            key.assign(static_cast<size_t>(need), '\0');
            n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, text, len, reinterpret_cast<LPWSTR>(key.data()),
                              need, nullptr, nullptr, 0);
        }
    }
    key.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return key;
}

// The primary section: everything before the first 0x01 separator.
std::string_view PrimarySection(std::string_view key) {
    const size_t sep = key.find('\x01');
    return sep == std::string_view::npos ? key : key.substr(0, sep);
}

int Compare(const std::wstring& a, const std::wstring& b) {
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, kCompareFlags, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()), nullptr, nullptr, 0);
}

// Primary weights of the ASCII characters under the user locale.
class AsciiWeights {
public:
    static const AsciiWeights& Get() {
        static const AsciiWeights table;
        return table;
    }

    bool Usable() const { return usable_; }

    // Appends the primary weights of text, at most limit bytes of them;
    // false, with out unchanged, when text holds a character the table does
    // not weigh. The whole text is checked even when the weights stop early,
    // since a character after the cut could still change the weight of the
    // one before it (a combining mark, say).
    bool Append(const std::wstring& text, size_t limit, std::string& out) const {
        for (wchar_t c : text) {
            if (c >= 128 || kind_[c] == Kind::Unknown) return false;
        }
        const size_t start = out.size();
        out.resize(start + limit);
        char* p = out.data() + start;
        char* const end = p + limit;
        for (wchar_t c : text) {
            const Weight& w = weight_[c];
            for (unsigned k = 0; k < w.length && p < end; ++k) *p++ = w.bytes[k];
            if (p == end) break;
        }
        out.resize(static_cast<size_t>(p - out.data()));
        return true;
    }

private:
    // Weighed: a key made of primary weights only. LateOnly: no primary
    // weight at all (hyphen, apostrophe), only the final section. Unknown:
    // anything else, left to the system.
    enum class Kind : unsigned char { Unknown, Weighed, LateOnly };

    AsciiWeights() {
        static const std::string kEmptyTail("\x01\x01\x01\x01\x00", 5);
        for (int c = 1; c < 128; ++c) {
            const wchar_t ch = static_cast<wchar_t>(c);
            const std::string key = SortKey(&ch, 1);
            const std::string_view primary = PrimarySection(key);
            const std::string_view tail = std::string_view(key).substr(primary.size());
            if (!primary.empty() && primary.size() <= sizeof(Weight::bytes) && tail == kEmptyTail) {
                kind_[c] = Kind::Weighed;
                weight_[c].length = static_cast<unsigned char>(primary.size());
                std::memcpy(weight_[c].bytes, primary.data(), primary.size());
            } else if (primary.empty() && tail.size() > 4 && tail.substr(0, 4) == kEmptyTail.substr(0, 4)) {
                kind_[c] = Kind::LateOnly;
            }
        }
        usable_ = NoLetterCombinations();
    }

    // Some locales weigh letter pairs and triples as one letter (Danish "aa",
    // Hungarian "dzs", traditional Spanish "ch"); there the weights of single
    // letters do not add up, and every line goes to the system.
    bool NoLetterCombinations() const {
        auto matches = [this](const std::wstring& s) {
            std::string mine;
            if (!Append(s, 64, mine)) return false;
            return PrimarySection(SortKey(s.data(), static_cast<int>(s.size()))) == mine;
        };
        std::wstring letters;
        for (wchar_t c = L'a'; c <= L'z'; ++c) letters += c;
        for (wchar_t c = L'A'; c <= L'Z'; ++c) letters += c;
        for (wchar_t a : letters) {
            for (wchar_t b : letters) {
                if (!matches(std::wstring{a, b})) return false;
            }
        }
        for (wchar_t a = L'a'; a <= L'z'; ++a) {
            for (wchar_t b = L'a'; b <= L'z'; ++b) {
                for (wchar_t c = L'a'; c <= L'z'; ++c) {
                    if (!matches(std::wstring{a, b, c})) return false;
                }
            }
        }
        return true;
    }

    struct Weight {
        unsigned char length = 0;
        char bytes[6] = {};
    };
    Kind kind_[128] = {};
    Weight weight_[128];
    bool usable_ = false;
};

// Lines are told apart by the first bytes of their primary sections; lines
// whose first bytes agree go to CompareStringEx, which is exact. Paths in one
// archive rarely share more than this, and keeping all of every key would
// cost more memory than the lines themselves.
constexpr size_t kPrimaryPrefix = 96;

struct Item {
    unsigned long long head;  // first eight bytes of the stored prefix, big-endian, zero-padded
    uint32_t offset;          // stored prefix in the arena
    uint32_t length;
    uint32_t level;
    uint32_t index;           // position in the input
};

std::string_view Prefix(std::string_view primary) { return primary.substr(0, std::min(primary.size(), kPrimaryPrefix)); }

// The lines to order, made one at a time into a buffer the caller keeps.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual size_t Count() const = 0;
    virtual void Write(size_t i, std::wstring& out) const = 0;
    virtual int Level(size_t i, const std::wstring& line) const = 0;
};

class VectorLines : public LineSource {
public:
    explicit VectorLines(const std::vector<std::wstring>& lines) : lines_(lines) {}
    size_t Count() const override { return lines_.size(); }
    void Write(size_t i, std::wstring& out) const override { out = lines_[i]; }
    int Level(size_t, const std::wstring& line) const override { return EntryLineLevel(line); }

private:
    const std::vector<std::wstring>& lines_;
};

class StoreLines : public LineSource {
public:
    StoreLines(const EntryStore& store, uint32_t first, uint32_t count) : store_(store), first_(first), count_(count) {}
    size_t Count() const override { return count_; }
    void Write(size_t i, std::wstring& out) const override { store_.WriteLine(Entry(i), out); }
    int Level(size_t i, const std::wstring&) const override { return store_.Level(Entry(i)); }
    uint32_t Entry(size_t i) const { return first_ + static_cast<uint32_t>(i); }

private:
    const EntryStore& store_;
    uint32_t first_, count_;
};

// Fills the primary prefixes; false when a line weighed from the table does
// not agree with the system's own key (the caller then asks the system for
// every line).
bool BuildItems(const LineSource& lines, bool useTable, std::string& arena, std::vector<Item>& items) {
    const AsciiWeights& table = AsciiWeights::Get();
    useTable = useTable && table.Usable();
    arena.clear();
    items.clear();
    const size_t n = lines.Count();
    items.reserve(n);
    arena.reserve(n * 48);
    int checks = 0;
    std::wstring line;
    for (size_t i = 0; i < n; ++i) {
        lines.Write(i, line);
        const size_t start = arena.size();
        const bool weighed = useTable && table.Append(line, kPrimaryPrefix, arena);
        if (!weighed) {
            arena += Prefix(PrimarySection(SortKey(line.data(), static_cast<int>(line.size()))));
        } else if (checks < 16) {
            ++checks;
            const std::string_view mine(arena.data() + start, arena.size() - start);
            if (Prefix(PrimarySection(SortKey(line.data(), static_cast<int>(line.size())))) != mine) return false;
        }
        Item it{};
        it.offset = static_cast<uint32_t>(start);
        it.length = static_cast<uint32_t>(arena.size() - start);
        for (unsigned k = 0; k < 8; ++k) {
            it.head = (it.head << 8) | (k < it.length ? static_cast<unsigned char>(arena[start + k]) : 0u);
        }
        it.level = static_cast<uint32_t>(std::min(lines.Level(i, line), kLevelBuckets - 1));
        it.index = static_cast<uint32_t>(i);
        items.push_back(it);
    }
    return true;
}

// Eight key bytes from depth on, big-endian, zero-padded (no primary weight
// byte is zero, so a key that ends sorts before any that goes on).
unsigned long long KeyDigit(const std::string& arena, const Item& it, uint32_t depth) {
    unsigned long long digit = 0;
    for (uint32_t k = 0; k < 8; ++k) {
        const uint32_t at = depth + k;
        digit = (digit << 8) | (at < it.length ? static_cast<unsigned char>(arena[it.offset + at]) : 0u);
    }
    return digit;
}

// The positions of the lines kept, in level order.
std::vector<uint32_t> OrderByLevel(const LineSource& lines) {
    std::string arena;
    std::vector<Item> items;
    if (!BuildItems(lines, true, arena, items)) BuildItems(lines, false, arena, items);

    std::wstring left, right;
    auto compareLines = [&](const Item& a, const Item& b) {
        lines.Write(a.index, left);
        lines.Write(b.index, right);
        return Compare(left, right);
    };
    auto sameKey = [&arena](const Item& a, const Item& b) {
        return a.length == b.length && std::memcmp(arena.data() + a.offset, arena.data() + b.offset, a.length) == 0;
    };
    // Lines whose stored prefixes are the same: CompareStringEx decides, and
    // equal lines stay in the order met, so that the first one is kept.
    auto sortEqualKeys = [&](std::vector<Item>::iterator from, std::vector<Item>::iterator to) {
        std::sort(from, to, [&](const Item& a, const Item& b) {
            const int r = compareLines(a, b);
            if (r != CSTR_EQUAL) return r == CSTR_LESS_THAN;
            return a.index < b.index;
        });
    };
    // Items of one level whose keys agree in their first depth bytes are
    // ordered by the next eight, and so on: most comparisons are of one
    // number held in the item, not of bytes far away in the arena. Where the
    // stored prefixes differ, one of them is shorter than the limit (a whole
    // primary section) or they differ in a byte, and either way the whole
    // primary sections, and so CompareStringEx, order the lines alike.
    auto byHead = [](const Item& a, const Item& b) { return a.head < b.head; };
    std::function<void(std::vector<Item>::iterator, std::vector<Item>::iterator, uint32_t)> refine =
        [&](std::vector<Item>::iterator from, std::vector<Item>::iterator to, uint32_t depth) {
            // Runs of equal digits; a run whose keys all ended is of equal keys.
            for (auto run = from; run != to;) {
                auto end = run + 1;
                while (end != to && end->head == run->head) ++end;
                if (end - run > 1) {
                    bool more = false;
                    for (auto it = run; it != end && !more; ++it) more = it->length > depth;
                    if (!more) {
                        sortEqualKeys(run, end);
                    } else {
                        for (auto it = run; it != end; ++it) it->head = KeyDigit(arena, *it, depth);
                        std::sort(run, end, byHead);
                        refine(run, end, depth + 8);
                    }
                }
                run = end;
            }
        };
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        if (a.level != b.level) return a.level < b.level;
        return a.head < b.head;
    });
    // The keys laid out again in this order: the passes below read them in
    // item order, from memory next to each other rather than all over.
    {
        std::string ordered;
        ordered.reserve(arena.size());
        for (Item& it : items) {
            const auto at = static_cast<uint32_t>(ordered.size());
            ordered.append(arena, it.offset, it.length);
            it.offset = at;
        }
        arena.swap(ordered);
    }
    for (auto level = items.begin(); level != items.end();) {
        auto end = level + 1;
        while (end != items.end() && end->level == level->level) ++end;
        refine(level, end, 8);
        level = end;
    }

    std::vector<uint32_t> out;
    out.reserve(items.size());
    const Item* kept = nullptr;
    for (const Item& cur : items) {
        if (kept && kept->level == cur.level && sameKey(*kept, cur) && compareLines(*kept, cur) == CSTR_EQUAL)
            continue;
        out.push_back(cur.index);
        kept = &cur;
    }
    return out;
}

}  // namespace

std::vector<std::wstring> OrderEntryLinesByLevel(std::vector<std::wstring> lines) {
    const std::vector<uint32_t> order = OrderByLevel(VectorLines(lines));
    std::vector<std::wstring> out;
    out.reserve(order.size());
    for (uint32_t i : order) out.push_back(std::move(lines[i]));
    return out;
}

std::vector<uint32_t> OrderEntriesByLevel(const EntryStore& store, uint32_t first, uint32_t count) {
    const StoreLines lines(store, first, count);
    std::vector<uint32_t> order = OrderByLevel(lines);
    for (uint32_t& i : order) i = lines.Entry(i);
    return order;
}

}  // namespace quib
