#include "report/RtfReader.h"

#include "report/PageSetup.h"
#include "report/RtfTokenizer.h"
#include "report/Windows1252.h"

#include <QColor>
#include <QImage>
#include <QRawFont>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace velmaro {
namespace {

constexpr int kMaxGroupDepth = 256;
constexpr std::size_t kMaxTableEntries = 4096; // fonts, colours, lists
constexpr qsizetype kMaxFontNameLength = 256;
constexpr qsizetype kMaxFieldInstructionLength = 256;
constexpr qsizetype kMaxPictureBytes = 16 * 1024 * 1024;
constexpr int kTwipsLimit = 31680;             // 22 inches
constexpr double kTwipsPerPixel = 15.0;        // 1440 twips an inch, 96 pixels an inch
constexpr double kTwipsPerPoint = 20.0;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 1000;
constexpr int kDefaultTabTwips = 720;
constexpr std::size_t kMaxTabStops = 64;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxTableColumns = 64;
constexpr int kSingleLineSpacing = 240; // \slN with \slmult1: N / 240 lines
constexpr int kDefaultBorderTwips = 15;
// Margins a document takes for the sides it leaves out once it gives any.
constexpr int kDefaultSideMargin = 1800;
constexpr int kDefaultTopBottomMargin = 1440;
// Like paragraphs held as the lines of one block (see JoinLikeParagraph): eight take most of the
// saving, and longer blocks lay out slower.
constexpr int kMaxJoinedLines = 8;

enum class Destination {
    Text, ListText, FontTable, ColorTable, ListTable, ListOverrideTable, FieldInstruction,
    Picture, Skipped,
};

bool ShowsText(Destination destination)
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
    bool Joinable() const
    {
        const ParaState &p = paragraph;
        return p.before == 0 && p.after == 0 && afterPrevious == 0 && p.first == 0 &&
               p.alignment != Qt::AlignJustify && !p.keepWithNext && !p.keepTogether &&
               !p.pageBreakBefore && !breakBefore && !p.inTable && p.list == 0 && !hasPicture;
    }
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState character;
    ParaState paragraph;
    int unicodeSkip = 1;
    std::size_t output = 0; // the body, or a header or footer
};

enum class Word {
    // document
    DefaultFont, DefaultTab, CodePage, PaperWidth, PaperHeight, MarginLeft, MarginRight,
    MarginTop, MarginBottom, HeaderY, FooterY, TitlePage, FacingPages,
    // destinations
    FontTable, ColorTable, SkippedDestination, ShapePicture, HeaderFooter, Picture, ListText,
    ListTable, ListOverrideTable, Field, FieldInstruction, FieldResult,
    // character
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, FontSize, Font, Color,
    Background, Superscript, Subscript, NoSuperSub,
    // paragraph
    ParagraphDefault, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent,
    FirstIndent, SpaceBefore, SpaceAfter, LineSpacing, LineMultiple, TabStop, KeepWithNext,
    KeepTogether, PageBreakBefore, InTable, ListOverride, ListLevel,
    // text
    Paragraph, Page, Line, Tab, Unicode, UnicodeSkip, Character, FootnoteMark, PageNumber,
    // tables
    RowDefaults, CellRight, Cell, Row, RowLeft, RowGap, RowAlign, CellBorder, CellPadding, BorderWidth,
    BorderColor, BorderNone, BorderStyle,
    // pictures
    PictureFormat, PictureWidth, PictureHeight, PictureGoalWidth, PictureGoalHeight,
    PictureScaleX, PictureScaleY,
    // lists
    List, ListLevelDefinition, LevelFollow, ListId,
    // colour table
    Red, Green, Blue,
};

struct WordEntry {
    std::string_view name;
    Word word;
    int value = 0; // the character of Word::Character; the kind or side of some words
};

enum PictureKind { kUnsupportedPicture, kPng, kJpeg };
enum BorderSide { kTop, kLeft, kBottom, kRight };

constexpr int Kind(HeaderFooterKind kind) { return static_cast<int>(kind); }

