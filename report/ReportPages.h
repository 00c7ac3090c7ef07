#pragma once

// A document cut into pages the way a word processor cuts it: by whole lines and table rows,
// never through one; a paragraph marked "keep with next" goes to the page of the next one, a
// paragraph marked "keep together" is not split when it fits on a page, and a page break
// starts a new page. Each page paints only its own lines, so a printed line exists once.

#include <QImage>
#include <QSizeF>
#include <QTextBlock>

#include <memory>
#include <utility>
#include <vector>

class QPainter;
class QTextDocument;
class QTextFrame;

namespace velmaro {

// The resolution pages are laid out at: that of the view, so that printed pages keep the
// proportions of the screen.
inline constexpr double kPageLayoutDpi = 96.0;

class ReportPages {
public:
    // bodySize in pixels at kPageLayoutDpi.
    ReportPages(const QTextDocument &document, QSizeF bodySize);
    ~ReportPages();
    ReportPages(const ReportPages &) = delete;
    ReportPages &operator=(const ReportPages &) = delete;

    int Count() const { return static_cast<int>(pages_.size()); }

    // Paints page (0-based) with its top left corner at the painter's origin, in pixels at
    // kPageLayoutDpi.
    void Paint(QPainter &painter, int page) const;

    // A copy of document laid out at kPageLayoutDpi, width wide, on device.
    static std::unique_ptr<QTextDocument> LaidOutCopy(const QTextDocument &document,
                                                      double width, QImage &device);
    // Lays out a copy so; a copy is changed before it is laid out, as each change would lay it
    // out again.
    static void LayOut(QTextDocument &copy, double width, QImage &device);

    // The smallest parts a page break may fall between: a line of a paragraph or a table row.
    struct Piece {
        double top = 0;
        double bottom = 0;
        bool breakAllowedBefore = true;
        bool breakForcedBefore = false;
        QTextBlock block; // with line, for a line
        int line = -1;
        QTextFrame *frame = nullptr; // for a table row
    };

private:
    void Paginate(double pageHeight);

    QImage device_;
    std::unique_ptr<QTextDocument> copy_;
    std::vector<Piece> pieces_;
    std::vector<std::pair<std::size_t, std::size_t>> pages_; // pieces [first, end) of each page
};

} // namespace velmaro
