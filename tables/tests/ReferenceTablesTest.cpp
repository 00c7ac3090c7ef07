#include "tables/Seleccion.h"
#include "tables/TableModel.h"

#include <gtest/gtest.h>

using namespace velmaro;

namespace {

QStringList ShownTitles(const TSeleccionForm &form)
{
    QStringList titles;
    for (const auto &column : form.DS->Columns())
        titles.append(column.title);
    return titles;
}

QStringList RowTexts(const TSeleccionForm &form, int row)
{
    QStringList texts;
    for (int c = 0; c < form.DS->columnCount(); ++c)
        texts.append(form.DS->index(row, c).data().toString());
    return texts;
}

} // namespace

TEST(ReferenceTablesTest, EveryTableHasItsFieldsRowsAndFlags)
{
    const QStringList soils{"Soil A", "Soil B", "Soil C", "Soil D"};
    const struct {
        const char *id;
        QStringList titles;
        int rows;
        int stringSize;
    } cases[] = {
        {"ES1", {"Hydrologic Group", "Infiltration (mm/hr)", "Texture"}, 4, 44},
        {"ES2", {"Hydrologic Group", "Texture"}, 4, 84},
        {"ES3", {"Characteristics of the soil surface", "Land Use", "Initial Abstraction"}, 8, 38},
        {"EC1", QStringList{"Cover type and hydrologic condition"} + soils, 25, 66},
        {"EC2", QStringList{"Cover type / Treatment", "Hydrologic condition"} + soils, 38, 66},
        {"EC3", QStringList{"Cover type / Hydrologic condition"} + soils, 22, 73},
        {"EC4", QStringList{"Cover type", "Hydrologic condition"} + soils, 15, 66},
    };
    for (const auto &c : cases) {
        TSeleccionForm form;
        form.LoadTable(c.id);
        EXPECT_EQ(ShownTitles(form), c.titles) << c.id;
        ASSERT_EQ(form.MD.RecordCount(), c.rows) << c.id;
        EXPECT_EQ(form.MD.Field(0).name, "FlagMostrar");
        EXPECT_EQ(form.MD.Field(1).name, "FlagColor");
        for (int f = 2; f < form.MD.FieldCount(); ++f) {
            const FieldDef &field = form.MD.Field(f);
            const bool number = field.name.startsWith("Soil") || field.name == "Initial Abstraction";
            EXPECT_EQ(field.type, number ? FieldType::Float : FieldType::String) << c.id;
            EXPECT_EQ(field.size, number ? 0 : c.stringSize) << c.id << " " << field.name.toStdString();
        }
        for (int r = 0; r < c.rows; ++r)
            EXPECT_EQ(form.MD.Cell(r, 0), CellValue(1)) << c.id << " row " << r;
    }
}

TEST(ReferenceTablesTest, TextsStandAsWritten)
{
    const struct {
        const char *id;
        int row;
        QStringList texts;
    } cases[] = {
        {"ES1", 0, {"A", "> 7,6", "Sand or gravel"}},
        {"ES1", 3, {"D", "0 - 1,3", "Clay with high swelling potential"}},
        {"ES2", 3, {"D", "Clay loam, silty clay loam, sandy clay, silty clay or clay"}},
        {"ES3", 3, {"Pervious areas", "Open space, uncultivated vegetation", "10"}},
        {"EC1", 0, {"Open space (lawns, parks, golf courses, cementeries):", "", "", "", ""}},
        {"EC1", 14, {"Commercial and business (~ 85% pervious)", "82", "92", "94", "95"}},
        {"EC2", 5, {"Straight row (SR)", "Pobre", "72", "81", "88", "91"}},
        {"EC2", 6, {"", "Buena", "67", "78", "85", "89"}},
        {"EC2", 31, {"legumes or roation meadow:", "", "", "", "", ""}},
        {"EC3", 0, {"Pasture, grassland, or range-continuos forage for grazing", "", "", "", ""}},
        {"EC3", 20, {"and surrounding lots", "", "", "", ""}},
        {"EC4", 6, {"Pinyon-juniper", "Poor", "", "75", "85", "89"}},
    };
    for (const auto &c : cases) {
        TSeleccionForm form;
        form.LoadTable(c.id);
        EXPECT_EQ(RowTexts(form, c.row), c.texts) << c.id << " row " << c.row;
    }
}

TEST(ReferenceTablesTest, RangelandColoursMarkTheirFiveCoverTypes)
{
    TSeleccionForm form;
    form.LoadTable("EC4");
    for (int r = 0; r < 15; ++r)
        EXPECT_EQ(form.MD.Cell(r, 1), CellValue((r / 3) % 2 == 0 ? 1 : 0)) << "row " << r;
}