constexpr std::array kWords = {
    WordEntry{"deff", Word::DefaultFont},        WordEntry{"deftab", Word::DefaultTab},
    WordEntry{"ansicpg", Word::CodePage},
    WordEntry{"paperw", Word::PaperWidth},       WordEntry{"pgwsxn", Word::PaperWidth},
    WordEntry{"paperh", Word::PaperHeight},      WordEntry{"pghsxn", Word::PaperHeight},
    WordEntry{"margl", Word::MarginLeft},        WordEntry{"marglsxn", Word::MarginLeft},
    WordEntry{"margr", Word::MarginRight},       WordEntry{"margrsxn", Word::MarginRight},
    WordEntry{"margt", Word::MarginTop},         WordEntry{"margtsxn", Word::MarginTop},
    WordEntry{"margb", Word::MarginBottom},      WordEntry{"margbsxn", Word::MarginBottom},
    WordEntry{"headery", Word::HeaderY},         WordEntry{"footery", Word::FooterY},
    WordEntry{"titlepg", Word::TitlePage},       WordEntry{"facingp", Word::FacingPages},
    WordEntry{"fonttbl", Word::FontTable},       WordEntry{"colortbl", Word::ColorTable},
    WordEntry{"info", Word::SkippedDestination}, WordEntry{"stylesheet", Word::SkippedDestination},
    WordEntry{"object", Word::SkippedDestination}, WordEntry{"nonshppict", Word::SkippedDestination},
    WordEntry{"footnote", Word::SkippedDestination}, WordEntry{"filetbl", Word::SkippedDestination},
    WordEntry{"revtbl", Word::SkippedDestination}, WordEntry{"xe", Word::SkippedDestination},
    WordEntry{"tc", Word::SkippedDestination},   WordEntry{"shppict", Word::ShapePicture},
    WordEntry{"header", Word::HeaderFooter, Kind(HeaderFooterKind::Header)},
    WordEntry{"headerl", Word::HeaderFooter, Kind(HeaderFooterKind::HeaderLeft)},
    WordEntry{"headerr", Word::HeaderFooter, Kind(HeaderFooterKind::HeaderRight)},
    WordEntry{"headerf", Word::HeaderFooter, Kind(HeaderFooterKind::HeaderFirst)},
    WordEntry{"footer", Word::HeaderFooter, Kind(HeaderFooterKind::Footer)},
    WordEntry{"footerl", Word::HeaderFooter, Kind(HeaderFooterKind::FooterLeft)},
    WordEntry{"footerr", Word::HeaderFooter, Kind(HeaderFooterKind::FooterRight)},
    WordEntry{"footerf", Word::HeaderFooter, Kind(HeaderFooterKind::FooterFirst)},
    WordEntry{"pict", Word::Picture},            WordEntry{"listtext", Word::ListText},
    WordEntry{"pntext", Word::ListText},         WordEntry{"listtable", Word::ListTable},
    WordEntry{"listoverridetable", Word::ListOverrideTable},
    WordEntry{"field", Word::Field},             WordEntry{"fldinst", Word::FieldInstruction},
    WordEntry{"fldrslt", Word::FieldResult},
    WordEntry{"plain", Word::Plain},             WordEntry{"b", Word::Bold},
    WordEntry{"i", Word::Italic},                WordEntry{"ul", Word::Underline},
    WordEntry{"uld", Word::Underline},           WordEntry{"uldb", Word::Underline},
    WordEntry{"ulw", Word::Underline},           WordEntry{"ulnone", Word::UnderlineNone},
    WordEntry{"strike", Word::Strike},           WordEntry{"v", Word::Hidden},
    WordEntry{"fs", Word::FontSize},             WordEntry{"f", Word::Font},
    WordEntry{"cf", Word::Color},                WordEntry{"highlight", Word::Background},
    WordEntry{"cb", Word::Background},           WordEntry{"super", Word::Superscript},
    WordEntry{"sub", Word::Subscript},           WordEntry{"nosupersub", Word::NoSuperSub},
    WordEntry{"pard", Word::ParagraphDefault},   WordEntry{"ql", Word::AlignLeft},
    WordEntry{"qc", Word::AlignCenter},          WordEntry{"qr", Word::AlignRight},
    WordEntry{"qj", Word::AlignJustify},         WordEntry{"li", Word::LeftIndent},
    WordEntry{"ri", Word::RightIndent},          WordEntry{"fi", Word::FirstIndent},
    WordEntry{"sb", Word::SpaceBefore},          WordEntry{"sa", Word::SpaceAfter},
    WordEntry{"sl", Word::LineSpacing},          WordEntry{"slmult", Word::LineMultiple},
    WordEntry{"tx", Word::TabStop},              WordEntry{"keepn", Word::KeepWithNext},
    WordEntry{"keep", Word::KeepTogether},       WordEntry{"pagebb", Word::PageBreakBefore},
    WordEntry{"intbl", Word::InTable},           WordEntry{"ls", Word::ListOverride},
    WordEntry{"ilvl", Word::ListLevel},
    WordEntry{"par", Word::Paragraph},           WordEntry{"sect", Word::Paragraph},
    WordEntry{"page", Word::Page},               WordEntry{"line", Word::Line},
    WordEntry{"tab", Word::Tab},                 WordEntry{"u", Word::Unicode},
    WordEntry{"uc", Word::UnicodeSkip},          WordEntry{"chftn", Word::FootnoteMark},
    WordEntry{"chpgn", Word::PageNumber},
    WordEntry{"trowd", Word::RowDefaults},       WordEntry{"cellx", Word::CellRight},
    WordEntry{"cell", Word::Cell},               WordEntry{"row", Word::Row},
    WordEntry{"trleft", Word::RowLeft},          WordEntry{"trgaph", Word::RowGap},
    WordEntry{"trql", Word::RowAlign, Qt::AlignLeft},
    WordEntry{"trqc", Word::RowAlign, Qt::AlignHCenter},
    WordEntry{"trqr", Word::RowAlign, Qt::AlignRight},
    WordEntry{"clbrdrt", Word::CellBorder, kTop}, WordEntry{"clbrdrl", Word::CellBorder, kLeft},
    WordEntry{"clbrdrb", Word::CellBorder, kBottom},
    WordEntry{"clbrdrr", Word::CellBorder, kRight},
    WordEntry{"clpadt", Word::CellPadding, kTop}, WordEntry{"clpadl", Word::CellPadding, kLeft},
    WordEntry{"clpadb", Word::CellPadding, kBottom},
    WordEntry{"clpadr", Word::CellPadding, kRight},
    WordEntry{"brdrw", Word::BorderWidth},       WordEntry{"brdrcf", Word::BorderColor},
    WordEntry{"brdrnone", Word::BorderNone},     WordEntry{"brdrnil", Word::BorderNone},
    WordEntry{"brdrs", Word::BorderStyle},       WordEntry{"brdrth", Word::BorderStyle},
    WordEntry{"brdrdb", Word::BorderStyle},      WordEntry{"brdrdot", Word::BorderStyle},
    WordEntry{"brdrdash", Word::BorderStyle},    WordEntry{"brdrsh", Word::BorderStyle},
    WordEntry{"brdrhair", Word::BorderStyle},
    WordEntry{"pngblip", Word::PictureFormat, kPng},
    WordEntry{"jpegblip", Word::PictureFormat, kJpeg},
    WordEntry{"picw", Word::PictureWidth},       WordEntry{"pich", Word::PictureHeight},
    WordEntry{"picwgoal", Word::PictureGoalWidth}, WordEntry{"pichgoal", Word::PictureGoalHeight},
    WordEntry{"picscalex", Word::PictureScaleX}, WordEntry{"picscaley", Word::PictureScaleY},
    WordEntry{"list", Word::List},               WordEntry{"listlevel", Word::ListLevelDefinition},
    WordEntry{"levelfollow", Word::LevelFollow}, WordEntry{"listid", Word::ListId},
    WordEntry{"red", Word::Red},                 WordEntry{"green", Word::Green},
    WordEntry{"blue", Word::Blue},
    WordEntry{"emdash", Word::Character, 0x2014}, WordEntry{"endash", Word::Character, 0x2013},
    WordEntry{"bullet", Word::Character, 0x2022}, WordEntry{"lquote", Word::Character, 0x2018},
    WordEntry{"rquote", Word::Character, 0x2019}, WordEntry{"ldblquote", Word::Character, 0x201C},
    WordEntry{"rdblquote", Word::Character, 0x201D},
    WordEntry{"emspace", Word::Character, 0x2003}, WordEntry{"enspace", Word::Character, 0x2002},
};

const WordEntry *FindWord(QByteArrayView name)
{
    const std::string_view key(name.data(), static_cast<std::size_t>(name.size()));
    const auto found = std::find_if(kWords.begin(), kWords.end(),
                                    [key](const WordEntry &entry) { return entry.name == key; });
    return found == kWords.end() ? nullptr : &*found;
}

