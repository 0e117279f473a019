// Time per card of Get_FID_Western_From_Strings over 1,000 generated cards of 8 to 20 lines,
// language kinds 0 and 7 (all regions), against copying the same card text as a reference; then
// over an adversarial set that a misread card or a careless caller can hand in (letter-spaced
// lines, 30 e-mail lines, 200 lines, lines of 255 characters, words that a domain or an e-mail's
// user part spells in many ways), with the slowest card named.
#include "best_time.h"
#include "host_note.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <algorithm>
#include <map>
#include <string>
#include <vector>
#include "cardinfo.h"

using FromStringsFn = int32_t (*)(const char*, int32_t, int32_t, CardInfo*, int32_t);

static const char* const kPieces[] = {"John Smith",
                                      "Sales Manager",
                                      "ACME Widgets Inc.",
                                      "123 Main Street, Suite 400",
                                      "Boston, MA 02110",
                                      "Tel: (617) 555-1234",
                                      "Fax: (617) 555-1235",
                                      "john.smith@acmewidgets.com",
                                      "www.acmewidgets.com",
                                      "M\xFCller Maschinenbau GmbH",
                                      "Hauptstra\xDF"
                                      "e 12",
                                      "D-20095 Hamburg",
                                      "Telefon +49 40 123456",
                                      "12 rue de la Paix",
                                      "75002 Paris",
                                      "T\xE9l : 01 42 60 30 30",
                                      "Damrak 12",
                                      "1012 AB Amsterdam",
                                      "Mobile: 206-555-0199",
                                      "Senior Software Engineer",
                                      "P.O. Box 1234",
                                      "Department of Economics",
                                      "Via Roma 15",
                                      "20121 Milano (MI)",
                                      "Calle Mayor 10",
                                      "28013 Madrid",
                                      "USA",
                                      "Direct: 312-555-9090"};

static double nowMs() { return 1000.0 * Seconds(); }

static double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * (v.size() - 1))];
}

// One card of the benchmark: its lines, the stride they are handed in with, and what it is.
struct BenchCard {
    std::vector<std::string> lines;
    int stride = 128;
    std::string kind;
};

static unsigned g_seed = 12345;
static unsigned nextRandom() {
    g_seed = g_seed * 1103515245u + 12345u;
    return (g_seed >> 16) & 0x7FFF;
}

static std::string repeated(const std::string& word, int times, const char* gap = " ") {
    std::string line;
    for (int i = 0; i < times; ++i) line += (i ? gap : "") + word;
    return line;
}

static std::string letterSpaced(const std::string& text) {
    std::string spaced;
    for (char c : text) {
        if (!spaced.empty()) spaced += ' ';
        spaced += c;
    }
    return spaced;
}

static BenchCard ordinaryCard() {
    const size_t pieces = sizeof kPieces / sizeof kPieces[0];
    BenchCard card;
    int lines = 8 + static_cast<int>(nextRandom() % 13);
    for (int i = 0; i < lines; ++i) card.lines.push_back(kPieces[nextRandom() % pieces]);
    card.kind = "ordinary";
    return card;
}

// The adversarial cards, in turn by their number.
static BenchCard adversarialCard(int n) {
    BenchCard card;
    int size = 1 + static_cast<int>(nextRandom() % 60);
    switch (n % 7) {
    case 0:
        card.lines = {letterSpaced("SMITH & CO"), letterSpaced("JOHN SMITH"), letterSpaced("SALES MANAGER"),
                      "jsmith@smithco.com", "www.smithco.com"};
        card.kind = "letter-spaced lines";
        break;
    case 1:
        card.lines = {"John Smith"};
        for (int i = 0; i < 30; ++i)
            card.lines.push_back("j" + std::to_string(i) + ".smith@acme" + std::to_string(i) + ".com");
        card.kind = "30 e-mail lines";
        break;
    case 2:
        for (int i = 0; i < 200; ++i)
            card.lines.push_back(kPieces[nextRandom() % (sizeof kPieces / sizeof kPieces[0])]);
        card.kind = "200 lines";
        break;
    case 3:
        for (int i = 0; i < 12; ++i)
            card.lines.push_back(
                repeated(kPieces[nextRandom() % (sizeof kPieces / sizeof kPieces[0])], 12).substr(0, 255));
        card.stride = 256;
        card.kind = "lines of 255 characters";
        break;
    case 4:
        card.lines = {("Boston " + repeated("A", size)).substr(0, 127), "Jane Doe",
                      std::string(40, 'a') + "b@acme.com"};
        card.kind = "one-letter words against an e-mail user part (" + std::to_string(size) + ")";
        break;
    case 5: {
        std::string domain = std::string(100, 'a') + "b";
        card.lines = {"Jane Doe", repeated("Aaaa", 1 + size % 25), "jane@" + domain + ".com", "www." + domain + ".com"};
        card.kind = "four-letter words against a one-letter domain (" + std::to_string(1 + size % 25) + ")";
        break;
    }
    default:
        for (int i = 0; i < 31; ++i) card.lines.push_back(letterSpaced(repeated("AB", 30, "")).substr(0, 127));
        card.lines[30] = "ab@" + std::string(60, 'a') + ".com";
        card.kind = "31 letter-spaced lines";
        break;
    }
    return card;
}

