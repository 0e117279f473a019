#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "dao_dbase.h"
#include "dao_errors.h"
#include "dao_field_values.h"
#include "dao_sql_text.h"
#include "dao_state.h"
#include "jetsql.h"

using namespace daoimpl;

namespace {

enum EditMode { kNoEdit = 0, kEditing = 1, kAdding = 2 };

struct FindSet {
    bool filled = false;
    uint64_t changeCount = 0;
    std::unordered_set<int64_t> rows;
};

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

// A record that joined or left an open set inside transaction level `depth`, kept until the
// level is committed or rolled back.
struct KeyChange {
    int depth;
    bool added;
    int64_t rowid;
    long position;  // where a removed record stood
};

// The open set is a keyset: the rowids of its records in order, fixed when opened. Values
// are fetched by rowid through one prepared statement and cached for the current record.
struct DaoRecordsetState {
    explicit DaoRecordsetState(DaoDatabaseState* database) : owner(database) { owner->recordsets.push_back(this); }
    ~DaoRecordsetState() {
        if (!owner) return;
        auto& list = owner->recordsets;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    DaoRecordsetState(const DaoRecordsetState&) = delete;
    DaoRecordsetState& operator=(const DaoRecordsetState&) = delete;

    DaoDatabaseState* owner;  // cleared when the database closes first
    std::vector<KeyChange> journal;
    int type = dbOpenDynaset;
    DaoTableSchema schema;
    std::vector<int> visible;                     // schema columns the set shows
    std::unordered_map<std::string, int> byName;  // lower-case name -> schema column
    std::string whereSql;                         // translated condition, may be empty
    std::string fetchSql;
    sqlite3_stmt* fetchStmt = nullptr;  // kept statement of fetchSql, from fetchEpoch
    uint64_t fetchEpoch = 0;
    int currentIndex = -1;  // table-type: schema index in use

    std::vector<int64_t> keys;
    long pos = -1;  // index into keys; -1 before the first, keys.size() after the last
    bool bof = true, eof = true;
    bool deleted = false;    // the current record was deleted; pos is where it was
    bool keysStale = false;  // table-type after a change: index order must be re-read
    std::unordered_map<int64_t, long> positions;
    bool positionsValid = false;

    int64_t cachedRowid = 0;
    uint64_t cachedAt = 0;
    bool cached = false;
    std::vector<CDaoValue> row;

    int editMode = kNoEdit;
    int64_t editRowid = 0;
    std::vector<CDaoValue> edit;
    std::vector<bool> dirty;

    std::map<std::string, FindSet> finds;

    // The INSERT text of the last AddNew, by the fields it set: records added one after
    // another usually set the same fields.
    std::vector<bool> insertDirty;
    std::string insertSql;
    std::vector<int> insertColumns;

    long Count() const { return static_cast<long>(keys.size()); }
    bool HasCurrent() const { return !deleted && pos >= 0 && pos < Count(); }
};

namespace {

[[noreturn]] void RaiseNoCurrent(const DaoRecordsetState& rs) {
    Raise(rs.deleted ? daoErrRecordDeleted : daoErrNoCurrentRecord, kSourceRecordset);
}

// A column as an operand of a comparison or sort: text by the locale's order, as Jet sorts
// it, whatever collation an older file declared for the column.
std::string Collated(const CDaoFieldInfo& column) {
    const bool text = column.m_nType == dbText || column.m_nType == dbMemo;
    return QuoteIdentifier(column.m_strName) + (text ? std::string(" COLLATE ") + jetsql::kTextCollation : "");
}

std::string OrderClause(const DaoRecordsetState& rs, const std::vector<SortKey>& keys) {
    std::string order;
    for (const auto& key : keys) {
        const int column = rs.schema.FindColumn(key.column);
        if (column < 0) Raise(daoErrItemNotFound, kSourceRecordset);
        order += Collated(rs.schema.columns[column]) + (key.descending ? " DESC," : ",");
    }
    return " ORDER BY " + order + "rowid";
}

std::string IndexOrder(const DaoRecordsetState& rs) {
    std::vector<SortKey> keys;
    if (rs.currentIndex >= 0)
        for (const auto& field : rs.schema.indexes[rs.currentIndex].m_fields)
            keys.push_back(SortKey{field.m_strName, field.m_bDescending});
    return OrderClause(rs, keys);
}

}  // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* database) : database_(database) {}
CDaoRecordset::~CDaoRecordset() = default;

// ---- helpers on the open set ---------------------------------------------------------

namespace {

DaoRecordsetState& Require(const std::unique_ptr<DaoRecordsetState>& state) {
    if (!state) Raise(daoErrNotOpen, kSourceRecordset);
    return *state;
}

// Runs a query of rowids; a failing step (such as a malformed Like pattern) is a 3075.
std::vector<int64_t> QueryRowids(DaoDatabaseState& db, const std::string& sql, const std::string& criteria) {
    sqlite3_stmt* stmt = db.Prepare(sql, kSourceRecordset);
    std::vector<int64_t> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) rows.push_back(sqlite3_column_int64(stmt, 0));
    if (rc != SQLITE_DONE) {
        const std::string message = sqlite3_errmsg(db.db);
        sqlite3_reset(stmt);
        if (!criteria.empty())
            throw new CDaoException(daoErrSyntaxInExpression, kSourceRecordset,
                                    "Syntax error in query expression '" + criteria + "'. " + message);
        RaiseSqlite(db.db, rc, kSourceRecordset);
    }
    sqlite3_reset(stmt);
    return rows;
}

void ReadKeys(DaoDatabaseState& db, DaoRecordsetState& rs, const std::string& criteria) {
    std::string sql = "SELECT rowid FROM " + QuoteIdentifier(rs.schema.name);
    if (!rs.whereSql.empty()) sql += " WHERE " + rs.whereSql;
    rs.keys = QueryRowids(db, sql + IndexOrder(rs), criteria);
    rs.positionsValid = false;
    rs.keysStale = false;
}

void BuildPositions(DaoRecordsetState& rs) {
    if (rs.positionsValid) return;
    rs.positions.clear();
    rs.positions.reserve(rs.keys.size());
    for (size_t i = 0; i < rs.keys.size(); ++i) rs.positions[rs.keys[i]] = static_cast<long>(i);
    rs.positionsValid = true;
}

// Table-type sets follow the index: after a change the order is read again, keeping the
// current record current.
void RefreshKeys(DaoDatabaseState& db, DaoRecordsetState& rs) {
    if (!rs.keysStale) return;
    const bool onRecord = rs.HasCurrent();
    const int64_t current = onRecord ? rs.keys[rs.pos] : 0;
    const bool atEnd = rs.pos >= rs.Count();
    ReadKeys(db, rs, std::string());
    if (onRecord) {
        BuildPositions(rs);
        auto found = rs.positions.find(current);
        rs.pos = found != rs.positions.end() ? found->second : rs.Count();
    } else if (atEnd) {
        rs.pos = rs.Count();
    } else if (rs.deleted) {
        rs.pos = std::min(rs.pos, rs.Count());
    }
}

void CancelEdit(DaoRecordsetState& rs) { rs.editMode = kNoEdit; }

// The open set with its order up to date.
DaoRecordsetState& Fresh(CDaoDatabase* database, const std::unique_ptr<DaoRecordsetState>& state) {
    DaoRecordsetState& rs = Require(state);
    RefreshKeys(OpenState(database, kSourceRecordset), rs);
    return rs;
}

// The open set, for a change of its current record.
DaoRecordsetState& ForChangeOfCurrent(CDaoDatabase* database, const std::unique_ptr<DaoRecordsetState>& state) {
    DaoRecordsetState& rs = Require(state);
    OpenState(database, kSourceRecordset);
    if (!database->CanUpdate()) Raise(daoErrReadOnly, kSourceRecordset);
    RefreshKeys(*database->State(), rs);
    if (!rs.HasCurrent()) RaiseNoCurrent(rs);
    return rs;
}

void MoveTo(DaoRecordsetState& rs, long position) {
    CancelEdit(rs);
    rs.deleted = false;
    const long count = rs.Count();
    if (position < 0) {
        rs.pos = -1;
        rs.bof = true;
        rs.eof = count == 0;
    } else if (position >= count) {
        rs.pos = count;
        rs.eof = true;
        rs.bof = count == 0;
    } else {
        rs.pos = position;
        rs.bof = rs.eof = false;
    }
}

const std::vector<CDaoValue>& FetchRow(DaoDatabaseState& db, DaoRecordsetState& rs, int64_t rowid) {
    if (rs.cached && rs.cachedRowid == rowid && rs.cachedAt == db.changeCount) return rs.row;
    // The statement is held between rows: a walk fetches thousands of them.
    if (!rs.fetchStmt || rs.fetchEpoch != db.statementEpoch) {
        rs.fetchStmt = db.Prepare(rs.fetchSql, kSourceRecordset);
        rs.fetchEpoch = db.statementEpoch;
    }
    sqlite3_stmt* stmt = rs.fetchStmt;
    sqlite3_bind_int64(stmt, 1, rowid);
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW) {
        sqlite3_reset(stmt);
        rs.cached = false;
        if (rc == SQLITE_DONE) Raise(daoErrRecordDeleted, kSourceRecordset);
        RaiseSqlite(db.db, rc, kSourceRecordset);
    }
    rs.row.resize(rs.schema.columns.size());
    for (size_t i = 0; i < rs.schema.columns.size(); ++i)
        ReadColumnInto(stmt, static_cast<int>(i), rs.schema.columns[i], rs.row[i]);
    sqlite3_reset(stmt);
    rs.cached = true;
    rs.cachedRowid = rowid;
    rs.cachedAt = db.changeCount;
    return rs.row;
}

int ColumnOf(const DaoRecordsetState& rs, const char* name) {
    auto found = rs.byName.find(Lower(name ? name : ""));
    if (found == rs.byName.end()) Raise(daoErrItemNotFound, kSourceRecordset);
    return found->second;
}

const FindSet& MatchingRows(DaoDatabaseState& db, DaoRecordsetState& rs, const std::string& criteria) {
    FindSet& set = rs.finds[criteria];
    if (set.filled && set.changeCount == db.changeCount) return set;
    const std::string expression = TranslateCriteriaOrRaise(criteria, kSourceRecordset);
    std::vector<int64_t> rows =
        QueryRowids(db, "SELECT rowid FROM " + QuoteIdentifier(rs.schema.name) + " WHERE " + expression, criteria);
    set.rows = std::unordered_set<int64_t>(rows.begin(), rows.end());
    set.changeCount = db.changeCount;
    set.filled = true;
    return set;
}

// Scans the keyset from `from` in steps of `step` for a matching record.
bool FindFrom(DaoDatabaseState& db, DaoRecordsetState& rs, const char* criteria, long from, int step) {
    RefreshKeys(db, rs);
    CancelEdit(rs);
    const FindSet& set = MatchingRows(db, rs, criteria ? criteria : "");
    for (long i = from; i >= 0 && i < rs.Count(); i += step) {
        if (set.rows.count(rs.keys[i])) {
            MoveTo(rs, i);
            return true;
        }
    }
    MoveTo(rs, step > 0 ? rs.Count() : -1);
    return false;
}

void CheckRequiredFields(const DaoRecordsetState& rs) {
    for (const auto& index : rs.schema.indexes) {
        if (!index.m_bPrimary && !index.m_bRequired) continue;
        for (const auto& field : index.m_fields) {
            const int column = rs.schema.FindColumn(field.m_strName);
            if (column < 0 || column == rs.schema.AutoIncrementColumn()) continue;
            if (rs.edit[column].IsNull()) Raise(daoErrIndexNull, kSourceRecordset);
        }
    }
}

void BindStep(DaoDatabaseState& db, sqlite3_stmt* stmt) {
    int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) RaiseSqlite(db.db, rc, kSourceRecordset);
}

