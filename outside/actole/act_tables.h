// The dBASE III tables of one stand-in database: contacts at the database path, notes beside
// them ("<name>_notes.dbf"). Each ACT! field number the server knows is a column "F<number>":
// texts as character columns of their width (memo columns for the 255-byte ones), field 2 a
// date; "ID" holds the text that identifies a stored contact or note.
#pragma once
#include <string>
#include <vector>
#include "dbf_file.h"

namespace actole {

enum { kDateField = 2 };

struct ActColumn {
    int field;  // ACT! field number; 0 for the ID column
    DbfField dbf;
};

const std::vector<ActColumn>& ContactColumns();
const std::vector<ActColumn>& NoteColumns();

// The column index of an ACT! field number, or -1.
int ColumnOf(const std::vector<ActColumn>& columns, int field);

std::string NotesPath(const std::string& contactsPath);

// Creates both tables; false when either exists or cannot be made.
bool CreateTables(const std::string& contactsPath);

}  // namespace actole
