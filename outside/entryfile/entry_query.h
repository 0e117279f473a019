// Finding entries of an entry file the way the PIM stand-ins' Find calls take their queries:
// terms [Name] = "value" (blanks around '=' optional, "" inside a value is one quote) joined by
// AND, each compared exactly, through an index per property.
#pragma once
#include <map>
#include <string>
#include <vector>
#include "entry_file.h"

namespace entryfile {

struct Term {
    unsigned long id;
    std::string value;
};

namespace detail {

inline void SkipBlanks(const std::string& q, size_t* p) {
    while (*p < q.size() && q[*p] == ' ') ++*p;
}

template <typename IdOf>
bool ReadTerm(const std::string& q, size_t* pos, IdOf idOf, Term* term) {
    size_t p = *pos;
    SkipBlanks(q, &p);
    if (p >= q.size() || q[p] != '[') return false;
    size_t close = q.find(']', p);
    if (close == std::string::npos) return false;
    term->id = idOf(q.substr(p + 1, close - p - 1));
    p = close + 1;
    SkipBlanks(q, &p);
    if (!term->id || p >= q.size() || q[p] != '=') return false;
    ++p;
    SkipBlanks(q, &p);
    if (p >= q.size() || q[p] != '"') return false;
    term->value.clear();
    for (++p; p < q.size();) {
        char c = q[p++];
        if (c != '"') {
            term->value += c;
        } else if (p < q.size() && q[p] == '"') {
            term->value += '"';
            ++p;
        } else {
            *pos = p;
            return true;
        }
    }
    return false;
}

}  // namespace detail

// idOf gives a property name's id, 0 for a name it does not know. False for an empty or
// malformed query or an unknown name.
template <typename IdOf>
bool ParseQuery(const std::string& query, IdOf idOf, std::vector<Term>* terms) {
    terms->clear();
    size_t pos = 0;
    for (;;) {
        Term term;
        if (!detail::ReadTerm(query, &pos, idOf, &term)) return false;
        terms->push_back(term);
        detail::SkipBlanks(query, &pos);
        if (pos == query.size()) return true;
        if (query.compare(pos, 3, "AND") != 0) return false;
        pos += 3;
    }
}

// The entries of one file, appended to as new ones are saved, found through indexes.
class CIndexedEntries {
public:
    void Load(const std::string& path) {
        path_ = path;
        entries_ = path.empty() ? std::vector<Entry>() : ReadAll(path);
        index_.clear();
    }
    const std::vector<Entry>& Entries() const { return entries_; }

    // False when the file cannot be written.
    bool Append(const Entry& entry) {
        if (path_.empty() || !entryfile::Append(path_, {entry})) return false;
        entries_.push_back(entry);
        for (auto& byId : index_) byId.second[Value(entry, byId.first)].push_back(entries_.size() - 1);
        return true;
    }

    // The first entry (in file order) equal to every term, or -1.
    int Find(const std::vector<Term>& terms) {
        if (terms.empty()) return -1;
        const auto& byValue = IndexOf(terms[0].id);
        auto candidates = byValue.find(terms[0].value);
        if (candidates == byValue.end()) return -1;
        for (size_t i : candidates->second) {
            bool all = true;
            for (size_t t = 1; t < terms.size() && all; ++t) all = Value(entries_[i], terms[t].id) == terms[t].value;
            if (all) return static_cast<int>(i);
        }
        return -1;
    }

    static std::string Value(const Entry& entry, unsigned long id) {
        auto found = entry.values.find(id);
        return found == entry.values.end() ? std::string() : found->second;
    }

private:
    const std::map<std::string, std::vector<size_t>>& IndexOf(unsigned long id) {
        auto made = index_.find(id);
        if (made != index_.end()) return made->second;
        auto& byValue = index_[id];
        for (size_t i = 0; i < entries_.size(); ++i) byValue[Value(entries_[i], id)].push_back(i);
        return byValue;
    }

    std::string path_;
    std::vector<Entry> entries_;
    std::map<unsigned long, std::map<std::string, std::vector<size_t>>> index_;
};

}  // namespace entryfile