// The INSERT text for the fields set since AddNew (with a leading rowid parameter when
// withRowid), and those fields in parameter order.
void BuildInsert(const DaoRecordsetState& rs, bool withRowid, std::string& sql, std::vector<int>& columns) {
    std::string names, params;
    columns.clear();
    for (size_t i = 0; i < rs.edit.size(); ++i) {
        if (!rs.dirty[i]) continue;
        names += (columns.empty() ? "" : ",") + QuoteIdentifier(rs.schema.columns[i].m_strName);
        params += columns.empty() ? "?" : ",?";
        columns.push_back(static_cast<int>(i));
    }
    const std::string table = QuoteIdentifier(rs.schema.name);
    sql = withRowid ? "INSERT INTO " + table + "(rowid" + (columns.empty() ? "" : ",") + names + ") VALUES(?" +
                          (columns.empty() ? "" : ",") + params + ")"
          : columns.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                            : "INSERT INTO " + table + "(" + names + ") VALUES(" + params + ")";
}

// Runs a change; when it fails, the transaction state follows what SQLite did.
template <typename Change>
auto AfterFailureSync(DaoDatabaseState& db, Change&& change) -> decltype(change()) {
    try {
        return change();
    } catch (CDaoException*) {
        SyncTransaction(db);
        throw;
    }
}

