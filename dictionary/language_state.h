// The language a word list or the library default works under, with its Windows locale.
#pragma once
#include <windows.h>
#include <string>

class CLanguageState {
public:
    // Chooses the language (0-3) and its locale, and sets the C runtime locale to match.
    // Another value keeps the locale chosen before. false when there is no supported locale.
    bool SetLanguage(int language);

    bool IsValid() const { return valid_; }
    LCID Locale() const { return locale_; }
    int Language() const { return language_; }

    // The word as the word list stores it: its full-width form under a valid language,
    // the word itself otherwise (or when the mapping gives nothing).
    std::string QueryForm(const char* word) const;

    // Single-character conversions; the results are the byte counts described in lexor.h.
    int ToFullWidth(unsigned short* ch) const;
    int ToHalfWidth(unsigned short* ch) const;
    int ToLowerCase(unsigned short* ch) const;

private:
    bool valid_ = false;
    LCID locale_ = 0;
    int language_ = -1;
};
