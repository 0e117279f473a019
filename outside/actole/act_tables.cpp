#include "act_tables.h"

namespace actole {

namespace {

// ACT! field numbers with their widths in bytes, as the contact record holds them.
const int kContactFields[][2] = {
    {26, 50}, {78, 30},  {79, 30}, {72, 50}, {75, 50}, {46, 80}, {73, 80},  {76, 80},  {40, 30},  {25, 80},
    {88, 30}, {27, 255}, {30, 30}, {31, 30}, {32, 10}, {33, 30}, {28, 255}, {29, 255}, {65, 255}, {66, 255},
    {67, 30}, {68, 30},  {69, 10}, {70, 30}, {35, 30}, {80, 10}, {36, 30},  {81, 10},  {37, 30},  {74, 30},
    {83, 10}, {77, 30},  {84, 10}, {38, 30}, {39, 30}, {82, 10}, {71, 30},  {94, 50},  {200, 50}, {201, 80},
    {47, 50}, {85, 80},  {86, 30}, {87, 10}, {50, 50}, {51, 50}, {52, 50},  {53, 50},  {54, 50},  {55, 50},
    {56, 50}, {57, 50},  {58, 50}, {59, 50}, {60, 50}, {61, 50}, {62, 50},  {63, 50},  {64, 51},  {90, 10},
};

ActColumn TextColumn(int field, int width) {
    std::string name = "F" + std::to_string(field);
    // dBASE III character columns end at 254 bytes: longer texts live in the memo file.
    return width > 254 ? ActColumn{field, {name, 'M', 10, 0}} : ActColumn{field, {name, 'C', width, 0}};
}

std::vector<ActColumn> MakeContactColumns() {
    std::vector<ActColumn> columns = {{0, {"ID", 'C', 10, 0}}};
    for (const auto& f : kContactFields) columns.push_back(TextColumn(f[0], f[1]));
    columns.push_back({kDateField, {"F2", 'D', 8, 0}});
    return columns;
}

std::vector<ActColumn> MakeNoteColumns() {
    return {{0, {"ID", 'C', 10, 0}}, TextColumn(25, 254), TextColumn(28, 10), TextColumn(27, 10), TextColumn(26, 10)};
}

std::vector<DbfField> DbfFields(const std::vector<ActColumn>& columns) {
    std::vector<DbfField> fields;
    for (const ActColumn& c : columns) fields.push_back(c.dbf);
    return fields;
}

}  // namespace

const std::vector<ActColumn>& ContactColumns() {
    static const std::vector<ActColumn> columns = MakeContactColumns();
    return columns;
}

const std::vector<ActColumn>& NoteColumns() {
    static const std::vector<ActColumn> columns = MakeNoteColumns();
    return columns;
}

int ColumnOf(const std::vector<ActColumn>& columns, int field) {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].field == field && field != 0) return static_cast<int>(i);
    return -1;
}

std::string NotesPath(const std::string& contactsPath) {
    std::string stem = contactsPath;
    size_t dot = stem.find_last_of('.');
    if (dot != std::string::npos && stem.find_first_of("\\/", dot) == std::string::npos) stem.erase(dot);
    return stem + "_notes.dbf";
}

bool CreateTables(const std::string& contactsPath) {
    return CDbfFile::Create(contactsPath, DbfFields(ContactColumns()), nullptr) &&
           CDbfFile::Create(NotesPath(contactsPath), DbfFields(NoteColumns()), nullptr);
}

}  // namespace actole
