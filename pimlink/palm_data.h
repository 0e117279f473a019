// One Palm Desktop user's address book, opened through Palm Desktop's table library (delay-
// loaded: it is loaded on the first Open, and only then called), and the flat record that
// carries each address through the link's converters.
#pragma once
#include <stdint.h>
#include <windows.h>

class CAddressTable;
class CAddressIterator;
class CAddressRecord;

namespace ferrow {

// The record part (from `Reserved` on) is what CardToPalm writes and PalmToCard reads.
struct PalmAddressBuffer {
    int32_t Status;
    int16_t Reserved;
    char Name[51];
    char First[51];
    char Title[81];
    char Company[81];
    char Address[256];
    char City[31];
    char State[31];
    char ZipCode[11];
    char Country[31];
    char Phone[5][31];
    char Pad;
    int16_t PhoneLabel[5];
    char Custom[4][81];
    char Note[256];

    char* Record() { return reinterpret_cast<char*>(&Reserved); }
};
static_assert(sizeof(PalmAddressBuffer) == 1376, "PalmAddressBuffer is 1,376 bytes");

class CPalmData {
public:
    CPalmData() = default;
    virtual ~CPalmData() { Close(); }
    CPalmData(const CPalmData&) = delete;
    CPalmData& operator=(const CPalmData&) = delete;

    // Opens the address book of the Palm Desktop user with this id (closing one that is open)
    // and drops its records flagged deleted. 1 when open; 0 when the table library or the user
    // library is missing, the user is unknown, or the file cannot be read.
    int Open(DWORD userId);
    // Releases the iterator and the table without saving.
    void Close();
    // Writes the book back. 1 when saved, 0 without an open book or when the write failed.
    int Save();
    int IsOpen() const { return open_; }
    int IsModified() const { return modified_; }
    // Records in the book; -1 without one.
    int GetRecordCount();
    // Fills the buffer (all but the note) from the first or next record. 1 when there was one.
    int FindFirst(PalmAddressBuffer* buffer);
    int FindNext(PalmAddressBuffer* buffer);
    // Copies every field but the note from the record into the buffer, each cut to its room.
    void RecordToBuffer(PalmAddressBuffer* buffer, CAddressRecord& record);
    // Appends a record of category 2 from the buffer; its non-empty phones move to the front
    // with their labels. 1 when appended.
    int AppendFromBuffer(const PalmAddressBuffer* buffer);

private:
    int Find(PalmAddressBuffer* buffer, bool first);

    int open_ = 0;
    int modified_ = 0;
    CAddressTable* table_ = nullptr;
    CAddressIterator* iterator_ = nullptr;
};

// Loads the table library once for the process and keeps it: calls bound through the delay
// imports stay valid. False while it cannot be loaded.
bool Table21Available();

}  // namespace ferrow
