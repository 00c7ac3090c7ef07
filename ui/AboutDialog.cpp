#include "ui/AboutDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>

namespace velmaro {
namespace {

constexpr int kDialogFontPixels = 11;

struct LabelRow {
    QLabel *TfrmIntroVelmaro::*member;
    const char *name;
    QRect geometry; // in GroupBox1
    int pixelSize;  // 0: the dialog's font
    bool bold;
    Qt::Alignment alignment;
    const char *text;
};

constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;

const LabelRow kLabels[] = {
    {&TfrmIntroVelmaro::Label1, "Label1", {20, 16, 32, 20}, 16, false, kCentred, "NURA"},
    {&TfrmIntroVelmaro::Label2, "Label2", {228, 16, 300, 20}, 16, false, kCentred,
     "ORVIK Computational Information System"},
    {&TfrmIntroVelmaro::Label3, "Label3", {202, 56, 124, 29}, 24, true, kCentred, "VELMARO"},
    {&TfrmIntroVelmaro::Label4, "Label4", {99, 92, 330, 20}, 16, false, kCentred,
     "Model for Precipitation - Runoff Transformation"},
    {&TfrmIntroVelmaro::Label5, "Label5", {238, 128, 53, 13}, 0, false, kCentred, "Version 1.1"},
    {&TfrmIntroVelmaro::Label6, "Label6", {240, 148, 49, 13}, 0, false, kCentred, "Year 2006"},
    {&TfrmIntroVelmaro::Label7, "Label7", {183, 172, 163, 13}, 8, false, kCentred,
     "Development: A. Moreau"},
    {&TfrmIntroVelmaro::Label8, "Label8", {123, 188, 283, 13}, 8, false, kCentred,
     "Programming: Kestrel Software Works - L. Varga"},
    {&TfrmIntroVelmaro::Label9, "Label9", {56, 232, 411, 26}, 0, false, Qt::AlignCenter,
     "ORVIK S.A. is a company specialised in the execution of projects and works of erosion "
     "control and the care of the environment"},
    {&TfrmIntroVelmaro::Label10, "Label10", {58, 280, 413, 13}, 0, false, kLeft,
     "Head office: 1234 Example Avenue, 5th floor - 4500 Orvik City"},
    {&TfrmIntroVelmaro::Label11, "Label11", {168, 296, 192, 13}, 0, false, kLeft,
     "www.orvik.test - info@orvik.test"},
};

QFont ApplicationFontAt(int pixelSize, bool bold)
{
    QFont font(QApplication::font().family());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The places were laid out for a narrower font than Linux offers; a label whose text needs
// more room grows about its alignment point so that nothing is cut: centred labels keep
// their centre, left-aligned ones grow to the right, and wrapping ones grow in height.
void GrowToFitText(QLabel *label)
{
    const QFontMetrics metrics(label->font());
    QRect area = label->geometry();
    if (label->wordWrap()) {
        const int needed = label->heightForWidth(area.width());
        if (needed > area.height()) {
            const int centre = area.center().y();
            area.setHeight(needed);
            area.moveTop(centre - needed / 2);
        }
    } else {
        const int neededWidth = metrics.horizontalAdvance(label->text()) + 1;
        if (neededWidth > area.width()) {
            const int left = (label->alignment() & Qt::AlignHCenter)
                                 ? area.left() - (neededWidth - area.width() + 1) / 2
                                 : area.left();
            area.setWidth(neededWidth);
            area.moveLeft(left);
        }
        area.setHeight(std::max(area.height(), metrics.height()));
    }
    label->setGeometry(area);
}

QLabel *CreateLabel(const LabelRow &row, QWidget *parent)
{
    auto *label = new QLabel(QString::fromUtf8(row.text), parent);
    label->setObjectName(QString::fromLatin1(row.name));
    if (row.pixelSize != 0)
        label->setFont(ApplicationFontAt(row.pixelSize, row.bold));
    label->setAlignment(row.alignment);
    label->setWordWrap(row.alignment == Qt::AlignCenter);
    label->setGeometry(row.geometry);
    GrowToFitText(label);
    return label;
}

} // namespace

TfrmIntroVelmaro::TfrmIntroVelmaro(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmIntroVelmaro"));
    setWindowTitle(QStringLiteral("NURA - VELMARO - ORVIK S.A."));
    setFixedSize(577, 391);
    setFont(ApplicationFontAt(kDialogFontPixels, false));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(13, 7, 551, 372);
    for (const LabelRow &row : kLabels)
        this->*row.member = CreateLabel(row, GroupBox1);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), GroupBox1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(227, 328, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn1->setFocus();
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmIntroVelmaro::BitBtn1Click);
}

void TfrmIntroVelmaro::BitBtn1Click()
{
    accept();
}

void TfrmIntroVelmaro::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmIntroVelmaro::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *shown = screen())
        move(shown->availableGeometry().center() - frameGeometry().center() + pos());
}

void ShowAboutDialog(QWidget *owner)
{
    // The owner may free its children while the dialog runs; QPointer follows that.
    QPointer<TfrmIntroVelmaro> dialog = new TfrmIntroVelmaro(owner);
    const auto release = qScopeGuard([&dialog] { delete dialog.data(); });
    dialog->exec();
}

} // namespace velmaro
