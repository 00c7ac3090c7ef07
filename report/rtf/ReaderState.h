#pragma once

// What the RTF reader keeps while it reads: the state each group carries (where its bytes go,
// its character and paragraph properties) and the state of each output the text goes to (the
// body, a header or a footer). Private to the reader's files in report/rtf/.

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextFormat>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

class QTextDocument;
class QTextTable;

namespace velmaro::rtf {

inline constexpr int kTwipsLimit = 31680;      // 22 inches
inline constexpr double kTwipsPerPixel = 15.0; // 1440 twips an inch, 96 pixels an inch
inline constexpr double kTwipsPerPoint = 20.0;
inline constexpr int kDefaultHalfPoints = 24;
inline constexpr int kDefaultTabTwips = 720;
inline constexpr std::size_t kMaxTableEntries = 4096; // fonts, colours, lists

inline int ClampTwips(int twips, int lowest) { return std::clamp(twips, lowest, kTwipsLimit); }

// The sides of a table cell, and of the page for its margins.
enum Side { kTop, kLeft, kBottom, kRight };

// Where a group's bytes go.
enum class Destination {
    Text, ListText, FontTable, ColorTable, ListTable, ListOverrideTable, FieldInstruction,
    Picture, Skipped,
};

inline bool ShowsText(Destination destination)
{
    return destination == Destination::Text || destination == Destination::ListText;
}

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int halfPoints = kDefaultHalfPoints;
    int font = -1; // the document's default font
    int color = -1;
    int background = -1;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    bool operator==(const CharState &) const = default;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    int lineSpacing = 0; // \sl: 0 single, > 0 at least, < 0 exactly
    bool lineMultiple = false;
    bool keepWithNext = false;
    bool keepTogether = false;
    bool pageBreakBefore = false;
    bool inTable = false;
    int list = 0; // \ls, 0 for none
    int listLevel = 0;
    std::vector<int> tabs;
    bool operator==(const ParaState &) const = default;
};

// Everything a paragraph's formats are made from: long listings repeat one paragraph's
// formats thousands of times, and comparing this is cheaper than building them.
struct ParagraphLook {
    ParaState paragraph;
    CharState mark;
    int afterPrevious = 0;
    bool breakBefore = false;
    double singleLine = 0;
    bool hasPicture = false;
    int tables = 0; // the font and colour tables it was read against
    bool operator==(const ParagraphLook &) const = default;

    // Whether paragraphs of this look lay out as the lines of one block exactly as they do as
    // blocks of their own: nothing between them, nothing bound to the first or last line.
    bool Joinable() const;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState character;
    ParaState paragraph;
    int unicodeSkip = 1;
    std::size_t output = 0; // the body, or a header or footer
};

struct TableInProgress {
    QTextTable *table = nullptr;
    int rows = 1; // the rows content has opened; the table holds more, made ahead
    int row = 0;
    int column = 0;
    bool moveToCell = false; // the cursor goes to (row, column) before the next content
};

// Where text goes: the body or one header or footer, each with its own cursor.
struct Output {
    explicit Output(QTextDocument &document) : cursor(&document) {}
    QTextCursor cursor;
    QString pendingText;
    qsizetype openedAt = -1; // where in pendingText the paragraph being read was opened
    int joinedLines = 1;     // paragraphs held as the lines of the cursor's block
    QTextCharFormat pendingFormat;
    bool blockPending = false; // a paragraph ended and the next has not begun
    bool breakBefore = false;  // the next paragraph starts a page
    int afterPrevious = 0;     // space after the paragraph before, in the same cell or flow
    int listTab = -1;          // position of the tab that follows a list number
    int unbrokenRun = 0;       // characters since the last place a line may break
    double singleLine = 0;     // the height of one line of the tallest font used, in pixels
    // The formats the cursor's paragraph has: a paragraph opened by a separator in the pending
    // text takes those of the one before, so that a run of like paragraphs is one insertion.
    std::optional<QTextBlockFormat> blockFormat;
    QTextCharFormat markFormat;
    std::optional<ParagraphLook> look; // that blockFormat and markFormat were made from
    CharState pendingState;             // that pendingFormat was made from
    int pendingTables = -1;
    bool hasPicture = false;
    TableInProgress table;
};

} // namespace velmaro::rtf