// The destinations behind "\*" that this reader knows; any other is skipped whole.
bool IsKnownOptionalDestination(Word word)
{
    switch (word) {
    case Word::FontTable: case Word::ColorTable: case Word::ShapePicture: case Word::ListTable:
    case Word::ListOverrideTable: case Word::FieldInstruction: case Word::HeaderFooter:
        return true;
    default:
        return false;
    }
}

// The characters an escaped symbol stands for; 0 for symbols that show nothing.
char16_t SymbolCharacter(char symbol)
{
    switch (symbol) {
    case '\\': return u'\\';
    case '{': return u'{';
    case '}': return u'}';
    case '~': return 0x00A0; // non-breaking space
    case '-': return 0x00AD; // optional hyphen
    case '_': return 0x2011; // non-breaking hyphen
    default: return 0;
    }
}

int ClampTwips(int twips, int lowest) { return std::clamp(twips, lowest, kTwipsLimit); }

bool IsShownCharacter(char16_t unit) { return unit >= 0x20 || unit == u'\t'; }

// A single-byte Windows code page as a table; Windows-1252 where Qt cannot decode it.
std::array<char16_t, 256> CodePageTable(int codePage)
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[static_cast<std::size_t>(byte)] =
            Windows1252ToChar(static_cast<unsigned char>(byte)).unicode();
    if (codePage == 1252)
        return table;
    QStringDecoder decoder(QByteArray("windows-") + QByteArray::number(codePage));
    if (!decoder.isValid())
        return table;
    for (int byte = 0x80; byte < 256; ++byte) {
        const char raw = static_cast<char>(byte);
        const QString decoded = decoder.decode(QByteArrayView(&raw, 1));
        decoder.resetState();
        if (decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter)
            table[static_cast<std::size_t>(byte)] = decoded[0].unicode();
    }
    return table;
}

struct Border {
    int width = 0; // twips, 0 for none
    int color = -1;
};

struct CellDefinition {
    int right = 0;
    std::array<Border, 4> borders;
    std::array<int, 4> padding{-1, -1, -1, -1}; // twips, -1 for the row's gap
};

// The row properties from \trowd to \row; they describe the row whose \row follows them.
struct RowDefinition {
    std::vector<CellDefinition> cells;
    std::array<Border, 4> pendingBorders;
    std::array<int, 4> pendingPadding{-1, -1, -1, -1};
    int borderSide = -1; // the side the \brdr words describe
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int gap = 0;
};

struct TableInProgress {
    QTextTable *table = nullptr;
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

struct ListDefinition {
    int id = 0;
    std::vector<int> follows; // per level: 0 tab, 1 space, 2 nothing after the number
};

struct PictureInProgress {
    int kind = kUnsupportedPicture;
    QByteArray bytes;
    int highNibble = -1;
    int width = 0, height = 0, goalWidth = 0, goalHeight = 0;
    int scaleX = 100, scaleY = 100;
};

class RtfReader {
public:
    explicit RtfReader(QTextDocument &document)
        : document_(document), setup_(PageSetup::Attach(document))
    {
        outputs_.emplace_back(document);
    }

    void Read(const QByteArray &bytes)
    {
        setup_.source = bytes;
        Body().cursor.beginEditBlock();
        RtfTokenizer tokenizer(bytes);
        for (RtfToken token = tokenizer.Next(); token.kind != RtfToken::Kind::End && !finished_;
             token = tokenizer.Next())
            Handle(token);
        Finish();
    }

private:
    GroupState &State() { return groups_.back(); }
    Output &Out() { return outputs_[State().output]; }
    Output &Body() { return outputs_.front(); }

    void Handle(const RtfToken &token)
    {
        switch (token.kind) {
        case RtfToken::Kind::GroupStart: return OpenGroup();
        case RtfToken::Kind::GroupEnd: return CloseGroup();
        case RtfToken::Kind::Text: return HandleText(token.text);
        default: break;
        }
        if (SkipFallback())
            return;
        if (token.kind == RtfToken::Kind::HexByte)
            return HandleByte(token.byte);
        if (token.kind == RtfToken::Kind::ControlSymbol)
            return HandleSymbol(token.symbol);
        HandleWord(token);
        optionalDestination_ = false;
    }

    // The characters after \uN that stand in for it in readers without Unicode.
    bool SkipFallback()
    {
        if (fallbackLeft_ == 0)
            return false;
        --fallbackLeft_;
        return true;
    }

    void OpenGroup()
    {
        fallbackLeft_ = 0;
        optionalDestination_ = false;
        if (groups_.size() >= kMaxGroupDepth) {
            ++overflowDepth_; // deeper groups share the state of the deepest one kept
            return;
        }
        groups_.push_back(groups_.back());
    }

    void CloseGroup()
    {
        fallbackLeft_ = 0;
        optionalDestination_ = false;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        const Destination closing = State().destination;
        if (closing == Destination::FontTable)
            CommitFontName();
        // A "}" with no group open, or the outermost group closed: the document is complete,
        // and its last paragraph takes the properties in force inside that group.
        if (groups_.size() <= 2) {
            EndLastParagraph(Body());
            finished_ = true;
        }
        if (groups_.size() > 1) {
            // A header or footer ends with its group, its last paragraph with the state inside.
            if (State().output != groups_[groups_.size() - 2].output) {
                EndLastParagraph(Out());
                FlushText(Out());
            }
            groups_.pop_back();
        }
        if (closing == Destination::Picture && State().destination != Destination::Picture)
            InsertPicture();
        formatDirty_ = true;
    }

    void HandleText(QByteArrayView text)
    {
        for (const char byte : text) {
            if (byte == '\r' || byte == '\n')
                continue;
            if (!SkipFallback())
                HandleByte(static_cast<unsigned char>(byte));
        }
    }

    void HandleByte(unsigned char byte)
    {
        switch (State().destination) {
        case Destination::Text:
        case Destination::ListText: return AppendCharacter(codePage_[byte]);
        case Destination::FontTable: return AddFontNameByte(byte);
        case Destination::ColorTable:
            if (byte == ';')
                CommitColor();
            return;
        case Destination::FieldInstruction:
            if (fieldInstruction_.size() < kMaxFieldInstructionLength)
                fieldInstruction_.append(static_cast<char>(byte));
            return;
        case Destination::Picture: return AddPictureDigit(static_cast<char>(byte));
        default: return;
        }
    }

    void HandleSymbol(char symbol)
    {
        if (symbol == '*') {
            optionalDestination_ = true;
            return;
        }
        optionalDestination_ = false;
        if (symbol == '\r' || symbol == '\n') { // a backslash before a line break is \par
            if (ShowsText(State().destination))
                EndParagraph();
            return;
        }
        if (const char16_t ch = SymbolCharacter(symbol))
            HandleCharacter(ch);
    }

