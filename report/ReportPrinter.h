#pragma once

// Printing of the report view's document as one job titled "Print of VELMARO": laid out on the
// page its template asks for (paper, margins, headers and footers), held within the printer's
// printable area, or on the printable area when the template gives no page. Saving as PDF lays
// the pages out the same way.

#include <functional>
#include <stdexcept>

class QPrinter;
class QString;
class QTextDocument;
class QWidget;

namespace velmaro {

class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr char kPrintJobTitle[] = "Print of VELMARO";

// Told after each page is painted how many of how many are done; false stops the job, which
// then leaves no output behind: a printer's job is aborted, a file is removed or not written.
using PageProgress = std::function<bool(int painted, int total)>;

// The pages the document takes on this printer (at least one).
int PrintedPageCount(const QTextDocument &document, QPrinter &printer);

// Prints every page of the document; throws PrintError when the printer cannot take the job.
void PrintDocument(const QTextDocument &document, QPrinter &printer,
                   const PageProgress &progress = {});

// No dialog: the system's default printer. Throws PrintError when there is none or it fails.
// A long job shows its progress over parent, with a button to stop it.
void PrintToDefaultPrinter(const QTextDocument &document, QWidget *parent = nullptr);

// The standard print dialog on the document; prints when the user accepts it, a long job
// showing its progress as PrintToDefaultPrinter does.
void PrintWithDialog(const QTextDocument &document, QWidget *parent);

// The printed pages as a PDF file on the template's paper (A4 when it names none). The file
// is replaced whole or not at all; throws PrintError naming the file when it cannot be written.
void SaveDocumentAsPdf(const QTextDocument &document, const QString &path,
                       const PageProgress &progress = {});

// The RTF bytes the document was read from, written whole or not at all; throws PrintError
// as SaveDocumentAsPdf does.
void SaveDocumentAsRtf(const QTextDocument &document, const QString &path);

// Saves as RTF when the name ends in ".rtf", or ends in neither ".rtf" nor ".pdf" and RTF was
// the type chosen; else as PDF. A name without either ending takes that of its type. Returns
// the name written.
QString SaveDocumentAs(const QTextDocument &document, const QString &path, bool rtfChosen,
                       const PageProgress &progress = {});

// The save dialog on the document, PDF or RTF; saves when the user accepts it, a long PDF
// showing its progress as printing does.
void SaveWithDialog(const QTextDocument &document, QWidget *parent);

} // namespace velmaro