void Journal(const DaoDatabaseState& db, DaoRecordsetState& rs, bool added, int64_t rowid, long position) {
    if (db.transactionDepth > 0) rs.journal.push_back(KeyChange{db.transactionDepth, added, rowid, position});
}

void NoteAutoNumber(DaoDatabaseState& db, const DaoTableSchema& schema, int64_t rowid) {
    if (db.dbase || schema.AutoIncrementColumn() < 0) return;
    int64_t& high = db.autoNumberHigh[schema.name];
    if (rowid > high) high = rowid;
}

// An AutoNumber is a Long: a record numbered past its range would read back as another
// number, perhaps one that an older record carries. Such a record is taken back and refused,
// as Jet refuses a counter that has run out.
void RefuseNumberPastLong(DaoDatabaseState& db, const DaoTableSchema& schema, int64_t rowid) {
    if (schema.AutoIncrementColumn() < 0 || rowid <= INT32_MAX) return;
    sqlite3_stmt* erase =
        db.Prepare("DELETE FROM " + QuoteIdentifier(schema.name) + " WHERE rowid=?", kSourceRecordset);
    sqlite3_bind_int64(erase, 1, rowid);
    BindStep(db, erase);
    Raise(daoErrNumericOverflow, kSourceRecordset);
}

int64_t InsertRow(DaoDatabaseState& db, DaoRecordsetState& rs) {
    int64_t explicitRowid = 0;
    if (db.dbase) explicitRowid = db.dbase->AppendRow(rs.schema, rs.edit);
    std::string rowidSql;
    std::vector<int> rowidColumns;
    if (explicitRowid) {
        BuildInsert(rs, true, rowidSql, rowidColumns);
    } else if (rs.insertSql.empty() || rs.insertDirty != rs.dirty) {
        BuildInsert(rs, false, rs.insertSql, rs.insertColumns);
        rs.insertDirty = rs.dirty;
    }
    const std::string& sql = explicitRowid ? rowidSql : rs.insertSql;
    const std::vector<int>& columns = explicitRowid ? rowidColumns : rs.insertColumns;
    sqlite3_stmt* stmt = db.Prepare(sql, kSourceRecordset);
    int parameter = 1;
    if (explicitRowid) sqlite3_bind_int64(stmt, parameter++, explicitRowid);
    for (int column : columns) BindValue(stmt, parameter++, rs.edit[column]);
    try {
        BindStep(db, stmt);
    } catch (CDaoException*) {
        if (db.dbase) db.dbase->DeleteRow(rs.schema, explicitRowid);
        throw;
    }
    if (explicitRowid) return explicitRowid;
    const int64_t rowid = sqlite3_last_insert_rowid(db.db);
    RefuseNumberPastLong(db, rs.schema, rowid);
    return rowid;
}