    // A character from an escape: text in the body, part of a name in the font table.
    void HandleCharacter(char16_t ch)
    {
        if (ShowsText(State().destination))
            AppendCharacter(ch);
        else if (State().destination == Destination::FontTable && ch < 0x100)
            AddFontNameByte(static_cast<unsigned char>(ch));
    }

    void HandleWord(const RtfToken &token)
    {
        const WordEntry *entry = FindWord(token.text);
        if (optionalDestination_ && (!entry || !IsKnownOptionalDestination(entry->word))) {
            State().destination = Destination::Skipped;
            return;
        }
        if (!entry || State().destination == Destination::Skipped)
            return;
        ApplyWord(*entry, token);
    }

    void ApplyWord(const WordEntry &entry, const RtfToken &token)
    {
        const int value = token.parameter;
        switch (entry.word) {
        case Word::DefaultFont: defaultFont_ = value; ++tables_; break;
        case Word::DefaultTab: defaultTab_ = value > 0 ? ClampTwips(value, 1) : kDefaultTabTwips; break;
        case Word::CodePage: codePage_ = CodePageTable(value); break;
        case Word::PaperWidth: paperWidth_ = ClampTwips(value, 1); break;
        case Word::PaperHeight: paperHeight_ = ClampTwips(value, 1); break;
        case Word::MarginLeft: margins_[kLeft] = ClampTwips(value, 0); break;
        case Word::MarginRight: margins_[kRight] = ClampTwips(value, 0); break;
        case Word::MarginTop: margins_[kTop] = ClampTwips(value, 0); break;
        case Word::MarginBottom: margins_[kBottom] = ClampTwips(value, 0); break;
        case Word::HeaderY: setup_.headerDistance = ClampTwips(value, 0) / kTwipsPerPoint; break;
        case Word::FooterY: setup_.footerDistance = ClampTwips(value, 0) / kTwipsPerPoint; break;
        case Word::TitlePage: setup_.titlePage = true; break;
        case Word::FacingPages: setup_.facingPages = true; break;
        case Word::FontTable: State().destination = Destination::FontTable; break;
        case Word::ColorTable: State().destination = Destination::ColorTable; break;
        case Word::ListTable: State().destination = Destination::ListTable; break;
        case Word::ListOverrideTable: State().destination = Destination::ListOverrideTable; break;
        case Word::SkippedDestination: State().destination = Destination::Skipped; break;
        case Word::FieldInstruction: State().destination = Destination::FieldInstruction; break;
        case Word::Font:
            if (State().destination == Destination::FontTable)
                fontNumber_ = value;
            else
                SetChar(&CharState::font, value);
            break;
        case Word::Red: SetColorComponent(&QColor::setRed, value); break;
        case Word::Green: SetColorComponent(&QColor::setGreen, value); break;
        case Word::Blue: SetColorComponent(&QColor::setBlue, value); break;
        case Word::List: case Word::ListLevelDefinition: case Word::LevelFollow: case Word::ListId:
        case Word::ListOverride:
            ApplyListWord(entry.word, value);
            break;
        case Word::PictureFormat: case Word::PictureWidth: case Word::PictureHeight:
        case Word::PictureGoalWidth: case Word::PictureGoalHeight: case Word::PictureScaleX:
        case Word::PictureScaleY:
            if (State().destination == Destination::Picture)
                ApplyPictureWord(entry, value);
            break;
        default:
            if (ShowsText(State().destination))
                ApplyTextWord(entry, token);
        }
    }

    void ApplyTextWord(const WordEntry &entry, const RtfToken &token)
    {
        const int value = token.parameter;
        const bool on = !token.hasParameter || value != 0;
        ParaState &para = State().paragraph;
        switch (entry.word) {
        case Word::ShapePicture: break; // the picture inside is read as it stands
        case Word::HeaderFooter: EnterHeaderFooter(static_cast<HeaderFooterKind>(entry.value)); break;
        case Word::Picture: picture_ = {}; State().destination = Destination::Picture; break;
        case Word::ListText: State().destination = Destination::ListText; break;
        case Word::Field: fieldInstruction_.clear(); break;
        case Word::FieldResult: EnterFieldResult(); break;
        case Word::Plain:
            // A list number keeps its paragraph's look; the reset its group opens with would
            // show it in the document's default font.
            if (State().destination != Destination::ListText) {
                State().character = CharState{};
                formatDirty_ = true;
            }
            break;
        case Word::Bold: SetChar(&CharState::bold, on); break;
        case Word::Italic: SetChar(&CharState::italic, on); break;
        case Word::Underline: SetChar(&CharState::underline, on); break;
        case Word::UnderlineNone: SetChar(&CharState::underline, false); break;
        case Word::Strike: SetChar(&CharState::strike, on); break;
        case Word::Hidden: SetChar(&CharState::hidden, on); break;
        case Word::FontSize:
            SetChar(&CharState::halfPoints,
                    token.hasParameter ? std::clamp(value, kMinHalfPoints, kMaxHalfPoints)
                                       : kDefaultHalfPoints);
            break;
        case Word::Color: SetChar(&CharState::color, value); break;
        case Word::Background: SetChar(&CharState::background, value); break;
        case Word::Superscript: SetChar(&CharState::vertical, QTextCharFormat::AlignSuperScript); break;
        case Word::Subscript: SetChar(&CharState::vertical, QTextCharFormat::AlignSubScript); break;
        case Word::NoSuperSub: SetChar(&CharState::vertical, QTextCharFormat::AlignNormal); break;
        case Word::ParagraphDefault: para = ParaState{}; break;
        case Word::AlignLeft: para.alignment = Qt::AlignLeft; break;
        case Word::AlignCenter: para.alignment = Qt::AlignHCenter; break;
        case Word::AlignRight: para.alignment = Qt::AlignRight; break;
        case Word::AlignJustify: para.alignment = Qt::AlignJustify; break;
        case Word::LeftIndent: para.left = ClampTwips(value, 0); break;
        case Word::RightIndent: para.right = ClampTwips(value, 0); break;
        case Word::FirstIndent: para.first = ClampTwips(value, -kTwipsLimit); break;
        case Word::SpaceBefore: para.before = ClampTwips(value, 0); break;
        case Word::SpaceAfter: para.after = ClampTwips(value, 0); break;
        case Word::LineSpacing: para.lineSpacing = ClampTwips(value, -kTwipsLimit); break;
        case Word::LineMultiple: para.lineMultiple = on; break;
        case Word::TabStop:
            if (para.tabs.size() < kMaxTabStops)
                para.tabs.push_back(ClampTwips(value, 0));
            break;
        case Word::KeepWithNext: para.keepWithNext = on; break;
        case Word::KeepTogether: para.keepTogether = on; break;
        case Word::PageBreakBefore: para.pageBreakBefore = on; break;
        case Word::InTable: para.inTable = on; break;
        case Word::ListLevel: para.listLevel = std::clamp(value, 0, 8); break;
        case Word::Paragraph: EndParagraph(); break;
        case Word::Page: BreakPage(); break;
        case Word::Line: AppendCharacter(QChar::LineSeparator); break;
        case Word::Tab: AppendTab(); break;
        case Word::Character: AppendCharacter(static_cast<char16_t>(entry.value)); break;
        case Word::Unicode: AppendUnicode(value); break;
        case Word::UnicodeSkip: State().unicodeSkip = std::clamp(value, 0, kMaxUnicodeSkip); break;
        case Word::FootnoteMark: AppendText(QString::number(++footnotes_)); break;
        case Word::PageNumber:
            if (State().output != 0)
                AppendCharacter(kPageNumberMark);
            break;
        case Word::RowDefaults: row_ = RowDefinition{}; break;
        case Word::CellRight: AddCellDefinition(value); break;
        case Word::Cell: EndCell(); break;
        case Word::Row: EndRow(); break;
        case Word::RowLeft: row_.left = ClampTwips(value, -kTwipsLimit); break;
        case Word::RowGap: row_.gap = ClampTwips(value, 0); break;
        case Word::RowAlign: row_.alignment = static_cast<Qt::Alignment>(entry.value); break;
        case Word::CellBorder:
            row_.borderSide = entry.value;
            row_.pendingBorders[static_cast<std::size_t>(entry.value)] = {kDefaultBorderTwips, -1};
            break;
        case Word::CellPadding:
            row_.pendingPadding[static_cast<std::size_t>(entry.value)] = ClampTwips(value, 0);
            break;
        case Word::BorderWidth: SetBorder(&Border::width, ClampTwips(value, 0)); break;
        case Word::BorderColor: SetBorder(&Border::color, value); break;
        case Word::BorderNone: SetBorder(&Border::width, 0); break;
        default: break;
        }
    }

