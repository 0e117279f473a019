// The word-list exports: load parameter block, loading (direct or on a worker thread),
// lookups.
#include "lexor.h"
#include "lexor_app.h"
#include "loaded_word_list.h"
#include <windows.h>
#include <cstring>
#include <new>
#include <string>

struct LexorWordList : CLoadedWordList {};

// Callers outside the library lay these out by the byte.
static_assert(sizeof(DefLoadQktrBinParam) == 272, "parameter block is 272 bytes");
static_assert(sizeof(TagFreq) == 16, "tag and frequency out record is 16 bytes");

namespace {

// The lookups wait here while a load runs; pending sent messages still reach the caller's
// windows, and the processor goes to the loader instead of a busy loop.
void WaitWhileLoading(const LexorWordList* list) {
    MSG msg;
    while (list->state.load(std::memory_order_acquire) == kLoading) {
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(1);
    }
}

// The block's list once it is ready, else null.
LexorWordList* ReadyList(DefLoadQktrBinParam* block) {
    if (!block || !block->wordList) return nullptr;
    WaitWhileLoading(block->wordList);
    return block->wordList->state.load(std::memory_order_acquire) == kReady ? block->wordList : nullptr;
}

int LoadWordList(DefLoadQktrBinParam* block) {
    LexorWordList* list = block->wordList;
    bool loaded = false;
    try {
        // The path field may lack its terminator; never read past the field for it.
        const std::string path(block->path, strnlen(block->path, sizeof block->path));
        if (list->ReadWordListFile(path.c_str())) {
            list->UnscrambleImage();
            loaded = list->ParseWordList(block, true);
        }
    } catch (...) {
        loaded = false;
    }
    if (!loaded) {
        list->Release();
        list->state.store(kFailed, std::memory_order_release);
        return 0;
    }
    // An unknown header language leaves the list usable without full-width queries.
    list->language.SetLanguage(block->language);
    list->headerLanguage = block->language;
    list->headerFormat = block->format;
    list->state.store(kReady, std::memory_order_release);
    return 1;
}

DWORD WINAPI LoaderThread(LPVOID parameter) {
    LoadWordList(static_cast<DefLoadQktrBinParam*>(parameter));
    // The thread holds its own reference to the library, so an unload while it runs cannot
    // pull the code from under it.
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LoaderThread), &self);
    FreeLibraryAndExitThread(self, 0);
}

bool StartLoaderThread(DefLoadQktrBinParam* block) {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&LoaderThread), &self))
        return false;
    HANDLE thread = CreateThread(nullptr, 0, LoaderThread, block, 0, nullptr);
    if (!thread) {
        FreeLibrary(self);
        return false;
    }
    CloseHandle(thread);
    return true;
}

// Maps the word into the list's stored form.
std::string Query(const LexorWordList* list, const char* word) { return list->language.QueryForm(word); }

// The state a conversion works under: the block's list, the library default for null, and a
// never-valid state for a block without a list.
const CLanguageState& ConversionLanguage(DefLoadQktrBinParam* block) {
    static const CLanguageState noLanguage;
    if (!block) return TheApp().defaultLanguage;
    return block->wordList ? block->wordList->language : noLanguage;
}

}  // namespace

