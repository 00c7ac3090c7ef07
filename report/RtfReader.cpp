#include "report/RtfReader.h"

#include "report/Windows1252.h"
#include "report/rtf/Reader.h"

#include <QTextDocument>

namespace velmaro {
namespace {

QString WithUnixLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Undo history of a loaded report is of no use and would double its memory.
class UndoSuspended {
public:
    explicit UndoSuspended(QTextDocument &document)
        : document_(document), enabled_(document.isUndoRedoEnabled())
    {
        document_.setUndoRedoEnabled(false);
    }
    ~UndoSuspended() { document_.setUndoRedoEnabled(enabled_); }
    UndoSuspended(const UndoSuspended &) = delete;
    UndoSuspended &operator=(const UndoSuspended &) = delete;

private:
    QTextDocument &document_;
    bool enabled_;
};

} // namespace

bool LooksLikeRtf(QByteArrayView bytes) { return bytes.startsWith("{\\rtf"); }

void ReadRtf(QTextDocument &document, const QByteArray &bytes)
{
    const UndoSuspended noUndo(document);
    document.clear();
    rtf::Reader(document).Read(bytes);
}

void LoadReportDocument(QTextDocument &document, const QByteArray &bytes)
{
    if (LooksLikeRtf(bytes))
        return ReadRtf(document, bytes);
    const UndoSuspended noUndo(document);
    document.setPlainText(WithUnixLineBreaks(FromWindows1252(bytes)));
}

} // namespace velmaro
