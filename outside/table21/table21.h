// Palm Desktop's table library as the link library calls it: an address book table read from
// and saved to one address.dat file, an iterator over its records, and records bound to it.
// Callers delay-load the library, so nothing here is inline or exported data: every call,
// constructors included, is a function of the library.
#pragma once
#include <stdint.h>

#ifdef TABLE21_BUILDING
#define TABLE21_CALL __declspec(dllexport)
#else
#define TABLE21_CALL
#endif

#define TABLE21_LIBRARY "TABLE21.dll"

struct Table21Book;
class CBaseRecord;

class CBaseTable {
public:
    TABLE21_CALL CBaseTable();
    TABLE21_CALL virtual ~CBaseTable();
    CBaseTable(const CBaseTable&) = delete;
    CBaseTable& operator=(const CBaseTable&) = delete;

    // Reads the table from the file (flags: 0). 0 when read; 1 when the file is missing or
    // cannot be read; 2 when it is not an address book of this format.
    TABLE21_CALL int OpenFrom(const char* path, int flags);
    // Writes every record back to the file it was opened from. 0 when written, 1 when not.
    TABLE21_CALL int Save();
    // Records held, deleted ones included; 0 before a table was opened.
    TABLE21_CALL int GetRecordCount();
    // Drops the records that carry the deleted flag.
    TABLE21_CALL void PurgeDeletedRecords();
    // Adds an empty record at the end and binds `record` to it. 0 when added, 1 when the
    // table is not open.
    TABLE21_CALL virtual int AppendBlankRecord(CBaseRecord* record);

    // Not a call of the library it stands in for: the stand-in's own ways of making test
    // books. CreateEmpty writes an address book without records (0 when written);
    // DeleteRecord sets the deleted flag of record index (0 when set).
    TABLE21_CALL static int CreateEmpty(const char* path);
    TABLE21_CALL int DeleteRecord(int index);

    Table21Book* Book() const { return book_; }

private:
    Table21Book* book_;
};

class CAddressTable : public CBaseTable {
public:
    TABLE21_CALL CAddressTable();
    TABLE21_CALL ~CAddressTable() override;
};

// A view of one record of a table; the texts it gives stay valid until the record changes.
class CBaseRecord {
public:
    TABLE21_CALL CBaseRecord(CBaseTable* table, int flags);
    TABLE21_CALL virtual ~CBaseRecord();
    CBaseRecord(const CBaseRecord&) = delete;
    CBaseRecord& operator=(const CBaseRecord&) = delete;

    // The record's status word (0 for a record added here).
    TABLE21_CALL int32_t GetStatus();
    TABLE21_CALL void SetCategoryId(int category);
    TABLE21_CALL int GetCategoryId();

    // Binds the record to entry index of its table (the iterator and the append do this).
    TABLE21_CALL void Bind(int index);
    int Index() const { return index_; }

protected:
    CBaseTable* table_;
    int index_;
};

class CAddressRecord : public CBaseRecord {
public:
    TABLE21_CALL CAddressRecord(CAddressTable* table, int flags);
    TABLE21_CALL ~CAddressRecord() override;

    // Texts: never null; an unbound record gives "". Setters copy the whole text.
    TABLE21_CALL const char* GetName();
    TABLE21_CALL const char* GetFirst();
    TABLE21_CALL const char* GetTitle();
    TABLE21_CALL const char* GetCompany();
    TABLE21_CALL const char* GetAddress();
    TABLE21_CALL const char* GetCity();
    TABLE21_CALL const char* GetState();
    TABLE21_CALL const char* GetZipCode();
    TABLE21_CALL const char* GetCountry();
    TABLE21_CALL const char* GetNote();
    TABLE21_CALL void SetName(const char* text);
    TABLE21_CALL void SetFirst(const char* text);
    TABLE21_CALL void SetTitle(const char* text);
    TABLE21_CALL void SetCompany(const char* text);
    TABLE21_CALL void SetAddress(const char* text);
    TABLE21_CALL void SetCity(const char* text);
    TABLE21_CALL void SetState(const char* text);
    TABLE21_CALL void SetZipCode(const char* text);
    TABLE21_CALL void SetCountry(const char* text);
    TABLE21_CALL void SetNote(const char* text);
    // Phones 1 to 5 with their label ids; custom fields 1 to 4. Other numbers give "" or 0
    // and set nothing.
    TABLE21_CALL const char* GetPhone(int n);
    TABLE21_CALL void SetPhone(int n, const char* text);
    TABLE21_CALL int16_t GetPhoneLabelID(int n);
    TABLE21_CALL void SetPhoneLabelID(int n, int16_t label);
    TABLE21_CALL const char* GetCustom(int n);
    TABLE21_CALL void SetCustom(int n, const char* text);
};

// Walks the records of a table in file order.
class CBaseIterator {
public:
    TABLE21_CALL explicit CBaseIterator(CBaseTable* table);
    TABLE21_CALL virtual ~CBaseIterator();
    CBaseIterator(const CBaseIterator&) = delete;
    CBaseIterator& operator=(const CBaseIterator&) = delete;

    // Binds record to the first (next) record not flagged deleted (flags: 1). 0 when there is
    // one, 1 past the last.
    TABLE21_CALL int FindFirst(CBaseRecord* record, int flags);
    TABLE21_CALL int FindNext(CBaseRecord* record, int flags);

private:
    int Seek(CBaseRecord* record, int from);
    CBaseTable* table_;
    int next_;
};

class CAddressIterator : public CBaseIterator {
public:
    TABLE21_CALL explicit CAddressIterator(CAddressTable* table);
    TABLE21_CALL ~CAddressIterator() override;
};