void UpdateRow(DaoDatabaseState& db, DaoRecordsetState& rs) {
    std::string sets;
    std::vector<int> columns;
    for (size_t i = 0; i < rs.edit.size(); ++i) {
        if (!rs.dirty[i]) continue;
        sets += (columns.empty() ? "" : ",") + QuoteIdentifier(rs.schema.columns[i].m_strName) + "=?";
        columns.push_back(static_cast<int>(i));
    }
    if (columns.empty()) return;
    sqlite3_stmt* stmt =
        db.Prepare("UPDATE " + QuoteIdentifier(rs.schema.name) + " SET " + sets + " WHERE rowid=?", kSourceRecordset);
    int parameter = 1;
    for (int column : columns) BindValue(stmt, parameter++, rs.edit[column]);
    sqlite3_bind_int64(stmt, parameter, rs.editRowid);
    BindStep(db, stmt);
    if (db.dbase) db.dbase->WriteRow(rs.schema, rs.editRowid, rs.edit);
}

}  // namespace

// ---- open and close --------------------------------------------------------------------

void CDaoRecordset::Open(int type, const char* source, int options) {
    DaoDatabaseState& db = OpenState(database_, kSourceRecordset);
    Close();
    const std::string text = source ? source : "";
    const SelectParts parts = ParseSelect(text);
    // A table-type set is opened on a table name, never on a statement.
    if (type == dbOpenTable && parts.isStatement) Raise(daoErrOperationNotSupported, kSourceRecordset);
    std::unique_ptr<DaoRecordsetState> rs(new DaoRecordsetState(&db));
    rs->type = type == dbOpenTable ? dbOpenTable : dbOpenDynaset;
    rs->schema = db.Schema(parts.table, kSourceRecordset);
    for (size_t i = 0; i < rs->schema.columns.size(); ++i)
        rs->byName[Lower(rs->schema.columns[i].m_strName)] = static_cast<int>(i);
    if (parts.columns.empty()) {
        for (size_t i = 0; i < rs->schema.columns.size(); ++i) rs->visible.push_back(static_cast<int>(i));
    } else {
        for (const auto& column : parts.columns) rs->visible.push_back(ColumnOf(*rs, column.c_str()));
    }
    std::string fetch;
    for (const auto& column : rs->schema.columns)
        fetch += (fetch.empty() ? "" : ",") + QuoteIdentifier(column.m_strName);
    rs->fetchSql = "SELECT " + fetch + " FROM " + QuoteIdentifier(rs->schema.name) + " WHERE rowid=?";
    if (!parts.where.empty()) rs->whereSql = TranslateCriteriaOrRaise(parts.where, kSourceRecordset);
    std::string order;
    if (parts.orderBy.empty()) {
        ReadKeys(db, *rs, parts.where);
    } else {
        std::string sql = "SELECT rowid FROM " + QuoteIdentifier(rs->schema.name);
        if (!rs->whereSql.empty()) sql += " WHERE " + rs->whereSql;
        rs->keys = QueryRowids(db, sql + OrderClause(*rs, parts.orderBy), parts.where);
    }
    MoveTo(*rs, 0);
    state_ = std::move(rs);
}

