#include "compare_word.h"

int CompareWord(const char* query, const char* entry) {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(query);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(entry);
    for (;; ++a, ++b) {
        if (*a != *b) return *a < *b ? -1 : 1;
        if (*a == 0) return 0;
    }
}
