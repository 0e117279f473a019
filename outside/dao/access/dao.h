// A small data access layer with the class names and behaviour of the DAO classes that the
// card database engine and the dictionary library were written against, kept in one embedded
// SQLite file per database (or, for a dBASE III database, in .dbf files of a folder).
//
// Errors: every failing operation throws a `CDaoException*` allocated with new. The catcher
// owns it and calls `e->Delete()` when done:
//     try { rs.MoveNext(); } catch (CDaoException* e) { long n = e->GetErrorCode(); e->Delete(); }
// The error numbers and texts are the Jet ones; the numbers used are listed in `DaoError` below.
// Nothing here is thread-safe: a database and its recordsets are used from one thread at a time.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

// ---- Constants ---------------------------------------------------------------------------

// Recordset types for CDaoRecordset::Open.
enum { dbOpenTable = 1, dbOpenDynaset = 2 };
// Option of CDaoDatabase::Execute: raise an error instead of ignoring a failing statement.
enum { dbFailOnError = 128 };
// Field types for CDaoTableDef::CreateField and CDaoFieldInfo::m_nType.
enum { dbInteger = 3, dbLong = 4, dbDate = 8, dbText = 10, dbLongBinary = 11, dbMemo = 12 };
// Field attributes: dbAutoIncrField numbers new records itself (Long fields only).
enum { dbFixedField = 0x1, dbVariableField = 0x2, dbAutoIncrField = 0x10 };
// The general sort order locale, the default of CDaoDatabase::Create.
#define dbLangGeneral ";LANGID=0x0409;CP=1252;COUNTRY=0"

// Jet error numbers raised by this layer (CDaoException::GetErrorCode).
enum DaoError {
    daoErrNoCurrentRecord = 3021,        // "No current record."
    daoErrUpdateWithoutEdit = 3020,      // "Update or CancelUpdate without AddNew or Edit."
    daoErrDuplicateKey = 3022,           // a duplicate value in a unique index or primary key
    daoErrFileNotFound = 3024,           // "Couldn't find file '<path>'."
    daoErrReadOnly = 3027,               // "Cannot update. Database or object is read-only."
    daoErrNoTransaction = 3034,          // commit or rollback without BeginTrans
    daoErrInvalidPath = 3044,            // "'<path>' isn't a valid path."
    daoErrFileInUse = 3045,              // "Couldn't use '<path>'; file already in use."
    daoErrCannotOpenFile = 3051,         // the file is read-only or held elsewhere
    daoErrIndexNull = 3058,              // "Index or primary key cannot contain a Null value."
    daoErrSyntaxInExpression = 3075,     // "Syntax error ... in query expression '<text>'."
    daoErrSyntaxInQuery = 3000,          // a statement that cannot be run (Execute, Open)
    daoErrTableExists = 3010,            // "Table '<name>' already exists."
    daoErrObjectNotFound = 3011,         // "The database engine could not find the object '<name>'."
    daoErrFieldTooSmall = 3163,          // text longer than the Text(n) column
    daoErrRecordDeleted = 3167,          // "Record is deleted."
    daoErrDatabaseExists = 3204,         // "Database already exists."
    daoErrNotOpen = 3420,                // "Object invalid or no longer set." (closed object)
    daoErrItemNotFound = 3265,           // "Item not found in this collection."
    daoErrOperationNotSupported = 3251,  // "Operation is not supported for this type of object."
    daoErrUnrecognizedFormat = 3343,     // "Unrecognized database format '<path>'."
    daoErrOpenedExclusively = 3356,      // the file is held exclusively by another open
    daoErrNumericOverflow = 3349,        // "Numeric field overflow."
    daoErrTypeConversion = 3421,         // "Data type conversion error."
    daoErrInvalidBookmark = 3159,        // "Not a valid bookmark."
    daoErrFieldDefinedTwice = 3191,      // "Can't define field more than once."
    daoErrIndexNotSet = 3019,            // "Operation invalid without a current index."
};

// ---- Values ------------------------------------------------------------------------------

// A field value: empty, Null, 16- or 32-bit integer, date, ANSI text or byte array.
// Dates are OLE automation dates: days since 1899-12-30, the fraction is the time of day.
// Byte arrays are one-dimensional with lower bound 0. Bookmarks are byte arrays too.
class CDaoValue {
public:
    enum Kind { Empty, Null, Int16, Int32, Date, Text, Bytes };

    CDaoValue() = default;  // empty
    static CDaoValue MakeNull();
    static CDaoValue FromShort(int16_t v);
    static CDaoValue FromLong(int32_t v);
    static CDaoValue FromDate(double oleDate);
    static CDaoValue FromText(const std::string& text);
    static CDaoValue FromBytes(const void* data, size_t size);
    static CDaoValue FromBytes(std::vector<uint8_t> bytes);
    static CDaoValue FromText(const char* text, size_t size);

