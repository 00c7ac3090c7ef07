#pragma once

// Small placement helpers for the main window, whose controls sit at fixed positions inside
// group boxes that are docked to the top, the bottom or the rest of their tab.

#include <QFrame>
#include <QPixmap>

#include <initializer_list>

class QLabel;
class QString;

namespace velmaro {

enum class Dock { Top, Client, Bottom };

struct DockedBox {
    QWidget *box;
    Dock dock;
    int height; // ignored for the client box, which takes the height left over
};

// Stacks the boxes over the whole width of the sheet: top boxes from the top in the order given,
// bottom boxes from the bottom, the client box between them.
void DockBoxes(QWidget *sheet, std::initializer_list<DockedBox> boxes);

// Keeps the child's bottom edge `margin` pixels above its parent's bottom edge, so that it grows
// with the parent's height; left, top and width stay.
void AnchorBottom(QWidget *child, int margin);

// A plain label at (left, top), sized to its text. When the text would reach `rightLimit` it moves
// left to keep a gap of 3 pixels: the design's positions assume a slightly narrower font.
QLabel *NewLabel(QWidget *parent, const char *name, const QString &text, int left, int top,
                 int rightLimit);

// A right-aligned label whose text ends 3 pixels left of `right`, vertically centred on
// `centreY`; a longer caption grows to the left.
QLabel *NewLabelEndingAt(QWidget *parent, const char *name, const QString &text, int right,
                         int centreY);

// A panel drawn with a lowered outer and a raised inner bevel.
class BevelPanel final : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A picture shown at its own size in the middle of the view, scaled down proportionally when the
// view is smaller than the picture, so that none of it is cut off.
class CentredPicture final : public QFrame {
public:
    explicit CentredPicture(QWidget *parent = nullptr) : QFrame(parent) {}
    void SetPicture(const QPixmap &picture);
    const QPixmap &Picture() const { return picture_; }
    // Where the picture is drawn in the view's coordinates.
    QRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
};

} // namespace velmaro
