// kvdb32: the card database engine as 50 plain stdcall functions.
//
// Every function is exported under its decorated stdcall name (kvOpenDatabase is found
// as "_kvOpenDatabase@12"). Integers are signed 32-bit, texts NUL-terminated ANSI.
// Handles are opaque: a database handle comes from an open or create function and goes
// back through kvCloseDatabase; a dataset handle comes from kvTblNew and goes back through
// kvTblFree, before its database is closed. A handle and its datasets are used from one
// thread at a time. Unless a function says otherwise, a database error inside it is shown
// through the DAO error report ("DAO error %d, SOURCE = %s, DESCR = %s", a message box)
// and the function returns 0.
#pragma once
#include "cardrec.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifndef KVDB_API
#define KVDB_API __stdcall
#endif

typedef struct KvDatabaseHandle_* HKVDB;  // an open (or failed-to-open) card store
typedef struct KvDatasetHandle_* HKVTBL;  // a cursor over one table of a card store

// Database type codes.
enum { KVDB_TYPE_DBASE = 30, KVDB_TYPE_JET = 31 };

// Language codes of create and compact: the collating order of the new file.
// 1 Traditional Chinese, 2 Simplified Chinese, 3 Japanese, 4 Korean, anything else Western.
enum { KVDB_LANG_WESTERN = 0, KVDB_LANG_CHT = 1, KVDB_LANG_CHS = 2, KVDB_LANG_JPN = 3, KVDB_LANG_KOR = 4 };

// The card table of every card file.
#define KVDB_CARD_TABLE "NM"

// ---- engine -------------------------------------------------------------------------------

// Creates the process-wide engine on the first call and returns a non-zero value naming it
// (0 when it could not be allocated); every later call returns 1 and does nothing. No other
// function needs it: open, create and compact work without a prior kvDbeInit.
int KVDB_API kvDbeInit(void);

// Destroys the engine, if any, and forgets that kvDbeInit was called.
void KVDB_API kvDbeExit(void);

// ---- databases ----------------------------------------------------------------------------

// Opens a card store: type 31 a Jet file, exclusively for reading and writing; type 30 a
// folder of dBASE III files, shared. Writes the new handle to *out and returns 1 when the
// store is open. When the open fails it still writes a handle (of a store that is not open;
// close it with kvCloseDatabase) and returns the database error number, or 0 when there is
// no number (or it is 1); no message is shown. Any other type: 0, *out untouched.
int KVDB_API kvOpenDatabase(int type, const char* path, HKVDB* out);

// As kvOpenDatabase, but a Jet file is opened shared with the connect text
// ";UID=<user>;PWD=<password>" and a failure is shown through the DAO error report. Writes the
// handle and returns 1 whether the open succeeded or not; any other type than 30/31: 0.
// A dBASE folder ignores user and password.
int KVDB_API kvOpenDatabaseEx(int type, const char* path, const char* user, const char* password, HKVDB* out);

// Type 31: creates a new Jet file collated by the language (see KVDB_LANG_*); a failure (for
// instance an existing file) is shown through the DAO error report. Writes the handle and
// returns 1 whether the creation succeeded or not. Type 30 cannot create: writes the handle of
// a store that is not open and returns 1. Any other type: 0, *out untouched.
int KVDB_API kvCreateDatabase(int type, const char* path, int language, HKVDB* out);

// Compacts the Jet file source into the new file target collated by the language. The first
// argument is ignored. Returns 1 in every case; a failure has been shown through the DAO error
// report. Destroys the engine object.
int KVDB_API kvCompactDatabase(int ignored, const char* source, const char* target, int language);

// Closes the store and destroys its handle (nothing for a null handle); destroys the engine
// object but keeps kvDbeInit's flag. Returns 1.
int KVDB_API kvCloseDatabase(HKVDB db);

// Begins the one transaction level of the store. Null handle 0; otherwise 1, also when a
// transaction was already open (then nothing happens).
int KVDB_API kvStartTransation(HKVDB db);

// Commits the open transaction. Null handle 0; otherwise 1, also when none was open. A commit
// that the file refuses (a failed write, a full disk) shows the DAO error report and returns 0;
// the transaction is then either still open (a Rollback ends it) or already rolled back by the
// file, whichever really happened.
int KVDB_API kvCommit(HKVDB db);

// Rolls the open transaction back: the cards it inserted leave the open card tables and the
// ones it deleted come back; the IDs it handed out are not handed out again. Null handle 0;
// otherwise 1, also when none was open (or the file already rolled it back after a failed
// write).
int KVDB_API kvRollback(HKVDB db);

// Creates the card table in the flat layout with its indexes "PrimaryKey" (ID) and "LinkID".
// 1 created; 0 null handle or failure.
int KVDB_API kvTblCreate(HKVDB db, const char* table);

// Does nothing and returns 0: tables are never deleted through this interface.
int KVDB_API kvTblDelete(HKVDB db, const char* table);

// Makes a closed dataset on the table and writes its handle to *out; 1, or 0 for a null
// database. On a dBASE store no dataset is made: 1 is returned and *out is left as it was.
int KVDB_API kvTblNew(HKVDB db, const char* table, HKVTBL* out);

// 1 when a table of exactly that name (case-sensitive) exists; 0 otherwise or for null.
int KVDB_API kvTblIsExist(HKVDB db, const char* table);

// ---- datasets -----------------------------------------------------------------------------

// Destroys the dataset, closing it first when open. Null 0, else 1.
int KVDB_API kvTblFree(HKVTBL ds);

// Opens "SELECT * FROM <table>[ WHERE <filter>][ ORDER BY <keys>][ DESC]" as a dynaset, on
// the first record. 1 open; 0 null handle or failure (for instance an unknown sort column).
int KVDB_API kvTblOpen(HKVTBL ds);