    // Make this value text or bytes in place, reusing the storage it already holds, so that
    // a value refilled row after row stops allocating once it has seen its longest content.
    void AssignText(const char* text, size_t size);
    void AssignBytes(const void* data, size_t size);

    Kind GetKind() const { return kind_; }
    bool IsEmpty() const { return kind_ == Empty; }
    bool IsNull() const { return kind_ == Null; }
    int16_t AsShort() const { return static_cast<int16_t>(number_); }  // Int16 or Int32 kinds
    int32_t AsLong() const { return static_cast<int32_t>(number_); }   // Int16 or Int32 kinds
    double AsDate() const { return date_; }                            // Date kind
    const std::string& AsText() const { return text_; }                // Text kind
    const std::vector<uint8_t>& AsBytes() const { return bytes_; }     // Bytes kind
    bool operator==(const CDaoValue& other) const;
    bool operator!=(const CDaoValue& other) const { return !(*this == other); }

private:
    explicit CDaoValue(Kind kind) : kind_(kind) {}

    Kind kind_ = Empty;
    int64_t number_ = 0;
    double date_ = 0;
    std::string text_;
    std::vector<uint8_t> bytes_;
};

// ---- Errors ------------------------------------------------------------------------------

struct CDaoErrorInfo {
    long m_lErrorCode = 0;
    std::string m_strSource;       // "DAO.Database", "DAO.Recordset", ...
    std::string m_strDescription;  // the Jet text
};

// The error thrown (as a pointer from new) by every class here. Delete() frees it.
class CDaoException {
public:
    CDaoException(long code, const std::string& source, const std::string& description);
    long GetErrorCode() const { return m_pErrorInfo->m_lErrorCode; }
    const std::string& GetSource() const { return m_pErrorInfo->m_strSource; }
    const std::string& GetDescription() const { return m_pErrorInfo->m_strDescription; }
    void Delete() { delete this; }
    CDaoErrorInfo* m_pErrorInfo;  // always set; points into this object

private:
    ~CDaoException() = default;  // only Delete() frees an exception
    CDaoErrorInfo info_;
};

// ---- Workspace ---------------------------------------------------------------------------

class CDaoDatabase;

// The transaction scope of one database. BeginTrans nests (up to what SQLite's savepoints
// allow); CommitTrans/Rollback without a transaction throw 3034. A committed transaction is
// on disk when CommitTrans returns. Rollback takes the records that the transaction added out
// of every open recordset and puts the ones it deleted back; auto-increment numbers handed out
// inside it are never handed out again. When the file ends a transaction on its own (a failed
// write or a full disk, during any change or during CommitTrans), the error is raised and the
// transaction counts as rolled back: InTransaction() says false and the recordsets follow.
// A CommitTrans that fails while the transaction stays open leaves it open.
class CDaoWorkspace {
public:
    explicit CDaoWorkspace(CDaoDatabase* database) : database_(database) {}
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const;

    // Copies the Jet file source into the new file target, setting target's locale string
    // (an empty or null locale keeps source's). Throws 3024 when source is missing, 3204 when
    // target exists, 3356/3045 when source is held open by any database (this process or
    // another), 3044 when target's folder does not exist. Options are accepted and ignored.
    static void CompactDatabase(const char* source, const char* target, const char* locale = dbLangGeneral,
                                int options = 0);

private:
    friend class CDaoDatabase;
    void Abandon();  // a closing database rolls back what is still open
    CDaoDatabase* database_;
};

// ---- Database ----------------------------------------------------------------------------

struct CDaoTableDefInfo {
    std::string m_strName;
};

class CDaoRecordset;
class CDaoTableDef;
struct DaoDatabaseState;

class CDaoDatabase {
public:
    CDaoDatabase();
    ~CDaoDatabase();  // closes when open
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // Opens a Jet file (connect "" or ";UID=..;PWD=.." whose user and password are kept but
    // not checked) or, with connect "dBASE III;DATABASE=<folder>" and an empty name, a folder
    // of dBASE III tables. exclusive: no other open (in this or another process) is allowed
    // while this one lasts; shared opens coexist. Throws 3024 (missing file or folder),
    // 3045/3356 (held exclusively elsewhere, or exclusive while others hold it), 3051 (a
    // read-only file opened for writing), 3343 (not a database of ours).
    void Open(const char* name, bool exclusive = false, bool readOnly = false, const char* connect = "");
    // Creates and opens (exclusively) a new Jet file with the locale string (kept in the
    // file). Throws 3204 when the file exists, 3044 when its folder does not.
    void Create(const char* name, const char* locale = dbLangGeneral, int options = 0);
    void Close();  // rolls back an open transaction; recordsets on it must be closed before
    bool IsOpen() const;
    bool CanUpdate() const;                 // open and not read-only
    bool IsDBase() const;                   // opened as a dBASE III folder
    const std::string& GetName() const;     // path (or folder) as opened
    const std::string& GetConnect() const;  // connect text as given
    std::string GetLocale() const;          // the locale string kept in the file ("" for dBASE)

