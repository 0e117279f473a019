// Input no real card should hold, but a misread card or a careless caller can: the exports stay
// bounded in time, never end the process and never trust a line number they did not make.
#include <gtest/gtest.h>
#include <chrono>
#include <string>
#include <vector>
#include "parsel_fixture.h"

namespace {

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.ready()); }

    // Identifies the lines and returns the time taken in milliseconds.
    double timedIdentify(const std::vector<std::string>& lines, CardInfo& info) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(p.identify(lines, 0, info), 1);
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    Parsel p;
    CardInfo info{};
};

// Far above an ordinary card's time even under emulation, far below what a search that grows
// exponentially with the words of a line takes.
constexpr double kCardTimeLimitMs = 2000;

std::string repeated(const std::string& word, int times) {
    std::string line;
    for (int i = 0; i < times; ++i) line += (i ? " " : "") + word;
    return line;
}

TEST_F(HostileInputTest, LetterSpacedLinesBesideAnEmailStayBounded) {
    // Each one-letter word may be an initial, a whole word or a middle initial left out of the
    // e-mail's user part; the sizes grow so that a search without bound fails at the first.
    for (int letters : {8, 18, 30, 60}) {
        std::string mail = std::string(40, 'a') + "b@acme.com";
        std::vector<std::string> card = {"Boston " + repeated("A", letters).substr(0, 119), "Jane Doe", mail};
        double ms = timedIdentify(card, info);
        ASSERT_LT(ms, kCardTimeLimitMs) << letters << " letters";
        EXPECT_EQ(first(info, FieldEMail), mail) << letters << " letters";
    }
    std::vector<std::string> spaced = {"S M I T H  &  C O", "J O H N   S M I T H", "jsmith@smithco.com"};
    EXPECT_LT(timedIdentify(spaced, info), kCardTimeLimitMs);
}

TEST_F(HostileInputTest, ManyWordsAgainstARepeatedLetterDomainStayBounded) {
    // Every leading piece of every word matches the domain, and its last letter matches none.
    for (int words : {8, 16, 24}) {
        std::string domain = std::string(100, 'a') + "b";
        std::vector<std::string> card = {"Jane Doe", repeated("Aaaa", words), "jane@" + domain + ".com",
                                         "www." + domain + ".com"};
        ASSERT_LT(timedIdentify(card, info), kCardTimeLimitMs) << words << " words";
    }
}

// Every value the identification placed on a line names a line of this card.
void expectLinesOfTheCard(const CardInfo& info, int lineCount, int callerValues) {
    for (int k : {FieldName, FieldCompany, FieldDepartment, FieldTitle, FieldAddress, FieldStreet, FieldPhone, FieldFax,
                  FieldEMail, FieldWebSite, FieldNone}) {
        const CardInfoSlot& slot = info.Field[k];
        for (int v = k == FieldName ? callerValues : 0; v < slot.Count; ++v) {
            EXPECT_GE(slot.Line[v], 0) << "kind " << k;
            EXPECT_LT(slot.Line[v], lineCount) << "kind " << k;
        }
    }
}

TEST_F(HostileInputTest, LineNumbersACallerLeftInTheRecordAreNeverTrusted) {
    const std::vector<std::vector<std::string>> cards = {
        {"Jane Doe", "12 Main Street", "Springfield, IL 62701", "Tel 217 555 0100"},
        {"Orchard Lane Bakery", "Jane Doe", "Owner", "jane@orchardlane.com"},
        {"Jane Doe", "Luthier", "Elkhorn Guitar Works", "jane@elkhornguitar.com"}};
    char callerName[] = "Name Left By The Caller";
    for (const auto& card : cards) {
        CardInfo fresh{};
        ASSERT_EQ(p.identify(card, 0, fresh), 1);
        for (int bad : {-32768, -2, -1, static_cast<int>(card.size()), 31, 127, 32767}) {
            std::string block(card.size() * 128, '\0');
            for (size_t i = 0; i < card.size(); ++i) card[i].copy(&block[i * 128], 127);
            CardInfo given{};
            CardInfoSlot& name = given.Field[FieldName];
            name.Count = 1;
            name.Text[0] = callerName;
            name.Line[0] = static_cast<int16_t>(bad);
            ASSERT_EQ(p.fromStrings(block.data(), 128, static_cast<int32_t>(card.size()), &given, 0), 1) << bad;
            // The caller's value stays first; the card gives what it gives in an empty record.
            ASSERT_GE(given.Field[FieldName].Count, 1);
            EXPECT_STREQ(given.Field[FieldName].Text[0], callerName);
            for (int k = 0; k < FieldKindCount; ++k) {
                std::vector<std::string> got = values(given, k);
                if (k == FieldName) got.erase(got.begin());
                EXPECT_EQ(got, values(fresh, k)) << card[0] << ", line " << bad << ", kind " << k;
            }
            expectLinesOfTheCard(given, static_cast<int>(card.size()), 1);
        }
    }
}

}  // namespace
