#include "language_state.h"
#include <clocale>
#include <cstring>

namespace {

struct LanguageLocale {
    LCID locale;
    const char* runtimeLocale;
};

// Indexed by language number.
const LanguageLocale kLanguages[] = {
    {1028, "chinese-traditional"},
    {2052, "chinese-simplified"},
    {1041, "japan"},
    {1033, "English"},
};

int MapBytes(LCID locale, DWORD flags, const unsigned char* src, int srcLength, unsigned char* out, int outRoom) {
    return LCMapStringA(locale, flags, reinterpret_cast<LPCSTR>(src), srcLength, reinterpret_cast<LPSTR>(out), outRoom);
}

}  // namespace

bool CLanguageState::SetLanguage(int language) {
    valid_ = false;
    if (language >= 0 && language < static_cast<int>(sizeof kLanguages / sizeof kLanguages[0])) {
        locale_ = kLanguages[language].locale;
        std::setlocale(LC_ALL, kLanguages[language].runtimeLocale);
    }
    // A state that never had a language has no locale to fall back on.
    if (locale_ == 0 || !IsValidLocale(locale_, LCID_SUPPORTED)) return false;
    language_ = language;
    valid_ = true;
    return true;
}

std::string CLanguageState::QueryForm(const char* word) const {
    if (!valid_) return word;
    int size = LCMapStringA(locale_, LCMAP_FULLWIDTH, word, -1, nullptr, 0);
    if (size <= 0) return word;
    std::string mapped(static_cast<size_t>(size), '\0');
    size = LCMapStringA(locale_, LCMAP_FULLWIDTH, word, -1, &mapped[0], size);
    if (size <= 0) return word;
    mapped.resize(std::strlen(mapped.c_str()));
    return mapped;
}

int CLanguageState::ToFullWidth(unsigned short* ch) const {
    if (*ch > 0xFF) return 2;
    if (*ch == 0 || !valid_) return 0;
    const unsigned char src = static_cast<unsigned char>(*ch);
    unsigned char out[2] = {0, 0};
    const int result = MapBytes(locale_, LCMAP_FULLWIDTH, &src, 1, out, 2);
    if (result == 2) *ch = static_cast<unsigned short>(out[0] | (out[1] << 8));
    return result;
}

int CLanguageState::ToHalfWidth(unsigned short* ch) const {
    if (*ch < 0xFF) return 1;
    if (!valid_) return 0;
    const unsigned char src[2] = {static_cast<unsigned char>(*ch & 0xFF), static_cast<unsigned char>(*ch >> 8)};
    unsigned char out[1] = {0};
    const int result = MapBytes(locale_, LCMAP_HALFWIDTH, src, 2, out, 1);
    if (result == 1) *ch = out[0];
    return result;
}

int CLanguageState::ToLowerCase(unsigned short* ch) const {
    if (!valid_) return 0;
    const unsigned char src = static_cast<unsigned char>(*ch & 0xFF);
    unsigned char out[2] = {0, 0};
    const int result = MapBytes(locale_, LCMAP_LOWERCASE, &src, 1, out, 2);
    if (result == 2) *ch = static_cast<unsigned short>(out[0] | (out[1] << 8));
    return result;
}