// Closes the dataset when open. 1 (also when it was closed); 0 null handle or failure.
int KVDB_API kvTblClose(HKVTBL ds);

// Closes and reopens, picking up a changed filter, key list or sort order. The open's result;
// 0 for a null handle or a failed close.
int KVDB_API kvTblRefresh(HKVTBL ds);

// 1 when open; 0 when closed or null.
int KVDB_API kvTblIsOpen(HKVTBL ds);

// Sets the WHERE condition (without the keyword) for the next open; empty or null clears it.
// A null handle is ignored (as for every function without a result below).
void KVDB_API kvSetFilter(HKVTBL ds, const char* filter);

// Appends the column, upper-cased, to the ORDER BY list of the next open.
void KVDB_API kvKeyAdd(HKVTBL ds, const char* column);

// Removes the first occurrence of the upper-cased column from the ORDER BY list. The search
// is by substring: drop only names that were added.
void KVDB_API kvKeyDrop(HKVTBL ds, const char* column);

// Empties the ORDER BY list.
void KVDB_API kvKeyClear(HKVTBL ds);

// 1 sorts descending (" DESC" after the last key), any other value ascending, from the next open.
void KVDB_API kvSetSortOrder(HKVTBL ds, int order);

// Reads the current record into *rec. withLong non-zero also fills the descriptors
// SecondText, CNote (text in the dataset's buffers, valid until the next Get on the dataset)
// and CImage (in the dataset's buffer up to 10,485,760 bytes, beyond that in a new temporary
// file "PT_xxxx.ndf" named in FileName, which the caller deletes); zero leaves them empty.
// Texts longer than their field are cut to fit. 1 read; 0 null handle, null record, no
// current record or failure (the record is then left as it was).
int KVDB_API kvCardRecGet(HKVTBL ds, CardRec* rec, int withLong);

// Appends a record: LinkID, CDate (the current time when year, month or day is out of range),
// the 35 texts (empty ones as no value), Flags, and each long column whose descriptor has
// Modified set. The cursor does not move. 1 stored; 0 null handle, null record, closed or failure.
int KVDB_API kvCardRecInsert(HKVTBL ds, const CardRec* rec);

// Rewrites the current record as kvCardRecInsert writes a new one, but keeps the stored
// LinkID; a modified CNote of Size 0 and a modified CImage without data become Null.
// 1 stored; 0 null handle, null record, no current record or failure.
int KVDB_API kvCardRecUpdate(HKVTBL ds, const CardRec* rec);

// Deletes the current record. 1 deleted; 0 null, closed, no current record or failure.
int KVDB_API kvRecDelete(HKVTBL ds);

// Move the cursor. 1 moved; 0 null, closed or failure (moving on from after the last record
// or back from before the first is a failure and is reported).
int KVDB_API kvRecFirst(HKVTBL ds);
int KVDB_API kvRecPrev(HKVTBL ds);
int KVDB_API kvRecNext(HKVTBL ds);
int KVDB_API kvRecLast(HKVTBL ds);

// Moves to record n (from 1) in the dataset's order. 1 when it moved from a current record;
// 0 when there was none (it then moves to the first record and n - 1 on), for null, closed or
// failure. A number outside 1..count ends before the first or after the last record.
int KVDB_API kvRecGoto(HKVTBL ds, int n);

// Find the first, last, next or previous record matching criteria (a WHERE condition without
// the keyword; '*' and '?' are the like wildcards). 1 found (the cursor is on it); 0 not
// found (the cursor stays where it was), null, closed, or a criteria text the database
// rejects (shown through the DAO error report).
int KVDB_API kvRecFindFirst(HKVTBL ds, const char* criteria);
int KVDB_API kvRecFindLast(HKVTBL ds, const char* criteria);
int KVDB_API kvRecFindNext(HKVTBL ds, const char* criteria);
int KVDB_API kvRecFindPrev(HKVTBL ds, const char* criteria);

// As the finds above with the criteria "<column> = #m-d-yyyy h:mm:ss#".
int KVDB_API kvRecFindFirstDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                                int second);
int KVDB_API kvRecFindLastDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                               int second);
int KVDB_API kvRecFindNextDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                               int second);
int KVDB_API kvRecFindPrevDate(HKVTBL ds, const char* column, int year, int month, int day, int hour, int minute,
                               int second);

// Number of the current record from 1; 0 when there is none or the dataset is closed; -1 null.
int KVDB_API kvRecNum(HKVTBL ds);

// Number of records; 0 when closed or empty; -1 null. The cursor stays where it was, except
// that from before the first or after the last record it ends on the last record.
int KVDB_API kvTblNRecs(HKVTBL ds);

// The before-first / after-last flag; 1 for a null handle (and for a closed dataset).
int KVDB_API kvRecIsBOF(HKVTBL ds);
int KVDB_API kvRecIsEOF(HKVTBL ds);

// ---- helpers ------------------------------------------------------------------------------

// Writes the Jet date literal "#m-d-yyyy h:mm:ss#" with its terminator into dest and returns
// 1; returns 0 and writes nothing when it does not fit in destSize bytes (or dest is null).
// The first argument is ignored.
int KVDB_API kvMakeDateStmt(int ignored, int year, int month, int day, int hour, int minute, int second, char* dest,
                            int destSize);

// Kept for callers of older versions: do nothing and return 1.
int KVDB_API kvExpToDBF(int ignored);
int KVDB_API kvExpToODBC(int ignored);
int KVDB_API kvImpFromDBF(int ignored);
int KVDB_API kvImpFromODBC(int ignored);

#ifdef __cplusplus
}
#endif