    // --- characters and paragraphs

    template <class T, class V>
    void SetChar(T CharState::*member, V value)
    {
        State().character.*member = static_cast<T>(value);
        formatDirty_ = true;
    }

    // \uN is a signed 16-bit number: negative values stand for N + 65536.
    void AppendUnicode(int value)
    {
        const int unit = ((value % 65536) + 65536) % 65536;
        AppendCharacter(static_cast<char16_t>(unit));
        fallbackLeft_ = State().unicodeSkip;
    }

    void AppendText(const QString &text)
    {
        for (const QChar ch : text)
            AppendCharacter(ch.unicode());
    }

    // The tab after a list number is dropped or made a blank when its paragraph ends, once
    // the paragraph's list is known.
    void AppendTab()
    {
        if (State().destination == Destination::ListText && !State().character.hidden) {
            BeginContent();
            FlushText();
            Out().listTab = Out().cursor.position();
        }
        AppendCharacter(u'\t');
    }

    void AppendCharacter(char16_t ch)
    {
        if (!IsShownCharacter(ch) || State().character.hidden)
            return;
        BeginContent();
        Output &out = Out();
        if (formatDirty_) {
            const bool known = State().character == out.pendingState && out.pendingTables == tables_;
            const QTextCharFormat format = known ? out.pendingFormat : CharFormat(State().character);
            if (format != out.pendingFormat) {
                FlushText();
                out.pendingFormat = format;
            }
            out.pendingState = State().character;
            out.pendingTables = tables_;
            out.singleLine = std::max(out.singleLine, SingleLineHeight(State().character));
            formatDirty_ = false;
        }
        out.pendingText.append(QChar(ch));
    }

    void FlushText() { FlushText(Out()); }
    static void FlushText(Output &out)
    {
        if (out.pendingText.isEmpty())
            return;
        out.cursor.insertText(out.pendingText, out.pendingFormat);
        out.pendingText.clear();
        out.openedAt = -1;
    }

    // Before any content: the table it belongs to, and the paragraph it opens.
    void BeginContent()
    {
        FollowTable();
        Output &out = Out();
        if (!out.blockPending)
            return;
        out.openedAt = out.pendingText.size();
        out.pendingText.append(QChar::ParagraphSeparator);
        out.markFormat = out.pendingFormat;
        out.blockPending = false;
        formatDirty_ = true;
    }

    void EndParagraph()
    {
        BeginContent();
        CloseBlock();
        Out().blockPending = true;
    }

    // A page break inside a paragraph ends it; the next paragraph starts the page.
    void BreakPage()
    {
        FlushText();
        if (!Out().blockPending && !Out().cursor.block().text().isEmpty())
            EndParagraph();
        Out().breakBefore = true;
    }

    // The final \par of a document ends its last paragraph and opens none.
    void EndLastParagraph(Output &out)
    {
        if (!out.blockPending)
            CloseBlock(out);
    }

    void CloseBlock() { CloseBlock(Out()); }
    // Paragraph properties in force at its end apply to the whole paragraph.
    void CloseBlock(Output &out)
    {
        const ParaState &para = State().paragraph;
        DropListTab(out, para);
        ParagraphLook look{para, State().character, out.afterPrevious, out.breakBefore,
                           out.singleLine, out.hasPicture, tables_};
        out.singleLine = 0;
        out.hasPicture = false;
        out.afterPrevious = para.after;
        out.breakBefore = false;
        const qsizetype openedAt = std::exchange(out.openedAt, -1);
        if (look == out.look)
            return JoinLikeParagraph(out, look, openedAt);
        out.joinedLines = 1;
        ApplyBlockFormats(out, look);
        out.look = std::move(look);
    }

    // A paragraph like the one before, still pending, becomes a further line of its block
    // when that lays out the same: Qt's layout keeps some 500 bytes per block, which a long
    // hydrograph listing would pay once per ordinate. An empty paragraph keeps its own block,
    // whose height its mark's font sets.
    static void JoinLikeParagraph(Output &out, const ParagraphLook &look, qsizetype openedAt)
    {
        const bool hasText = openedAt >= 0 && openedAt + 1 < out.pendingText.size();
        if (hasText && look.Joinable() && out.joinedLines < kMaxJoinedLines) {
            out.pendingText[openedAt] = QChar::LineSeparator;
            ++out.joinedLines;
        } else {
            out.joinedLines = 1;
        }
    }

