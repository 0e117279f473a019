// A cursor over one table: the statement parts it is opened from, and the operations every
// kind of dataset offers.
#pragma once
#include <string>

#include "cardrec.h"

class CkvDatabase;

class CkvDataset {
public:
    CkvDataset() = default;
    CkvDataset(const CkvDataset&) = delete;
    CkvDataset& operator=(const CkvDataset&) = delete;

    // Every operation below is the dataset side of the kvdb32 export of the same name (kvTblOpen,
    // kvCardRecGet, ...) and answers as that export does: 1 done, 0 failed or nothing to do,
    // with database errors already shown through the DAO error report.

    // Binds the dataset to its database before the first open; 1, or 0 for another kind.
    virtual int Attach(CkvDatabase* database) = 0;
    // Opens BuildSelect()'s statement on the first record.
    virtual int TblOpen() = 0;
    virtual int TblClose() = 0;
    // Closes and opens again, picking up a changed filter, key list or sort order.
    virtual int TblRefresh() = 0;
    // The current record's number from 1; 0 without one.
    virtual int RecNum() = 0;
    // The number of records; the cursor stays where it was.
    virtual int TblNRecs() = 0;
    // Reads the current record in the V4 layout; withImages also fills the image columns.
    virtual int CardRecGetV4(CardRecV4* rec, int withImages) = 0;
    // Reads the current record in the flat layout; withLong also fills note, second text, image.
    virtual int CardRecGet(CardRec* rec, int withLong) = 0;
    virtual int RecFirst() = 0;
    virtual int RecPrev() = 0;
    virtual int RecNext() = 0;
    virtual int RecLast() = 0;
    // Moves to record n (from 1) in the dataset's order.
    virtual int RecGoto(int n) = 0;
    // Appends a record; the cursor does not move.
    virtual int CardRecInsertV4(CardRecV4* rec) = 0;
    virtual int CardRecInsert(const CardRec* rec) = 0;
    // Rewrites the current record, keeping its stored LinkID.
    virtual int CardRecUpdateV4(CardRecV4* rec) = 0;
    virtual int CardRecUpdate(const CardRec* rec) = 0;
    virtual int RecDelete() = 0;
    // Moves to the first, last, next or previous record matching a WHERE condition; 0 leaves
    // the cursor where it was.
    virtual int RecFindFirst(const char* criteria) = 0;
    virtual int RecFindLast(const char* criteria) = 0;
    virtual int RecFindNext(const char* criteria) = 0;
    virtual int RecFindPrev(const char* criteria) = 0;
    virtual int TblIsOpen() = 0;
    // 1 before the first or after the last record (and when closed).
    virtual int RecIsBOF() = 0;
    virtual int RecIsEOF() = 0;
    virtual ~CkvDataset() = default;

    // "SELECT * FROM table[ WHERE filter][ ORDER BY keys][ DESC]", kept as the SQL text.
    const std::string& BuildSelect();
    // The statement last built.
    const std::string& Sql() const { return sql_; }
    const std::string& TableName() const { return table_; }
    const std::string& Filter() const { return filter_; }
    const std::string& Keys() const { return keys_; }

    void SetTableName(const char* name) { table_ = name ? name : ""; }
    void SetFilter(const char* filter) { filter_ = filter ? filter : ""; }
    // Appends the upper-cased column to the comma-separated key list.
    void KeyAdd(const char* column);
    // Removes the first occurrence of the upper-cased column (a plain substring search).
    void KeyDrop(const char* column);
    void KeyClear() { keys_.clear(); }
    // 1 descending; any other value ascending.
    void SetSortOrder(int order) { descending_ = order; }

private:
    std::string sql_;
    std::string table_;
    std::string filter_;
    std::string keys_;
    int descending_ = 0;
};

// Upper-cases an ANSI text the way the system's code page does (double-byte aware).
std::string UpperAnsi(const char* text);
