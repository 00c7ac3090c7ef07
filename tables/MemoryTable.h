#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>
#include <variant>
#include <vector>

namespace velmaro {

// Any misuse of a memory table: unknown field, wrong value type, too long a text, a row that
// is not being appended, definitions changed while the table is open.
class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading, moving or appending on a table that was never opened (or was closed since).
class TableClosedError : public TableError {
public:
    using TableError::TableError;
};

// The numbers are the type codes the selection dialog's table builders pass.
enum class FieldType { String = 1, Integer = 3, Float = 6 };

// One cell: null, a 32-bit integer, a double or a text.
using CellValue = std::variant<std::monostate, std::int32_t, double, QString>;

bool IsNull(const CellValue &value);

// The text form of a cell: empty for null, the number text for numbers (the shortest that
// reads back, "." whatever the locale), the text itself.
QString CellText(const CellValue &value);

struct FieldDef {
    QString name;
    FieldType type;
    int size = 0;  // maximum length in characters, String fields only
    bool required = false;
};

// A small in-memory table: fields defined before opening, rows kept in append order, one
// current row. Closing discards the rows; the definitions stay until cleared.
class MemoryTable {
public:
    bool Active() const { return active_; }
    void Open();
    void Close();

    void ClearFieldDefs();
    void AddFieldDef(const FieldDef &def);

    // Appending: Append starts a new row (all null), SetField fills it by position, Post adds
    // it after the last row and makes it current; Cancel drops it.
    void Append();
    void SetField(int field, const CellValue &value);
    void Post();
    void Cancel();

    void First();
    void MoveTo(int row);
    // Zero-based position of the current row, -1 when the table has no rows.
    int RecNo() const;
    int RecordCount() const;

    int FieldCount() const;
    int FieldIndex(const QString &name) const;  // throws for an unknown name
    const FieldDef &Field(int field) const;

    // The current row's cell, by position or by name.
    const CellValue &Value(int field) const;
    const CellValue &Value(const QString &name) const;
    QString Text(int field) const;
    QString Text(const QString &name) const;

    // Any row's cell, for drawing the grid without moving the current row.
    const CellValue &Cell(int row, int field) const;

private:
    void RequireActive() const;
    void RequireClosed(const char *what) const;
    void CheckFieldIndex(int field) const;
    CellValue Converted(const FieldDef &def, const CellValue &value) const;

    std::vector<FieldDef> defs_;
    std::vector<FieldDef> fields_;
    std::vector<std::vector<CellValue>> rows_;
    std::vector<CellValue> pending_;
    bool appending_ = false;
    bool active_ = false;
    int current_ = -1;
};

} // namespace velmaro
