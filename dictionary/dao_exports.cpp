// The dictionary-table exports: thin wrappers over the application object's dictionary.
#include "lexor.h"
#include "lexor_app.h"
#include <new>

static_assert(sizeof(DicRecord) == 224, "dictionary record is 224 bytes");

namespace {

CDaoDictionary& Dictionary() { return TheApp().dictionary; }

// Reading always re-codes by the default language number, whether or not it is valid.
int ReadLanguage() { return TheApp().defaultLanguage.Language(); }

// Adding re-codes only under a valid default language.
int StoreLanguage() {
    const CLanguageState& state = TheApp().defaultLanguage;
    return state.IsValid() ? state.Language() : -1;
}

}  // namespace

extern "C" {

int __cdecl CreateDAODic(const char* fileName, int type) { return Dictionary().Create(fileName, type); }

int __cdecl CloseDAODic(void) {
    Dictionary().Close();
    return 0;
}

int __cdecl SetDaoCurrentIndex(int which) { return Dictionary().SetCurrentIndex(which); }

int __cdecl GetFieldDAODic(DicRecord* out) { return Dictionary().GetField(out, ReadLanguage()); }

int __cdecl SetFieldDAODic(const DicRecord* in) { return Dictionary().SetField(in); }

int __cdecl AddDAODic(const DicRecord* in) { return Dictionary().Add(in, StoreLanguage()); }

void __cdecl DeleteDAODic(void) { Dictionary().Delete(); }

int __cdecl SeekDAODic(int startPos, int endPos, DicRecord* out) {
    return Dictionary().Seek(startPos, endPos, out, ReadLanguage());
}

int __cdecl SeekStartPosOnlyDAODic(int startPos, DicRecord* out) {
    return Dictionary().SeekStartOnly(startPos, out, ReadLanguage());
}

int __cdecl MoveNextDAODic(DicRecord* out) { return Dictionary().MoveNext(out, ReadLanguage()); }

void* __cdecl CreateBookMarkDAODic(void) { return new (std::nothrow) CDaoValue; }

void __cdecl DeleteBookMarkDAODic(void* holder) { delete static_cast<CDaoValue*>(holder); }

int __cdecl GetBookMarkDAODic(void* holder) {
    Dictionary().GetBookmark(static_cast<CDaoValue*>(holder));
    return 0;
}

int __cdecl SetBookMarkDAODic(void* holder) { return Dictionary().SetBookmark(static_cast<const CDaoValue*>(holder)); }

}  // extern "C"
