// The card database library as a caller sees it: kvdb32.dll loaded by name and its 50
// functions found by their exact decorated export names.
#pragma once
#include "dll_module.h"
#include "kvdb32.h"

struct KvdbApi {
    int(__stdcall* DbeInit)(void) = nullptr;
    void(__stdcall* DbeExit)(void) = nullptr;
    int(__stdcall* OpenDatabase)(int, const char*, HKVDB*) = nullptr;
    int(__stdcall* OpenDatabaseEx)(int, const char*, const char*, const char*, HKVDB*) = nullptr;
    int(__stdcall* CreateDatabase)(int, const char*, int, HKVDB*) = nullptr;
    int(__stdcall* CompactDatabase)(int, const char*, const char*, int) = nullptr;
    int(__stdcall* CloseDatabase)(HKVDB) = nullptr;
    int(__stdcall* StartTransation)(HKVDB) = nullptr;
    int(__stdcall* Commit)(HKVDB) = nullptr;
    int(__stdcall* Rollback)(HKVDB) = nullptr;
    int(__stdcall* TblCreate)(HKVDB, const char*) = nullptr;
    int(__stdcall* TblDelete)(HKVDB, const char*) = nullptr;
    int(__stdcall* TblNew)(HKVDB, const char*, HKVTBL*) = nullptr;
    int(__stdcall* TblFree)(HKVTBL) = nullptr;
    int(__stdcall* TblOpen)(HKVTBL) = nullptr;
    int(__stdcall* TblClose)(HKVTBL) = nullptr;
    int(__stdcall* TblRefresh)(HKVTBL) = nullptr;
    void(__stdcall* SetFilter)(HKVTBL, const char*) = nullptr;
    void(__stdcall* KeyAdd)(HKVTBL, const char*) = nullptr;
    void(__stdcall* KeyDrop)(HKVTBL, const char*) = nullptr;
    void(__stdcall* KeyClear)(HKVTBL) = nullptr;
    void(__stdcall* SetSortOrder)(HKVTBL, int) = nullptr;
    int(__stdcall* CardRecGet)(HKVTBL, CardRec*, int) = nullptr;
    int(__stdcall* CardRecInsert)(HKVTBL, const CardRec*) = nullptr;
    int(__stdcall* CardRecUpdate)(HKVTBL, const CardRec*) = nullptr;
    int(__stdcall* RecDelete)(HKVTBL) = nullptr;
    int(__stdcall* RecFirst)(HKVTBL) = nullptr;
    int(__stdcall* RecPrev)(HKVTBL) = nullptr;
    int(__stdcall* RecNext)(HKVTBL) = nullptr;
    int(__stdcall* RecLast)(HKVTBL) = nullptr;
    int(__stdcall* RecGoto)(HKVTBL, int) = nullptr;
    int(__stdcall* RecFindFirst)(HKVTBL, const char*) = nullptr;
    int(__stdcall* RecFindLast)(HKVTBL, const char*) = nullptr;
    int(__stdcall* RecFindNext)(HKVTBL, const char*) = nullptr;
    int(__stdcall* RecFindPrev)(HKVTBL, const char*) = nullptr;
    int(__stdcall* RecFindFirstDate)(HKVTBL, const char*, int, int, int, int, int, int) = nullptr;
    int(__stdcall* RecFindLastDate)(HKVTBL, const char*, int, int, int, int, int, int) = nullptr;
    int(__stdcall* RecFindNextDate)(HKVTBL, const char*, int, int, int, int, int, int) = nullptr;
    int(__stdcall* RecFindPrevDate)(HKVTBL, const char*, int, int, int, int, int, int) = nullptr;
    int(__stdcall* RecNum)(HKVTBL) = nullptr;
    int(__stdcall* TblNRecs)(HKVTBL) = nullptr;
    int(__stdcall* TblIsExist)(HKVDB, const char*) = nullptr;
    int(__stdcall* TblIsOpen)(HKVTBL) = nullptr;
    int(__stdcall* RecIsBOF)(HKVTBL) = nullptr;
    int(__stdcall* RecIsEOF)(HKVTBL) = nullptr;
    int(__stdcall* MakeDateStmt)(int, int, int, int, int, int, int, char*, int) = nullptr;
    int(__stdcall* ExpToDBF)(int) = nullptr;
    int(__stdcall* ExpToODBC)(int) = nullptr;
    int(__stdcall* ImpFromDBF)(int) = nullptr;
    int(__stdcall* ImpFromODBC)(int) = nullptr;

