#include "domain_spelling.h"
#include <algorithm>
#include <string>
#include <vector>
#include "text_util.h"

namespace {

// The line's words in lower case, letters and digits only; other bytes part words.
std::vector<std::string> lineWords(const char* line) {
    std::vector<std::string> words;
    std::string word;
    for (const char* p = line;; ++p) {
        if (*p && isAlnum(*p)) {
            word += toLower(*p);
            continue;
        }
        // An apostrophe stays inside its word: "Children's", "O'Brien".
        if (*p == '\'' && !word.empty() && isAlnum(p[1])) continue;
        if (!word.empty()) words.push_back(word);
        word.clear();
        if (!*p) break;
    }
    return words;
}

// Whether `rest` is spelt by the leading parts of words[0], words[1], ... in turn (each word
// giving at least its first letter), ending with the text. One word after the first may be left
// out when a whole word follows it (lakesideheart for "Lakeside Children's Heart Center").
// A search state is the position in `rest`, the word reached, the pieces used so far (three
// or more count alike), how the first word was taken and whether a word was left out; each
// state that fails is remembered, so the search visits each at most once however many ways
// lead to it (a domain of one repeated letter against a line of many words).
class Speller {
public:
    Speller(const std::string& rest, const std::vector<std::string>& words)
        : rest_(rest), words_(words), failed_((rest.size() + 1) * (words.size() + 1) * kStateKinds, 0) {}

    bool spells() { return from(0, 0, 0, FirstNone, false); }

private:
    // How the first word gave its piece: decides which short spellings count.
    enum FirstPiece { FirstNone, FirstShort, FirstThreeOrMore, FirstWhole };
    static constexpr size_t kStateKinds = 4 * 4 * 2;

    FirstPiece firstPieceOf(size_t k) const {
        if (k == words_[0].size() && k >= 4) return FirstWhole;
        return k >= 3 ? FirstThreeOrMore : FirstShort;
    }

    // Initials need three words (pvo); two pieces need a first of 3 letters (kessler-eng); one
    // piece must be the whole first word (vermeulen), never a short start of it (sal for Sales).
    static bool enough(int pieces, FirstPiece first) {
        return pieces >= 3 || (pieces == 2 && first >= FirstThreeOrMore) || (pieces == 1 && first == FirstWhole);
    }

    bool from(size_t at, size_t i, int pieces, FirstPiece first, bool skipped) {
        if (at == rest_.size()) return enough(pieces, first);
        if (i >= words_.size()) return false;
        size_t state = ((at * (words_.size() + 1) + i) * 4 + static_cast<size_t>(pieces)) * 4 + first;
        state = state * 2 + (skipped ? 1 : 0);
        if (failed_[state]) return false;
        if (tryWord(at, i, pieces, first, skipped)) return true;
        failed_[state] = 1;
        return false;
    }

    bool tryWord(size_t at, size_t i, int pieces, FirstPiece first, bool skipped) {
        const std::string& w = words_[i];
        int more = std::min(pieces + 1, 3);
        for (size_t k = std::min(w.size(), rest_.size() - at); k >= 1; --k) {
            if (rest_.compare(at, k, w, 0, k) != 0) continue;
            if (from(at + k, i + 1, more, pieces == 0 ? firstPieceOf(k) : first, skipped)) return true;
        }
        if (skipped || pieces == 0 || i + 1 >= words_.size()) return false;
        const std::string& after = words_[i + 1];
        return rest_.compare(at, after.size(), after) == 0 && from(at + after.size(), i + 2, more, first, true);
    }

    const std::string& rest_;
    const std::vector<std::string>& words_;
    std::vector<char> failed_;
};

// Whether `word` is the initials of three or more words from the line's first word on, followed by a
// short word of 2 to 4 letters that the firm adds (bhrlaw, wcpcpa for "Whitman, Cole & Park").
bool initialsThenShortWord(const std::string& word, const std::vector<std::string>& words) {
    size_t n = 0;
    while (n < words.size() && n < word.size() && word[n] == words[n][0]) ++n;
    for (size_t initials = 3; initials <= n; ++initials) {
        size_t tail = word.size() - initials;
        if (tail < 2 || tail > 4) continue;
        bool letters = true;
        for (size_t i = initials; i < word.size(); ++i) letters = letters && isLetter(word[i]);
        if (letters) return true;
    }
    return false;
}

}  // namespace

