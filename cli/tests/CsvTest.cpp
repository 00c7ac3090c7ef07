#include "cli/Csv.h"

#include <gtest/gtest.h>

#include <sstream>

using velmaro::cli::CsvError;
using velmaro::cli::CsvReader;
using velmaro::cli::CsvWriter;

namespace {

using Records = std::vector<std::vector<std::string>>;

Records ReadAll(const std::string &text)
{
    std::istringstream in(text);
    CsvReader reader(in);
    Records records;
    std::vector<std::string> fields;
    while (reader.Next(fields))
        records.push_back(fields);
    return records;
}

TEST(CsvReaderTest, ReadsTheRecordsOfWellFormedText)
{
    const struct {
        const char *text;
        Records expected;
    } cases[] = {
        {"a,b,c\n1,2,3\n", {{"a", "b", "c"}, {"1", "2", "3"}}},
        {"a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        {"a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
        {",,\n", {{"", "", ""}}},
        {"\"1,5\",\"say \"\"hi\"\"\",\"two\nlines\"\n", {{"1,5", "say \"hi\"", "two\nlines"}}},
        {"\"\",x\n", {{"", "x"}}},
        {"a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"", {}},
        {"\xEF\xBB\xBFname,x\n", {{"name", "x"}}},
        // The first separator of the first record decides: a comma, or a semicolon as spreadsheets
        // write where the decimal mark is a comma.
        {"a;b\n1,5;\"x;y\"\n", {{"a", "b"}, {"1,5", "x;y"}}},
        {"\"a,b\";c\n1;2,3\n", {{"a,b", "c"}, {"1", "2,3"}}},
        {"a\n1,5;2\n", {{"a"}, {"1", "5;2"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadAll(c.text), c.expected);
    }
}

TEST(CsvReaderTest, ABrokenRecordIsReportedAndTheNextOneStillReads)
{
    std::istringstream in("a,b\n\"x\"y,2\nc,d\n\"open,3\n");
    CsvReader reader(in);
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_THROW(reader.Next(fields), CsvError);
    EXPECT_EQ(reader.Record(), 2);
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(fields, (std::vector<std::string>{"c", "d"}));
    EXPECT_EQ(reader.Record(), 3);
    EXPECT_THROW(reader.Next(fields), CsvError);
    EXPECT_FALSE(reader.Next(fields));
}

TEST(CsvWriterTest, WhatItWritesReadsBackToTheSameFields)
{
    std::ostringstream out;
    CsvWriter writer(out);
    writer.Empty();
    writer.Field("plain");
    writer.Field("1,2,3");
    writer.Field("a \"quote\"");
    writer.Field("two\r\nlines");
    writer.EndRecord();
    writer.Number(0.1);
    writer.Number(-2.5e-300);
    writer.Integer(-7);
    writer.EndRecord();
    EXPECT_EQ(out.str(), ",plain,\"1,2,3\",\"a \"\"quote\"\"\",\"two\r\nlines\"\r\n0.1,-2.5e-300,-7\r\n");
    EXPECT_EQ(ReadAll(out.str()),
              (Records{{"", "plain", "1,2,3", "a \"quote\"", "two\r\nlines"}, {"0.1", "-2.5e-300", "-7"}}));
}

TEST(CsvWriterTest, SemicolonsGoWithDecimalCommas)
{
    std::ostringstream out;
    CsvWriter writer(out, ';');
    writer.Field("a;b");
    writer.Field("1,5");
    writer.Number(-2.5e-300);
    writer.Number(0.25);
    writer.Integer(-7);
    writer.EndRecord();
    EXPECT_EQ(out.str(), "\"a;b\";1,5;-2,5e-300;0,25;-7\r\n");
    EXPECT_EQ(ReadAll(out.str()), (Records{{"a;b", "1,5", "-2,5e-300", "0,25", "-7"}}));
}

} // namespace
