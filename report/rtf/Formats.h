#pragma once

// The Qt character and paragraph formats made from the reader's character and paragraph
// properties, against the document's font and colour tables.

#include "report/rtf/ReaderState.h"

#include <QTextCharFormat>
#include <QTextFormat>

#include <map>
#include <utility>

namespace velmaro::rtf {

class FontColorTables;

class Formats {
public:
    explicit Formats(const FontColorTables &tables) : tables_(tables) {}

    QTextCharFormat CharFormat(const CharState &state) const;
    // A word processor's single line of the character's font, in pixels.
    double SingleLineHeight(const CharState &state);
    // The format of a paragraph of this look, as it lays out after the one before it.
    QTextBlockFormat ParagraphFormat(const ParagraphLook &look);

private:
    static QTextBlockFormat BlockFormat(const ParaState &state);

    const FontColorTables &tables_;
    std::map<std::pair<int, int>, double> lineHeights_; // by font and half-points
};

} // namespace velmaro::rtf