bool domainSpellsLine(const char* domainWord, const char* line) {
    std::vector<std::string> words = lineWords(line);
    if (words.empty()) return false;
    std::vector<std::string> candidates;
    std::string whole, part;
    for (const char* p = domainWord;; ++p) {
        if (*p && isAlnum(*p)) {
            whole += toLower(*p);
            part += toLower(*p);
            continue;
        }
        if (part.size() >= 3) candidates.push_back(part);
        part.clear();
        if (!*p) break;
    }
    if (candidates.empty() || candidates.front() != whole) candidates.insert(candidates.begin(), whole);
    for (const std::string& c : candidates) {
        if (c.size() < 3) continue;
        if (words.size() == 1 ? c == words[0] : Speller(c, words).spells() || initialsThenShortWord(c, words))
            return true;
    }
    return false;
}

bool anyDomainSpellsLine(const std::vector<std::string>& domainWords, const char* line) {
    for (const std::string& domain : domainWords)
        if (domainSpellsLine(domain.c_str(), line)) return true;
    return false;
}

namespace {

std::string localPart(const char* address) {
    std::string local;
    for (const char* p = address; *p && *p != '@'; ++p)
        if (isAlnum(*p)) local += toLower(*p);
    return local;
}

}  // namespace

bool anyDomainIsWordOfLine(const std::vector<std::string>& domainWords, const char* line) {
    std::vector<std::string> words = lineWords(line);
    for (const std::string& domain : domainWords) {
        std::string lower;
        for (char c : domain)
            if (isAlnum(c)) lower += toLower(c);
        if (lower.size() >= 4 && std::find(words.begin(), words.end(), lower) != words.end()) return true;
    }
    return false;
}

bool localPartIsWordOfLine(const char* address, const char* line) {
    std::vector<std::string> words = lineWords(line);
    std::string local = localPart(address);
    if (local.size() < 3 || words.size() < 2 || words.size() > 4) return false;
    return std::find(words.begin(), words.end(), local) != words.end();
}

namespace {

// Whether the user part spells a run of two or more words of `words` that ends with its last.
// Each word of the run gives its initial or the whole word, the last one whole: egarrity,
// p.dewit, hamish.mackenzie. The runs from every starting word are followed together as the set
// of positions in the user part reached so far, so the work grows with words times letters.
bool spellsRunToTheEnd(const std::string& local, const std::vector<std::string>& words) {
    std::vector<char> reached(local.size() + 1, 0);
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        bool last = i + 1 == words.size();
        std::vector<char> next(local.size() + 1, 0);
        // A run may start at any word but the last; its first word is never left out.
        if (!last) reached[0] = 1;
        for (size_t at = 0; at <= local.size(); ++at) {
            if (!reached[at]) continue;
            // A middle initial ("Jennifer L. Park") may be left out: jpark. Only a run already
            // under way has passed a word (at > 0), so a run's first word is never skipped.
            if (at > 0 && !last && w.size() == 1) next[at] = 1;
            if (!last && at < local.size() && local[at] == w[0]) next[at + 1] = 1;
            if (local.compare(at, w.size(), w) == 0) next[at + w.size()] = 1;
        }
        reached.swap(next);
    }
    return words.size() >= 2 && reached[local.size()];
}

}  // namespace

bool localPartNamesLine(const char* address, const char* line) {
    std::vector<std::string> words = lineWords(line);
    std::string local = localPart(address);
    if (local.empty()) return false;
    // Degrees and suffixes of up to three letters may follow the name: "van der Berg RA".
    while (words.size() >= 2) {
        if (spellsRunToTheEnd(local, words)) return true;
        if (words.back().size() > 3) return false;
        words.pop_back();
    }
    return false;
}
