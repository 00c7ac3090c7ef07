#pragma once

// The texts that replace the markers [$1] to [$21] of the report template, read from the values
// the window shows, the model state and what the study says about itself. Inserted texts carry
// only "\par " and "\tab " as RTF, but for the study's own texts, escaped as RTF needs.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace velmaro {

struct ModelState;
class ReportSources;

QString RainfallSeriesListing(const ReportSources &sources);
QString RainfallResultsListing(const ModelState &model);
QString RunoffDepthListing(const ModelState &model);
QString RunoffResultsListing(const ReportSources &sources);

// The Windows-1252 text for one identifier (the marker's bytes between "[" and "]").
QByteArray ReportIdentifierText(QByteArrayView identifier, const ReportSources &sources);

// The template read whole and every marker replaced; throws on any failure, so that a
// partial report is never shown.
QByteArray FillReport(const QString &templatePath, const ReportSources &sources);

} // namespace velmaro
