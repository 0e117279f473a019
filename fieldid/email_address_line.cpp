#include "email_address_line.h"
#include <string.h>
#include <initializer_list>
#include "fid_state.h"
#include "text_util.h"

bool isEmailAddress(const char* s) {
    while (*s == ' ') ++s;
    const char* at = strchr(s, '@');
    if (!at || at == s || strchr(at + 1, '@')) return false;
    size_t n = strlen(s);
    while (n > 0 && s[n - 1] == ' ') --n;
    for (size_t i = 0; i < n; ++i)
        if (s + i != at && !isAlnum(s[i]) && !strchr(".-_", s[i])) return false;
    const char* end = s + n;
    const char* dot = nullptr;
    for (const char* p = at + 1; p < end; ++p)
        if (*p == '.') dot = p;
    if (!dot || dot == at + 1 || end - dot - 1 < 2) return false;
    for (const char* p = dot + 1; p < end; ++p)
        if (!isLetter(*p)) return false;
    return true;
}

void FID_keep_email_address_lines() {
    for (int j = 0; j < g_fid.lineCount; ++j) {
        if (cell(FieldEMail, j) > 0 || !isEmailAddress(g_fid.lines[j])) continue;
        int best = 0;
        for (int k : {FieldName, FieldCompany, FieldDepartment, FieldTitle})
            if (cell(k, j) > best) best = cell(k, j);
        if (best <= 0) continue;
        for (int k : {FieldName, FieldCompany, FieldDepartment, FieldTitle, FieldNone, FieldSexGuess}) cell(k, j) = 0;
        cell(FieldEMail, j) = best;
    }
}
