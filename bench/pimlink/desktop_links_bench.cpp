// The ACT! and Palm Desktop links of Ferrow.dll against driving the same stand-ins directly
// with the same cards, in the same run:
//   out:  FerrowDBFile direction 1 (open check, marking pass and export) into an empty book
//         vs  one new, filled and stored contact (address) per card
//   back: FerrowDBFile direction 2 with the same cards (every entry found, none new)
//         vs  reading every field of every contact (address)
// The duplicate scan (each entry compared with the cards under the map) is timed alone with
// the link library's own classes and given as its share of "back", and so are the array's growth
// and the conversion of each entry into a card, which reading the stand-in directly leaves out.
// 12 fields are mapped.
// Usage: desktop_links_bench [cards=5000]. Prints ratios and peak memory; asserts nothing.
#include "bench_folder.h"
#include "host_note.h"
#include "connector_bench.h"
#include <stdlib.h>
#include "act_record.h"
#include "actole.h"
#include "automation_object.h"
#include "com_scope.h"
#include "ferrow.h"
#include "palm_data.h"
#include "table21.h"

namespace {

// Name, Title, Department, Company, Office, Mobile, Fax, Email, Web Site, Address, City, Zip.
const char kActMap[] = "1,0,6,0,11,10,25,34,0,27,0,45,0,38,0,12,13,0,15,0,0,0,0,0,0,0,0,0";
const char kPalmMap[] = "1,0,4,0,18,3,10,17,0,12,0,14,0,19,0,5,6,0,8,0,0,0,0,0,0,0,0,0";

using ferrow::CAutomationObject;

// ---- ACT!, directly ---------------------------------------------------------------------------

bool OpenActContacts(const std::string& path, CAutomationObject* database, CAutomationObject* contacts) {
    *database = CAutomationObject::Create(ACTOLE_PROG_ID);
    VARIANT text = CAutomationObject::Text(path.c_str());
    bool open = database->Valid() && database->CallId(1117, DISPATCH_METHOD, {text}, nullptr) &&
                database->ObjectId(1106, {}, contacts) && contacts->Valid();
    VariantClear(&text);
    return open;
}

void PutActField(CAutomationObject& contacts, int field, const char* text) {
    VARIANT value = CAutomationObject::Text(text);
    contacts.CallId(308, DISPATCH_PROPERTYPUT, {CAutomationObject::Short(static_cast<short>(field)), value}, nullptr);
    VariantClear(&value);
}

double ActDirectOut(const std::string& path, const std::vector<std::vector<char>>& records) {
    ferrow::CComScope com;
    double start = Seconds();
    CAutomationObject database, contacts;
    if (!OpenActContacts(path, &database, &contacts)) return -1;
    contacts.CallId(213, DISPATCH_METHOD, {}, nullptr);
    for (const std::vector<char>& record : records) {
        contacts.CallId(303, DISPATCH_METHOD, {}, nullptr);
        for (const ferrow::ActSlot& slot : ferrow::kActSlotOrder) {
            if (slot.offset == ferrow::kActNoteSlot) continue;
            std::string text(record.data() + slot.offset, strnlen(record.data() + slot.offset, slot.room));
            PutActField(contacts, slot.field, text.c_str());
        }
        PutActField(contacts, 90, "ZEM40");
        VARIANT stored;
        if (contacts.CallId(307, DISPATCH_METHOD, {}, &stored)) VariantClear(&stored);
    }
    contacts.Reset();
    database.CallId(1118, DISPATCH_METHOD, {}, nullptr);
    return Seconds() - start;
}

double ActDirectBack(const std::string& path) {
    ferrow::CComScope com;
    double start = Seconds();
    CAutomationObject database, contacts;
    if (!OpenActContacts(path, &database, &contacts)) return -1;
    VARIANT count;
    contacts.CallId(207, DISPATCH_PROPERTYGET, {}, &count);
    contacts.CallId(212, DISPATCH_METHOD, {}, nullptr);
    for (long i = 0; i < count.lVal; ++i) {
        std::string text;
        for (const ferrow::ActSlot& slot : ferrow::kActSlotOrder) {
            VARIANT value;
            if (contacts.CallId(308, DISPATCH_PROPERTYGET, {CAutomationObject::Short(static_cast<short>(slot.field))},
                                &value))
                CAutomationObject::TakeText(&value, &text);
        }
        for (short field : {90, 2}) {
            VARIANT value;
            if (contacts.CallId(308, DISPATCH_PROPERTYGET, {CAutomationObject::Short(field)}, &value))
                VariantClear(&value);
        }
        contacts.CallId(215, DISPATCH_METHOD, {}, nullptr);
    }
    contacts.Reset();
    database.CallId(1118, DISPATCH_METHOD, {}, nullptr);
    return Seconds() - start;
}

// ---- Palm Desktop, directly ---------------------------------------------------------------

double PalmDirectOut(const std::string& book, const std::vector<std::vector<char>>& records) {
    double start = Seconds();
    CAddressTable table;
    if (table.OpenFrom(book.c_str(), 0) != 0) return -1;
    table.PurgeDeletedRecords();
    for (const std::vector<char>& bytes : records) {
        const auto* b = reinterpret_cast<const ferrow::PalmAddressBuffer*>(bytes.data());
        CAddressRecord record(&table, 1);
        if (table.AppendBlankRecord(&record) != 0) continue;
        record.SetCategoryId(2);
        record.SetName(b->Name);
        record.SetFirst(b->First);
        record.SetTitle(b->Title);
        record.SetCompany(b->Company);
        for (int k = 0; k < 5; ++k) {
            record.SetPhoneLabelID(k + 1, b->PhoneLabel[k]);
            record.SetPhone(k + 1, b->Phone[k]);
        }
        record.SetAddress(b->Address);
        record.SetCity(b->City);
        record.SetState(b->State);
        record.SetZipCode(b->ZipCode);
        record.SetCountry(b->Country);
        for (int k = 0; k < 4; ++k) record.SetCustom(k + 1, b->Custom[k]);
        record.SetNote(b->Note);
    }
    table.Save();
    return Seconds() - start;
}

double PalmDirectBack(const std::string& book) {
    double start = Seconds();
    CAddressTable table;
    if (table.OpenFrom(book.c_str(), 0) != 0) return -1;
    table.PurgeDeletedRecords();
    CAddressIterator iterator(&table);
    CAddressRecord record(&table, 1);
    std::string sink;
    for (int found = iterator.FindFirst(&record, 1); found == 0; found = iterator.FindNext(&record, 1)) {
        sink = record.GetName();
        sink = record.GetFirst();
        sink = record.GetTitle();
        sink = record.GetCompany();
        sink = record.GetAddress();
        sink = record.GetCity();
        sink = record.GetState();
        sink = record.GetZipCode();
        sink = record.GetCountry();
        for (int k = 1; k <= 5; ++k) {
            sink = record.GetPhone(k);
            record.GetPhoneLabelID(k);
        }
        for (int k = 1; k <= 4; ++k) sink = record.GetCustom(k);
        record.GetStatus();
    }
    return Seconds() - start;
}

void PalmRecordPart(char* buffer, const CardRecV4& card, const ferrow::FieldMap& map) {
    ferrow::CardToPalm(buffer + 4, card, map);
}
void PalmRecordBack(const char* buffer, CardRecV4& card, const ferrow::FieldMap& map) {
    ferrow::PalmToCard(buffer + 4, card, map);
}

}  // namespace

