#include "study/Study.h"
#include "testsupport/ModelExpectations.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>

namespace velmaro::study {
namespace {

using rainfall::StormType;
using test::Bits;
using test::ExpectSameEnteredInputs;
using test::ExpectSameFieldInputs;

// The 80 bits of an extended number, without the padding that follows them in memory.
std::string Bits(long double value)
{
    char bytes[10];
    std::memcpy(bytes, &value, sizeof bytes);
    return std::string(bytes, sizeof bytes);
}

void ExpectSameStudy(const Study &a, const Study &b)
{
    ExpectSameEnteredInputs(a.inputs, b.inputs);
    ASSERT_EQ(a.fields.size(), b.fields.size());
    for (const auto &[key, entry] : a.fields) {
        ASSERT_TRUE(b.fields.contains(key)) << key;
        EXPECT_EQ(Bits(entry.value), Bits(b.fields.at(key).value)) << key;
        EXPECT_EQ(entry.unit, b.fields.at(key).unit) << key;
    }
    EXPECT_EQ(a.units, b.units);
    EXPECT_EQ(a.stepShown, b.stepShown);
    ASSERT_EQ(a.storm.has_value(), b.storm.has_value());
    if (a.storm) {
        EXPECT_EQ(a.storm->type, b.storm->type);
        EXPECT_EQ(Bits(a.storm->depthMm), Bits(b.storm->depthMm));
        EXPECT_EQ(Bits(a.storm->timeStepMinutes), Bits(b.storm->timeStepMinutes));
    }
    EXPECT_EQ(a.tab, b.tab);
    EXPECT_EQ(a.properties.project, b.properties.project);
    EXPECT_EQ(a.properties.location, b.properties.location);
    EXPECT_EQ(a.properties.author, b.properties.author);
    EXPECT_EQ(a.properties.date, b.properties.date);
    EXPECT_EQ(a.properties.notes, b.properties.notes);
}

struct RoundTrip {
    const char *name;
    std::function<void(Study &)> change;
};

void PrintTo(const RoundTrip &trip, std::ostream *out) { *out << trip.name; }

class StudyRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

// Written, read and written again: the same study and the same bytes.
TEST_P(StudyRoundTrip, ReadsBackBitForBitAndWritesTheSameBytes)
{
    Study study = DefaultStudy();
    GetParam().change(study);
    const std::string text = WriteStudyText(study);
    const StudyReading reading = ReadStudyText(text, "trip.velmaro");
    EXPECT_TRUE(reading.notes.empty());
    ExpectSameStudy(study, reading.study);
    const std::string again = WriteStudyText(reading.study);
    EXPECT_EQ(again, text);
    ExpectSameFieldInputs(reading.study.inputs, ReadStudyText(again, "trip.velmaro").study.inputs);
}

void SetField(Study &study, const char *key, long double value, const char *unit)
{
    study.fields[key] = {value, unit};
}

const RoundTrip kRoundTrips[] = {
    {"Defaults", [](Study &) {}},
    {"FlowLengthInMetres", [](Study &s) { SetField(s, "FlowLength", 21790, "m"); }},
    {"LevelDifferenceInCentimetres", [](Study &s) { SetField(s, "LevelDifference", 102000, "cm"); }},
    {"AreaInHectares", [](Study &s) { SetField(s, "WatershedArea", 7026, "ha"); }},
    {"AreaInSquareMetresKeptWhole", [](Study &s) { SetField(s, "WatershedArea", 70261234.5L, "m²"); }},
    {"AbstractionInCentimetres", [](Study &s) { SetField(s, "InitialAbstraction", 1.8L, "cm"); }},
    {"NegativeAbstraction", [](Study &s) { SetField(s, "InitialAbstraction", -2.5L, "mm"); }},
    {"TimeStepInSeconds", [](Study &s) { SetField(s, "TimeStep", 1800, "sec"); }},
    {"TimeStepInHours", [](Study &s) { SetField(s, "TimeStep", 0.25L, "hrs"); }},
    {"CurveNumberWithFraction", [](Study &s) { SetField(s, "CurveNumber", 85.9L, "-"); }},
    {"BeyondTheDoubleRange", [](Study &s) { SetField(s, "FlowLength", 1E4000L, "km"); }},
    {"TinyValue", [](Study &s) { SetField(s, "LevelDifference", 1E-300L, "m"); }},
    {"HeightsAtFullPrecision",
     [](Study &s) {
         s.inputs.EnteredPartial[1] = 0.1 + 0.2;
         s.inputs.EnteredPartial[2] = 1.0 / 3;
         s.inputs.EnteredPartial[3] = std::numeric_limits<double>::denorm_min();
         s.inputs.EnteredPartial[4] = 1e300;
         s.inputs.EnteredPartial[5] = 0;
         s.inputs.EnteredPartial[6] = 123456789.123456789;
     }},
    {"HiddenStepsKept",
     [](Study &s) {
         s.inputs.StepCount = 3;
         s.inputs.EnteredPartial[50] = 7.25;
     }},
    {"HundredHeightsInBothStores",
     [](Study &s) {
         s.inputs.StepCount = 100;
         s.stepShown = 100;
         for (int k = 1; k <= kSeriesSlots; ++k) {
             s.inputs.EnteredPartial[k] = k / 7.0;
             s.inputs.EnteredCumulative[k] = k * 1.1;
         }
     }},
    {"NegativeZeroLast", [](Study &s) { s.inputs.EnteredCumulative[4] = -0.0; }},
    {"CumulativeSeries", [](Study &s) { s.inputs.PartialSeries = 0; }},
    {"SoilGroupD", [](Study &s) { s.inputs.SoilGroup = 3; }},
    {"AbstractionDerived", [](Study &s) { s.inputs.AssignInitialAbstraction = 0; }},
    {"LandUseArid", [](Study &s) { s.inputs.LandUse = 3; }},
    {"LandUseOther", [](Study &s) { s.inputs.LandUse = 2; }},
    {"TriangularVolumeKept", [](Study &s) { s.inputs.UnitHydrograph = 1; }},
    {"NrcsCurvilinear", [](Study &s) { s.inputs.UnitHydrograph = 2; }},
    {"StepShown", [](Study &s) { s.stepShown = 4; }},
    {"EveryUnitChosen",
     [](Study &s) {
         s.units = {{"ConcentrationTimeUnit", "sec"}, {"HeightUnit", "cm"},
                    {"IntensityGridUnit", "m/hr"},   {"PotentialRetentionUnit", "cm"},
                    {"DepthGridUnit", "m"},          {"TotalVolumeUnit", "hm³"},
                    {"SpecificVolumeUnit", "m"},     {"PeakDischargeUnit", "l/s"},
                    {"DischargeGridUnit", "l/s"}};
     }},
    {"NrcsStorm", [](Study &s) { s.storm = rainfall::StormRecipe{StormType::TypeIA, 120.5, 15}; }},
    {"UniformStorm", [](Study &s) { s.storm = rainfall::StormRecipe{StormType::Uniform, 0, 30}; }},
    {"ReportTab", [](Study &s) { s.tab = Tab::Report; }},
    {"RunoffTab", [](Study &s) { s.tab = Tab::Runoff; }},
    {"Properties",
     [](Study &s) {
         s.properties = {"Flood study 2026", "Río Claro = upper basin # 2", "A. Hydrologist",
                         "2026-03-14", "First line\nC:\\data\\new\tend\r\nlast \\n literal"};
     }},
};

INSTANTIATE_TEST_SUITE_P(EveryFieldUnitListAndKind, StudyRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StudyFormat, StartsWithItsVersionAndListsEveryInput)
{
    const std::string text = WriteStudyText(DefaultStudy());
    EXPECT_EQ(text.substr(0, text.find('\n')), "Velmaro study 1.1");
    for (const char *line : {"FlowLength = 21.79 km\n", "LevelDifference = 1020 m\n",
                             "WatershedArea = 70.26 km²\n", "SoilGroup = B\n",
                             "AssignInitialAbstraction = yes\n", "InitialAbstraction = 18 mm\n",
                             "SeriesKind = partial\n", "TimeStep = 30 min\n", "StepCount = 6\n",
                             "EnteredPartial = 9.4, 22.6, 73.4, 13.2, 7.3, 6\n", "EnteredCumulative =\n",
                             "LandUse = urban\n", "CurveNumber = 85 -\n", "UnitHydrograph = triangular\n",
                             "Tab = geometry\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("DesignStorm"), std::string::npos);
}

// What the model takes is what the window takes from its fields: base units, a curve number
// truncated, a value beyond the double range as an infinity, a value with more decimals than a
// field shows as it was written: the field only shows it rounded.
TEST(StudyInputs, AreTheModelsInputsAsTheWindowTakesThem)
{
    const std::string text = "Velmaro study 1.0\n"
                             "FlowLength = 21790 m\n"
                             "LevelDifference = 1E4000 cm\n"
                             "InitialAbstraction = 1.8 cm\n"
                             "TimeStep = 0.25 hrs\n"
                             "CurveNumber = 85.9 -\n"
                             "WatershedArea = 70.2612345 km²\n"
                             "StepCount = 2\n"
                             "EnteredPartial = 3, 4\n"
                             "SeriesKind = Cumulative\n";
    const Study study = ReadStudyText(text, "inputs.velmaro").study;
    EXPECT_DOUBLE_EQ(study.inputs.FlowLength, 21.79);
    EXPECT_EQ(study.inputs.LevelDifference, std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(study.inputs.InitialAbstraction, 18);
    EXPECT_DOUBLE_EQ(study.inputs.TimeStep, 15);
    EXPECT_EQ(study.inputs.CurveNumber, 85);
    EXPECT_EQ(study.fields.at("WatershedArea").value, 70.2612345L);
    EXPECT_DOUBLE_EQ(study.inputs.WatershedArea, 70.2612345);
    EXPECT_EQ(study.inputs.StepCount, 2);
    EXPECT_EQ(study.inputs.PartialSeries, 0);
    EXPECT_EQ(study.inputs.EnteredPartial[3], 0) << "heights past those given are 0";
    EXPECT_EQ(study.inputs.SoilGroup, 1) << "keys left out keep the defaults";
}

struct BadText {
    const char *name;
    std::string text;
    int line;
    const char *says;
};

void PrintTo(const BadText &bad, std::ostream *out) { *out << bad.name; }

class BadStudyText : public ::testing::TestWithParam<BadText> {};

TEST_P(BadStudyText, NamesTheFileTheLineAndWhatIsWrong)
{
    try {
        ReadStudyText(GetParam().text, "/data/bad.velmaro");
        FAIL() << "read without complaint";
    } catch (const StudyError &error) {
        EXPECT_EQ(error.Line(), GetParam().line);
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("/data/bad.velmaro, line " + std::to_string(GetParam().line) + ": ", 0), 0u)
            << message;
        EXPECT_NE(message.find(GetParam().says), std::string::npos) << message;
    }
}

std::string Study10(const std::string &lines)
{
    return "Velmaro study 1.0\n# a comment\n\n" + lines;
}

std::string HeightList(int count)
{
    std::string list;
    for (int k = 1; k <= count; ++k)
        list += (k > 1 ? ", " : "") + std::to_string(k);
    return list;
}

const BadText kBadTexts[] = {
    {"AnotherProgramsFile", "\x89PNG\r\n\x1a\n", 1, "not a Velmaro study"},
    {"EmptyFile", "", 1, "not a Velmaro study"},
    {"NewerMajorVersion", "Velmaro study 2.0\nFlowLength = 1 km\n", 1,
     "format version 2.0; this Velmaro reads format 1.x: it was written by a newer Velmaro"},
    {"LineWithoutEquals", Study10("FlowLength 21.79 km\n"), 4, "'FlowLength 21.79 km' is not \"Key = value\""},
    {"UnknownKey", Study10("FlowLenght = 21.79 km\n"), 4, "unknown key 'FlowLenght'"},
    {"ValueNotANumber", Study10("FlowLength = 2l.79 km\n"), 4, "FlowLength: '2l.79' is not a number"},
    {"UnknownUnit", Study10("FlowLength = 3 yd\n"), 4, "FlowLength: 'yd' is none of its units: km, m, ft, mi"},
    {"NoUnit", Study10("TimeStep = 30\n"), 4, "TimeStep: the value has no unit after it (min, sec, hrs)"},
    {"NoValue", Study10("CurveNumber =\n"), 4, "CurveNumber: there is no value"},
    {"CurveNumberOutOfRange", Study10("CurveNumber = 101 -\n"), 4,
     "CurveNumber: 101 is outside the allowed range (0 - 1E2)"},
    {"NegativeLength", Study10("FlowLength = -1 m\n"), 4, "FlowLength: -1 m is outside the allowed range (0 - 1.1E4900 km)"},
    {"NegativeHeight", Study10("EnteredPartial = 1, -2\n"), 4,
     "EnteredPartial: the height of step 2, -2, is outside the allowed range"},
    {"HeightNotANumber", Study10("EnteredCumulative = 1, nan\n"), 4,
     "EnteredCumulative: the height of step 2, 'nan', is not a number"},
    {"MoreThan100Heights", Study10("EnteredPartial = " + HeightList(101) + "\n"), 4,
     "EnteredPartial: more than 100 heights"},
    {"StepCountOutOfRange", Study10("StepCount = 101\n"), 4, "StepCount: '101' is not a whole number from 1 to 100"},
    {"StepShownPastTheSteps", Study10("StepShown = 7\nStepCount = 6\n"), 5, "StepShown: step 7 is past the 6 steps"},
    {"KeyTwice", Study10("SoilGroup = A\nSoilGroup = B\n"), 5, "SoilGroup is given twice (first on line 4)"},
    {"UnknownChoice", Study10("LandUse = forest\n"), 4,
     "LandUse: 'forest' is none of urban, cultivated, other-agricultural, arid-rangeland"},
    {"NotUtf8", Study10("Project = caf\xe9\n"), 4, "the line is not UTF-8 text"},
    {"StormWithoutDepth", Study10("DesignStorm = II\nStormTimeStep = 30\n"), 5, "StormDepth is missing"},
    {"UnknownStorm", Study10("DesignStorm = IV\n"), 4, "'IV' is none of I, IA, II, III, uniform"},
    {"UnknownUnitHydrograph", Study10("UnitHydrograph = nrcs\n"), 4,
     "UnitHydrograph: 'nrcs' is none of triangular, triangular-volume, nrcs-curvilinear"},
};

INSTANTIATE_TEST_SUITE_P(EveryFault, BadStudyText, ::testing::ValuesIn(kBadTexts),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StudyReading, SkipsUnknownKeysOfANewerMinorVersionWithANote)
{
    const StudyReading reading =
        ReadStudyText("Velmaro study 1.7\nSnowMelt = degree-day\nCurveNumber = 70 -\n", "newer.velmaro");
    EXPECT_EQ(reading.study.inputs.CurveNumber, 70);
    ASSERT_EQ(reading.notes.size(), 1u);
    EXPECT_EQ(reading.notes.front(), "line 2: the key 'SnowMelt' of format 1.7 was skipped");
}

TEST(StudyReading, TakesWindowsLineEndsAByteOrderMarkAndBlanksAroundValues)
{
    const StudyReading reading = ReadStudyText(
        "\xEF\xBB\xBFVelmaro study 1.0\r\n  CurveNumber\t=  70 -  \r\nProject =  Upper basin \r\n",
        "crlf.velmaro");
    EXPECT_EQ(reading.study.inputs.CurveNumber, 70);
    EXPECT_EQ(reading.study.properties.project, "Upper basin");
    EXPECT_EQ(reading.lines.at("Project"), 3);
}

TEST(StudyWriting, RefusesWhatCouldNotBeReadBack)
{
    Study outOfRange = DefaultStudy();
    outOfRange.fields["CurveNumber"].value = 101;
    try {
        WriteStudyText(outOfRange);
        ADD_FAILURE() << "a curve number of 101 was written";
    } catch (const std::invalid_argument &refusal) {
        EXPECT_STREQ(refusal.what(), "CurveNumber: 101 is outside the allowed range (0 - 1E2)");
    }

    Study infinite = DefaultStudy();
    infinite.inputs.EnteredPartial[2] = std::numeric_limits<double>::infinity();
    EXPECT_THROW(WriteStudyText(infinite), std::invalid_argument);
}

class StudyFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("velmaro-study-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string &name, const std::string &bytes) const
    {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    static std::string FailureOf(const std::string &path)
    {
        try {
            ReadStudyFile(path);
        } catch (const StudyError &error) {
            return error.what();
        }
        return "read without complaint";
    }

    std::filesystem::path folder;
};

TEST_F(StudyFile, ReadsWhatWasWritten)
{
    Study study = DefaultStudy();
    study.properties.project = "Flood study 2026";
    const std::string path = Write("flood study 2026.velmaro", WriteStudyText(study));
    EXPECT_EQ(ReadStudyFile(path).study.properties.project, "Flood study 2026");
}

// Saving over a study keeps its permissions, and through a link saves the study it links to.
TEST_F(StudyFile, SavingOverAStudyKeepsItsPermissionsAndItsLink)
{
    Study study = DefaultStudy();
    const std::string shared = Write("shared.velmaro", "old");
    std::filesystem::permissions(shared, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    const std::filesystem::path link = folder / "link.velmaro";
    std::filesystem::create_symlink("shared.velmaro", link);
    study.inputs.CurveNumber = 70;
    study.fields["CurveNumber"].value = 70;
    WriteStudyFile(study, link.string());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadStudyFile(shared).study.inputs.CurveNumber, 70);
    EXPECT_EQ(std::filesystem::status(shared).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2) << "nothing else left";
}

TEST_F(StudyFile, NamesAMissingFileAFolderAndAFileTooLarge)
{
    const std::string missing = (folder / "gone.velmaro").string();
    EXPECT_EQ(FailureOf(missing), missing + ": the file does not exist");
    EXPECT_EQ(FailureOf(folder.string()), folder.string() + ": this is a folder, not a study");
    const std::string large = Write("large.velmaro", "Velmaro study 1.0\n# " + std::string(kMaxStudyBytes, 'x'));
    EXPECT_EQ(FailureOf(large), large + ": the file is larger than 1 MiB: not a study");
}

} // namespace
} // namespace velmaro::study