    // Runs one SQL statement in the Jet dialect that callers use (plain INSERT/UPDATE/DELETE
    // and CREATE/DROP statements; WHERE texts go through the Jet criteria translation).
    // With dbFailOnError a failing statement throws 3000 (or 3075 for a bad expression);
    // without it failures are ignored. On a dBASE folder statements are not run (3251).
    void Execute(const char* sql, int options = dbFailOnError);

    // User tables only (our own metadata tables are hidden). Index 0 .. count-1; another
    // index throws 3265.
    int GetTableDefCount();
    void GetTableDefInfo(int index, CDaoTableDefInfo& info);

    CDaoWorkspace* m_pWorkspace;  // the transaction scope of this database

    // For the classes of this layer: the state behind the open database.
    DaoDatabaseState* State() const { return state_.get(); }

private:
    std::unique_ptr<DaoDatabaseState> state_;
    CDaoWorkspace workspace_;
};

// ---- Table definitions -------------------------------------------------------------------

struct CDaoFieldInfo {
    std::string m_strName;
    short m_nType = 0;       // dbLong, dbInteger, ...
    long m_lSize = 0;        // Text: characters; others: what CreateField was given
    long m_lAttributes = 0;  // dbAutoIncrField, ...
};

struct CDaoIndexFieldInfo {
    std::string m_strName;
    bool m_bDescending = false;
};

struct CDaoIndexInfo {
    std::string m_strName;
    std::vector<CDaoIndexFieldInfo> m_fields;  // in key order
    bool m_bPrimary = false;
    bool m_bUnique = false;
    bool m_bClustered = false;
    bool m_bIgnoreNulls = false;
    bool m_bRequired = false;
    bool m_bForeign = false;
    // Convenience: appends one key field.
    void AddField(const std::string& name, bool descending = false) {
        m_fields.push_back(CDaoIndexFieldInfo{name, descending});
    }
};

struct DaoTableDefState;

// A table's definition: make a new one (Create, CreateField..., CreateIndex..., Append) or
// open an existing one (Open) to read it or add fields and indexes, which then take effect
// at once. On a dBASE database, Append creates "<folder>\<name>.dbf" (Long -> N(11),
// Integer -> N(6), Date -> D, Text(n) -> C(n), Memo and Long Binary -> M).
class CDaoTableDef {
public:
    explicit CDaoTableDef(CDaoDatabase* database);
    ~CDaoTableDef();  // discards a definition that was not appended
    CDaoTableDef(const CDaoTableDef&) = delete;
    CDaoTableDef& operator=(const CDaoTableDef&) = delete;

    // Starts a new definition. attributes, sourceTable and connect (linked tables) are
    // accepted; a non-empty sourceTable throws 3251. Throws 3420 on a closed database.
    void Create(const char* name, long attributes = 0, const char* sourceTable = nullptr,
                const char* connect = nullptr);
    // Opens the definition of an existing table; 3011 when there is none.
    void Open(const char* name);
    // Adds a field. Throws 3421 for an unknown type and 3191 for a second field of the same
    // name (without regard to case).
    void CreateField(const char* name, short type, long size, long attributes = 0);
    // Adds an index; its fields must exist (3265 otherwise). A unique index over rows that
    // already hold duplicates throws 3022.
    void CreateIndex(CDaoIndexInfo& info);
    // Creates the table in the database. Throws 3010 when a table of that name exists.
    void Append();
    void Close();
    bool IsOpen() const;

    std::string GetName() const;
    int GetFieldCount() const;
    void GetFieldInfo(int index, CDaoFieldInfo& info) const;  // 3265 out of range
    int GetIndexCount() const;
    void GetIndexInfo(int index, CDaoIndexInfo& info) const;  // 3265 out of range

private:
    CDaoDatabase* database_;
    std::unique_ptr<DaoTableDefState> state_;
};

// ---- Recordsets --------------------------------------------------------------------------

struct DaoRecordsetState;