int main(int argc, char** argv) {
    PrintHostNote();
    int n = argc > 1 ? atoi(argv[1]) : 5000;
    FerrowDBFileFn link = LoadFerrowLink();
    HMODULE actole = LoadLibraryA(WindowsPathOf(ZEM_ACTOLE_SERVER).c_str());
    auto createAct = actole ? reinterpret_cast<ActCreateDatabaseFn>(
                                  reinterpret_cast<void*>(GetProcAddress(actole, "ActCreateDatabase")))
                            : nullptr;
    SetDllDirectoryA(WindowsPathOf(ZEM_TABLE21_DIR).c_str());
    if (!link || !createAct || !CallServer(ZEM_ACTOLE_SERVER, "DllRegisterServer") || !ferrow::Table21Available()) {
        printf("Ferrow.dll, the ACT! stand-in or the table library stand-in not found\n");
        return 1;
    }
    std::string folder = TempBenchFolder("desktop_links_bench");
    CreateDirectoryA((folder + "Bench").c_str(), nullptr);
    CreateDirectoryA((folder + "Bench\\address").c_str(), nullptr);
    std::string ini = folder + "zem40.ini", book = folder + "Bench\\address\\address.dat", users = folder + "users.ini";
    WritePrivateProfileStringA("Users", "Count", "1", users.c_str());
    WritePrivateProfileStringA("User0", "Id", "7", users.c_str());
    WritePrivateProfileStringA("User0", "Folder", "Bench", users.c_str());
    SetEnvironmentVariableA("PALM_STANDIN_DIR", folder.c_str());
    WritePrivateProfileStringA("Preference", "PalmMode", "1", ini.c_str());
    WritePrivateProfileStringA("Preference", "PalmUser", "0", ini.c_str());
    WritePrivateProfileStringA("Palm", "FieldMap", kPalmMap, ini.c_str());
    WritePrivateProfileStringA("ACT2000", "FieldMap", kActMap, ini.c_str());

    std::vector<CardRecV4> cards = MakeBenchCards(n);
    printf("cards %d, 12 fields mapped\n", n);
    int outResult = 0, backResult = 0, count = 0;

    // ACT!: every run on a new empty database.
    auto freshAct = [&](const char* name) {
        std::string path = folder + name;
        std::string stem = path.substr(0, path.size() - 4);
        for (const std::string& file : {path, stem + ".dbt", stem + "_notes.dbf", stem + "_notes.dbt"})
            DeleteFileA(file.c_str());
        createAct(path.c_str());
        return path;
    };
    std::string linkDb = freshAct("link.dbf");
    WritePrivateProfileStringA("ACT2000", "DBFileName", linkDb.c_str(), ini.c_str());
    LinkRun act{link, ini, FERROW_LINK_ACT};
    double linkOut = act.Run(cards, FERROW_TO_PIM, &outResult, &count);
    double linkBack = act.Run(cards, FERROW_FROM_PIM, &backResult, &count);
    std::string directDb = freshAct("direct.dbf");
    std::vector<std::vector<char>> actRecords =
        ExchangeRecords(cards, kActMap, ferrow::CardToAct, ferrow::kActRecordBufferSize);
    double directOut = ActDirectOut(directDb, actRecords);
    double directBack = ActDirectBack(directDb);
    double scan = ScanAlone(cards, RoundTripped(cards, kActMap, ferrow::CardToAct, ferrow::ActToCard), kActMap,
                            ferrow::SkipNew::No);
    PrintRows("ACT!", linkOut, directOut, linkBack, directBack, scan, outResult, backResult, count, n);
    PrintGrowAndConvert("ACT!", linkBack, directBack, scan,
                        GrowAndConvertAlone(n, actRecords, kActMap, ferrow::ActToCard));

    // Palm Desktop: every run on a new empty address book.
    CBaseTable::CreateEmpty(book.c_str());
    LinkRun palm{link, ini, FERROW_LINK_PALM};
    linkOut = palm.Run(cards, FERROW_TO_PIM, &outResult, &count);
    linkBack = palm.Run(cards, FERROW_FROM_PIM, &backResult, &count);
    CBaseTable::CreateEmpty(book.c_str());
    std::vector<std::vector<char>> palmRecords =
        ExchangeRecords(cards, kPalmMap, PalmRecordPart, sizeof(ferrow::PalmAddressBuffer));
    directOut = PalmDirectOut(book, palmRecords);
    directBack = PalmDirectBack(book);
    scan =
        ScanAlone(cards, RoundTripped(cards, kPalmMap, PalmRecordPart, PalmRecordBack), kPalmMap, ferrow::SkipNew::Yes);
    PrintRows("Palm Desktop", linkOut, directOut, linkBack, directBack, scan, outResult, backResult, count, n);
    PrintGrowAndConvert("Palm Desktop", linkBack, directBack, scan,
                        GrowAndConvertAlone(n, palmRecords, kPalmMap, PalmRecordBack));

    PrintPeakMemory(n);
    CallServer(ZEM_ACTOLE_SERVER, "DllUnregisterServer");
    RemoveFolderTree(folder);
    return 0;
}
