// Lexor.dll as an outside caller sees it: every export found by its exact name.
#pragma once
#include "dll_module.h"
#include "lexor.h"

// clang-format off
#define LEXOR_WORD_LIST_EXPORTS(X) \
    X(NEW_DefLoadQktrBinParam) \
    X(DELETE_DefLoadQktrBinParam) \
    X(LoadQktrBin) \
    X(FreeQktrBin) \
    X(IsOpen) \
    X(FindQktrBin) \
    X(FindQktrBinWithAttribute) \
    X(FindZemBin) \
    X(FindZemBinWithAttribute) \
    X(FindLexorAndTag) \
    X(GetCurrentDatabaseLanguage) \
    X(GetCurrentDatabaseFormat) \
    X(SetLanguage) \
    X(ConvertToFullWidth) \
    X(ConvertToHalfWidth) \
    X(ConvertToLowerCase)
// clang-format on

// clang-format off
#define LEXOR_TABLE_EXPORTS(X) \
    X(CreateDAODic) \
    X(CloseDAODic) \
    X(SetDaoCurrentIndex) \
    X(GetFieldDAODic) \
    X(SetFieldDAODic) \
    X(AddDAODic) \
    X(DeleteDAODic) \
    X(SeekDAODic) \
    X(SeekStartPosOnlyDAODic) \
    X(MoveNextDAODic) \
    X(CreateBookMarkDAODic) \
    X(DeleteBookMarkDAODic) \
    X(SetBookMarkDAODic) \
    X(GetBookMarkDAODic)
// clang-format on

struct LexorApi {
    DllModule dll{"Lexor.dll"};
#define LEXOR_MEMBER(name) decltype(&::name) name = dll.require<decltype(&::name)>(#name);
    LEXOR_WORD_LIST_EXPORTS(LEXOR_MEMBER)
    LEXOR_TABLE_EXPORTS(LEXOR_MEMBER)
#undef LEXOR_MEMBER
};
