#include "viewers/text/HtSearch3.h"

#include <pcre2.h>

#include <algorithm>
#include <memory>

namespace quib {
namespace {
inline bool HighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool LowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::wstring EscapeRegExp(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() * 2);
    for (wchar_t c : text) {
        switch (c) {
            case 7: out += L"\\a"; continue;
            case 9: out += L"\\t"; continue;
            case 10: out += L"\\n"; continue;
            case 11: out += L"\\v"; continue;
            case 12: out += L"\\f"; continue;
            case 13: out += L"\\r"; continue;
            case 27: out += L"\\e"; continue;
            default: break;
        }
        if ((c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126))
            out += L'\\';
        out += c;
    }
    return out;
}

SearchPattern BuildSearchPattern(const std::wstring& word, TSearchOptions options) {
    SearchPattern p;
    p.options = options;
    if (options.Has(sfrRegExp)) {
        p.pattern = word;
        p.options.Remove(sfrWholeWord).Remove(sfrIncludeCRLF).Remove(sfrIncludeSpace);
        return p;
    }
    const bool crlf = options.Has(sfrIncludeCRLF), space = options.Has(sfrIncludeSpace);
    const wchar_t* separator = crlf && space ? L"([\\r\\n]*|\\x20*)" : crlf ? L"[\\r\\n]*" : space ? L"\\x20*" : L"";
    if (*separator) {
        for (size_t i = 0; i < word.size();) {
            // A surrogate pair is one character.
            const size_t n = (i + 1 < word.size() && HighSurrogate(word[i]) && LowSurrogate(word[i + 1])) ? 2 : 1;
            if (i) p.pattern += separator;
            p.pattern += EscapeRegExp(std::wstring_view(word).substr(i, n));
            i += n;
        }
    } else {
        p.pattern = EscapeRegExp(word);
    }
    if (options.Has(sfrWholeWord)) p.pattern = L"\\b" + p.pattern + L"\\b";
    return p;
}

namespace {

// One compiled pattern, kept for the next search with the same pattern and
// options (the viewer searches the same word again and again).
class Compiled {
public:
    Compiled(const std::wstring& pattern, TSearchOptions options, SearchError* error) {
        uint32_t flags = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_USE_OFFSET_LIMIT;
        if (!options.Has(sfrMatchCase)) flags |= PCRE2_CASELESS;
        if (options.Has(sfrIncludeCRLF)) flags |= PCRE2_MULTILINE;
        int code = 0;
        PCRE2_SIZE offset = 0;
        code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()), pattern.size(), flags, &code, &offset,
                              nullptr);
        if (!code_) {
            if (error) {
                PCRE2_UCHAR buffer[256] = {};
                pcre2_get_error_message(code, buffer, 256);
                error->message = reinterpret_cast<const wchar_t*>(buffer);
                error->offset = static_cast<int>(offset);
            }
            return;
        }
        pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE);
        data_ = pcre2_match_data_create_from_pattern(code_, nullptr);
        context_ = pcre2_match_context_create(nullptr);
        stack_ = pcre2_jit_stack_create(64 * 1024, 4 * 1024 * 1024, nullptr);
        if (stack_) pcre2_jit_stack_assign(context_, nullptr, stack_);
    }
    ~Compiled() {
        if (stack_) pcre2_jit_stack_free(stack_);
        if (context_) pcre2_match_context_free(context_);
        if (data_) pcre2_match_data_free(data_);
        if (code_) pcre2_code_free(code_);
    }
    Compiled(const Compiled&) = delete;
    Compiled& operator=(const Compiled&) = delete;
    bool Ok() const { return code_ && data_ && context_; }

    // The first match starting at `from` or later and at most at `lastStart`.
    bool Match(std::wstring_view text, size_t from, size_t lastStart, size_t& start, size_t& end) {
        pcre2_set_offset_limit(context_, lastStart);
        const int rc = pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), from, 0, data_,
                                   context_);
        if (rc < 0) return false;
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(data_);
        start = ov[0];
        end = ov[1];
        return end >= start;
    }

