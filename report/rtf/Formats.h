#pragma once

// The Qt character and paragraph formats made from the reader's character and paragraph
// properties, against the document's font and colour tables.

#include "report/rtf/ReaderState.h"

#include <QTextCharFormat>
#include <QTextFormat>

#include <map>
#include <optional>
#include <set>
#include <utility>

namespace velmaro::rtf {

class FontColorTables;

// The fonts a document's text is shown in, by font number and half-points. Each distinct one is
// a font Qt finds and loads when the text is read and again when it is laid out, a fraction of
// a millisecond each time: a template asking for tens of thousands would take minutes to show.
// Past kMaxFonts, text asking for a new one takes the nearest size of its font that is shown,
// or of the document's default font when its own has none.
class FontBudget {
public:
    static constexpr std::size_t kMaxFonts = 256;
    using Font = std::pair<int, int>; // font number, half-points

    // The same font for the same request, all document long.
    Font Shown(Font asked, int defaultFont);

private:
    std::optional<Font> NearestSize(int font, int halfPoints) const;

    std::set<Font> shown_;
    std::map<Font, Font> answers_;
};

class Formats {
public:
    explicit Formats(const FontColorTables &tables) : tables_(tables) {}

    QTextCharFormat CharFormat(const CharState &state);
    // A word processor's single line of the character's font, in pixels.
    double SingleLineHeight(const CharState &state);
    // The format of a paragraph of this look, as it lays out after the one before it.
    QTextBlockFormat ParagraphFormat(const ParagraphLook &look);

private:
    static QTextBlockFormat BlockFormat(const ParaState &state);
    // The font and size the state's text is shown in.
    FontBudget::Font ShownFont(const CharState &state);

    const FontColorTables &tables_;
    FontBudget fonts_;
    std::map<FontBudget::Font, double> lineHeights_;
};

} // namespace velmaro::rtf