    void ApplyBlockFormats(Output &out, const ParagraphLook &look)
    {
        const ParaState &para = look.paragraph;
        QTextBlockFormat format = BlockFormat(para);
        // A picture sets its own line's height; the paragraph mark's font sets that of an
        // empty paragraph only.
        if (para.lineSpacing == 0 && !look.hasPicture)
            format.setLineHeight(look.singleLine > 0 ? look.singleLine : SingleLineHeight(look.mark),
                                 QTextBlockFormat::FixedHeight);
        // Space after one paragraph and before the next add up; the layout would keep only
        // the larger, so the next paragraph carries both.
        format.setTopMargin((para.before + look.afterPrevious) / kTwipsPerPixel);
        if (look.breakBefore || para.pageBreakBefore)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        const QTextCharFormat mark = CharFormat(look.mark);
        if (format == out.blockFormat && mark == out.markFormat)
            return;
        FlushText(out);
        if (format != out.blockFormat)
            out.cursor.setBlockFormat(format);
        if (mark != out.markFormat)
            out.cursor.setBlockCharFormat(mark);
        out.blockFormat = format;
        out.markFormat = mark;
    }

    // The cursor moved to a paragraph whose formats the reader did not set.
    static void ForgetBlockFormats(Output &out)
    {
        out.blockFormat.reset();
        out.markFormat = QTextCharFormat();
        out.look.reset();
    }

    void DropListTab(Output &out, const ParaState &para)
    {
        const int position = std::exchange(out.listTab, -1);
        const int follow = ListFollow(para);
        if (position < 0 || follow == 0)
            return;
        FlushText(out);
        QTextCursor tab(out.cursor);
        tab.setPosition(position);
        tab.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        if (tab.selectedText() == QStringLiteral("\t"))
            tab.insertText(follow == 1 ? QStringLiteral(" ") : QString());
    }

    // --- tables

    // Content of a paragraph marked \intbl goes into the table, opened at its first cell;
    // content of any other paragraph closes the table.
    void FollowTable()
    {
        Output &out = Out();
        const bool inTable = State().paragraph.inTable;
        if (inTable && !out.table.table)
            StartTable(out);
        else if (!inTable && out.table.table)
            LeaveTable(out);
        if (out.table.table && out.table.moveToCell)
            MoveToCell(out);
    }

    void StartTable(Output &out)
    {
        FlushText(out);
        QTextTableFormat format;
        format.setBorder(0);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(0);
        format.setAlignment(row_.alignment);
        format.setLeftMargin(std::max(0, row_.left) / kTwipsPerPixel);
        const int columns = std::clamp(static_cast<int>(row_.cells.size()), 1, kMaxTableColumns);
        out.table = TableInProgress{};
        out.table.table = out.cursor.insertTable(1, columns, format);
        ForgetBlockFormats(out);
        out.blockPending = false;
        out.afterPrevious = 0;
    }

    void LeaveTable(Output &out)
    {
        FlushText(out);
        out.cursor = out.table.table->lastCursorPosition();
        out.cursor.movePosition(QTextCursor::NextBlock);
        ForgetBlockFormats(out);
        out.table = TableInProgress{};
        out.blockPending = false;
        out.afterPrevious = 0;
    }

    void MoveToCell(Output &out)
    {
        FlushText(out);
        ForgetBlockFormats(out);
        TableInProgress &t = out.table;
        if (t.row >= t.table->rows())
            t.table->appendRows(1);
        if (t.column >= t.table->columns() && t.column < kMaxTableColumns)
            t.table->appendColumns(1);
        t.column = std::min(t.column, t.table->columns() - 1);
        out.cursor = t.table->cellAt(t.row, t.column).firstCursorPosition();
        t.moveToCell = false;
        out.blockPending = false;
        out.afterPrevious = 0;
        formatDirty_ = true;
    }

    void EndCell()
    {
        State().paragraph.inTable = true;
        FollowTable();
        EndLastParagraph(Out());
        TableInProgress &t = Out().table;
        ++t.column;
        t.moveToCell = true;
    }

    void EndRow()
    {
        Output &out = Out();
        if (!out.table.table)
            return;
        FlushText(out);
        ApplyRowDefinition(out.table);
        ++out.table.row;
        out.table.column = 0;
        out.table.moveToCell = true;
    }

    void AddCellDefinition(int right)
    {
        if (row_.cells.size() >= static_cast<std::size_t>(kMaxTableColumns))
            return;
        row_.cells.push_back({ClampTwips(right, -kTwipsLimit), row_.pendingBorders,
                              row_.pendingPadding});
        row_.pendingBorders = {};
        row_.pendingPadding = {-1, -1, -1, -1};
        row_.borderSide = -1;
    }

    template <class T>
    void SetBorder(T Border::*member, T value)
    {
        if (row_.borderSide >= 0)
            row_.pendingBorders[static_cast<std::size_t>(row_.borderSide)].*member = value;
    }

    // The row's cells take their widths, borders and padding from the definition that \row
    // closes; the first row sets the table's columns.
    void ApplyRowDefinition(TableInProgress &t)
    {
        const int row = std::min(t.row, t.table->rows() - 1);
        int left = row_.left;
        QVector<QTextLength> widths;
        for (std::size_t c = 0; c < row_.cells.size(); ++c) {
            const CellDefinition &cell = row_.cells[c];
            widths.append(QTextLength(QTextLength::FixedLength,
                                      std::max(1, cell.right - left) / kTwipsPerPixel));
            left = cell.right;
            if (static_cast<int>(c) < t.table->columns())
                ApplyCellFormat(t.table->cellAt(row, static_cast<int>(c)), cell);
        }
        if (row == 0 && !widths.isEmpty()) {
            QTextTableFormat format = t.table->format();
            widths.resize(t.table->columns(), widths.back());
            format.setColumnWidthConstraints(widths);
            format.setAlignment(row_.alignment);
            t.table->setFormat(format);
        }
    }