private:
    pcre2_code* code_ = nullptr;
    pcre2_match_data* data_ = nullptr;
    pcre2_match_context* context_ = nullptr;
    pcre2_jit_stack* stack_ = nullptr;
};

struct Cache {
    std::wstring pattern;
    TSearchOptions options;
    std::unique_ptr<Compiled> compiled;
};

Compiled* CompiledFor(const SearchPattern& p, SearchError* error) {
    static thread_local Cache cache;
    if (!cache.compiled || cache.pattern != p.pattern || !(cache.options == p.options)) {
        cache.compiled.reset();
        auto made = std::make_unique<Compiled>(p.pattern, p.options, error);
        if (!made->Ok()) return nullptr;
        cache.pattern = p.pattern;
        cache.options = p.options;
        cache.compiled = std::move(made);
    }
    return cache.compiled.get();
}

constexpr size_t kNoLimit = ~static_cast<size_t>(0);

}  // namespace

bool SearchForward(std::wstring_view text, TSearchInfo& info, const std::wstring& word, int controlTextLength,
                   TSearchOptions options, SearchError* error) {
    if (word.empty() || text.empty()) return false;
    if (info.Start < 0 || info.Start > static_cast<int>(text.size()) || info.Length < 0) return false;
    const SearchPattern p = BuildSearchPattern(word, options);
    if (!p.options.Has(sfrDown)) return false;
    if (info.Start >= controlTextLength) return false;
    Compiled* re = CompiledFor(p, error);
    if (!re) return false;
    size_t start = 0, end = 0;
    const size_t from = info.Start > 0 ? static_cast<size_t>(info.Start - 1) : 0;
    if (!re->Match(text, from, kNoLimit, start, end)) return false;
    info.Start = static_cast<int>(start);
    info.Length = static_cast<int>(end - start);
    return true;
}

// Windows of about 10000 characters are probed backwards from the selection,
// so the whole text is not scanned for every step back. Each probe matches
// against the whole text with an upper bound on where a match may start, so
// a match is never cut at a window's border, however long it is.
bool SearchBackward(std::wstring_view text, TSearchInfo& info, const std::wstring& word, int selStart,
                    TSearchOptions options, SearchError* error) {
    if (word.empty() || text.empty()) return false;
    if (info.Start < 0 || info.Start > static_cast<int>(text.size()) || info.Length < 0) return false;
    const SearchPattern p = BuildSearchPattern(word, options);
    Compiled* re = CompiledFor(p, error);
    if (!re) return false;
    const size_t limit = static_cast<size_t>(std::clamp(selStart, 0, static_cast<int>(text.size())));
    if (limit == 0) return false;
    size_t start = 0, end = 0;
    constexpr size_t kWindow = 10000;
    size_t windowEnd = limit;
    size_t windowStart = windowEnd > kWindow + 1 ? windowEnd - kWindow - 1 : 0;
    while (true) {
        if (re->Match(text, windowStart, windowEnd - 1, start, end)) break;
        if (windowStart == 0) return false;
        windowEnd = windowStart;
        windowStart = windowEnd > kWindow ? windowEnd - kWindow : 0;
    }
    // The last start in this window where a match begins.
    size_t bestStart = start, bestEnd = end;
    for (size_t next = start + 1; next < windowEnd;) {
        if (LowSurrogate(text[next]) && HighSurrogate(text[next - 1])) {
            ++next;
            continue;
        }
        if (!re->Match(text, next, windowEnd - 1, start, end)) break;
        bestStart = start;
        bestEnd = end;
        next = start + 1;
    }
    info.Start = static_cast<int>(bestStart);
    info.Length = static_cast<int>(bestEnd - bestStart);
    return true;
}

}  // namespace quib
