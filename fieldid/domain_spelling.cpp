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

// Whether `rest` is spelt by the leading parts of words[i], words[i + 1], ... in turn (each
// word giving at least its first letter), ending with the text. `pieces` counts the words used
// and `firstPiece` the length taken from the first word. One word after the first may be left
// out when a whole word follows it (lakesideheart for "Lakeside Children's Heart Center").
bool spelt(const std::string& rest, size_t at, const std::vector<std::string>& words, size_t i, int pieces,
           size_t firstPiece, bool skipped = false) {
    // Initials need three words (pvo); two pieces need a first of 3 letters (kessler-eng); one
    // piece must be the whole first word (vermeulen), never a short start of it (sal for Sales).
    if (at == rest.size())
        return pieces >= 3 || (pieces == 2 && firstPiece >= 3) ||
               (pieces == 1 && firstPiece == words[0].size() && firstPiece >= 4);
    if (i >= words.size()) return false;
    const std::string& w = words[i];
    for (size_t k = std::min(w.size(), rest.size() - at); k >= 1; --k) {
        if (rest.compare(at, k, w, 0, k) != 0) continue;
        if (spelt(rest, at + k, words, i + 1, pieces + 1, pieces == 0 ? k : firstPiece, skipped)) return true;
    }
    if (skipped || pieces == 0 || i + 1 >= words.size()) return false;
    const std::string& after = words[i + 1];
    return rest.compare(at, after.size(), after) == 0 &&
           spelt(rest, at + after.size(), words, i + 2, pieces + 1, firstPiece, true);
}

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
        if (words.size() == 1 ? c == words[0] : spelt(c, 0, words, 0, 0, 0) || initialsThenShortWord(c, words))
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
bool spellsRunToTheEnd(const std::string& local, const std::vector<std::string>& words) {
    // Each word of the run gives its initial or the whole word, the last one whole: egarrity,
    // p.dewit, hamish.mackenzie.
    for (size_t from = 0; from + 1 < words.size(); ++from) {
        std::vector<size_t> ends{0};
        for (size_t i = from; i < words.size(); ++i) {
            std::vector<size_t> next;
            const std::string& w = words[i];
            for (size_t at : ends) {
                // A middle initial ("Jennifer L. Park") may be left out: jpark.
                if (i > from && i + 1 < words.size() && w.size() == 1) next.push_back(at);
                if (i + 1 < words.size() && at < local.size() && local[at] == w[0]) next.push_back(at + 1);
                if (local.compare(at, w.size(), w) == 0) next.push_back(at + w.size());
            }
            ends.swap(next);
        }
        if (std::find(ends.begin(), ends.end(), local.size()) != ends.end()) return true;
    }
    return false;
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