    void ApplyCellFormat(QTextTableCell cell, const CellDefinition &definition) const
    {
        QTextTableCellFormat format = cell.format().toTableCellFormat();
        const auto padding = [&](BorderSide side) {
            const int twips = definition.padding[side];
            return (twips >= 0 ? twips : (side == kLeft || side == kRight ? row_.gap : 0)) /
                   kTwipsPerPixel;
        };
        format.setTopPadding(padding(kTop));
        format.setLeftPadding(padding(kLeft));
        format.setBottomPadding(padding(kBottom));
        format.setRightPadding(padding(kRight));
        const auto width = [&](BorderSide side) {
            const int twips = definition.borders[side].width;
            return twips > 0 ? std::max(1.0, twips / kTwipsPerPixel) : 0.0;
        };
        const auto brush = [&](BorderSide side) {
            return QBrush(TableColor(definition.borders[side].color).value_or(Qt::black));
        };
        format.setTopBorder(width(kTop));
        format.setLeftBorder(width(kLeft));
        format.setBottomBorder(width(kBottom));
        format.setRightBorder(width(kRight));
        format.setTopBorderBrush(brush(kTop));
        format.setLeftBorderBrush(brush(kLeft));
        format.setBottomBorderBrush(brush(kBottom));
        format.setRightBorderBrush(brush(kRight));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        cell.setFormat(format);
    }

    // --- pictures

    void ApplyPictureWord(const WordEntry &entry, int value)
    {
        const int size = std::clamp(value, 0, kTwipsLimit);
        switch (entry.word) {
        case Word::PictureFormat: picture_.kind = entry.value; break;
        case Word::PictureWidth: picture_.width = size; break;
        case Word::PictureHeight: picture_.height = size; break;
        case Word::PictureGoalWidth: picture_.goalWidth = size; break;
        case Word::PictureGoalHeight: picture_.goalHeight = size; break;
        case Word::PictureScaleX: picture_.scaleX = std::clamp(value, 1, 1000); break;
        case Word::PictureScaleY: picture_.scaleY = std::clamp(value, 1, 1000); break;
        default: break;
        }
    }

    void AddPictureDigit(char c)
    {
        const int digit = RtfHexDigit(c);
        if (digit < 0 || picture_.bytes.size() >= kMaxPictureBytes)
            return;
        if (picture_.highNibble < 0) {
            picture_.highNibble = digit;
            return;
        }
        picture_.bytes.append(static_cast<char>(picture_.highNibble * 16 + digit));
        picture_.highNibble = -1;
    }

    // PNG and JPEG pictures are shown at the size the document asks for; other kinds are not
    // shown.
    void InsertPicture()
    {
        const PictureInProgress picture = std::exchange(picture_, PictureInProgress{});
        if (picture.kind == kUnsupportedPicture || !ShowsText(State().destination))
            return;
        QImage image;
        if (!image.loadFromData(picture.bytes, picture.kind == kPng ? "PNG" : "JPEG"))
            return;
        const QSizeF natural = picture.goalWidth > 0 && picture.goalHeight > 0
                                   ? QSizeF(picture.goalWidth, picture.goalHeight) / kTwipsPerPixel
                                   : QSizeF(image.size());
        const QString name = QStringLiteral("velmaro-picture:%1").arg(++pictures_);
        document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.setName(name);
        format.setWidth(natural.width() * picture.scaleX / 100.0);
        format.setHeight(natural.height() * picture.scaleY / 100.0);
        BeginContent();
        FlushText();
        Out().cursor.insertImage(format);
        Out().hasPicture = true;
    }

    // --- headers, footers and fields

    void EnterHeaderFooter(HeaderFooterKind kind)
    {
        outputs_.emplace_back(setup_.HeaderFooter(kind));
        Output &out = outputs_.back();
        out.cursor.movePosition(QTextCursor::End);
        out.blockPending = !out.cursor.document()->isEmpty();
        State().output = outputs_.size() - 1;
        State().paragraph = ParaState{};
        formatDirty_ = true;
    }

    // Page fields in headers and footers are numbered on each page; elsewhere a field shows
    // the result it was saved with.
    void EnterFieldResult()
    {
        const QByteArray instruction = fieldInstruction_.trimmed().toUpper();
        const char16_t mark = instruction.startsWith("PAGE")       ? kPageNumberMark
                              : instruction.startsWith("NUMPAGES") ? kPageCountMark
                                                                   : 0;
        if (mark == 0 || State().output == 0)
            return;
        AppendCharacter(mark);
        State().destination = Destination::Skipped;
    }

    // --- lists

    void ApplyListWord(Word word, int value)
    {
        const Destination destination = State().destination;
        if (destination == Destination::ListTable) {
            if (word == Word::List && lists_.size() < kMaxTableEntries)
                lists_.emplace_back();
            if (lists_.empty())
                return;
            std::vector<int> &follows = lists_.back().follows;
            if (word == Word::ListLevelDefinition && follows.size() < 9)
                follows.push_back(0);
            else if (word == Word::LevelFollow && !follows.empty())
                follows.back() = std::clamp(value, 0, 2);
            else if (word == Word::ListId)
                lists_.back().id = value;
        } else if (destination == Destination::ListOverrideTable) {
            if (word == Word::ListId)
                overrideListId_ = value;
            else if (word == Word::ListOverride && listOverrides_.size() < kMaxTableEntries)
                listOverrides_[value] = overrideListId_;
        } else if (ShowsText(destination) && word == Word::ListOverride) {
            State().paragraph.list = value;
        }
    }

    // What follows the number of the paragraph's list level: 0 a tab, 1 a blank, 2 nothing.
    int ListFollow(const ParaState &para) const
    {
        const auto override = listOverrides_.find(para.list);
        if (para.list == 0 || override == listOverrides_.end())
            return 0;
        const auto list = std::find_if(lists_.begin(), lists_.end(), [&](const ListDefinition &l) {
            return l.id == override->second;
        });
        if (list == lists_.end() || static_cast<std::size_t>(para.listLevel) >= list->follows.size())
            return 0;
        return list->follows[static_cast<std::size_t>(para.listLevel)];
    }

    // --- end of the document

    void Finish()
    {
        if (!finished_) // truncated: the state at the point where the bytes ran out
            for (Output &out : outputs_)
                EndLastParagraph(out);
        for (Output &out : outputs_)
            FlushText(out);
        Body().cursor.endEditBlock();
        QTextOption option = document_.defaultTextOption();
        option.setTabStopDistance(defaultTab_ / kTwipsPerPixel);
        document_.setDefaultTextOption(option);
        for (const Output &out : outputs_)
            if (out.cursor.document() != &document_)
                out.cursor.document()->setDefaultTextOption(option);
        StorePage();
    }

    void StorePage()
    {
        if (paperWidth_ && paperHeight_)
            setup_.paper = QSizeF(*paperWidth_, *paperHeight_) / kTwipsPerPoint;
        if (std::none_of(margins_.begin(), margins_.end(), [](auto m) { return m.has_value(); }))
            return;
        setup_.margins = QMarginsF(margins_[kLeft].value_or(kDefaultSideMargin),
                                   margins_[kTop].value_or(kDefaultTopBottomMargin),
                                   margins_[kRight].value_or(kDefaultSideMargin),
                                   margins_[kBottom].value_or(kDefaultTopBottomMargin)) /
                         kTwipsPerPoint;
    }

