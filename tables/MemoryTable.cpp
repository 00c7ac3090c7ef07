#include "tables/MemoryTable.h"

#include "text/MachineText.h"

#include <cmath>
#include <limits>
#include <string>

namespace velmaro {

namespace {

const char *TypeName(FieldType type)
{
    switch (type) {
    case FieldType::String: return "String";
    case FieldType::Integer: return "Integer";
    case FieldType::Float: return "Float";
    }
    return "unknown";
}

std::string Quoted(const QString &name)
{
    return "'" + name.toStdString() + "'";
}

} // namespace

bool IsNull(const CellValue &value)
{
    return std::holds_alternative<std::monostate>(value);
}

QString CellText(const CellValue &value)
{
    if (const auto *i = std::get_if<std::int32_t>(&value))
        return QString::number(*i);
    if (const auto *d = std::get_if<double>(&value))
        return QString::fromStdString(RoundTripText(*d));
    if (const auto *s = std::get_if<QString>(&value))
        return *s;
    return {};
}

void MemoryTable::Open()
{
    if (active_)
        return;
    if (defs_.empty())
        throw TableError("Cannot open a table without field definitions");
    fields_ = defs_;
    rows_.clear();
    current_ = -1;
    active_ = true;
}

void MemoryTable::Close()
{
    active_ = false;
    appending_ = false;
    pending_.clear();
    rows_.clear();
    fields_.clear();
    current_ = -1;
}

void MemoryTable::RequireActive() const
{
    if (!active_)
        throw TableClosedError("Cannot perform this operation on a closed table");
}

void MemoryTable::RequireClosed(const char *what) const
{
    if (active_)
        throw TableError(std::string("Cannot ") + what + " of an open table");
}

void MemoryTable::ClearFieldDefs()
{
    RequireClosed("clear the field definitions");
    defs_.clear();
}

void MemoryTable::AddFieldDef(const FieldDef &def)
{
    RequireClosed("change the field definitions");
    if (def.name.isEmpty())
        throw TableError("A field needs a name");
    for (const auto &d : defs_)
        if (d.name == def.name)
            throw TableError("Duplicate field name " + Quoted(def.name));
    if (def.type == FieldType::String && def.size <= 0)
        throw TableError("String field " + Quoted(def.name) + " needs a positive maximum length");
    if (def.type != FieldType::String && def.type != FieldType::Integer && def.type != FieldType::Float)
        throw TableError("Field " + Quoted(def.name) + " has an unknown type");
    defs_.push_back(def);
}

void MemoryTable::Append()
{
    RequireActive();
    if (appending_)
        throw TableError("A row is already being appended");
    pending_.assign(fields_.size(), CellValue{});
    appending_ = true;
}

void MemoryTable::CheckFieldIndex(int field) const
{
    if (field < 0 || field >= FieldCount())
        throw TableError("Field index " + std::to_string(field) + " out of range");
}

CellValue MemoryTable::Converted(const FieldDef &def, const CellValue &value) const
{
    const auto mismatch = [&](const char *given) {
        return TableError(std::string(given) + " value does not fit " + TypeName(def.type) + " field " + Quoted(def.name));
    };
    if (IsNull(value))
        return value;
    switch (def.type) {
    case FieldType::String:
        if (const auto *s = std::get_if<QString>(&value)) {
            if (s->size() > def.size)
                throw TableError("Text of " + std::to_string(s->size()) + " characters is longer than field "
                                 + Quoted(def.name) + " allows (" + std::to_string(def.size) + ")");
            return value;
        }
        throw mismatch("A number");
    case FieldType::Integer:
        if (std::holds_alternative<std::int32_t>(value))
            return value;
        if (const auto *d = std::get_if<double>(&value)) {
            constexpr double low = std::numeric_limits<std::int32_t>::min();
            constexpr double high = std::numeric_limits<std::int32_t>::max();
            if (std::trunc(*d) == *d && *d >= low && *d <= high)
                return static_cast<std::int32_t>(*d);
            throw mismatch("A non-integer");
        }
        throw mismatch("A text");
    case FieldType::Float:
        if (const auto *i = std::get_if<std::int32_t>(&value))
            return static_cast<double>(*i);
        if (const auto *d = std::get_if<double>(&value)) {
            if (!std::isfinite(*d))
                throw mismatch("A non-finite");
            return value;
        }
        throw mismatch("A text");
    }
    throw mismatch("A");
}

void MemoryTable::SetField(int field, const CellValue &value)
{
    RequireActive();
    if (!appending_)
        throw TableError("No row is being appended");
    CheckFieldIndex(field);
    pending_[static_cast<std::size_t>(field)] = Converted(fields_[static_cast<std::size_t>(field)], value);
}

void MemoryTable::Post()
{
    RequireActive();
    if (!appending_)
        throw TableError("No row is being appended");
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].required && IsNull(pending_[i]))
            throw TableError("Field " + Quoted(fields_[i].name) + " must have a value");
    rows_.push_back(std::move(pending_));
    pending_.clear();
    appending_ = false;
    current_ = RecordCount() - 1;
}

void MemoryTable::Cancel()
{
    pending_.clear();
    appending_ = false;
}

void MemoryTable::First()
{
    RequireActive();
    current_ = rows_.empty() ? -1 : 0;
}

void MemoryTable::MoveTo(int row)
{
    RequireActive();
    if (row < 0 || row >= RecordCount())
        throw TableError("Row " + std::to_string(row) + " out of range");
    current_ = row;
}

int MemoryTable::RecNo() const
{
    RequireActive();
    return current_;
}

int MemoryTable::RecordCount() const
{
    RequireActive();
    return static_cast<int>(rows_.size());
}

int MemoryTable::FieldCount() const
{
    RequireActive();
    return static_cast<int>(fields_.size());
}

int MemoryTable::FieldIndex(const QString &name) const
{
    RequireActive();
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name == name)
            return static_cast<int>(i);
    throw TableError("Field " + Quoted(name) + " not found");
}

const FieldDef &MemoryTable::Field(int field) const
{
    RequireActive();
    CheckFieldIndex(field);
    return fields_[static_cast<std::size_t>(field)];
}

const CellValue &MemoryTable::Value(int field) const
{
    RequireActive();
    if (current_ < 0)
        throw TableError("The table has no current row");
    return Cell(current_, field);
}

const CellValue &MemoryTable::Value(const QString &name) const
{
    return Value(FieldIndex(name));
}

QString MemoryTable::Text(int field) const
{
    return CellText(Value(field));
}

QString MemoryTable::Text(const QString &name) const
{
    return CellText(Value(name));
}

const CellValue &MemoryTable::Cell(int row, int field) const
{
    RequireActive();
    CheckFieldIndex(field);
    if (row < 0 || row >= RecordCount())
        throw TableError("Row " + std::to_string(row) + " out of range");
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(field)];
}

} // namespace velmaro
