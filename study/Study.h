#pragma once

// A study: everything the user entered in the window, kept in one UTF-8 text file that a person
// can read and compare with diff. Results are not kept: they are recomputed from the inputs. Plain
// C++, so that the window and the headless runner read and write studies alike.

#include "engine/ModelState.h"
#include "rainfall/DesignStorm.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::study {

// The format's version, on the first line of every study: "Velmaro study 1.1". A reader takes
// every study of its major version; keys of a later minor version that it does not know are
// skipped with a note. 1.1 added UnitHydrograph; a study without it has the triangular one.
inline constexpr int kFormatMajor = 1;
inline constexpr int kFormatMinor = 1;
inline constexpr std::string_view kFileSuffix = "velmaro";
// Far above any study (100 heights twice and a page of notes); a larger file is not one.
inline constexpr std::size_t kMaxStudyBytes = 1 << 20;

// A units field as the user left it: the value shown, in the unit named.
struct FieldEntry {
    long double value = 0;
    std::string unit;
};

// What the report prints about the study; the window edits them in "Study Properties".
struct Properties {
    std::string project;
    std::string location;
    std::string author;
    std::string date; // as the user wrote it; a new study takes today's, yyyy-mm-dd
    std::string notes;
};

// The window's tabs, in their order.
enum class Tab : std::uint8_t { Geometry, Soil, Forcing, Conditioning, Runoff, Report };

struct Study {
    // The model as the study sets it up, results not computed: the choices, the step count and
    // both entered series as the study holds them, and the numbers as the window takes them from
    // `fields` (the runner starts from it; the writer writes the numbers from `fields`).
    ModelState inputs;
    // Each input field by its key ("FlowLength": 21.79 km).
    std::map<std::string, FieldEntry, std::less<>> fields;
    // Where only the unit chosen is kept, by key ("PeakDischargeUnit": "l/s"): the result
    // fields, the height field and the lists above the grids. A key left out means the first
    // unit of its list.
    std::map<std::string, std::string, std::less<>> units;
    int stepShown = 1; // the step the Forcing tab's step list shows
    std::optional<rainfall::StormRecipe> storm; // the design storm that laid the series in use
    Tab tab = Tab::Geometry;
    Properties properties;
};

// A study read from a file, with the line each key stood on (for messages about values that only
// the window can check) and a note for each key of a newer minor version that was skipped.
struct StudyReading {
    Study study;
    std::map<std::string, int, std::less<>> lines;
    std::vector<std::string> notes;
};

// A file that is not a study this program reads; the message names the file, the line (when one
// is at fault) and what is wrong.
class StudyError : public std::runtime_error {
public:
    StudyError(const std::string &file, int line, const std::string &what);
    int Line() const { return line_; }

private:
    int line_;
};

// The study of a new window: the default watershed, each field in its first unit.
Study DefaultStudy();

// Keys missing from the text keep their values of DefaultStudy. Throws StudyError.
StudyReading ReadStudyText(std::string_view text, const std::string &fileName);
// Throws StudyError for a file that is missing, unreadable, too large or not a study.
StudyReading ReadStudyFile(const std::string &path);

// The study's text, the same bytes for the same study. Heights are written so that they read
// back to the same double, field values to the same extended number.
std::string WriteStudyText(const Study &study);

// `base` with the inputs of `model` (its choices, step count, entered series and input numbers,
// not its results), as the runner saves what it ran. A field keeps its unit in `base` while that
// gives the model's number back, and is written in its first unit otherwise; the step shown
// stays within the step count, and base's storm stays only while the series in use still holds
// its heights.
Study StudyWithInputs(const ModelState &model, const Study &base);

// The input fields of `model`, every result left as a new model has it: what a study keeps.
ModelState InputsOf(const ModelState &model);

// The study's text written to path whole or not at all: into a new file beside it, which takes
// the place of the old one once every byte is on disk. Throws StudyError naming the file and
// the reason when it cannot be written; an existing file then stays as it was.
void WriteStudyFile(const Study &study, const std::string &path);

} // namespace velmaro::study
