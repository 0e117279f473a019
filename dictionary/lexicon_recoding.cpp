#include "lexicon_recoding.h"

namespace {

// A pair whose first byte is `lead` and second byte lies in [low, high] gets the first byte
// `newLead` and its second byte moved by `shift`.
struct PairRule {
    int language;
    unsigned char lead, low, high, newLead;
    int shift;
};

const PairRule kIntoStored[] = {
    {0, 0xA2, 0xCF, 0xFE, 0x81, 0},     {0, 0xA3, 0x40, 0x43, 0x82, 0},     {1, 0xA3, 0xA1, 0xFE, 0xF8, 0},
    {2, 0x87, 0xBF, 0xF8, 0x9B, -0x20}, {2, 0x82, 0x60, 0x9A, 0x9B, +0x3F},
};

// The Japanese rules fold two source ranges into one stored range; reading gives back the
// 0x82 range, all of it up to 0x82 0x9A (fullwidth "z"), which is what text most often holds.
const PairRule kFromStored[] = {
    {0, 0x81, 0xCF, 0xFE, 0xA2, 0},
    {0, 0x82, 0x40, 0x43, 0xA3, 0},
    {1, 0xF8, 0xA1, 0xFE, 0xA3, 0},
    {2, 0x9B, 0x9F, 0xD9, 0x82, -0x3F},
};

template <size_t N>
void Recode(std::string& text, int language, const PairRule (&rules)[N]) {
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        unsigned char a = static_cast<unsigned char>(text[i]);
        unsigned char b = static_cast<unsigned char>(text[i + 1]);
        for (const PairRule& rule : rules) {
            if (rule.language == language && a == rule.lead && b >= rule.low && b <= rule.high) {
                text[i] = static_cast<char>(rule.newLead);
                text[i + 1] = static_cast<char>(b + rule.shift);
                break;
            }
        }
    }
}

}  // namespace

void RecodeIntoStored(std::string& text, int language) { Recode(text, language, kIntoStored); }

void RecodeFromStored(std::string& text, int language) { Recode(text, language, kFromStored); }