// A cursor over a table or a query.
//  dbOpenDynaset: source is "SELECT * FROM t [WHERE <Jet condition>] [ORDER BY k [DESC][, ...]]"
//    (or a bare table name). The set of records is fixed when opened (a keyset): records added
//    through this recordset join its end, records changed so that they no longer match stay,
//    deleted records leave it.
//  dbOpenTable: source is a table name; records come in the order of the current index
//    (SetCurrentIndex), in the order they were added when no index is current.
// Text compares and sorts without regard to case; Null sorts first.
// Position: BOF/EOF are both true on an empty set; moving before the first record sets BOF,
// after the last sets EOF; a move from BOF/EOF further out, or MoveFirst/MoveLast/Move on an
// empty set, throws 3021. After Delete there is no current record until the next move
// (reading a field then throws 3167).
class CDaoRecordset {
public:
    explicit CDaoRecordset(CDaoDatabase* database);
    ~CDaoRecordset();  // closes when open
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    // Throws 3420 (closed database), 3011 (no such table), 3075 (bad WHERE text),
    // 3000 (a statement of another form), 3251 (dbOpenTable on a query). options ignored.
    void Open(int type, const char* source, int options = 0);
    void Close();
    bool IsOpen() const;
    int GetType() const;  // dbOpenTable / dbOpenDynaset

    bool IsBOF() const;
    bool IsEOF() const;
    bool CanUpdate() const;  // open on a database that can be updated

    // Moves; a pending AddNew/Edit is cancelled. See the class comment for 3021.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrev();
    void Move(long rows);  // relative to the current record (3021 without one)

    long GetRecordCount();                    // records in the set
    long GetAbsolutePosition();               // 0-based; -1 without a current record
    void SetAbsolutePosition(long position);  // out of range throws 3021

    CDaoValue GetBookmark();                      // 3021 without a current record
    void SetBookmark(const CDaoValue& bookmark);  // 3159 for a bookmark of no record here

    // Finds the first/last record matching the Jet criteria, or the next/previous one from
    // the current record. Found: true and the record is current. Not found: false and there
    // is no current record (DAO's NoMatch); callers that want to stay put keep a bookmark.
    // Throws 3075 for a malformed criteria text. FindNext/FindPrev without a current record
    // start from the position the cursor is at (BOF/EOF).
    bool FindFirst(const char* criteria);
    bool FindLast(const char* criteria);
    bool FindNext(const char* criteria);
    bool FindPrev(const char* criteria);

    // Editing: AddNew starts a new record (fields Null, auto-increment filled on Update),
    // Edit the current one (3021 without one); Update stores it (3020 without AddNew/Edit;
    // 3022 duplicate key; 3058 Null in a required or primary index field; 3027 read-only)
    // and keeps the record that was current before AddNew current. CancelUpdate drops the
    // pending change (3020 without one). Delete removes the current record (3021 without one).
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    int GetEditMode() const;  // 0 none, 1 Edit, 2 AddNew

    // Field values by name, without regard to case (3265 for an unknown name). Reading
    // needs a current record (3021; 3167 after Delete) unless AddNew/Edit is pending, in
    // which case the pending values are read. Setting needs AddNew or Edit (3020).
    // Values are converted to the field's type (3421 when they cannot be; 3349 when a number
    // does not fit; 3163 when text is longer than a Text(n) field). An empty value stores Null.
    CDaoValue GetFieldValue(const char* name);
    void SetFieldValue(const char* name, const CDaoValue& value);
    // The same by field number, for callers that touch the same fields on every record:
    // GetFieldIndex resolves a name once (3265 for an unknown name); the number stays valid
    // until the recordset is closed or opened again. GetFieldValueRef returns the value
    // without copying it; the reference lasts until the next move, change, AddNew/Edit,
    // Update or Close of this recordset. SetFieldValueAt takes the value over when it
    // already has the field's type. Errors as for the calls by name.
    int GetFieldIndex(const char* name) const;
    const CDaoValue& GetFieldValueRef(int index);
    // All values of the current record at once, indexed by field number as
    // GetFieldValueRef takes it, for a caller that reads most fields of every record; the
    // same lifetime and errors as GetFieldValueRef.
    const CDaoValue* GetFieldValuesRef();
    void SetFieldValueAt(int index, CDaoValue value);
    void SetFieldValue(const char* name, const char* text);  // a text value
    void SetFieldValueNull(const char* name);
    int GetFieldCount() const;
    void GetFieldInfo(int index, CDaoFieldInfo& info) const;  // 3265 out of range

    // Table-type only (3251 otherwise). SetCurrentIndex makes the named index current (3265
    // when there is none) and moves to the first record in its order. Seek with "=" (also
    // "<", "<=", ">=", ">") finds the first record in index order whose leading key fields
    // compare so with the keys (given as text or integers and converted to the field type);
    // found: true and current; not found: false and no current record (EOF). Without a
    // current index 3019.
    void SetCurrentIndex(const char* indexName);
    std::string GetCurrentIndex() const;
    bool Seek(const char* comparison, const CDaoValue* key1, const CDaoValue* key2 = nullptr);

private:
    CDaoDatabase* database_;
    std::unique_ptr<DaoRecordsetState> state_;
};
