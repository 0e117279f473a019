// Card files for the transfer tests: written and read with the card database classes, in a
// fresh folder per test.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "cardrec.h"
#include "kvdb_engine.h"
#include "dialog_watch.h"
#include "temp_settings_file.h"
#include "scratch_folder.h"

struct StoredCard {
    CardRec v3;
    std::string note, image, thumb;
};

class CardFileFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = TempFolderPath("ferrow_transfer_" + std::to_string(GetTickCount()) + "\\");
        CreateDirectoryA(folder_.c_str(), nullptr);
        for (const char* sub : {"img", "img\\ifo", "img\\bin", "thm"})
            CreateDirectoryA((folder_ + sub).c_str(), nullptr);
    }
    void TearDown() override { RemoveFolderTree(folder_); }

    std::string Path(const std::string& name) const { return folder_ + name; }

    static void WriteFile(const std::string& path, const std::string& content) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    static std::string ReadFile(const std::string& path) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<missing>";
        std::string content(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        ::ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, nullptr);
        CloseHandle(file);
        return content;
    }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static size_t FilesIn(const std::string& pattern) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        size_t count = 0;
        do ++count;
        while (FindNextFileA(search, &found));
        FindClose(search);
        return count;
    }

    // Creates a card file of the layout (0 V3, 1 V4) holding the given records.
    void CreateV3(const std::string& path, std::vector<StoredCard>& cards) {
        Writer w(path, 0);
        for (StoredCard& c : cards) {
            Attach(c);
            w.Insert(&c.v3, nullptr);
        }
    }
    void CreateV4(const std::string& path, std::vector<CardRecV4>& cards) {
        Writer w(path, 1);
        for (CardRecV4& c : cards) w.Insert(nullptr, &c);
    }

    // All records of a V4 card file, sorted by name.
    std::vector<CardRecV4> ReadV4(const std::string& path) {
        std::vector<CardRecV4> out;
        ForEachRecord(path, "CNAME_FullName_Data", [&](CkvDBEngine& engine, CkvDataset* ds) {
            CardRecV4 rec;
            memset(&rec, 0, sizeof(rec));
            if (engine.CardRecGetV4(ds, &rec, 1) == 1) out.push_back(rec);
        });
        return out;
    }
    // Name and Flags of every card of a V3 card file, sorted by name.
    std::vector<std::pair<std::string, int>> ReadV3Flags(const std::string& path) {
        std::vector<std::pair<std::string, int>> out;
        ForEachRecord(path, "CName", [&](CkvDBEngine& engine, CkvDataset* ds) {
            CardRec rec;
            memset(&rec, 0, sizeof(rec));
            if (engine.CardRecGet(ds, &rec, 0) == 1) out.emplace_back(rec.CName, rec.Flags);
        });
        return out;
    }

private:
    template <typename Visit>
    void ForEachRecord(const std::string& path, const char* key, Visit visit) {
        Reader r(path, key);
        int n = r.engine.TblNRecs(r.ds);
        if (n > 0) r.engine.RecFirst(r.ds);
        for (int i = 0; i < n; ++i, r.engine.RecNext(r.ds)) visit(r.engine, r.ds);
    }

    static void Attach(StoredCard& c) {
        auto text = [](CardRecBlob& blob, std::string& value, int size) {
            if (value.empty()) return;
            blob.Kind = 1;
            blob.Storage = 1;
            blob.Data = &value[0];
            blob.Size = size;
            blob.Modified = 1;
        };
        text(c.v3.CNote, c.note, static_cast<int>(c.note.size()));
        text(c.v3.SecondText, c.thumb, static_cast<int>(c.thumb.size()));
        text(c.v3.CImage, c.image, static_cast<int>(c.image.size() + 1));  // the path with its terminator
        if (!c.image.empty()) c.v3.CImage.Kind = 2;
    }

    struct Writer {
        CkvDBEngine engine;
        CkvDatabase* db = nullptr;
        CkvDataset* ds = nullptr;
        Writer(const std::string& path, int layout) {
            EXPECT_EQ(engine.CreateDatabase(31, path.c_str(), ";LANGID=0x0804;CP=936;COUNTRY=0", &db), 1);
            EXPECT_EQ(engine.TblCreate(db, "NM", layout), 1);
            EXPECT_EQ(engine.TblNew(db, "NM", &ds), 1);
            EXPECT_EQ(engine.TblOpen(ds), 1);
        }
        void Insert(CardRec* v3, CardRecV4* v4) {
            engine.StartTransation(db);
            EXPECT_NE(v3 ? engine.CardRecInsert(ds, v3) : engine.CardRecInsertV4(ds, v4), 0);
            engine.Commit(db);
        }
        ~Writer() {
            engine.TblFree(ds);
            engine.CloseDatabase(db);
        }
    };

    struct Reader {
        CkvDBEngine engine;
        CkvDatabase* db = nullptr;
        CkvDataset* ds = nullptr;
        Reader(const std::string& path, const char* key) {
            EXPECT_EQ(engine.OpenDatabase(31, path.c_str(), &db), 1) << path;
            EXPECT_EQ(engine.TblNew(db, "NM", &ds), 1);
            engine.KeyAdd(ds, key);
            EXPECT_EQ(engine.TblOpen(ds), 1);
        }
        ~Reader() {
            engine.TblFree(ds);
            engine.CloseDatabase(db);
        }
    };

protected:
    std::string folder_;
};

// A card file folder for tests that expect no dialog but the engine's DAO error reports: each
// shows in a message box, which the watcher answers; a test expects as many as it sets in
// expectedReports_.
class WatchedCardFileFolder : public CardFileFolder {
protected:
    void TearDown() override {
        std::vector<std::string> seen = user_.Texts();
        std::string all;
        for (const std::string& report : seen) all += report + "\n";
        EXPECT_EQ(seen.size(), expectedReports_) << all;
        for (const std::string& report : seen) EXPECT_EQ(report.rfind("DAO error ", 0), 0u) << report;
        CardFileFolder::TearDown();
    }

    DialogWatch user_{IDOK};
    size_t expectedReports_ = 0;
};
