#pragma once

// What the report reads, taken from the main window's controls at the moment the report is
// filled: each units field as it shows its value, the lists' current entries and the captions of
// the chosen radio buttons.

#include "report/ReportSources.h"

namespace velmaro {

class TMainFormVelmaro;

class WindowReportSources final : public ReportSources {
public:
    explicit WindowReportSources(const TMainFormVelmaro &window) : window_(window) {}

    ShownValue Field(ReportField field) const override;
    ShownValue InFieldUnit(ReportField field, double baseValue) const override;
    ListEntry SoilGroup() const override;
    ListEntry StepCount() const override;
    QString LandUseCaption() const override;
    QString SeriesKindCaption() const override;
    QString VolumeCheck() const override;
    ListEntry UnitHydrograph() const override;
    const ModelState &Model() const override;
    std::optional<QString> StaleReason(Stage stage) const override;
    QString Property(StudyProperty property) const override;

private:
    const TMainFormVelmaro &window_;
};

} // namespace velmaro
