#include "ui/FormLayout.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <algorithm>

namespace velmaro {

namespace {

constexpr int kLabelGap = 3;

class BottomAnchor final : public QObject {
public:
    BottomAnchor(QWidget *child, int margin) : QObject(child), child_(child), margin_(margin)
    {
        child->parentWidget()->installEventFilter(this);
        Apply();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == child_->parentWidget() && event->type() == QEvent::Resize)
            Apply();
        return false;
    }

private:
    void Apply()
    {
        const int height = child_->parentWidget()->height() - child_->y() - margin_;
        child_->resize(child_->width(), std::max(height, 0));
    }

    QWidget *child_;
    int margin_;
};

void AddDocked(QVBoxLayout *layout, const DockedBox &docked)
{
    if (docked.dock == Dock::Client) {
        layout->addWidget(docked.box, 1);
        return;
    }
    docked.box->setFixedHeight(docked.height);
    layout->addWidget(docked.box);
}

} // namespace

void DockBoxes(QWidget *sheet, std::initializer_list<DockedBox> boxes)
{
    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto hasClient = std::any_of(boxes.begin(), boxes.end(),
                                       [](const DockedBox &b) { return b.dock == Dock::Client; });
    for (const auto &docked : boxes)
        if (docked.dock == Dock::Top)
            AddDocked(layout, docked);
    for (const auto &docked : boxes)
        if (docked.dock == Dock::Client)
            AddDocked(layout, docked);
    if (!hasClient)
        layout->addStretch(1);
    for (const auto &docked : boxes)
        if (docked.dock == Dock::Bottom)
            AddDocked(layout, docked);
}

void AnchorBottom(QWidget *child, int margin)
{
    new BottomAnchor(child, margin);
}

QLabel *NewLabel(QWidget *parent, const char *name, const QString &text, int left, int top,
                 int rightLimit)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->adjustSize();
    label->move(std::min(left, rightLimit - kLabelGap - label->width()), top);
    return label;
}

QLabel *NewLabelEndingAt(QWidget *parent, const char *name, const QString &text, int right,
                         int centreY)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The height Qt gives a line of text, ascenders to descenders with its leading.
    const int height = label->fontMetrics()
                           .boundingRect(QRect(0, 0, right, right), Qt::AlignLeft, QStringLiteral("Xg"))
                           .height();
    const int end = right - kLabelGap;
    label->setGeometry(kLabelGap, centreY - height / 2, end - kLabelGap, height);
    return label;
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
    qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
}

void CentredPicture::SetPicture(const QPixmap &picture)
{
    picture_ = picture;
    update();
}

QRect CentredPicture::PictureRect() const
{
    if (picture_.isNull())
        return {};
    QSize size = picture_.deviceIndependentSize().toSize();
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(rect().center());
    return placed;
}

void CentredPicture::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(PictureRect(), picture_);
}

} // namespace velmaro
