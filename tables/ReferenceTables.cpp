#include "tables/ReferenceTables.h"

#include "tables/Seleccion.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace velmaro {

namespace {

constexpr int StringType = static_cast<int>(FieldType::String);
constexpr int IntegerType = static_cast<int>(FieldType::Integer);
constexpr int FloatType = static_cast<int>(FieldType::Float);

struct NoValue {};
constexpr NoValue none;

// One literal cell of a table below: nothing, an integer, a number or a text.
struct Lit {
    enum class Kind { Null, Integer, Number, Text };
    constexpr Lit(NoValue) {}
    constexpr Lit(int i) : kind(Kind::Integer), integer(i) {}
    constexpr Lit(double d) : kind(Kind::Number), number(d) {}
    constexpr Lit(const char *s) : kind(Kind::Text), text(s) {}

    CellValue Value() const
    {
        switch (kind) {
        case Kind::Integer: return std::int32_t{integer};
        case Kind::Number: return number;
        case Kind::Text: return QString::fromLatin1(text);
        case Kind::Null: break;
        }
        return {};
    }

    Kind kind = Kind::Null;
    int integer = 0;
    double number = 0;
    const char *text = nullptr;
};

struct ShownField {
    const char *name;
    int type;
};

const ShownField SoilFields[] = {
    {"Soil A", FloatType}, {"Soil B", FloatType}, {"Soil C", FloatType}, {"Soil D", FloatType},
};

// Every table starts with the two display flags; each row below gives FlagColor first, and
// FlagMostrar is 1 in every row of every table.
template <std::size_t F, std::size_t R>
void Build(TSeleccionForm &form, int stringSize, const ShownField (&fields)[F], const Lit (&rows)[R][F + 1])
{
    QStringList names{QStringLiteral("FlagMostrar"), QStringLiteral("FlagColor")};
    QList<int> types{IntegerType, IntegerType};
    for (const ShownField &field : fields) {
        names.append(QString::fromLatin1(field.name));
        types.append(field.type);
    }
    form.DefineFields(names, types, stringSize);
    for (const auto &row : rows) {
        std::vector<CellValue> values{std::int32_t{1}};
        for (const Lit &cell : row)
            values.push_back(cell.Value());
        form.AppendRow(values);
    }
    form.SetGridColumns(names);
}

// Characterization of soil hydrologic groups.
const ShownField ES1Fields[] = {
    {"Hydrologic Group", StringType}, {"Infiltration (mm/hr)", StringType}, {"Texture", StringType},
};
const Lit ES1Rows[][4] = {
    {0, "A", "> 7,6", "Sand or gravel"},
    {1, "B", "3,8 - 7,6", "Moderately fine to moderately coarse"},
    {0, "C", "1,3 - 3,8", "Moderately fine to fine"},
    {1, "D", "0 - 1,3", "Clay with high swelling potential"},
};

// Characterization of soil hydrologic groups for disturbed soils.
const ShownField ES2Fields[] = {
    {"Hydrologic Group", StringType}, {"Texture", StringType},
};
const Lit ES2Rows[][3] = {
    {0, "A", "Sand, loamy sand or sandy loam"},
    {1, "B", "Silt loam or loam"},
    {0, "C", "Sandy clay loam"},
    {1, "D", "Clay loam, silty clay loam, sandy clay, silty clay or clay"},
};

// Initial abstraction in mm by soil surface and land use.
const ShownField ES3Fields[] = {
    {"Characteristics of the soil surface", StringType}, {"Land Use", StringType},
    {"Initial Abstraction", FloatType},
};
const Lit ES3Rows[][4] = {
    {0, "Impervious areas", "Commercial 0.5-2.0", 1.25},
    {1, "Impervious areas", "Residential 0.7-2.5", 1.6},
    {0, "Impervious areas", "Industrial 1.0-3.0", 2},
    {1, "Pervious areas", "Open space, uncultivated vegetation", 10},
    {0, "Pervious areas", "Cultivated soil", 8},
    {1, "Pervious areas", "Playground", 2},
    {0, "Pervious areas", "Protected green areas and slopes", 5},
    {1, "Pervious areas", "Garden or meadow", 5},
};

// Curve numbers for urban areas.
const ShownField EC1Fields[] = {
    {"Cover type and hydrologic condition", StringType},
    SoilFields[0], SoilFields[1], SoilFields[2], SoilFields[3],
};
const Lit EC1Rows[][6] = {
    {0, "Open space (lawns, parks, golf courses, cementeries):", none, none, none, none},
    {1, "Poor condition (grass cover < 50%)", 68, 79, 86, 89},
    {1, "Fair condition (grass cover 50-70%)", 49, 69, 79, 84},
    {1, "Good condition (grass cover > 75%)", 39, 61, 74, 80},
    {0, "Impervious areas:", none, none, none, none},
    {1, "Paved parking lots, roofs, driveways", 98, 98, 98, 98},
    {1, "Streets and roads: Paved, curbs and storm sewers", 98, 98, 98, 98},
    {1, "Streets and roads: Paved, open ditches", 83, 89, 92, 93},
    {1, "Streets and roads: Gravel", 76, 85, 89, 91},
    {1, "Streets and roads: Dirt", 72, 82, 87, 89},
    {0, "Desert urban areas:", none, none, none, none},
    {1, "Natural desert landscaping (pervious areas)", 63, 77, 85, 88},
    {1, "Artificial desert landscaping", 96, 96, 96, 96},
    {0, "Urban districts:", none, none, none, none},
    {1, "Commercial and business (~ 85% pervious)", 82, 92, 94, 95},
    {1, "Industrial (~ 72% pervious)", 81, 88, 91, 93},
    {0, "Residential districts:", none, none, none, none},
    {1, "Up to 0.05 ha (~ 65% impermeable)", 77, 85, 90, 92},
    {1, "Up to 0.10 ha (~ 38% impermeable)", 61, 75, 83, 87},
    {1, "Up to 0.13 ha (~ 30% impermeable)", 57, 72, 81, 86},
    {1, "Up to 0.20 ha (~ 25% impermeable)", 54, 70, 80, 85},
    {1, "Up to 0.40 ha (~ 20% impermeable)", 51, 68, 79, 84},
    {1, "Up to 0.80 ha (~ 12% impermeable)", 46, 65, 77, 82},
    {0, "Developing urban areas:", none, none, none, none},
    {1, "Newly graded areas (pervious areas)", 77, 86, 91, 94},
};

// Curve numbers for cultivated agricultural lands.
const ShownField EC2Fields[] = {
    {"Cover type / Treatment", StringType}, {"Hydrologic condition", StringType},
    SoilFields[0], SoilFields[1], SoilFields[2], SoilFields[3],
};
const Lit EC2Rows[][7] = {
    {0, "Fallow:", none, none, none, none, none},
    {1, "Bare soil", "-", 77, 86, 91, 94},
    {1, "Crop residue cover (CR)", "Poor", 76, 85, 90, 93},
    {1, none, "Good", 74, 83, 88, 90},
    {0, "Row crops:", none, none, none, none, none},
    {1, "Straight row (SR)", "Pobre", 72, 81, 88, 91},
    {1, none, "Buena", 67, 78, 85, 89},
    {1, "SR + CR", "Poor", 71, 80, 87, 90},
    {1, none, "Good", 64, 75, 82, 85},
    {1, "Contoured (C)", "Poor", 70, 79, 84, 88},
    {1, none, "Good", 65, 75, 82, 86},
    {1, "C + CR", "Poor", 69, 78, 83, 87},
    {1, none, "Good", 64, 74, 81, 85},
    {1, "Contoured & terraced (C&T)", "Poor", 66, 74, 80, 82},
    {1, none, "Good", 62, 71, 78, 81},
    {1, "C&T + CR", "Poor", 65, 73, 79, 81},
    {1, none, "Good", 61, 70, 77, 80},
    {0, "Small grain:", none, none, none, none, none},
    {1, "SR", "Poor", 65, 76, 84, 88},
    {1, none, "Good", 63, 75, 83, 87},
    {1, "SR + CR", "Poor", 64, 75, 83, 86},
    {1, none, "Good", 60, 72, 80, 84},
    {1, "C", "Poor", 63, 74, 82, 85},
    {1, none, "Good", 61, 73, 81, 84},
    {1, "C + CR", "Poor", 62, 73, 81, 84},
    {1, none, "Good", 60, 72, 80, 83},
    {1, "C&T", "Poor", 61, 72, 79, 82},
    {1, none, "Good", 59, 70, 78, 81},
    {1, "C&T + CR", "Poor", 60, 71, 78, 81},
    {1, none, "Good", 58, 69, 77, 80},
    {0, "Close-seeded, or broadcast", none, none, none, none, none},
    {0, "legumes or roation meadow:", none, none, none, none, none},
    {1, "SR", "Poor", 66, 77, 85, 89},
    {1, none, "Good", 58, 72, 81, 85},
    {1, "C", "Poor", 64, 75, 83, 85},
    {1, none, "Good", 55, 69, 78, 83},
    {1, "C&T", "Poor", 63, 73, 80, 83},
    {1, none, "Good", 51, 67, 76, 80},
};

// Curve numbers for other agricultural lands.
const ShownField EC3Fields[] = {
    {"Cover type / Hydrologic condition", StringType},
    SoilFields[0], SoilFields[1], SoilFields[2], SoilFields[3],
};
const Lit EC3Rows[][6] = {
    {0, "Pasture, grassland, or range-continuos forage for grazing", none, none, none, none},
    {1, "Poor", 68, 79, 86, 89},
    {1, "Regular", 49, 69, 79, 84},
    {1, "Good", 39, 61, 74, 80},
    {0, "Meadow-continuos grass, protected from grazing", none, none, none, none},
    {0, "and generally mowed for hay", none, none, none, none},
    {1, "-", 30, 58, 71, 78},
    {0, "Brush, brush-weed-grass mixture", none, none, none, none},
    {1, "Poor", 48, 67, 77, 83},
    {1, "Regular", 35, 56, 70, 77},
    {1, "Good", 30, 48, 65, 73},
    {0, "Wood-grass combination (orchard)", none, none, none, none},
    {1, "Poor", 57, 73, 82, 86},
    {1, "Regular", 43, 65, 76, 82},
    {1, "Good", 32, 58, 72, 79},
    {0, "Woods", none, none, none, none},
    {1, "Poor", 45, 66, 77, 83},
    {1, "Regular", 36, 60, 73, 79},
    {1, "Good", 30, 55, 70, 77},
    {0, "Farmsteads-buildings, lanes, driveways", none, none, none, none},
    {0, "and surrounding lots", none, none, none, none},
    {1, "-", 59, 74, 82, 86},
};

// Curve numbers for arid and semiarid rangelands.
const ShownField EC4Fields[] = {
    {"Cover type", StringType}, {"Hydrologic condition", StringType},
    SoilFields[0], SoilFields[1], SoilFields[2], SoilFields[3],
};
const Lit EC4Rows[][7] = {
    {1, "Herbaceous", "Poor", none, 80, 87, 93},
    {1, none, "Regular", none, 71, 81, 89},
    {1, none, "Good", none, 62, 74, 85},
    {0, "Oak-aspen", "Poor", none, 66, 74, 79},
    {0, none, "Regular", none, 48, 57, 63},
    {0, none, "Good", none, 30, 41, 48},
    {1, "Pinyon-juniper", "Poor", none, 75, 85, 89},
    {1, none, "Regular", none, 58, 73, 80},
    {1, none, "Good", none, 41, 61, 71},
    {0, "Sagebrush", "Poor", none, 67, 80, 85},
    {0, none, "Regular", none, 51, 63, 70},
    {0, none, "Good", none, 35, 47, 55},
    {1, "Desert brush", "Poor", 63, 77, 85, 88},
    {1, none, "Regular", 55, 72, 81, 86},
    {1, none, "Good", 49, 68, 79, 84},
};

struct TableEntry {
    const char *id;
    void (*build)(TSeleccionForm &);
};

const TableEntry Tables[] = {
    {"ES1", [](TSeleccionForm &f) { Build(f, 44, ES1Fields, ES1Rows); }},
    {"ES2", [](TSeleccionForm &f) { Build(f, 84, ES2Fields, ES2Rows); }},
    {"ES3", [](TSeleccionForm &f) { Build(f, 38, ES3Fields, ES3Rows); }},
    {"EC1", [](TSeleccionForm &f) { Build(f, 66, EC1Fields, EC1Rows); }},
    {"EC2", [](TSeleccionForm &f) { Build(f, 66, EC2Fields, EC2Rows); }},
    {"EC3", [](TSeleccionForm &f) { Build(f, 73, EC3Fields, EC3Rows); }},
    {"EC4", [](TSeleccionForm &f) { Build(f, 66, EC4Fields, EC4Rows); }},
};

} // namespace

void BuildReferenceTable(TSeleccionForm &form, const QString &id)
{
    for (const TableEntry &table : Tables) {
        if (id == QLatin1String(table.id)) {
            table.build(form);
            return;
        }
    }
}

} // namespace velmaro
