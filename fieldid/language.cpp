#include "language.h"
#include <initializer_list>
#include <string.h>
#include "fid_state.h"
#include "text_util.h"

namespace {

struct Weighted {
    const char* word;
    int points;
};

int scoreLines(const Weighted* words, size_t count) {
    int total = 0;
    char upper[kLineBytes];
    for (int i = 0; i < kMaxLines; ++i) {
        if (!g_fid.lines[i][0]) continue;
        upperCopy(upper, g_fid.lines[i], sizeof upper);
        for (size_t w = 0; w < count; ++w)
            if (strstr(upper, words[w].word)) total += words[w].points;
    }
    return total;
}

void setOnly(std::initializer_list<Region> on) {
    memset(g_fid.region, 0, sizeof g_fid.region);
    for (Region r : on) g_fid.region[r] = 1;
}

void setEnglishGroup() {
    setOnly({RegionNorthAmerican, RegionJapanese, RegionTaiwanese, RegionHongKongChina, RegionBritish, RegionAustralian,
             RegionAustrian});
}

}  // namespace

int germanScore() {
    static const Weighted kWords[] = {{"GMBH", 60},
                                      {" MBH", 50},
                                      {"TELEFON", 50},
                                      {"STRASSE", 50},
                                      {"STRA\xDF"
                                       "E",
                                       50},
                                      {"STRABE", 50},
                                      {"DIPL", 50},
                                      {"+49", 30},
                                      {".DE", 30},
                                      {"D-", 30},
                                      {"HAMBURG", 20},
                                      {"GERMANY", 20}};
    return scoreLines(kWords, sizeof kWords / sizeof kWords[0]);
}

int frenchScore() {
    static const Weighted kWords[] = {{" S.A.", 60},  {"COMPAGNIE", 50}, {"ENTREPRISE", 50}, {"BANQUE", 50},
                                      {"GROUPE", 50}, {"T\xE9L", 50},    {"T\xC9L", 50},     {"TELECOPIE", 50},
                                      {"CDX", 50},    {"CEDEX", 50},     {"RUE ", 50},       {"+33", 30},
                                      {".FR", 30},    {"F-", 30},        {"PARIS", 20},      {"FRANCE", 20}};
    return scoreLines(kWords, sizeof kWords / sizeof kWords[0]);
}

void decideLanguage(int kind) {
    switch (kind) {
    case 1:
        if (germanScore() >= 50) setOnly({RegionGerman});
        else setEnglishGroup();
        break;
    case 2: setOnly({RegionGerman}); break;
    case 4:
        if (frenchScore() >= 50) setOnly({RegionFrench});
        else setEnglishGroup();
        break;
    case 5: setOnly({RegionFrench}); break;
    case 7:
    case 11:
    case 12:
    case 13: break;
    case 8: setOnly({RegionItalian}); break;
    case 9: setOnly({RegionSpanish}); break;
    case 10: setOnly({RegionDutch}); break;
    default: setEnglishGroup(); break;
    }
}
