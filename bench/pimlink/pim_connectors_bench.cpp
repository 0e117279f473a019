// The Outlook and Outlook Express links of Ferrow.dll against driving the same stand-ins
// directly with the same cards, in the same run:
//   out:  FerrowDBFile direction 1 (marking pass and export) into an empty store
//         vs  one Find and one created, filled and saved contact per card
//   back: FerrowDBFile direction 2 with the same cards (every contact found, none new)
//         vs  reading every contact's fields
// The duplicate scan (each contact compared with the cards under the map) is timed alone with
// the link library's own classes and given as its share of "back". 12 fields are mapped.
// Usage: pim_connectors_bench [cards=5000]. Prints ratios and peak memory; asserts nothing.
#include "bench_folder.h"
#include "host_note.h"
#include "connector_bench.h"
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "automation_object.h"
#include "com_scope.h"
#include "entry_file.h"
#include "ferrow.h"
#include "outlook_field_list.h"
#include "wab_field_list.h"
#include "wab_interfaces.h"

namespace {

// Name, Title, Department, Company, Office, Mobile, Fax, Email, Web Site, Address, City, Zip.
const char kOutlookMap[] = "1,0,5,0,6,4,26,36,0,28,0,45,0,44,0,10,11,0,13,0,0,0,0,0,0,0,0,0";
const char kWabMap[] = "1,0,7,0,8,6,15,28,0,18,0,30,0,19,0,9,10,0,12,0,0,0,0,0,0,0,0,0";

// ---- Outlook, directly ---------------------------------------------------------------------

bool OpenOutlookItems(ferrow::CAutomationObject* application, ferrow::CAutomationObject* items) {
    using ferrow::CAutomationObject;
    *application = CAutomationObject::Create(L"Outlook.Application");
    CAutomationObject space, folder;
    VARIANT mapi = CAutomationObject::Text("MAPI");
    bool open = application->Valid() && application->Object(L"GetNamespace", {mapi}, &space) && space.Valid() &&
                space.Object(L"GetDefaultFolder", {CAutomationObject::Int(10)}, &folder) && folder.Valid() &&
                folder.Object(L"Items", {}, items) && items->Valid();
    VariantClear(&mapi);
    return open;
}

double OutlookDirectOut(const std::vector<std::vector<char>>& lists) {
    using ferrow::CAutomationObject;
    ferrow::CComScope com;
    double start = Seconds();
    CAutomationObject application, items;
    if (!OpenOutlookItems(&application, &items)) return -1;
    for (const std::vector<char>& list : lists) {
        std::string filter = std::string("[FileAs] = \"") + (list.data() + 2) + "\"";
        VARIANT text = CAutomationObject::Text(filter.c_str());
        CAutomationObject found, item;
        items.Object(L"Find", {text}, &found);
        VariantClear(&text);
        application.Object(L"CreateItem", {CAutomationObject::Int(2)}, &item);
        for (const ferrow::OutlookSlot& slot : ferrow::kOutlookFieldList)
            item.PutText(slot.id, list.data() + slot.offset);
        item.Method(L"Save");
    }
    return Seconds() - start;
}

double OutlookDirectBack() {
    using ferrow::CAutomationObject;
    ferrow::CComScope com;
    double start = Seconds();
    CAutomationObject application, items, item;
    if (!OpenOutlookItems(&application, &items)) return -1;
    items.Object(L"GetFirst", {}, &item);
    for (std::string value; item.Valid(); items.Object(L"GetNext", {}, &item)) {
        long itemClass = 0;
        item.Integer(L"Class", &itemClass);
        for (const ferrow::OutlookSlot& slot : ferrow::kOutlookFieldList) item.GetText(slot.id, &value);
    }
    return Seconds() - start;
}

// ---- Windows Address Book, directly ---------------------------------------------------------

struct Wab {
    HMODULE library = nullptr;
    IAddrBook* book = nullptr;
    IWABObject* wab = nullptr;
    IABContainer* container = nullptr;

