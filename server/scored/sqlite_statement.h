// A prepared SQLite statement that finalizes itself and can be run again.
#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <string>

class SqliteStatement {
  public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    }
    ~SqliteStatement() { sqlite3_finalize(statement); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool Ok() const { return statement != nullptr; }
    // Clears the last run's state and bindings before the next.
    SqliteStatement& Reset() {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        return *this;
    }
    SqliteStatement& Bind(int index, const std::string& text) {
        sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    SqliteStatement& Bind(int index, int64_t value) {
        sqlite3_bind_int64(statement, index, value);
        return *this;
    }
    SqliteStatement& BindBlob(int index, const std::string& bytes) {
        sqlite3_bind_blob(statement, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    int Step() { return sqlite3_step(statement); }
    int64_t Integer(int column) { return sqlite3_column_int64(statement, column); }
    std::string Text(int column) {
        const unsigned char* text = sqlite3_column_text(statement, column);
        return text ? reinterpret_cast<const char*>(text) : "";
    }

    std::string Blob(int column) {
        const void* bytes = sqlite3_column_blob(statement, column);
        return bytes ? std::string(static_cast<const char*>(bytes),
                                   static_cast<size_t>(sqlite3_column_bytes(statement, column)))
                     : "";
    }

  private:
    sqlite3_stmt* statement = nullptr;
};