void CDaoRecordset::Close() { state_.reset(); }
bool CDaoRecordset::IsOpen() const { return state_ != nullptr; }
int CDaoRecordset::GetType() const { return state_ ? state_->type : 0; }
bool CDaoRecordset::IsBOF() const { return Require(state_).bof; }
bool CDaoRecordset::IsEOF() const { return Require(state_).eof; }
bool CDaoRecordset::CanUpdate() const { return state_ && database_->CanUpdate(); }

// ---- moves ------------------------------------------------------------------------------

void CDaoRecordset::MoveFirst() {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (rs.keys.empty()) Raise(daoErrNoCurrentRecord, kSourceRecordset);
    MoveTo(rs, 0);
}

void CDaoRecordset::MoveLast() {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (rs.keys.empty()) Raise(daoErrNoCurrentRecord, kSourceRecordset);
    MoveTo(rs, rs.Count() - 1);
}

void CDaoRecordset::MoveNext() {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (rs.deleted) return MoveTo(rs, rs.pos);
    if (rs.eof) Raise(daoErrNoCurrentRecord, kSourceRecordset);
    MoveTo(rs, rs.pos + 1);
}

void CDaoRecordset::MovePrev() {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (rs.deleted) return MoveTo(rs, rs.pos - 1);
    if (rs.bof) Raise(daoErrNoCurrentRecord, kSourceRecordset);
    MoveTo(rs, rs.pos - 1);
}

void CDaoRecordset::Move(long rows) {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (rs.deleted) {
        if (rows == 0) Raise(daoErrRecordDeleted, kSourceRecordset);
        return MoveTo(rs, rows > 0 ? rs.pos + rows - 1 : rs.pos + rows);
    }
    if (!rs.HasCurrent()) Raise(daoErrNoCurrentRecord, kSourceRecordset);
    MoveTo(rs, rs.pos + rows);
}

long CDaoRecordset::GetRecordCount() {
    DaoRecordsetState& rs = Fresh(database_, state_);
    return rs.Count();
}

long CDaoRecordset::GetAbsolutePosition() {
    DaoRecordsetState& rs = Fresh(database_, state_);
    return rs.HasCurrent() ? rs.pos : -1;
}

void CDaoRecordset::SetAbsolutePosition(long position) {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (position < 0 || position >= rs.Count()) Raise(daoErrNoCurrentRecord, kSourceRecordset);
    MoveTo(rs, position);
}

CDaoValue CDaoRecordset::GetBookmark() {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (!rs.HasCurrent()) RaiseNoCurrent(rs);
    const int64_t rowid = rs.keys[rs.pos];
    return CDaoValue::FromBytes(&rowid, sizeof rowid);
}

void CDaoRecordset::SetBookmark(const CDaoValue& bookmark) {
    DaoRecordsetState& rs = Fresh(database_, state_);
    if (bookmark.GetKind() != CDaoValue::Bytes || bookmark.AsBytes().size() != sizeof(int64_t))
        Raise(daoErrInvalidBookmark, kSourceRecordset);
    int64_t rowid = 0;
    std::memcpy(&rowid, bookmark.AsBytes().data(), sizeof rowid);
    BuildPositions(rs);
    auto found = rs.positions.find(rowid);
    if (found == rs.positions.end()) Raise(daoErrInvalidBookmark, kSourceRecordset);
    MoveTo(rs, found->second);
}

// ---- finds and seeks ----------------------------------------------------------------------

bool CDaoRecordset::FindFirst(const char* criteria) {
    return FindFrom(OpenState(database_, kSourceRecordset), Require(state_), criteria, 0, 1);
}

bool CDaoRecordset::FindLast(const char* criteria) {
    DaoRecordsetState& rs = Require(state_);
    DaoDatabaseState& db = OpenState(database_, kSourceRecordset);
    RefreshKeys(db, rs);
    return FindFrom(db, rs, criteria, rs.Count() - 1, -1);
}

bool CDaoRecordset::FindNext(const char* criteria) {
    DaoRecordsetState& rs = Require(state_);
    DaoDatabaseState& db = OpenState(database_, kSourceRecordset);
    RefreshKeys(db, rs);
    return FindFrom(db, rs, criteria, rs.deleted ? rs.pos : rs.pos + 1, 1);
}

bool CDaoRecordset::FindPrev(const char* criteria) {
    DaoRecordsetState& rs = Require(state_);
    DaoDatabaseState& db = OpenState(database_, kSourceRecordset);
    RefreshKeys(db, rs);
    return FindFrom(db, rs, criteria, rs.pos - 1, -1);
}

void CDaoRecordset::SetCurrentIndex(const char* indexName) {
    DaoRecordsetState& rs = Require(state_);
    DaoDatabaseState& db = OpenState(database_, kSourceRecordset);
    if (rs.type != dbOpenTable) Raise(daoErrOperationNotSupported, kSourceRecordset);
    const int index = rs.schema.FindIndex(indexName ? indexName : "");
    if (index < 0) Raise(daoErrItemNotFound, kSourceRecordset);
    rs.currentIndex = index;
    ReadKeys(db, rs, std::string());
    MoveTo(rs, 0);
}

