#include "ui/StudyPropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace velmaro {

namespace {

QLineEdit *NewLine(QWidget *parent, const char *name, const std::string &text)
{
    auto *line = new QLineEdit(QString::fromStdString(text), parent);
    line->setObjectName(QString::fromUtf8(name));
    return line;
}

std::string Trimmed(const QString &text)
{
    return text.trimmed().toStdString();
}

} // namespace

StudyPropertiesDialog::StudyPropertiesDialog(const study::Properties &properties, QWidget *parent)
    : QDialog(parent), project_(NewLine(this, "project", properties.project)),
      location_(NewLine(this, "location", properties.location)),
      author_(NewLine(this, "author", properties.author)), date_(NewLine(this, "date", properties.date)),
      notes_(new QPlainTextEdit(QString::fromStdString(properties.notes), this))
{
    setWindowTitle(QStringLiteral("Study Properties"));
    date_->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setTabChangesFocus(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Project:"), project_);
    form->addRow(QStringLiteral("&Location:"), location_);
    form->addRow(QStringLiteral("Prepared &by:"), author_);
    form->addRow(QStringLiteral("&Date:"), date_);
    form->addRow(QStringLiteral("&Notes:"), notes_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(buttons);
    resize(480, 320);
}

study::Properties StudyPropertiesDialog::Properties() const
{
    return {Trimmed(project_->text()), Trimmed(location_->text()), Trimmed(author_->text()),
            Trimmed(date_->text()), Trimmed(notes_->toPlainText())};
}

} // namespace velmaro