    QTextCharFormat CharFormat(const CharState &state) const
    {
        QTextCharFormat format;
        format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(state.italic);
        format.setFontUnderline(state.underline);
        format.setFontStrikeOut(state.strike);
        format.setFontPointSize(state.halfPoints / 2.0);
        format.setVerticalAlignment(state.vertical);
        const auto font = fonts_.find(state.font < 0 ? defaultFont_ : state.font);
        if (font != fonts_.end() && !font->second.isEmpty())
            format.setFontFamilies(QStringList{font->second});
        if (const auto color = TableColor(state.color))
            format.setForeground(*color);
        if (const auto color = TableColor(state.background))
            format.setBackground(*color);
        return format;
    }

    // A word processor's single line: the font's ascent, descent and line gap as designed,
    // where the layout would round each to whole pixels and leave the gap out.
    double SingleLineHeight(const CharState &state)
    {
        const int font = state.font < 0 ? defaultFont_ : state.font;
        const auto key = std::make_pair(font, state.halfPoints);
        const auto known = lineHeights_.find(key);
        if (known != lineHeights_.end())
            return known->second;
        QFont qfont;
        if (const auto name = fonts_.find(font); name != fonts_.end())
            qfont.setFamilies(QStringList{name->second});
        qfont.setPointSizeF(state.halfPoints / 2.0);
        const QRawFont raw = QRawFont::fromFont(qfont);
        const double pixels = state.halfPoints / 2.0 * kPixelsPerPoint;
        const double height = raw.isValid() && raw.pixelSize() > 0
                                  ? (raw.ascent() + raw.descent() + raw.leading()) * pixels / raw.pixelSize()
                                  : 0.0;
        lineHeights_.emplace(key, height);
        return height;
    }

    static QTextBlockFormat BlockFormat(const ParaState &state)
    {
        QTextBlockFormat format;
        format.setAlignment(state.alignment);
        format.setLeftMargin(state.left / kTwipsPerPixel);
        format.setRightMargin(state.right / kTwipsPerPixel);
        format.setTextIndent(state.first / kTwipsPerPixel);
        format.setBottomMargin(state.after / kTwipsPerPixel);
        if (state.lineSpacing < 0)
            format.setLineHeight(-state.lineSpacing / kTwipsPerPixel, QTextBlockFormat::FixedHeight);
        else if (state.lineSpacing > 0 && state.lineMultiple)
            format.setLineHeight(100.0 * state.lineSpacing / kSingleLineSpacing,
                                 QTextBlockFormat::ProportionalHeight);
        else if (state.lineSpacing > 0)
            format.setLineHeight(state.lineSpacing / kTwipsPerPixel, QTextBlockFormat::MinimumHeight);
        if (state.keepWithNext)
            format.setProperty(kKeepWithNextProperty, true);
        if (state.keepTogether)
            format.setProperty(kKeepTogetherProperty, true);
        std::vector<int> stops = state.tabs;
        // A hanging first line has a tab stop at the paragraph's indent, where a list's text
        // starts after its number.
        if (state.first < 0 && state.left > 0)
            stops.push_back(state.left);
        std::sort(stops.begin(), stops.end());
        QList<QTextOption::Tab> tabs;
        for (const int twips : stops)
            tabs.append(QTextOption::Tab(twips / kTwipsPerPixel, QTextOption::LeftTab));
        format.setTabPositions(tabs);
        return format;
    }

    // Index -1, an index beyond the table and an entry without components mean "automatic".
    std::optional<QColor> TableColor(int index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= colors_.size())
            return std::nullopt;
        return colors_[static_cast<std::size_t>(index)];
    }

    void AddFontNameByte(unsigned char byte)
    {
        if (byte == ';')
            return CommitFontName();
        if (fontName_.size() < kMaxFontNameLength)
            fontName_.append(QChar(codePage_[byte]));
    }

    void CommitFontName()
    {
        const QString name = fontName_.trimmed();
        fontName_.clear();
        if (name.isEmpty() || (fonts_.size() >= kMaxTableEntries && !fonts_.contains(fontNumber_)))
            return;
        fonts_[fontNumber_] = name;
        ++tables_;
        formatDirty_ = true;
    }

    void SetColorComponent(void (QColor::*set)(int), int value)
    {
        if (State().destination != Destination::ColorTable)
            return;
        (pendingColor_.*set)(std::clamp(value, 0, 255));
        colorGiven_ = true;
    }

    void CommitColor()
    {
        if (colors_.size() < kMaxTableEntries)
            colors_.push_back(colorGiven_ ? std::optional<QColor>(pendingColor_) : std::nullopt);
        ++tables_;
        pendingColor_ = QColor(0, 0, 0);
        colorGiven_ = false;
    }

    QTextDocument &document_;
    PageSetup &setup_;
    std::vector<Output> outputs_;
    // The first entry stands outside every group, so that the state below the outermost group
    // always exists.
    std::vector<GroupState> groups_{GroupState{}};
    int overflowDepth_ = 0;
    bool finished_ = false;
    bool optionalDestination_ = false;
    int fallbackLeft_ = 0;
    bool formatDirty_ = true;
    int tables_ = 0; // counts changes of the font and colour tables

    std::array<char16_t, 256> codePage_ = CodePageTable(1252);
    int defaultFont_ = 0;
    int defaultTab_ = kDefaultTabTwips;
    std::map<int, QString> fonts_;
    int fontNumber_ = 0;
    QString fontName_;
    std::vector<std::optional<QColor>> colors_;
    QColor pendingColor_{0, 0, 0};
    bool colorGiven_ = false;

    std::optional<int> paperWidth_, paperHeight_;
    std::array<std::optional<int>, 4> margins_;
    RowDefinition row_;
    PictureInProgress picture_;
    int pictures_ = 0;
    int footnotes_ = 0;
    QByteArray fieldInstruction_;
    std::map<std::pair<int, int>, double> lineHeights_;
    std::vector<ListDefinition> lists_;
    std::map<int, int> listOverrides_;
    int overrideListId_ = 0;
};

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
    RtfReader(document).Read(bytes);
}

void LoadReportDocument(QTextDocument &document, const QByteArray &bytes)
{
    if (LooksLikeRtf(bytes))
        return ReadRtf(document, bytes);
    const UndoSuspended noUndo(document);
    document.setPlainText(WithUnixLineBreaks(FromWindows1252(bytes)));
}

} // namespace velmaro
