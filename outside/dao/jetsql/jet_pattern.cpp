#include "jet_pattern.h"

namespace jetsql {

uint32_t NextCodePoint(const std::string& text, size_t* pos) {
    const auto byteAt = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const uint32_t lead = byteAt(*pos);
    size_t extra = 0;
    uint32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        c = lead & 0x07;
    }
    bool valid = extra > 0 && text.size() - *pos > extra;
    for (size_t i = 1; valid && i <= extra; ++i) {
        const uint32_t b = byteAt(*pos + i);
        valid = (b & 0xC0) == 0x80;
        c = (c << 6) | (b & 0x3F);
    }
    static const uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    if (valid && c >= kMinimum[extra] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
        *pos += extra + 1;
        return c;
    }
    ++*pos;  // a stray byte stands for itself (Latin-1)
    return lead;
}

uint32_t FoldCase(uint32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

namespace {

uint32_t UpperCase(uint32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    return c;
}

std::vector<uint32_t> CodePoints(const std::string& text) {
    std::vector<uint32_t> cps;
    for (size_t pos = 0; pos < text.size();) cps.push_back(NextCodePoint(text, &pos));
    return cps;
}

void AppendUtf8(uint32_t c, std::string* out) {
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

bool CJetPattern::Compile(const std::string& pattern) {
    items_.clear();
    const std::vector<uint32_t> cps = CodePoints(pattern);
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
    const size_t none = static_cast<size_t>(-1);
    size_t item = 0, pos = 0;
    size_t starItem = none, starPos = 0;
    while (pos < text.size()) {
        if (item < items_.size() && items_[item].kind == Kind::AnyRun) {
            starItem = item++;
            starPos = pos;
            continue;
        }
        size_t next = pos;
        const uint32_t c = NextCodePoint(text, &next);
        if (item < items_.size() && MatchesOne(items_[item], c)) {
            ++item;
            pos = next;
            continue;
        }
        if (starItem == none) return false;
        // Let the last * swallow one more character and retry from there.
        item = starItem + 1;
        NextCodePoint(text, &starPos);
        pos = starPos;
    }
    while (item < items_.size() && items_[item].kind == Kind::AnyRun) ++item;
    return item == items_.size();
}

bool CJetPattern::IsPlainGlob() const {
    for (const Item& item : items_) {
        if (item.kind == Kind::Literal ? item.ch >= 0x80 : item.kind != Kind::AnyOne && item.kind != Kind::AnyRun)
            return false;
    }
    return true;
}

std::string CJetPattern::ToSqliteLike() const {
    std::string out;
    for (const Item& item : items_) {
        if (item.kind == Kind::AnyRun) {
            out += '%';
        } else if (item.kind == Kind::AnyOne) {
            out += '_';
        } else {
            if (item.ch == '%' || item.ch == '_' || item.ch == '\\') out += '\\';
            AppendUtf8(item.ch, &out);
        }
    }
    return out;
}

}  // namespace jetsql
