// What the card database tests share: the library loaded once, DAO error reports read from
// the message boxes that show them (and answered, as a user would), a scratch folder per test,
// and card helpers.
#pragma once
#include "file_bytes.h"
#include "scratch_folder.h"
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dialog_watch.h"
#include "kvdb_api.h"

// The message boxes of this test program, answered with OK as they appear.
inline DialogWatch& ReportWatch() {
    static DialogWatch watch(IDOK);
    return watch;
}

inline size_t& ReportsBeforeTest() {
    static size_t count = 0;
    return count;
}

// The texts of the DAO error reports shown since the current test began.
inline std::vector<std::string> DaoReports() {
    const std::vector<std::string> texts = ReportWatch().Texts();
    return std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(ReportsBeforeTest()), texts.end());
}

// A zeroed card with the given name and company, as the main program builds one.
inline CardRec MakeCard(const char* name, const char* company = "") {
    CardRec card;
    std::memset(&card, 0, sizeof card);
    std::strncpy(card.CName, name, sizeof card.CName - 1);
    std::strncpy(card.Company, company, sizeof card.Company - 1);
    return card;
}

class KvdbTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dll_.reset(new DllModule("kvdb32.dll"));
        ASSERT_TRUE(dll_->loaded()) << "kvdb32.dll not loaded";
        kv_.Load(*dll_);
        ReportWatch();
    }

    static void TearDownTestSuite() { dll_.reset(); }

    void SetUp() override {
        ASSERT_NE(kv_.OpenDatabase, nullptr);
        ReportsBeforeTest() = ReportWatch().Texts().size();
        folder_ = MakeFreshTestFolder("kvdbtest");
    }

    void TearDown() override {
        if (cards_) kv_.TblFree(cards_);
        if (db_) kv_.CloseDatabase(db_);
        RemoveFolderTree(folder_ + "\\");
    }

    std::string PathOf(const char* name) const { return folder_ + "\\" + name; }

    // A new card file with the card table, opened through the flat interface.
    HKVDB CreateCardFile(const std::string& path) {
        HKVDB db = nullptr;
        EXPECT_EQ(kv_.CreateDatabase(KVDB_TYPE_JET, path.c_str(), 0, &db), 1);
        EXPECT_EQ(kv_.TblCreate(db, KVDB_CARD_TABLE), 1);
        return db;
    }

    // The card table sorted by name, open, as the main program opens it.
    HKVTBL OpenCards(HKVDB db, const char* key = "CName", int order = 0) {
        HKVTBL ds = nullptr;
        EXPECT_EQ(kv_.TblNew(db, KVDB_CARD_TABLE, &ds), 1);
        if (key) kv_.KeyAdd(ds, key);
        kv_.SetSortOrder(ds, order);
        EXPECT_EQ(kv_.TblOpen(ds), 1);
        return ds;
    }

    // Sets up db_ and cards_ on a new card file.
    void NewCardFile(const char* name = "cards.mdb") {
        db_ = CreateCardFile(PathOf(name));
        cards_ = OpenCards(db_);
    }

    // Inserts and commits one card as the main program does.
    void Store(const CardRec& card) {
        ASSERT_EQ(kv_.StartTransation(db_), 1);
        ASSERT_EQ(kv_.CardRecInsert(cards_, &card), 1);
        ASSERT_EQ(kv_.Commit(db_), 1);
    }

    void StoreNames(const std::vector<std::string>& names) {
        for (const std::string& name : names) Store(MakeCard(name.c_str()));
        ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    }

    // The names of the dataset from the first record on, in its order.
    std::vector<std::string> Names(HKVTBL ds) {
        std::vector<std::string> names;
        if (kv_.RecFirst(ds) != 1) return names;
        CardRec card;
        while (!kv_.RecIsEOF(ds) && kv_.CardRecGet(ds, &card, 0) == 1) {
            names.push_back(card.CName);
            kv_.RecNext(ds);
        }
        return names;
    }

    std::string CurrentName(HKVTBL ds) {
        CardRec card = MakeCard("");
        return kv_.CardRecGet(ds, &card, 0) == 1 ? card.CName : "<none>";
    }

    static std::unique_ptr<DllModule> dll_;
    static KvdbApi kv_;
    std::string folder_;
    HKVDB db_ = nullptr;
    HKVTBL cards_ = nullptr;
};

inline std::unique_ptr<DllModule> KvdbTest::dll_;
inline KvdbApi KvdbTest::kv_;
