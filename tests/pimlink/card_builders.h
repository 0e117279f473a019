// Small helpers that fill test cards the way a caller would.
#pragma once
#include <string.h>
#include <string>
#include "cardrec.h"

template <int N>
inline void SetText(CardTextUnit<N>& unit, const std::string& text) {
    memset(unit.Text, 0, sizeof(unit.Text));
    memcpy(unit.Text, text.data(), text.size() < sizeof(unit.Text) ? text.size() : sizeof(unit.Text));
}

template <size_t N>
inline void SetText(char (&field)[N], const std::string& text) {
    memset(field, 0, N);
    memcpy(field, text.data(), text.size() < N ? text.size() : N);
}

inline void SetPhone(CardPhoneGroup& phone, const std::string& number, int16_t type) {
    SetText(phone.PhoneNum, number);
    phone.PhoneType = type;
}

inline void SetEmail(CardEmailGroup& email, const std::string& address, int16_t type) {
    SetText(email.EmailName, address);
    email.EmailType = type;
}

inline std::string Field(const char* record, int offset, int width) {
    return std::string(record + offset, strnlen(record + offset, static_cast<size_t>(width) + 1));
}

// A card of the link tests: its name and company, made on 2004-03-18, with these Flags.
inline CardRecV4 LinkCard(const std::string& name, const std::string& company, int16_t flags = 0) {
    CardRecV4 card;
    memset(&card, 0, sizeof(card));
    SetText(card.CNAME.FullName.Text, name);
    SetText(card.Company[0].Text, company);
    card.CDate[0] = 2004;
    card.CDate[1] = 3;
    card.CDate[2] = 18;
    card.Flags = flags;
    return card;
}
