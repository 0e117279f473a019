// Word similarity used to correct misread words against word lists.
#include "glyphutil.h"
#include <string.h>
#include <vector>

namespace {

int editDistance(const char* a, size_t la, const char* b, size_t lb) {
    std::vector<int> row(lb + 1);
    for (size_t j = 0; j <= lb; ++j) row[j] = static_cast<int>(j);
    for (size_t i = 1; i <= la; ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (size_t j = 1; j <= lb; ++j) {
            int above = row[j];
            int substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            int best = above + 1 < row[j - 1] + 1 ? above + 1 : row[j - 1] + 1;
            row[j] = substitution < best ? substitution : best;
            diagonal = above;
        }
    }
    return row[lb];
}

int similarityOf(const char* a, size_t la, const char* b, size_t lb) {
    if (la == 0 || lb == 0) return 0;
    size_t longer = la > lb ? la : lb;
    int distance = editDistance(a, la, b, lb);
    return static_cast<int>(100 - (distance * 100 + static_cast<int>(longer) - 1) / static_cast<int>(longer));
}

}  // namespace

extern "C" int32_t str_similarity(const char* a, const char* b) {
    if (!a || !b) return 0;
    return similarityOf(a, strlen(a), b, strlen(b));
}

extern "C" int32_t most_similar_str_in_db(const char* word, const void* table, int32_t slotWidth, int32_t,
                                          int32_t lastIndex, int32_t offset, int32_t* similarity) {
    if (similarity) *similarity = 0;
    if (!word || !table || slotWidth < 1 || lastIndex < 0 || offset < 0 || offset >= slotWidth) return -1;
    const char* slots = static_cast<const char*>(table);
    size_t wordLength = strlen(word);
    int bestIndex = -1;
    int bestSimilarity = -1;
    for (int32_t i = 0; i <= lastIndex; ++i) {
        const char* text = slots + static_cast<size_t>(i) * slotWidth + offset;
        size_t length = strnlen(text, static_cast<size_t>(slotWidth - offset));
        if (length == 0) continue;
        int s = similarityOf(word, wordLength, text, length);
        if (s > bestSimilarity) {
            bestSimilarity = s;
            bestIndex = i;
        }
    }
    if (bestIndex >= 0 && similarity) *similarity = bestSimilarity;
    return bestIndex;
}
