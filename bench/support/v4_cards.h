// The V4 cards that the link and HotSync benchmarks send, each different from the others.
#pragma once
#include <stdio.h>
#include <string.h>
#include <functional>
#include <vector>
#include "cardrec.h"

// n cards with the fields every link maps: name ("Card 00042"), title, company, office phone,
// e-mail and city; `more` fills what a benchmark adds to card i.
inline std::vector<CardRecV4> MakeV4Cards(int n, const std::function<void(int, CardRecV4&)>& more) {
    std::vector<CardRecV4> cards(n);
    for (int i = 0; i < n; ++i) {
        CardRecV4& c = cards[i];
        memset(&c, 0, sizeof(c));
        snprintf(c.CNAME.FullName.Text, sizeof(c.CNAME.FullName.Text), "Card %05d", i);
        snprintf(c.Title[0].Text, sizeof(c.Title[0].Text), "Title %d", i % 13);
        snprintf(c.Company[0].Text, sizeof(c.Company[0].Text), "Company %d", i % 97);
        snprintf(c.Phone[0].PhoneNum.Text, sizeof(c.Phone[0].PhoneNum.Text), "+1 555 %07d", i);
        c.Phone[0].PhoneType = 1;
        snprintf(c.Email[0].EmailName.Text, sizeof(c.Email[0].EmailName.Text), "card%d@example.test", i);
        snprintf(c.Address[0].City.Text, sizeof(c.Address[0].City.Text), "City %d", i % 31);
        more(i, c);
    }
    return cards;
}
