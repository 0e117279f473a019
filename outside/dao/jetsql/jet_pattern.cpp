#include "jet_pattern.h"

#include <windows.h>

namespace jetsql {

std::vector<uint32_t> AnsiCharacters(const std::string& text) {
    std::vector<uint32_t> characters;
    if (text.empty()) return characters;
    const int bytes = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
    if (count <= 0) return characters;
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, &wide[0], count);
    characters.assign(wide.begin(), wide.end());
    return characters;
}

uint32_t FoldCase(uint32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    WCHAR w = static_cast<WCHAR>(c);
    CharLowerBuffW(&w, 1);
    return w;
}

bool CodePageHasLeadBytes() {
    CPINFO info;
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
}

namespace {

uint32_t UpperCase(uint32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
    WCHAR w = static_cast<WCHAR>(c);
    CharUpperBuffW(&w, 1);
    return w;
}

}  // namespace

bool CJetPattern::Compile(const std::string& pattern) {
    items_.clear();
    const std::vector<uint32_t> cps = AnsiCharacters(pattern);
    for (size_t pos = 0; pos < cps.size();) {
        const uint32_t c = cps[pos];
        if (c == '[') {
            ++pos;
            if (!CompileSet(cps, &pos)) return false;
            continue;
        }
        Item item;
        if (c == '*') {
            item.kind = Kind::AnyRun;
            if (!items_.empty() && items_.back().kind == Kind::AnyRun) {
                ++pos;
                continue;
            }
        } else if (c == '?') {
            item.kind = Kind::AnyOne;
        } else if (c == '#') {
            item.kind = Kind::Digit;
        } else {
            item.kind = Kind::Literal;  // includes a lone ']'
            item.ch = FoldCase(c);
        }
        items_.push_back(item);
        ++pos;
    }
    return true;
}

// *pos is just past '['; on success it is left just past the closing ']'.
bool CJetPattern::CompileSet(const std::vector<uint32_t>& cps, size_t* pos) {
    Item item;
    item.kind = Kind::Set;
    size_t i = *pos;
    if (i < cps.size() && cps[i] == '!') {
        item.negated = true;
        ++i;
    }
    bool closed = false;
    while (i < cps.size()) {
        const uint32_t lo = cps[i];
        if (lo == ']') {
            closed = true;
            ++i;
            break;
        }
        if (i + 2 < cps.size() && cps[i + 1] == '-' && cps[i + 2] != ']') {
            const uint32_t hi = cps[i + 2];
            if (lo > hi) return false;
            item.ranges.emplace_back(lo, hi);
            i += 3;
        } else {
            item.ranges.emplace_back(lo, lo);
            ++i;
        }
    }
    if (!closed) return false;
    *pos = i;
    if (item.ranges.empty()) {
        // "[]" matches the empty string; "[!]" any one character.
        if (item.negated) items_.push_back(Item{Kind::AnyOne, 0, false, {}});
        return true;
    }
    if (!item.negated && item.ranges.size() == 1 && item.ranges[0].first == item.ranges[0].second) {
        items_.push_back(Item{Kind::Literal, FoldCase(item.ranges[0].first), false, {}});  // [*], [?], [#], [[], [a]
        return true;
    }
    items_.push_back(item);
    return true;
}

bool CJetPattern::MatchesOne(const Item& item, uint32_t c) const {
    switch (item.kind) {
    case Kind::Literal: return FoldCase(c) == item.ch;
    case Kind::AnyOne: return true;
    case Kind::Digit: return c >= '0' && c <= '9';
    case Kind::Set: {
        const uint32_t lower = FoldCase(c), upper = UpperCase(c);
        bool inSet = false;
        for (const auto& r : item.ranges) {
            if ((c >= r.first && c <= r.second) || (lower >= r.first && lower <= r.second) ||
                (upper >= r.first && upper <= r.second)) {
                inSet = true;
                break;
            }
        }
        return inSet != item.negated;
    }
    case Kind::AnyRun: break;
    }
    return false;
}

bool CJetPattern::Matches(const std::string& text) const {
    const std::vector<uint32_t> characters = AnsiCharacters(text);
    const size_t none = static_cast<size_t>(-1);
    size_t item = 0, pos = 0;
    size_t starItem = none, starPos = 0;
    while (pos < characters.size()) {
        if (item < items_.size() && items_[item].kind == Kind::AnyRun) {
            starItem = item++;
            starPos = pos;
            continue;
        }
        if (item < items_.size() && MatchesOne(items_[item], characters[pos])) {
            ++item;
            ++pos;
            continue;
        }
        if (starItem == none) return false;
        // Let the last * swallow one more character and retry from there.
        item = starItem + 1;
        pos = ++starPos;
    }
    while (item < items_.size() && items_[item].kind == Kind::AnyRun) ++item;
    return item == items_.size();
}

// SQLite's LIKE reads its text as UTF-8 and compares byte sequences: ASCII letters and * agree
// with Jet on a single-byte code page, but a ? may take several bytes of one ANSI character or
// one byte of a double-byte one, and on a double-byte code page an ASCII letter may be the trail
// byte of a character.
bool CJetPattern::IsPlainGlob() const {
    static const bool doubleByte = CodePageHasLeadBytes();
    if (doubleByte) return false;
    for (const Item& item : items_) {
        if (item.kind == Kind::Literal ? item.ch >= 0x80 : item.kind != Kind::AnyRun) return false;
    }
    return true;
}

std::string CJetPattern::ToSqliteLike() const {
    std::string out;
    for (const Item& item : items_) {
        if (item.kind == Kind::AnyRun) {
            out += '%';
        } else {
            if (item.ch == '%' || item.ch == '_' || item.ch == '\\') out += '\\';
            out += static_cast<char>(item.ch);
        }
    }
    return out;
}

}  // namespace jetsql
