#include "dao_errors.h"

#include <sqlite3.h>

namespace daoimpl {
namespace {

const char* TextOf(long code) {
    switch (code) {
    case daoErrNoCurrentRecord: return "No current record.";
    case daoErrUpdateWithoutEdit: return "Update or CancelUpdate without AddNew or Edit.";
    case daoErrDuplicateKey:
        return "The changes you requested to the table were not successful because they would "
               "create duplicate values in the index, primary key, or relationship. Change the "
               "data in the field or fields that contain duplicate data, remove the index, or "
               "redefine the index to permit duplicate entries and try again.";
    case daoErrFileNotFound: return "Couldn't find file '%1'.";
    case daoErrReadOnly: return "Cannot update. Database or object is read-only.";
    case daoErrNoTransaction:
        return "You tried to commit or rollback a transaction without first beginning a transaction.";
    case daoErrInvalidPath: return "'%1' isn't a valid path.";
    case daoErrFileInUse: return "Couldn't use '%1'; file already in use.";
    case daoErrCannotOpenFile:
        return "The database engine cannot open the file '%1'. It is already opened exclusively "
               "by another user, or you need permission to view its data.";
    case daoErrIndexNull: return "Index or primary key cannot contain a Null value.";
    case daoErrSyntaxInExpression: return "Syntax error in query expression '%1'.";
    case daoErrSyntaxInQuery: return "Reserved error (%1); there is no message for this error.";
    case daoErrTableExists: return "Table '%1' already exists.";
    case daoErrObjectNotFound:
        return "The database engine could not find the object '%1'. Make sure the object exists "
               "and that you spell its name and the path name correctly.";
    case daoErrFieldTooSmall:
        return "The field is too small to accept the amount of data you attempted to add. "
               "Try inserting or pasting less data.";
    case daoErrRecordDeleted: return "Record is deleted.";
    case daoErrDatabaseExists: return "Database already exists.";
    case daoErrNotOpen: return "Object invalid or no longer set.";
    case daoErrItemNotFound: return "Item not found in this collection.";
    case daoErrOperationNotSupported: return "Operation is not supported for this type of object.";
    case daoErrUnrecognizedFormat: return "Unrecognized database format '%1'.";
    case daoErrOpenedExclusively:
        return "You attempted to open a database that is already opened exclusively by another "
               "user. Try again when the database is available.";
    case daoErrNumericOverflow: return "Numeric field overflow.";
    case daoErrTypeConversion: return "Data type conversion error.";
    case daoErrInvalidBookmark: return "Not a valid bookmark.";
    case daoErrFieldDefinedTwice: return "Can't define field more than once.";
    case daoErrIndexNotSet: return "Operation invalid without a current index.";
    default: return "%1";
    }
}

}  // namespace

void Raise(long code, const char* source, const std::string& detail) {
    std::string text = TextOf(code);
    size_t at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, detail);
    throw new CDaoException(code, source, text);
}

void RaiseSqlite(sqlite3* db, int rc, const char* source) {
    const int primary = rc & 0xff;
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
        Raise(daoErrDuplicateKey, source);
    if (extended == SQLITE_CONSTRAINT_NOTNULL) Raise(daoErrIndexNull, source);
    if (primary == SQLITE_READONLY) Raise(daoErrReadOnly, source);
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw new CDaoException(3260, source, "Couldn't update; currently locked by another session.");
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
        Raise(daoErrUnrecognizedFormat, source, db ? sqlite3_db_filename(db, "main") : "");
    Raise(daoErrSyntaxInQuery, source, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

}  // namespace daoimpl