extern "C" {

DefLoadQktrBinParam* __cdecl NEW_DefLoadQktrBinParam(void) { return new (std::nothrow) DefLoadQktrBinParam{}; }

void __cdecl DELETE_DefLoadQktrBinParam(DefLoadQktrBinParam* block) {
    FreeQktrBin(block);
    delete block;
}

int __cdecl LoadQktrBin(DefLoadQktrBinParam* block, int async) {
    if (!block) return 0;
    FreeQktrBin(block);
    LexorWordList* list = new (std::nothrow) LexorWordList;
    if (!list) return 0;
    // Attached and marked loading before any thread starts, so a lookup issued right after
    // an asynchronous start waits for the true answer instead of missing.
    block->wordList = list;
    list->state.store(kLoading, std::memory_order_release);
    if (!async) return LoadWordList(block);
    if (StartLoaderThread(block)) return 1;
    list->state.store(kFailed, std::memory_order_release);
    return 0;
}

void __cdecl FreeQktrBin(DefLoadQktrBinParam* block) {
    if (!block || !block->wordList) return;
    LexorWordList* list = block->wordList;
    WaitWhileLoading(list);
    list->Release();
    list->state.store(kFailed, std::memory_order_release);
    delete list;
    block->wordList = nullptr;
}

int __cdecl IsOpen(DefLoadQktrBinParam* block) {
    return block && block->wordList && block->wordList->state.load(std::memory_order_acquire) == kReady;
}

int __cdecl FindQktrBin(DefLoadQktrBinParam* block, const char* word) {
    LexorWordList* list = ReadyList(block);
    if (!list || !word) return 0;
    return list->Search(Query(list, word).c_str()) >= 0;
}

int __cdecl FindQktrBinWithAttribute(DefLoadQktrBinParam* block, const char* word, int* attributeIndex, int* value) {
    LexorWordList* list = ReadyList(block);
    if (!list || !word) return 0;
    const int row = list->Search(Query(list, word).c_str());
    if (row < 0) return -1;
    if (attributeIndex) *attributeIndex = list->AttributeIndex(row);
    if (value) *value = list->Value(row);
    return row;
}

int __cdecl FindZemBin(DefLoadQktrBinParam* block, const char* word) {
    LexorWordList* list = ReadyList(block);
    if (!list || !word) return 0;
    const int row = list->Search(Query(list, word).c_str());
    if (row < 0) return 0;
    return list->Attributes(row) == CAttributeSet::Only(kRunMarkerBit) ? -1 : 1;
}

int __cdecl FindZemBinWithAttribute(DefLoadQktrBinParam* block, const char* word, int row, const char** text,
                                    int* attribute, int* value) {
    if (!block || !block->wordList) return -2;
    LexorWordList* list = ReadyList(block);
    if (!list) return -3;
    const CAttributeSet marker = CAttributeSet::Only(kRunMarkerBit);
    if (row < 0) {
        if (!word) return -1;
        row = list->Search(Query(list, word).c_str());
        if (row < 0) return -1;
        if (list->Attributes(row) == marker) {
            ++row;
            if (row >= list->Count() || list->Attributes(row) == marker) return -1;
        }
    } else {
        if (row >= list->Count() - 1) return -1;
        ++row;
        if (list->Attributes(row).Test(kRunMarkerBit)) return -1;
    }
    if (text) *text = list->Text(row);
    if (attribute) *attribute = list->AttributeWord(row);
    if (value) *value = list->Value(row);
    return row;
}

int __cdecl FindLexorAndTag(DefLoadQktrBinParam* block, const char* word, TagFreq* out) {
    LexorWordList* list = ReadyList(block);
    if (!list || !word) return 0;
    return list->tagged.Find(Query(list, word).c_str(), out);
}

int __cdecl GetCurrentDatabaseLanguage(DefLoadQktrBinParam* block) {
    return IsOpen(block) ? block->wordList->headerLanguage : 0;
}

int __cdecl GetCurrentDatabaseFormat(DefLoadQktrBinParam* block) {
    return IsOpen(block) ? block->wordList->headerFormat : 0;
}

int __cdecl SetLanguage(DefLoadQktrBinParam* block, int language) {
    if (block && !block->wordList) return 0;
    CLanguageState& state = block ? block->wordList->language : TheApp().defaultLanguage;
    return state.SetLanguage(language) ? 1 : 0;
}

int __cdecl ConvertToFullWidth(DefLoadQktrBinParam* block, unsigned short* ch) {
    return ch ? ConversionLanguage(block).ToFullWidth(ch) : 0;
}

int __cdecl ConvertToHalfWidth(DefLoadQktrBinParam* block, unsigned short* ch) {
    return ch ? ConversionLanguage(block).ToHalfWidth(ch) : 0;
}

int __cdecl ConvertToLowerCase(DefLoadQktrBinParam* block, unsigned short* ch) {
    return ch ? ConversionLanguage(block).ToLowerCase(ch) : 0;
}

}  // extern "C"
