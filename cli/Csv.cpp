#include "cli/Csv.h"

#include "text/CsvText.h"

#include <istream>
#include <ostream>

namespace velmaro::cli {
namespace {

constexpr int kEnd = std::char_traits<char>::eof();

// After a bad record, the rest of its line is dropped so that the next record starts clean.
void SkipLine(std::streambuf &in)
{
    for (int c = in.sbumpc(); c != kEnd && c != '\n'; c = in.sbumpc()) {
    }
}

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

CsvReader::CsvReader(std::istream &in) : in_(*in.rdbuf())
{
    SkipByteOrderMark(in_);
}

bool CsvReader::Next(std::vector<std::string> &fields)
{
    fields.clear();
    if (in_.sgetc() == kEnd)
        return false;
    ++record_;
    fields.emplace_back();
    bool quoted = false;     // inside a quoted field
    bool afterQuote = false; // a quoted field has closed; only a separator may follow
    for (int c = in_.sbumpc();; c = in_.sbumpc()) {
        if (quoted) {
            if (c == kEnd)
                throw CsvError("a quoted field is not closed before the end of the file");
            if (c == '"') {
                if (in_.sgetc() == '"') {
                    in_.sbumpc();
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
        if (c == kEnd || c == '\n')
            return true;
        if (c == '\r' && in_.sgetc() == '\n')
            continue;
        if (c == ',') {
            fields.emplace_back();
            afterQuote = false;
        } else if (afterQuote) {
            SkipLine(in_);
            throw CsvError("text follows a closing quote");
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else {
            fields.back() += static_cast<char>(c);
        }
    }
}

CsvWriter::CsvWriter(std::ostream &out) : out_(out) {}

void CsvWriter::Separate()
{
    if (!firstField_)
        record_ += ',';
    firstField_ = false;
}

void CsvWriter::Field(std::string_view text)
{
    Separate();
    AppendCsvField(record_, text);
}

void CsvWriter::Number(double value)
{
    Separate();
    AppendCsvNumber(record_, value);
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
