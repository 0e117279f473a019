// An in-memory SQLite connection with the Jet functions registered, and a small card-like
// table whose rows exercise quotes, Null, mixed case, brackets, wildcards and dates.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "jetsql.h"

class JetDb {
public:
    JetDb() {
        sqlite3_open(":memory:", &db_);
        EXPECT_EQ(jetsql::RegisterFunctions(db_), SQLITE_OK);
    }
    ~JetDb() { sqlite3_close(db_); }
    JetDb(const JetDb&) = delete;
    JetDb& operator=(const JetDb&) = delete;

    sqlite3* handle() const { return db_; }

    void Exec(const std::string& sql) {
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << sql << ": " << (error ? error : "");
        sqlite3_free(error);
    }

    // Integer column 0 of every row, or an empty list with *error set when the statement fails.
    std::vector<long long> Column(const std::string& sql, std::string* error = nullptr) {
        std::vector<long long> values;
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
        for (; rc == SQLITE_ROW; rc = sqlite3_step(stmt))
            values.push_back(sqlite3_column_type(stmt, 0) == SQLITE_NULL ? -999 : sqlite3_column_int64(stmt, 0));
        if (rc != SQLITE_DONE) {
            if (error) *error = sqlite3_errmsg(db_);
            else ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db_);
            values.clear();
        }
        sqlite3_finalize(stmt);
        return values;
    }

private:
    sqlite3* db_ = nullptr;
};