std::string CDaoRecordset::GetCurrentIndex() const {
    const DaoRecordsetState& rs = Require(state_);
    return rs.currentIndex >= 0 ? rs.schema.indexes[rs.currentIndex].m_strName : std::string();
}

bool CDaoRecordset::Seek(const char* comparison, const CDaoValue* key1, const CDaoValue* key2) {
    DaoRecordsetState& rs = Require(state_);
    DaoDatabaseState& db = OpenState(database_, kSourceRecordset);
    if (rs.type != dbOpenTable) Raise(daoErrOperationNotSupported, kSourceRecordset);
    if (rs.currentIndex < 0) Raise(daoErrIndexNotSet, kSourceRecordset);
    const std::string op = comparison ? comparison : "";
    if (op != "=" && op != "<" && op != "<=" && op != ">" && op != ">=")
        Raise(daoErrSyntaxInExpression, kSourceRecordset, op);
    const CDaoIndexInfo& index = rs.schema.indexes[rs.currentIndex];
    std::vector<const CDaoValue*> given;
    if (key1) given.push_back(key1);
    if (key2) given.push_back(key2);
    if (given.empty() || given.size() > index.m_fields.size()) Raise(daoErrTypeConversion, kSourceRecordset);
    std::vector<CDaoValue> keys;
    std::string lhs, rhs;
    for (size_t i = 0; i < given.size(); ++i) {
        const int column = rs.schema.FindColumn(index.m_fields[i].m_strName);
        keys.push_back(CoerceToField(*given[i], rs.schema.columns[column], db.codePage));
        lhs += (i ? "," : "") + Collated(rs.schema.columns[column]);
        rhs += i ? ",?" : "?";
    }
    if (given.size() > 1) {
        lhs = "(" + lhs + ")";
        rhs = "(" + rhs + ")";
    }
    // "<" and "<=" look for the nearest record below the key: the last one in index order.
    std::string order = IndexOrder(rs);
    if (op[0] == '<') {
        std::string reversed;
        for (const auto& field : index.m_fields)
            reversed += Collated(rs.schema.columns[rs.schema.FindColumn(field.m_strName)]) +
                        (field.m_bDescending ? "," : " DESC,");
        order = " ORDER BY " + reversed + "rowid DESC";
    }
    sqlite3_stmt* stmt = db.Prepare("SELECT rowid FROM " + QuoteIdentifier(rs.schema.name) + " WHERE " + lhs + op +
                                        rhs + order + " LIMIT 1",
                                    kSourceRecordset);
    for (size_t i = 0; i < keys.size(); ++i) BindValue(stmt, static_cast<int>(i + 1), keys[i]);
    const int rc = sqlite3_step(stmt);
    const int64_t rowid = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) RaiseSqlite(db.db, rc, kSourceRecordset);
    RefreshKeys(db, rs);
    if (rc == SQLITE_DONE) {
        MoveTo(rs, rs.Count());
        return false;
    }
    BuildPositions(rs);
    auto found = rs.positions.find(rowid);
    MoveTo(rs, found != rs.positions.end() ? found->second : rs.Count());
    return found != rs.positions.end();
}

// ---- editing ------------------------------------------------------------------------------

void CDaoRecordset::AddNew() {
    DaoRecordsetState& rs = Require(state_);
    OpenState(database_, kSourceRecordset);
    if (!database_->CanUpdate()) Raise(daoErrReadOnly, kSourceRecordset);
    rs.edit.assign(rs.schema.columns.size(), CDaoValue::MakeNull());
    rs.dirty.assign(rs.schema.columns.size(), false);
    rs.editMode = kAdding;
}

void CDaoRecordset::Edit() {
    DaoRecordsetState& rs = ForChangeOfCurrent(database_, state_);
    DaoDatabaseState& db = *database_->State();
    rs.edit = FetchRow(db, rs, rs.keys[rs.pos]);
    rs.dirty.assign(rs.schema.columns.size(), false);
    rs.editRowid = rs.keys[rs.pos];
    rs.editMode = kEditing;
}

