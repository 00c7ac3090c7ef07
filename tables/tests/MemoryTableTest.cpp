#include "tables/MemoryTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

using namespace velmaro;

namespace {

// Integer "Id", String(5) "Name", Float "Value".
MemoryTable ThreeFieldTable()
{
    MemoryTable t;
    t.AddFieldDef({"Id", FieldType::Integer});
    t.AddFieldDef({"Name", FieldType::String, 5});
    t.AddFieldDef({"Value", FieldType::Float});
    t.Open();
    return t;
}

void AppendRow(MemoryTable &t, const CellValue &id, const CellValue &name, const CellValue &value)
{
    t.Append();
    t.SetField(0, id);
    t.SetField(1, name);
    t.SetField(2, value);
    t.Post();
}

} // namespace

TEST(MemoryTableTest, ClosedTableRefusesEveryOperation)
{
    MemoryTable never;
    never.AddFieldDef({"Id", FieldType::Integer});
    MemoryTable closed = ThreeFieldTable();
    AppendRow(closed, 1, "a", 2.0);
    closed.Close();

    const std::function<void(MemoryTable &)> operations[] = {
        [](MemoryTable &t) { t.First(); },
        [](MemoryTable &t) { t.Append(); },
        [](MemoryTable &t) { t.Post(); },
        [](MemoryTable &t) { t.SetField(0, 1); },
        [](MemoryTable &t) { t.MoveTo(0); },
        [](MemoryTable &t) { (void)t.RecNo(); },
        [](MemoryTable &t) { (void)t.RecordCount(); },
        [](MemoryTable &t) { (void)t.Value(0); },
        [](MemoryTable &t) { (void)t.Text("Id"); },
        [](MemoryTable &t) { (void)t.Cell(0, 0); },
    };
    for (MemoryTable *t : {&never, &closed}) {
        EXPECT_FALSE(t->Active());
        for (std::size_t i = 0; i < std::size(operations); ++i)
            EXPECT_THROW(operations[i](*t), TableClosedError) << "operation " << i;
    }
}

TEST(MemoryTableTest, DefinitionsAreFixedWhileOpenAndNeededToOpen)
{
    MemoryTable empty;
    EXPECT_THROW(empty.Open(), TableError);

    MemoryTable t = ThreeFieldTable();
    EXPECT_THROW(t.AddFieldDef({"More", FieldType::Integer}), TableError);
    EXPECT_THROW(t.ClearFieldDefs(), TableError);
    t.Close();
    EXPECT_THROW(t.AddFieldDef({"Id", FieldType::Float}), TableError);      // duplicate name
    EXPECT_THROW(t.AddFieldDef({"Text", FieldType::String, 0}), TableError); // no length
    t.ClearFieldDefs();
    t.AddFieldDef({"Only", FieldType::Float});
    t.Open();
    EXPECT_EQ(t.FieldCount(), 1);
    EXPECT_EQ(t.RecordCount(), 0);
}

TEST(MemoryTableTest, RowsKeepAppendOrderAndReadByNameOrPosition)
{
    MemoryTable t = ThreeFieldTable();
    AppendRow(t, 3, "c", 1.25);
    AppendRow(t, 1, CellValue{}, CellValue{});
    AppendRow(t, 2, "bb", 98);
    EXPECT_EQ(t.RecordCount(), 3);
    EXPECT_EQ(t.RecNo(), 2);  // the posted row is current

    t.First();
    EXPECT_EQ(t.RecNo(), 0);
    EXPECT_EQ(t.Value("Id"), CellValue(3));
    EXPECT_EQ(t.Text(2), "1.25");
    EXPECT_EQ(t.Field(t.FieldIndex("Name")).type, FieldType::String);

    t.MoveTo(1);
    EXPECT_TRUE(IsNull(t.Value("Name")));
    EXPECT_TRUE(IsNull(t.Value(2)));
    EXPECT_EQ(t.Text("Value"), "");

    t.MoveTo(2);
    EXPECT_EQ(t.Value(2), CellValue(98.0));  // an integer given to a Float field is a double
    EXPECT_EQ(t.Text("Value"), "98");
    EXPECT_THROW(t.MoveTo(3), TableError);
    EXPECT_THROW((void)t.Value("Missing"), TableError);
}

TEST(MemoryTableTest, RefusesValuesThatDoNotFitTheirField)
{
    MemoryTable t = ThreeFieldTable();
    t.Append();
    const struct {
        int field;
        CellValue value;
    } refused[] = {
        {1, QString("toolong")}, {1, 5}, {0, 1.5}, {0, QString("1")}, {2, QString("1")}, {2, std::numeric_limits<double>::quiet_NaN()}, {3, 1},
    };
    for (const auto &r : refused)
        EXPECT_THROW(t.SetField(r.field, r.value), TableError) << r.field;
    t.SetField(1, QString("fives"));  // exactly the maximum length
    t.SetField(0, 7.0);               // a whole double fits an Integer field
    t.Post();
    EXPECT_EQ(t.Value(0), CellValue(7));
    EXPECT_THROW(t.Post(), TableError);  // nothing being appended
}

TEST(MemoryTableTest, RequiredFieldNeedsAValueAndCancelDropsTheRow)
{
    MemoryTable t;
    t.AddFieldDef({"Key", FieldType::Integer, 0, true});
    t.Open();
    t.Append();
    EXPECT_THROW(t.Post(), TableError);
    t.Cancel();
    EXPECT_EQ(t.RecordCount(), 0);
    t.First();
    EXPECT_EQ(t.RecNo(), -1);
    EXPECT_THROW((void)t.Value(0), TableError);
}

TEST(MemoryTableTest, CloseDiscardsRowsAndKeepsDefinitions)
{
    MemoryTable t = ThreeFieldTable();
    AppendRow(t, 1, "a", 1.0);
    t.Close();
    t.Open();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_EQ(t.FieldCount(), 3);
}
