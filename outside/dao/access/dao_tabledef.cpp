#include "dao_dbase.h"
#include "dao_errors.h"
#include "dao_schema.h"
#include "dao_state.h"

using namespace daoimpl;

struct DaoTableDefState {
    DaoTableSchema schema;
    bool inDatabase = false;  // appended or opened: changes take effect at once
};

CDaoTableDef::CDaoTableDef(CDaoDatabase* database) : database_(database) {}
CDaoTableDef::~CDaoTableDef() = default;

void CDaoTableDef::Create(const char* name, long attributes, const char* sourceTable, const char* connect) {
    OpenState(database_, kSourceTableDef);
    if (sourceTable && *sourceTable) Raise(daoErrOperationNotSupported, kSourceTableDef);
    state_.reset(new DaoTableDefState);
    state_->schema.name = name ? name : "";
}

void CDaoTableDef::Open(const char* name) {
    DaoDatabaseState& db = OpenState(database_, kSourceTableDef);
    const std::string table = name ? name : "";
    std::unique_ptr<DaoTableDefState> state(new DaoTableDefState);
    state->schema = db.Schema(table, kSourceTableDef);
    state->inDatabase = true;
    state_ = std::move(state);
}

void CDaoTableDef::Close() { state_.reset(); }
bool CDaoTableDef::IsOpen() const { return state_ != nullptr; }

static void RequireDefinition(const std::unique_ptr<DaoTableDefState>& state) {
    if (!state) Raise(daoErrNotOpen, kSourceTableDef);
}

void CDaoTableDef::CreateField(const char* name, short type, long size, long attributes) {
    RequireDefinition(state_);
    if (type != dbLong && type != dbInteger && type != dbDate && type != dbText && type != dbMemo &&
        type != dbLongBinary)
        Raise(daoErrTypeConversion, kSourceTableDef);
    CDaoFieldInfo column;
    column.m_strName = name ? name : "";
    column.m_nType = type;
    column.m_lSize = type == dbText && size <= 0 ? 50 : size;  // Jet's default text size
    column.m_lAttributes = type == dbLong ? attributes : (attributes & ~dbAutoIncrField);
    if (column.m_strName.empty()) Raise(daoErrItemNotFound, kSourceTableDef);
    if (state_->schema.FindColumn(column.m_strName) >= 0) Raise(daoErrFieldDefinedTwice, kSourceTableDef);
    if (state_->inDatabase) {
        DaoDatabaseState& db = OpenState(database_, kSourceTableDef);
        if (db.readOnly) Raise(daoErrReadOnly, kSourceTableDef);
        if (db.dbase) Raise(daoErrOperationNotSupported, kSourceTableDef);
        AddColumn(db.db, state_->schema, column);
        db.ForgetSchemas();
        column.m_lAttributes &= ~dbAutoIncrField;
    }
    state_->schema.columns.push_back(column);
}

void CDaoTableDef::CreateIndex(CDaoIndexInfo& info) {
    RequireDefinition(state_);
    if (info.m_fields.empty()) Raise(daoErrItemNotFound, kSourceTableDef);
    for (const auto& field : info.m_fields)
        if (state_->schema.FindColumn(field.m_strName) < 0) Raise(daoErrItemNotFound, kSourceTableDef);
    if (state_->schema.FindIndex(info.m_strName) >= 0) Raise(daoErrFieldDefinedTwice, kSourceTableDef);
    if (state_->inDatabase) {
        DaoDatabaseState& db = OpenState(database_, kSourceTableDef);
        if (db.readOnly) Raise(daoErrReadOnly, kSourceTableDef);
        if (db.dbase) db.dbase->AddIndex(db, state_->schema, info);
        else AddIndex(db.db, state_->schema, info);
        db.ForgetSchemas();
    }
    state_->schema.indexes.push_back(info);
}

void CDaoTableDef::Append() {
    RequireDefinition(state_);
    DaoDatabaseState& db = OpenState(database_, kSourceTableDef);
    if (state_->inDatabase) return;
    if (db.readOnly) Raise(daoErrReadOnly, kSourceTableDef);
    if (state_->schema.name.empty() || state_->schema.columns.empty())
        Raise(daoErrSyntaxInQuery, kSourceTableDef, "a table needs a name and fields");
    if (db.HasTable(state_->schema.name)) Raise(daoErrTableExists, kSourceTableDef, state_->schema.name);
    if (db.dbase) db.dbase->CreateTable(db, state_->schema);
    else CreateTable(db.db, state_->schema);
    db.ForgetSchemas();
    state_->inDatabase = true;
}

std::string CDaoTableDef::GetName() const { return state_ ? state_->schema.name : std::string(); }

int CDaoTableDef::GetFieldCount() const { return state_ ? static_cast<int>(state_->schema.columns.size()) : 0; }

void CDaoTableDef::GetFieldInfo(int index, CDaoFieldInfo& info) const {
    if (!state_ || index < 0 || index >= GetFieldCount()) Raise(daoErrItemNotFound, kSourceTableDef);
    info = state_->schema.columns[index];
}

int CDaoTableDef::GetIndexCount() const { return state_ ? static_cast<int>(state_->schema.indexes.size()) : 0; }

void CDaoTableDef::GetIndexInfo(int index, CDaoIndexInfo& info) const {
    if (!state_ || index < 0 || index >= GetIndexCount()) Raise(daoErrItemNotFound, kSourceTableDef);
    info = state_->schema.indexes[index];
}
