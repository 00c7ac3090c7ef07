#pragma once

// Comma-separated values as RFC 4180 has them: fields separated by commas, records by line
// breaks (CRLF, or LF as Unix tools write them); a field in double quotes may hold commas, line
// breaks and doubled quotes. Where the decimal mark is a comma, spreadsheets separate fields
// with semicolons instead: the reader takes either, as the first record shows, and the writer
// writes either, with numbers to match. The reader takes one record at a time from a stream, so
// a file of any length needs no more memory than its longest record.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::cli {

// A record that breaks the format; the reader has already moved past it.
class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Input that cannot be read on: a read error, or a record past the length limit, whose end could
// lie anywhere (/dev/zero has none). Nothing after it can be trusted.
class CsvInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Far above a row of inputs with two full series and file names.
inline constexpr std::size_t kMaxRecordBytes = 1 << 16;

class CsvReader {
public:
    explicit CsvReader(std::istream &in);

    // Reads the next record into fields; false at the end of the input. A quote left open, or
    // text after a closing quote, throws CsvError; reading can go on with the next record. A
    // read error, or a record longer than kMaxRecordBytes, throws CsvInputError.
    bool Next(std::vector<std::string> &fields);

    // The number of the record last read, or being read when Next threw, 1 for the first, as a
    // spreadsheet numbers its rows.
    std::int64_t Record() const { return record_; }
    // ',' or ';': the first of them outside quotes in the first record; ',' when it has neither.
    char Separator() const { return separator_ ? separator_ : ','; }

private:
    void ReadFields(std::vector<std::string> &fields);
    int Take();
    void SkipLine();

    std::streambuf &in_;
    std::int64_t record_ = 0;
    std::size_t recordBytes_ = 0;
    char separator_ = 0; // not known before the first record
};

// Writes records; fields holding the separator, a quote or a line break are quoted.
class CsvWriter {
public:
    // separator ',' or ';'.
    explicit CsvWriter(std::ostream &out, char separator = ',');

    void Field(std::string_view text);
    // The shortest text that reads back to the same double, "." whatever the locale; "," between
    // semicolons.
    void Number(double value);
    void Integer(std::int64_t value);
    void Empty();
    // Ends the record with CRLF and hands it to the stream.
    void EndRecord();

private:
    void Separate();

    std::ostream &out_;
    char separator_;
    std::string record_;
    bool firstField_ = true;
};

} // namespace velmaro::cli