void CDaoRecordset::Update() {
    DaoRecordsetState& rs = Require(state_);
    DaoDatabaseState& db = OpenState(database_, kSourceRecordset);
    if (rs.editMode == kNoEdit) Raise(daoErrUpdateWithoutEdit, kSourceRecordset);
    CheckRequiredFields(rs);
    if (rs.editMode == kAdding) {
        const int64_t rowid = AfterFailureSync(db, [&] { return InsertRow(db, rs); });
        NoteAutoNumber(db, rs.schema, rowid);
        if (rs.type == dbOpenTable) {
            rs.keysStale = true;
        } else {
            // A new record joins the end of the open set; an after-last position stays after it.
            const bool atEnd = rs.pos >= rs.Count();
            rs.keys.push_back(rowid);
            if (rs.positionsValid) rs.positions[rowid] = rs.Count() - 1;
            if (atEnd) rs.pos = rs.Count();
            Journal(db, rs, true, rowid, rs.Count() - 1);
        }
    } else {
        AfterFailureSync(db, [&] {
            UpdateRow(db, rs);
            return 0;
        });
        if (rs.type == dbOpenTable) rs.keysStale = true;
    }
    ++db.changeCount;
    rs.editMode = kNoEdit;
}

void CDaoRecordset::CancelUpdate() {
    DaoRecordsetState& rs = Require(state_);
    if (rs.editMode == kNoEdit) Raise(daoErrUpdateWithoutEdit, kSourceRecordset);
    rs.editMode = kNoEdit;
}

void CDaoRecordset::Delete() {
    DaoRecordsetState& rs = ForChangeOfCurrent(database_, state_);
    DaoDatabaseState& db = *database_->State();
    CancelEdit(rs);
    const int64_t rowid = rs.keys[rs.pos];
    sqlite3_stmt* stmt =
        db.Prepare("DELETE FROM " + QuoteIdentifier(rs.schema.name) + " WHERE rowid=?", kSourceRecordset);
    sqlite3_bind_int64(stmt, 1, rowid);
    AfterFailureSync(db, [&] {
        BindStep(db, stmt);
        return 0;
    });
    if (db.dbase) db.dbase->DeleteRow(rs.schema, rowid);
    if (rs.type != dbOpenTable) Journal(db, rs, false, rowid, rs.pos);
    rs.keys.erase(rs.keys.begin() + rs.pos);
    rs.positionsValid = false;
    rs.deleted = true;
    ++db.changeCount;
}

int CDaoRecordset::GetEditMode() const { return state_ ? state_->editMode : kNoEdit; }

// ---- field values -----------------------------------------------------------------------

namespace {

const std::vector<CDaoValue>& CurrentValues(CDaoDatabase* database, DaoRecordsetState& rs) {
    DaoDatabaseState& db = OpenState(database, kSourceRecordset);
    if (rs.editMode != kNoEdit) return rs.edit;
    RefreshKeys(db, rs);
    if (!rs.HasCurrent()) RaiseNoCurrent(rs);
    return FetchRow(db, rs, rs.keys[rs.pos]);
}

const CDaoValue& CurrentValue(CDaoDatabase* database, DaoRecordsetState& rs, int column) {
    return CurrentValues(database, rs)[column];
}

void StoreValue(CDaoDatabase* database, DaoRecordsetState& rs, int column, CDaoValue&& value) {
    DaoDatabaseState& db = OpenState(database, kSourceRecordset);
    if (rs.editMode == kNoEdit) Raise(daoErrUpdateWithoutEdit, kSourceRecordset);
    const CDaoFieldInfo& field = rs.schema.columns[column];
    if (rs.editMode == kEditing && column == rs.schema.AutoIncrementColumn()) Raise(daoErrReadOnly, kSourceField);
    if (FitsFieldAsIs(value, field, db.codePage)) rs.edit[column] = std::move(value);
    else rs.edit[column] = CoerceToField(value, field, db.codePage);
    rs.dirty[column] = true;
}

int CheckedColumn(const DaoRecordsetState& rs, int index) {
    if (index < 0 || index >= static_cast<int>(rs.schema.columns.size())) Raise(daoErrItemNotFound, kSourceRecordset);
    return index;
}

}  // namespace

CDaoValue CDaoRecordset::GetFieldValue(const char* name) {
    DaoRecordsetState& rs = Require(state_);
    OpenState(database_, kSourceRecordset);  // a closed database before an unknown name
    return CurrentValue(database_, rs, ColumnOf(rs, name));
}

void CDaoRecordset::SetFieldValue(const char* name, const CDaoValue& value) {
    DaoRecordsetState& rs = Require(state_);
    OpenState(database_, kSourceRecordset);  // a closed database before an unknown name
    StoreValue(database_, rs, ColumnOf(rs, name), CDaoValue(value));
}

int CDaoRecordset::GetFieldIndex(const char* name) const { return ColumnOf(Require(state_), name); }

const CDaoValue& CDaoRecordset::GetFieldValueRef(int index) {
    DaoRecordsetState& rs = Require(state_);
    return CurrentValue(database_, rs, CheckedColumn(rs, index));
}

const CDaoValue* CDaoRecordset::GetFieldValuesRef() { return CurrentValues(database_, Require(state_)).data(); }

void CDaoRecordset::SetFieldValueAt(int index, CDaoValue value) {
    DaoRecordsetState& rs = Require(state_);
    StoreValue(database_, rs, CheckedColumn(rs, index), std::move(value));
}

