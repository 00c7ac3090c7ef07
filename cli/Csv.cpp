#include "cli/Csv.h"

#include "text/CsvText.h"

#include <algorithm>
#include <ios>
#include <istream>
#include <ostream>

namespace velmaro::cli {
namespace {

constexpr int kEnd = std::char_traits<char>::eof();

// Spreadsheets saving "CSV UTF-8" put a byte order mark first; it is no part of the first name.
void SkipByteOrderMark(std::streambuf &in)
{
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    for (const char c : kMark) {
        if (in.sgetc() != std::char_traits<char>::to_int_type(c))
            return;
        in.sbumpc();
    }
}

} // namespace

CsvReader::CsvReader(std::istream &in) : in_(*in.rdbuf()) {}

bool CsvReader::Next(std::vector<std::string> &fields)
{
    fields.clear();
    ++record_;
    recordBytes_ = 0;
    // The stream buffer reports a read error by throwing, as no stream stands between.
    try {
        if (record_ == 1)
            SkipByteOrderMark(in_);
        if (in_.sgetc() != kEnd) {
            ReadFields(fields);
            return true;
        }
    } catch (const std::ios_base::failure &) {
        throw CsvInputError("it cannot be read");
    }
    --record_; // the input ended before another record
    return false;
}

// The next character of the record, counted against the record limit.
int CsvReader::Take()
{
    if (++recordBytes_ > kMaxRecordBytes)
        throw CsvInputError("a record longer than " + std::to_string(kMaxRecordBytes) +
                            " bytes; this is no cases file");
    return in_.sbumpc();
}

// After a bad record, the rest of its line is dropped so that the next record starts clean.
void CsvReader::SkipLine()
{
    for (int c = Take(); c != kEnd && c != '\n'; c = Take()) {
    }
}

void CsvReader::ReadFields(std::vector<std::string> &fields)
{
    fields.emplace_back();
    bool quoted = false;     // inside a quoted field
    bool afterQuote = false; // a quoted field has closed; only a separator may follow
    for (int c = Take();; c = Take()) {
        if (quoted) {
            if (c == kEnd)
                throw CsvError("a quoted field is not closed before the end of the file");
            if (c == '"') {
                if (in_.sgetc() == '"') {
                    Take();
                    fields.back() += '"';
                } else {
                    quoted = false;
                    afterQuote = true;
                }
            } else {
                fields.back() += static_cast<char>(c);
            }
            continue;
        }
        if (c == kEnd || c == '\n') {
            separator_ = Separator();
            return;
        }
        if (c == '\r' && in_.sgetc() == '\n')
            continue;
        if (separator_ ? c == separator_ : c == ',' || c == ';') {
            separator_ = static_cast<char>(c);
            fields.emplace_back();
            afterQuote = false;
        } else if (afterQuote) {
            SkipLine();
            throw CsvError("text follows a closing quote");
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else {
            fields.back() += static_cast<char>(c);
        }
    }
}

CsvWriter::CsvWriter(std::ostream &out, char separator) : out_(out), separator_(separator) {}

void CsvWriter::Separate()
{
    if (!firstField_)
        record_ += separator_;
    firstField_ = false;
}

void CsvWriter::Field(std::string_view text)
{
    Separate();
    AppendCsvField(record_, text, separator_);
}

void CsvWriter::Number(double value)
{
    Separate();
    const std::size_t start = record_.size();
    AppendCsvNumber(record_, value);
    if (separator_ == ';')
        std::replace(record_.begin() + static_cast<std::ptrdiff_t>(start), record_.end(), '.', ',');
}

void CsvWriter::Integer(std::int64_t value)
{
    Separate();
    record_ += std::to_string(value);
}

void CsvWriter::Empty()
{
    Separate();
}

void CsvWriter::EndRecord()
{
    EndCsvRecord(record_);
    out_.write(record_.data(), static_cast<std::streamsize>(record_.size()));
    record_.clear();
    firstField_ = true;
}

} // namespace velmaro::cli
