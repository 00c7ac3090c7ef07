#pragma once

// "Study Properties": what the report prints about the study (project, location, who prepared
// it, the date) and notes kept with it. OK hands the texts back, blanks around them dropped.

#include "study/Study.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace velmaro {

class StudyPropertiesDialog final : public QDialog {
    Q_OBJECT

public:
    StudyPropertiesDialog(const study::Properties &properties, QWidget *parent = nullptr);

    study::Properties Properties() const;

private:
    QLineEdit *project_;
    QLineEdit *location_;
    QLineEdit *author_;
    QLineEdit *date_;
    QPlainTextEdit *notes_;
};

} // namespace velmaro
