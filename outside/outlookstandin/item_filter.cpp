#include "item_filter.h"
#include "contact_properties.h"

namespace outlook {

namespace {

class CFilterReader {
public:
    explicit CFilterReader(const std::string& text) : text_(text) {}

    bool Clause(FilterClause* clause) {
        Blanks();
        size_t open = pos_;
        if (!Take('[')) return false;
        size_t close = text_.find(']', pos_);
        if (close == std::string::npos) return false;
        const ContactProperty* property = PropertyByName(text_.c_str() + open + 1, close - open - 1);
        if (!property) return false;
        pos_ = close + 1;
        Blanks();
        if (!Take('=')) return false;
        Blanks();
        if (!Quoted(&clause->value)) return false;
        clause->property = property->id;
        return true;
    }
    // True after " AND " (false at the end of the text; a malformed joint fails the caller).
    bool Joint(bool* malformed) {
        Blanks();
        if (pos_ == text_.size()) return false;
        *malformed = text_.compare(pos_, 3, "AND") != 0;
        pos_ += 3;
        return !*malformed;
    }

private:
    void Blanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }
    bool Take(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    bool Quoted(std::string* value) {
        if (!Take('"')) return false;
        value->clear();
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c != '"') {
                *value += c;
            } else if (pos_ < text_.size() && text_[pos_] == '"') {
                *value += '"';
                ++pos_;
            } else {
                return true;
            }
        }
        return false;
    }

    const std::string& text_;
    size_t pos_ = 0;
};

}  // namespace

bool ParseFilter(const std::string& filter, std::vector<FilterClause>* clauses) {
    clauses->clear();
    CFilterReader reader(filter);
    bool malformed = false;
    do {
        FilterClause clause;
        if (!reader.Clause(&clause)) return false;
        clauses->push_back(clause);
    } while (reader.Joint(&malformed));
    return !malformed;
}

}  // namespace outlook