    // Every export, by name; a missing one fails the calling test.
    void Load(const DllModule& dll) {
        DbeInit = dll.require<decltype(DbeInit)>("_kvDbeInit@0");
        DbeExit = dll.require<decltype(DbeExit)>("_kvDbeExit@0");
        OpenDatabase = dll.require<decltype(OpenDatabase)>("_kvOpenDatabase@12");
        OpenDatabaseEx = dll.require<decltype(OpenDatabaseEx)>("_kvOpenDatabaseEx@20");
        CreateDatabase = dll.require<decltype(CreateDatabase)>("_kvCreateDatabase@16");
        CompactDatabase = dll.require<decltype(CompactDatabase)>("_kvCompactDatabase@16");
        CloseDatabase = dll.require<decltype(CloseDatabase)>("_kvCloseDatabase@4");
        StartTransation = dll.require<decltype(StartTransation)>("_kvStartTransation@4");
        Commit = dll.require<decltype(Commit)>("_kvCommit@4");
        Rollback = dll.require<decltype(Rollback)>("_kvRollback@4");
        TblCreate = dll.require<decltype(TblCreate)>("_kvTblCreate@8");
        TblDelete = dll.require<decltype(TblDelete)>("_kvTblDelete@8");
        TblNew = dll.require<decltype(TblNew)>("_kvTblNew@12");
        TblFree = dll.require<decltype(TblFree)>("_kvTblFree@4");
        TblOpen = dll.require<decltype(TblOpen)>("_kvTblOpen@4");
        TblClose = dll.require<decltype(TblClose)>("_kvTblClose@4");
        TblRefresh = dll.require<decltype(TblRefresh)>("_kvTblRefresh@4");
        SetFilter = dll.require<decltype(SetFilter)>("_kvSetFilter@8");
        KeyAdd = dll.require<decltype(KeyAdd)>("_kvKeyAdd@8");
        KeyDrop = dll.require<decltype(KeyDrop)>("_kvKeyDrop@8");
        KeyClear = dll.require<decltype(KeyClear)>("_kvKeyClear@4");
        SetSortOrder = dll.require<decltype(SetSortOrder)>("_kvSetSortOrder@8");
        CardRecGet = dll.require<decltype(CardRecGet)>("_kvCardRecGet@12");
        CardRecInsert = dll.require<decltype(CardRecInsert)>("_kvCardRecInsert@8");
        CardRecUpdate = dll.require<decltype(CardRecUpdate)>("_kvCardRecUpdate@8");
        RecDelete = dll.require<decltype(RecDelete)>("_kvRecDelete@4");
        RecFirst = dll.require<decltype(RecFirst)>("_kvRecFirst@4");
        RecPrev = dll.require<decltype(RecPrev)>("_kvRecPrev@4");
        RecNext = dll.require<decltype(RecNext)>("_kvRecNext@4");
        RecLast = dll.require<decltype(RecLast)>("_kvRecLast@4");
        RecGoto = dll.require<decltype(RecGoto)>("_kvRecGoto@8");
        RecFindFirst = dll.require<decltype(RecFindFirst)>("_kvRecFindFirst@8");
        RecFindLast = dll.require<decltype(RecFindLast)>("_kvRecFindLast@8");
        RecFindNext = dll.require<decltype(RecFindNext)>("_kvRecFindNext@8");
        RecFindPrev = dll.require<decltype(RecFindPrev)>("_kvRecFindPrev@8");
        RecFindFirstDate = dll.require<decltype(RecFindFirstDate)>("_kvRecFindFirstDate@32");
        RecFindLastDate = dll.require<decltype(RecFindLastDate)>("_kvRecFindLastDate@32");
        RecFindNextDate = dll.require<decltype(RecFindNextDate)>("_kvRecFindNextDate@32");
        RecFindPrevDate = dll.require<decltype(RecFindPrevDate)>("_kvRecFindPrevDate@32");
        RecNum = dll.require<decltype(RecNum)>("_kvRecNum@4");
        TblNRecs = dll.require<decltype(TblNRecs)>("_kvTblNRecs@4");
        TblIsExist = dll.require<decltype(TblIsExist)>("_kvTblIsExist@8");
        TblIsOpen = dll.require<decltype(TblIsOpen)>("_kvTblIsOpen@4");
        RecIsBOF = dll.require<decltype(RecIsBOF)>("_kvRecIsBOF@4");
        RecIsEOF = dll.require<decltype(RecIsEOF)>("_kvRecIsEOF@4");
        MakeDateStmt = dll.require<decltype(MakeDateStmt)>("_kvMakeDateStmt@36");
        ExpToDBF = dll.require<decltype(ExpToDBF)>("_kvExpToDBF@4");
        ExpToODBC = dll.require<decltype(ExpToODBC)>("_kvExpToODBC@4");
        ImpFromDBF = dll.require<decltype(ImpFromDBF)>("_kvImpFromDBF@4");
        ImpFromODBC = dll.require<decltype(ImpFromODBC)>("_kvImpFromODBC@4");
    }
};
