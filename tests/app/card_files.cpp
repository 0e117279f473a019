#include "card_files.h"
#include "dll_module.h"
#include "kvdb32.h"
#include <string.h>
#include <functional>

namespace {

struct Kvdb {
    DllModule dll{"kvdb32.dll"};
    decltype(&kvCreateDatabase) Create = dll.require<decltype(&kvCreateDatabase)>("_kvCreateDatabase@16");
    decltype(&kvOpenDatabase) Open = dll.require<decltype(&kvOpenDatabase)>("_kvOpenDatabase@12");
    decltype(&kvCloseDatabase) Close = dll.require<decltype(&kvCloseDatabase)>("_kvCloseDatabase@4");
    decltype(&kvTblCreate) TblCreate = dll.require<decltype(&kvTblCreate)>("_kvTblCreate@8");
    decltype(&kvTblNew) TblNew = dll.require<decltype(&kvTblNew)>("_kvTblNew@12");
    decltype(&kvTblOpen) TblOpen = dll.require<decltype(&kvTblOpen)>("_kvTblOpen@4");
    decltype(&kvTblFree) TblFree = dll.require<decltype(&kvTblFree)>("_kvTblFree@4");
    decltype(&kvTblNRecs) NRecs = dll.require<decltype(&kvTblNRecs)>("_kvTblNRecs@4");
    decltype(&kvCardRecInsert) Insert = dll.require<decltype(&kvCardRecInsert)>("_kvCardRecInsert@8");
    decltype(&kvCardRecGet) Get = dll.require<decltype(&kvCardRecGet)>("_kvCardRecGet@12");
    decltype(&kvRecFirst) First = dll.require<decltype(&kvRecFirst)>("_kvRecFirst@4");
    decltype(&kvRecNext) Next = dll.require<decltype(&kvRecNext)>("_kvRecNext@4");
    decltype(&kvKeyAdd) KeyAdd = dll.require<decltype(&kvKeyAdd)>("_kvKeyAdd@8");
};

void SetBlob(CardRecBlob& blob, const std::string& text) {
    if (text.empty()) return;
    blob.Kind = 2;
    blob.Storage = 1;
    blob.Data = const_cast<char*>(text.c_str());
    blob.Size = static_cast<int32_t>(text.size() + 1);
    blob.Modified = 1;
}

// Creates the card file with one record per card, each filled by the caller.
bool WriteCardFile(const std::string& path, size_t count, const std::function<void(CardRec&, size_t)>& fill) {
    Kvdb kv;
    DeleteFileA(path.c_str());
    HKVDB db = nullptr;
    HKVTBL table = nullptr;
    kv.Create(31, path.c_str(), 0, &db);
    bool ok = kv.TblCreate(db, "NM") == 1 && kv.TblNew(db, "NM", &table) == 1 && kv.TblOpen(table) == 1;
    for (size_t i = 0; i < count; ++i) {
        static CardRec rec;
        memset(&rec, 0, sizeof rec);
        fill(rec, i);
        ok = ok && kv.Insert(table, &rec) == 1;
    }
    if (table) kv.TblFree(table);
    kv.Close(db);
    return ok;
}

}  // namespace

bool CreateCardFile(const std::string& path, const std::vector<TestCard>& cards) {
    std::vector<DetailedCard> detailed;
    for (const TestCard& card : cards) detailed.push_back(DetailedCard{card, "", "", "", "", 0, {0, 0, 0}});
    return CreateDetailedCardFile(path, detailed);
}

bool CreateDetailedCardFile(const std::string& path, const std::vector<DetailedCard>& detailed) {
    return WriteCardFile(path, detailed.size(), [&](CardRec& rec, size_t i) {
        const DetailedCard& full = detailed[i];
        const TestCard& card = full.Card;
        strncpy(rec.CName, card.Name.c_str(), sizeof rec.CName - 1);
        strncpy(rec.Company, full.Company.c_str(), sizeof rec.Company - 1);
        strncpy(rec.Title, full.Title.c_str(), sizeof rec.Title - 1);
        strncpy(rec.OPhone, full.OfficePhone.c_str(), sizeof rec.OPhone - 1);
        strncpy(rec.City, full.City.c_str(), sizeof rec.City - 1);
        rec.Flags = static_cast<int16_t>(full.Flags);
        for (int d = 0; d < 3; ++d) rec.CDate[d] = full.Date[d];
        SetBlob(rec.CImage, card.ImagePath);
        SetBlob(rec.SecondText, card.ThumbnailPath);
    });
}

bool CreateCardFileWithLinks(const std::string& path, const std::vector<CardWithLinks>& cards) {
    return WriteCardFile(path, cards.size(), [&](CardRec& rec, size_t i) {
        const CardWithLinks& card = cards[i];
        strncpy(rec.CName, card.Name.c_str(), sizeof rec.CName - 1);
        strncpy(rec.EMail, card.EMail.c_str(), sizeof rec.EMail - 1);
        strncpy(rec.User2, card.EMail2.c_str(), sizeof rec.User2 - 1);
        strncpy(rec.User3, card.WebSite.c_str(), sizeof rec.User3 - 1);
        strncpy(rec.User4, card.WebSite2.c_str(), sizeof rec.User4 - 1);
    });
}

int CountCards(const std::string& path) { return IsFile(path) ? static_cast<int>(CardNames(path).size()) : -1; }

std::vector<std::string> CardNames(const std::string& path) {
    Kvdb kv;
    std::vector<std::string> names;
    HKVDB db = nullptr;
    HKVTBL table = nullptr;
    if (kv.Open(31, path.c_str(), &db) != 1) {
        kv.Close(db);
        return names;
    }
    if (kv.TblNew(db, "NM", &table) == 1) {
        kv.KeyAdd(table, "CName");
        kv.TblOpen(table);
        int n = kv.NRecs(table);
        if (n > 0) kv.First(table);
        for (int i = 0; i < n; ++i) {
            static CardRec rec;
            memset(&rec, 0, sizeof rec);
            if (kv.Get(table, &rec, 0)) names.push_back(rec.CName);
            kv.Next(table);
        }
        kv.TblFree(table);
    }
    kv.Close(db);
    return names;
}

namespace {
std::string BlobText(const CardRecBlob& blob) {
    if (blob.Storage != 1 || !blob.Data || blob.Size <= 0) return std::string();
    return std::string(blob.Data, strnlen(blob.Data, static_cast<size_t>(blob.Size)));
}
}  // namespace

std::vector<StoredCard> ReadCards(const std::string& path) {
    Kvdb kv;
    std::vector<StoredCard> cards;
    HKVDB db = nullptr;
    HKVTBL table = nullptr;
    if (kv.Open(31, path.c_str(), &db) != 1) {
        kv.Close(db);
        return cards;
    }
    if (kv.TblNew(db, "NM", &table) == 1 && kv.TblOpen(table) == 1) {
        int n = kv.NRecs(table);
        if (n > 0) kv.First(table);
        for (int i = 0; i < n; ++i) {
            static CardRec rec;
            memset(&rec, 0, sizeof rec);
            if (kv.Get(table, &rec, 1))
                cards.push_back(StoredCard{rec.CName, rec.Company, rec.Title, rec.EMail, rec.OPhone, rec.Fax,
                                           rec.Address, rec.City, rec.State, rec.Zip, BlobText(rec.CImage),
                                           BlobText(rec.SecondText), BlobText(rec.CNote)});
            kv.Next(table);
        }
    }
    if (table) kv.TblFree(table);
    kv.Close(db);
    return cards;
}

std::string WriteSmallFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "card", 4, &written, nullptr);
    CloseHandle(file);
    return path;
}
