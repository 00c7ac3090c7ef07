#pragma once

// What the report reads: the values the window shows, as the user sees them, and the model the
// window computed. The window implements it over its controls; the report knows none of them.
// Every read happens while the report is filled, so a value that cannot be read ends the fill.

#include "engine/Chain.h"

#include <QString>

#include <optional>

namespace velmaro {

struct ModelState;

// The units fields the report quotes.
enum class ReportField {
    FlowLength,
    LevelDifference,
    WatershedArea,
    ConcentrationTime,
    InitialAbstraction,
    TimeStep,
    CurveNumber,
    PotentialRetention,
    TotalVolume,
    SpecificVolume,
    PeakDischarge,
    TimeToPeak,
};

// What the study says about itself, for the head of the report.
enum class StudyProperty { Project, Location, Author, Date, Notes };

// A field's value in the unit the user chose for it, with that unit's text ("km", "m³/s").
struct ShownValue {
    double value = 0;
    QString unit;
};

// A list's current entry: its position, -1 when the list has none, and its text.
struct ListEntry {
    int index = -1;
    QString text;
};

class ReportSources {
public:
    virtual ~ReportSources() = default;

    // Throws the field's conversion error when its text cannot be read.
    virtual ShownValue Field(ReportField field) const = 0;
    // A value in the base unit as the field would show it, for a value the computation used
    // that the field does not show: the initial abstraction taken from the retention.
    virtual ShownValue InFieldUnit(ReportField field, double baseValue) const = 0;
    virtual ListEntry SoilGroup() const = 0;
    // The entry of the series' step count list, its text being the count.
    virtual ListEntry StepCount() const = 0;
    // Empty when no land use is chosen.
    virtual QString LandUseCaption() const = 0;
    virtual QString SeriesKindCaption() const = 0;
    // The Runoff tab's volume check line as it shows it.
    virtual QString VolumeCheck() const = 0;
    virtual ListEntry UnitHydrograph() const = 0;
    virtual const ModelState &Model() const = 0;
    // Why a stage's results, as the window shows them and the model holds them, were not
    // computed from the current inputs; nothing while they were.
    virtual std::optional<QString> StaleReason(Stage stage) const = 0;
    // Empty where there is no study to tell about.
    virtual QString Property(StudyProperty) const { return {}; }
};

} // namespace velmaro