void CDaoRecordset::SetFieldValue(const char* name, const char* text) {
    SetFieldValue(name, text ? CDaoValue::FromText(text) : CDaoValue::MakeNull());
}

void CDaoRecordset::SetFieldValueNull(const char* name) { SetFieldValue(name, CDaoValue::MakeNull()); }

int CDaoRecordset::GetFieldCount() const { return state_ ? static_cast<int>(state_->visible.size()) : 0; }

void CDaoRecordset::GetFieldInfo(int index, CDaoFieldInfo& info) const {
    if (!state_ || index < 0 || index >= GetFieldCount()) Raise(daoErrItemNotFound, kSourceRecordset);
    info = state_->schema.columns[state_->visible[index]];
}

// ---- transaction levels ---------------------------------------------------------------------

namespace {

// A record that a rolled-back level added leaves the set; the cursor stays on the record it
// was on, or stands where a vanished current record was, as after a Delete.
void UndoAdded(DaoRecordsetState& rs, int64_t rowid) {
    auto found = std::find(rs.keys.begin(), rs.keys.end(), rowid);
    if (found == rs.keys.end()) return;
    const long at = static_cast<long>(found - rs.keys.begin());
    const bool wasCurrent = rs.HasCurrent() && rs.pos == at;
    rs.keys.erase(found);
    if (rs.pos > at) --rs.pos;
    if (wasCurrent) {
        CancelEdit(rs);
        rs.deleted = true;
    }
}

// A record that a rolled-back level deleted comes back where it stood.
void UndoRemoved(DaoRecordsetState& rs, int64_t rowid, long position) {
    const long at = std::min(position, rs.Count());
    rs.keys.insert(rs.keys.begin() + at, rowid);
    if (rs.deleted && rs.pos == at) {
        rs.deleted = false;  // the cursor is on it again
    } else if (rs.pos >= at) {
        ++rs.pos;
    }
}

void SettlePosition(DaoRecordsetState& rs) {
    rs.positionsValid = false;
    rs.cached = false;
    if (rs.deleted) return;
    const long count = rs.Count();
    if (rs.pos >= 0 && rs.pos < count) {
        rs.bof = rs.eof = false;
    } else if (rs.pos >= count) {
        rs.pos = count;
        rs.eof = true;
        rs.bof = count == 0;
    } else {
        rs.bof = true;
        rs.eof = count == 0;
    }
}

void UndoKeyChanges(DaoRecordsetState& rs, int depth) {
    if (rs.type == dbOpenTable) {
        rs.keysStale = true;
        rs.journal.clear();
        return;
    }
    bool changed = false;
    while (!rs.journal.empty() && rs.journal.back().depth >= depth) {
        const KeyChange change = rs.journal.back();
        rs.journal.pop_back();
        if (change.added) UndoAdded(rs, change.rowid);
        else UndoRemoved(rs, change.rowid, change.position);
        changed = true;
    }
    if (changed) SettlePosition(rs);
}

// SQLite's counter rolled back with the rows: put it back above every number handed out.
void RestoreAutoNumbers(DaoDatabaseState& state) {
    for (const auto& [table, high] : state.autoNumberHigh) {
        const std::string name = QuoteLiteral(table), value = std::to_string(high);
        sqlite3_exec(state.db,
                     ("UPDATE sqlite_sequence SET seq=" + value + " WHERE name=" + name + " AND seq<" + value +
                      "; INSERT INTO sqlite_sequence(name, seq) SELECT " + name + ", " + value +
                      " WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name=" + name + ")")
                         .c_str(),
                     nullptr, nullptr, nullptr);
    }
}

}  // namespace

namespace daoimpl {

void UndoTransactionLevels(DaoDatabaseState& state, int depth) {
    for (DaoRecordsetState* rs : state.recordsets) UndoKeyChanges(*rs, depth);
    if (state.db && !state.dbase) RestoreAutoNumbers(state);
    ++state.changeCount;
}

void CommitTransactionLevel(DaoDatabaseState& state, int depth) {
    for (DaoRecordsetState* rs : state.recordsets) {
        if (depth <= 1) {
            rs->journal.clear();
            continue;
        }
        for (KeyChange& change : rs->journal)
            if (change.depth == depth) change.depth = depth - 1;
    }
}

void ForgetRecordsets(DaoDatabaseState& state) {
    for (DaoRecordsetState* rs : state.recordsets) rs->owner = nullptr;
    state.recordsets.clear();
}

void SyncTransaction(DaoDatabaseState& state) {
    if (state.transactionDepth == 0 || !state.db || state.dbase || !sqlite3_get_autocommit(state.db)) return;
    state.transactionDepth = 0;
    state.ForgetSchemas();
    UndoTransactionLevels(state, 1);
}

}  // namespace daoimpl
