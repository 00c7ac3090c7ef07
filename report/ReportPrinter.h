#pragma once

// Printing of the report view's document: laid out on the printable area of each page, no
// margins added, one page after another, as one job titled "Print of VELMARO".

#include <stdexcept>

class QPrinter;
class QTextDocument;
class QWidget;

namespace velmaro {

class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr char kPrintJobTitle[] = "Print of VELMARO";

// The pages the document takes on this printer's printable area (at least one).
int PrintedPageCount(const QTextDocument &document, QPrinter &printer);

// Prints every page of the document; throws PrintError when the printer cannot take the job.
void PrintDocument(const QTextDocument &document, QPrinter &printer);

// No dialog: the system's default printer. Throws PrintError when there is none or it fails.
void PrintToDefaultPrinter(const QTextDocument &document);

// The standard print dialog on the document; prints when the user accepts it.
void PrintWithDialog(const QTextDocument &document, QWidget *parent);

} // namespace velmaro
