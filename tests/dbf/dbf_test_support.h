// Byte reads of the files the module wrote, and the card table in its dBASE form.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbf_file.h"
#include "file_bytes.h"
#include "scratch_folder.h"

inline unsigned Byte(const std::string& bytes, size_t at) { return static_cast<unsigned char>(bytes.at(at)); }
inline unsigned Le16(const std::string& b, size_t at) { return Byte(b, at) | Byte(b, at + 1) << 8; }
inline unsigned Le32(const std::string& b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

// The flat card layout with the smaller text sizes of its dBASE form.
inline std::vector<DbfField> CardTableFields() {
    std::vector<DbfField> f = {
        {"ID", 'N', 11, 0},       {"LINKID", 'N', 11, 0},   {"CDATE", 'D', 8, 0},       {"CNAME", 'C', 50, 0},
        {"ENAME", 'C', 50, 0},    {"ALIASE", 'C', 50, 0},   {"COMTYPE", 'C', 20, 0},    {"COMPANY", 'C', 60, 0},
        {"CNUMBER", 'C', 20, 0},  {"TITLE", 'C', 50, 0},    {"DEPARTMENT", 'C', 30, 0}, {"EMAIL", 'C', 50, 0},
        {"OPHONE", 'C', 30, 0},   {"HPHONE", 'C', 30, 0},   {"PPHONE", 'C', 30, 0},     {"BBCALL", 'C', 15, 0},
        {"FAX", 'C', 15, 0},      {"ADDRESS", 'C', 80, 0},  {"CITY", 'C', 20, 0},       {"STATE", 'C', 10, 0},
        {"ZIP", 'C', 10, 0},      {"COUNTRY", 'C', 20, 0},  {"ALTNAME", 'C', 30, 0},    {"ALTADDRESS", 'C', 80, 0},
        {"ALTCITY", 'C', 20, 0},  {"ALTSTATE", 'C', 10, 0}, {"ALTZIP", 'C', 10, 0},     {"CATEGORY1", 'C', 50, 0},
        {"CATEGORY2", 'C', 50, 0}};
    for (int i = 1; i <= 9; ++i) f.push_back({"USER" + std::to_string(i), 'C', 50, 0});
    f.push_back({"FLAGS", 'N', 6, 0});
    f.push_back({"SECONDTEXT", 'M', 10, 0});
    f.push_back({"CNOTE", 'M', 10, 0});
    f.push_back({"CIMAGE", 'M', 10, 0});
    return f;
}

using Values = CDbfFile::Values;