// Identifies the card and returns the time taken in milliseconds.
static double timeCard(FromStringsFn identify, const BenchCard& card, int languageKind) {
    std::vector<char> block(card.lines.size() * card.stride + 1, 0);
    for (size_t i = 0; i < card.lines.size(); ++i)
        card.lines[i].copy(&block[i * card.stride], static_cast<size_t>(card.stride - 1));
    CardInfo info{};
    double t0 = nowMs();
    identify(block.data(), card.stride, static_cast<int32_t>(card.lines.size()), &info, languageKind);
    return nowMs() - t0;
}

int main() {
    PrintHostNote();
    HMODULE dll = LoadLibraryA("Parsel.dll");
    auto identify = dll ? reinterpret_cast<FromStringsFn>(
                              reinterpret_cast<void*>(GetProcAddress(dll, "Get_FID_Western_From_Strings")))
                        : nullptr;
    if (!identify) {
        printf("Parsel.dll or its export is missing\n");
        return 1;
    }
    std::vector<double> times, copies;
    std::vector<char> sink(32 * 128);
    for (int n = 0; n < 1000; ++n) {
        BenchCard card = ordinaryCard();
        times.push_back(timeCard(identify, card, n % 2 ? 7 : 0));
        double t1 = nowMs();
        for (size_t i = 0; i < card.lines.size(); ++i) card.lines[i].copy(&sink[i * 128], 127);
        copies.push_back(nowMs() - t1);
    }
    double median = percentile(times, 0.5), p99 = percentile(times, 0.99);
    double copyMedian = percentile(copies, 0.5);
    printf("fieldid: 1000 cards, median %.3f ms, 99th percentile %.3f ms per card\n", median, p99);
    printf("fieldid: median is %.0f times the copy of the card text (%.5f ms)\n",
           copyMedian > 0 ? median / copyMedian : 0.0, copyMedian);

    std::vector<double> hostile;
    double worst = 0;
    std::string worstKind;
    std::map<std::string, double> worstOfKind;
    for (int n = 0; n < 700; ++n) {
        BenchCard card = adversarialCard(n);
        double ms = timeCard(identify, card, n % 2 ? 7 : 0);
        hostile.push_back(ms);
        std::string family = card.kind.substr(0, card.kind.find(" ("));
        worstOfKind[family] = std::max(worstOfKind[family], ms);
        if (ms > worst) {
            worst = ms;
            worstKind = card.kind;
        }
    }
    double hostileMedian = percentile(hostile, 0.5), hostileP99 = percentile(hostile, 0.99);
    printf("fieldid: 700 adversarial cards, median %.3f ms, 99th percentile %.3f ms per card\n", hostileMedian,
           hostileP99);
    for (const auto& kind : worstOfKind) printf("fieldid:   slowest of %s: %.3f ms\n", kind.first.c_str(), kind.second);
    printf("fieldid: worst card %.3f ms: %s\n", worst, worstKind.c_str());
    printf("fieldid: targets ordinary median < 1 ms: %s, adversarial 99th < 5 ms: %s\n", median < 1 ? "met" : "missed",
           hostileP99 < 5 ? "met" : "missed");
    (void)sink;
    return 0;
}
