#pragma once

// The page an RTF document asks for, kept with the document it was read into: paper, margins,
// headers and footers. Printing lays the document out on it; the view ignores it.

#include <QByteArray>
#include <QMarginsF>
#include <QObject>
#include <QSizeF>
#include <QTextFormat>

#include <array>
#include <optional>

class QTextDocument;

namespace velmaro {

// Paragraph properties that only printing uses: a paragraph kept on the page of the next one,
// and one whose lines stay on one page.
inline constexpr int kKeepWithNextProperty = QTextFormat::UserProperty + 1;
inline constexpr int kKeepTogetherProperty = QTextFormat::UserProperty + 2;

// Stand-ins written into headers and footers for the page fields, replaced on each page.
inline constexpr char16_t kPageNumberMark = 0xE000;
inline constexpr char16_t kPageCountMark = 0xE001;

enum class HeaderFooterKind { Header, HeaderLeft, HeaderRight, HeaderFirst,
                              Footer, FooterLeft, FooterRight, FooterFirst, Count };

class PageSetup : public QObject {
    Q_OBJECT
public:
    // The setup read with the document, or nullptr when it was not read from RTF.
    static PageSetup *Of(const QTextDocument &document);
    // A new, empty setup for the document, replacing any earlier one.
    static PageSetup &Attach(QTextDocument &document);

    // In points; absent when the document does not say.
    std::optional<QSizeF> paper;
    std::optional<QMarginsF> margins;
    double headerDistance = 36; // from the paper's top edge to the header
    double footerDistance = 36; // from the paper's bottom edge to the footer
    bool titlePage = false;     // the first page takes the first-page header and footer
    bool facingPages = false;   // left and right pages take their own

    // The bytes the document was read from.
    QByteArray source;

    // Created on first use, owned by the setup.
    QTextDocument &HeaderFooter(HeaderFooterKind kind);
    // The header (or footer) printed on this page, 1-based; nullptr when it has none.
    const QTextDocument *HeaderFor(int page) const;
    const QTextDocument *FooterFor(int page) const;

private:
    explicit PageSetup(QObject *parent) : QObject(parent) {}
    const QTextDocument *Pick(int page, HeaderFooterKind all, HeaderFooterKind left,
                              HeaderFooterKind right, HeaderFooterKind first) const;

    std::array<QTextDocument *, static_cast<std::size_t>(HeaderFooterKind::Count)> parts_{};
};

} // namespace velmaro