    bool Open(const std::string& path) {
        library = LoadLibraryA(path.c_str());
        auto open = library ? reinterpret_cast<LPWABOPEN>(reinterpret_cast<void*>(GetProcAddress(library, "WABOpen")))
                            : nullptr;
        WAB_PARAM parameters = {};
        parameters.cbSize = 16;
        if (!open || open(&book, &wab, &parameters, 0) != S_OK) return false;
        ULONG size = 0, type = 0;
        ENTRYID* id = nullptr;
        IUnknown* object = nullptr;
        book->GetPAB(&size, &id);
        book->OpenEntry(size, id, nullptr, 0, &type, &object);
        wab->FreeBuffer(id);
        container = static_cast<IABContainer*>(object);
        return container != nullptr;
    }
    ~Wab() {
        if (container) container->Release();
        if (book) book->Release();
        if (wab) wab->Release();
        if (library) FreeLibrary(library);
    }
};

double WabDirectOut(const std::string& path, const std::vector<CardRecV4>& cards) {
    std::vector<std::vector<char>> lists =
        ExchangeRecords(cards, kWabMap, ferrow::CardToWab, ferrow::kWabFieldListSize);
    double start = Seconds();
    Wab wab;
    if (!wab.Open(path)) return -1;
    SizedSPropTagArray(1, templateTag) = {1, {0x36120102}};
    ULONG count = 0;
    SPropValue* templ = nullptr;
    wab.container->GetProps(reinterpret_cast<SPropTagArray*>(&templateTag), 0, &count, &templ);
    for (const std::vector<char>& list : lists) {
        IMAPIProp* entry = nullptr;
        if (FAILED(wab.container->CreateEntry(templ[0].Value.bin.cb, reinterpret_cast<ENTRYID*>(templ[0].Value.bin.lpb),
                                              1, &entry)))
            continue;
        SPropValue props[ferrow::kWabFields] = {};
        for (int i = 0; i < ferrow::kWabFields; ++i) {
            props[i].ulPropTag = ferrow::kWabFieldList[i].tag;
            props[i].Value.lpszA = const_cast<char*>(list.data() + ferrow::kWabFieldList[i].offset);
        }
        entry->SetProps(ferrow::kWabFields, props, nullptr);
        entry->SaveChanges(0);
        entry->Release();
    }
    wab.wab->FreeBuffer(templ);
    return Seconds() - start;
}

double WabDirectBack(const std::string& path) {
    double start = Seconds();
    Wab wab;
    IMAPITable* table = nullptr;
    if (!wab.Open(path) || FAILED(wab.container->GetContentsTable(0, &table))) return -1;
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    table->SetColumns(reinterpret_cast<SPropTagArray*>(&columns), 0);
    for (;;) {
        SRowSet* rows = nullptr;
        if (FAILED(table->QueryRows(1, 0, &rows)) || !rows || rows->cRows == 0) {
            if (rows) wab.wab->FreeBuffer(rows);
            break;
        }
        ULONG type = 0, n = 0;
        IUnknown* object = nullptr;
        SPropValue* props = nullptr;
        const SBinary& id = rows->aRow[0].lpProps[0].Value.bin;
        if (SUCCEEDED(wab.book->OpenEntry(id.cb, reinterpret_cast<ENTRYID*>(id.lpb), nullptr, 0, &type, &object))) {
            static_cast<IMailUser*>(object)->GetProps(nullptr, 0, &n, &props);
            wab.wab->FreeBuffer(props);
            object->Release();
        }
        wab.wab->FreeBuffer(rows->aRow[0].lpProps);
        wab.wab->FreeBuffer(rows);
    }
    table->Release();
    return Seconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    PrintHostNote();
    int n = argc > 1 ? atoi(argv[1]) : 5000;
    FerrowDBFileFn link = LoadFerrowLink();
    if (!link || !CallServer(ZEM_OUTLOOK_SERVER, "DllRegisterServer")) {
        printf("Ferrow.dll or the Outlook stand-in not found\n");
        return 1;
    }
    std::string folder = TempBenchFolder("pim_connectors_bench");
    std::string ini = folder + "zem40.ini", outlookFile = folder + "outlook.txt", wabFile = folder + "wab.txt";
    WritePrivateProfileStringA("OUTLOOK", "FieldMap", kOutlookMap, ini.c_str());
    WritePrivateProfileStringA("OUTLOOK_EX", "FieldMap", kWabMap, ini.c_str());
    std::string program = WindowsPathOf(ZEM_OUTLOOK_PROGRAM), wab32 = WindowsPathOf(ZEM_WAB32_DLL);
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE", 0,
                    nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                   static_cast<DWORD>(program.size() + 1));
    RegCloseKey(key);
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\WAB\\DLLPath", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(wab32.c_str()),
                   static_cast<DWORD>(wab32.size() + 1));
    RegCloseKey(key);
    SetEnvironmentVariableA("ZEM_OUTLOOK_FILE", outlookFile.c_str());
    SetEnvironmentVariableA("ZEM_WAB_FILE", wabFile.c_str());

    std::vector<CardRecV4> cards = MakeBenchCards(n);
    printf("cards %d, 12 fields mapped\n", n);
    int outResult = 0, backResult = 0, count = 0;

    DeleteFileA(outlookFile.c_str());
    LinkRun outlook{link, ini, FERROW_LINK_OUTLOOK};
    double linkOut = outlook.Run(cards, FERROW_TO_PIM, &outResult, &count);
    double linkBack = outlook.Run(cards, FERROW_FROM_PIM, &backResult, &count);
    DeleteFileA(outlookFile.c_str());
    double directOut =
        OutlookDirectOut(ExchangeRecords(cards, kOutlookMap, ferrow::CardToOutlook, ferrow::kOutlookFieldListSize));
    double directBack = OutlookDirectBack();
    double scan = ScanAlone(cards, RoundTripped(cards, kOutlookMap, ferrow::CardToOutlook, ferrow::OutlookToCard),
                            kOutlookMap, ferrow::SkipNew::Yes);
    PrintRows("Outlook", linkOut, directOut, linkBack, directBack, scan, outResult, backResult, count, n);

    DeleteFileA(wabFile.c_str());
    LinkRun wab{link, ini, FERROW_LINK_OUTLOOK_EXPRESS};
    linkOut = wab.Run(cards, FERROW_TO_PIM, &outResult, &count);
    linkBack = wab.Run(cards, FERROW_FROM_PIM, &backResult, &count);
    DeleteFileA(wabFile.c_str());
    directOut = WabDirectOut(wab32, cards);
    directBack = WabDirectBack(wab32);
    scan = ScanAlone(cards, RoundTripped(cards, kWabMap, ferrow::CardToWab, ferrow::WabToCard), kWabMap,
                     ferrow::SkipNew::No);
    PrintRows("Outlook Express", linkOut, directOut, linkBack, directBack, scan, outResult, backResult, count, n);

    PrintPeakMemory(n);
    CallServer(ZEM_OUTLOOK_SERVER, "DllUnregisterServer");
    RemoveFolderTree(folder);
    return 0;
}
