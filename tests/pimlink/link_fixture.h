// The main program's side of a PIM link test: Ferrow.dll's FerrowDBFile, a settings file in the
// test's card-file folder, and the link card array handed to it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "card_file_fixture.h"
#include "dll_module.h"
#include "linkcards.h"

class LinkFixture : public CardFileFolder {
protected:
    using FerrowDBFileFn = int (*)(const char*, const char*, CardRecV4**, int*, int, int);

    void SetUp() override {
        CardFileFolder::SetUp();
        ASSERT_TRUE(ferrow_.loaded());
        link_ = ferrow_.require<FerrowDBFileFn>("FerrowDBFile");
        ini_ = Path("zem40.ini");
        cards_ = AllocLinkCards(0);
    }
    void TearDown() override {
        FreeLinkCards(cards_);
        CardFileFolder::TearDown();
    }

    void Set(const char* section, const char* key, const std::string& value) {
        WritePrivateProfileStringA(section, key, value.c_str(), ini_.c_str());
    }
    // A new array holding the cards, with `spare` empty entries behind them.
    void Hold(const std::vector<CardRecV4>& cards, int spare = LINKCARDS_SPARE) {
        FreeLinkCards(cards_);
        count_ = static_cast<int>(cards.size());
        cards_ = AllocLinkCards(count_ + spare - LINKCARDS_SPARE);
        for (int i = 0; i < count_; ++i) cards_[i] = cards[i];
    }
    int Call(int type, int direction, const char* cardDb = nullptr) {
        return link_(ini_.c_str(), cardDb, &cards_, &count_, type, direction);
    }
    // Sets (or, for null, removes) the default value of a key under HKEY_LOCAL_MACHINE.
    static void SetMachineDefault(const char* key, const char* value) {
        if (!value) {
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
            return;
        }
        HKEY handle;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
        RegCloseKey(handle);
    }

    DllModule ferrow_{"Ferrow.dll"};
    FerrowDBFileFn link_ = nullptr;
    std::string ini_;
    CardRecV4* cards_ = nullptr;
    int count_ = 0;
};
