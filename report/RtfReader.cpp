#include "RtfReader.h"

#include "RtfTokenizer.h"
#include "Windows1252.h"

#include <QColor>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace velmaro {
namespace {

constexpr int kMaxGroupDepth = 256;
constexpr std::size_t kMaxTableEntries = 4096; // fonts and colours
constexpr qsizetype kMaxFontNameLength = 256;
constexpr int kTwipsLimit = 31680;             // 22 inches
constexpr double kTwipsPerPixel = 15.0;        // 1440 twips an inch, 96 pixels an inch
constexpr int kDefaultHalfPoints = 24;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 1000;
constexpr int kDefaultTabTwips = 720;
constexpr std::size_t kMaxTabStops = 64;
constexpr int kMaxUnicodeSkip = 16;

enum class Destination { Text, FontTable, ColorTable, Skipped };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = kDefaultHalfPoints;
    int font = -1; // the document's default font
    int color = -1;
    int background = -1;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    std::vector<int> tabs;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState character;
    ParaState paragraph;
    int unicodeSkip = 1;
};

enum class Word {
    // document
    DefaultFont, DefaultTab,
    // destinations
    FontTable, ColorTable, SkippedDestination,
    // character
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Font, Color, Background,
    Superscript, Subscript, NoSuperSub,
    // paragraph
    ParagraphDefault, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent,
    FirstIndent, SpaceBefore, SpaceAfter, TabStop,
    // text
    Paragraph, Line, Tab, Unicode, UnicodeSkip, Character,
    // colour table
    Red, Green, Blue,
};

struct WordEntry {
    std::string_view name;
    Word word;
    char16_t character = 0; // for Word::Character
};

constexpr std::array kWords = {
    WordEntry{"deff", Word::DefaultFont},        WordEntry{"deftab", Word::DefaultTab},
    WordEntry{"fonttbl", Word::FontTable},       WordEntry{"colortbl", Word::ColorTable},
    WordEntry{"info", Word::SkippedDestination}, WordEntry{"stylesheet", Word::SkippedDestination},
    WordEntry{"pict", Word::SkippedDestination}, WordEntry{"object", Word::SkippedDestination},
    WordEntry{"header", Word::SkippedDestination}, WordEntry{"headerl", Word::SkippedDestination},
    WordEntry{"headerr", Word::SkippedDestination}, WordEntry{"headerf", Word::SkippedDestination},
    WordEntry{"footer", Word::SkippedDestination}, WordEntry{"footerl", Word::SkippedDestination},
    WordEntry{"footerr", Word::SkippedDestination}, WordEntry{"footerf", Word::SkippedDestination},
    WordEntry{"footnote", Word::SkippedDestination}, WordEntry{"fldinst", Word::SkippedDestination},
    WordEntry{"filetbl", Word::SkippedDestination}, WordEntry{"revtbl", Word::SkippedDestination},
    WordEntry{"listtable", Word::SkippedDestination},
    WordEntry{"listoverridetable", Word::SkippedDestination},
    WordEntry{"xe", Word::SkippedDestination},   WordEntry{"tc", Word::SkippedDestination},
    WordEntry{"plain", Word::Plain},             WordEntry{"b", Word::Bold},
    WordEntry{"i", Word::Italic},                WordEntry{"ul", Word::Underline},
    WordEntry{"uld", Word::Underline},           WordEntry{"uldb", Word::Underline},
    WordEntry{"ulw", Word::Underline},           WordEntry{"ulnone", Word::UnderlineNone},
    WordEntry{"strike", Word::Strike},           WordEntry{"fs", Word::FontSize},
    WordEntry{"f", Word::Font},                  WordEntry{"cf", Word::Color},
    WordEntry{"highlight", Word::Background},    WordEntry{"cb", Word::Background},
    WordEntry{"super", Word::Superscript},       WordEntry{"sub", Word::Subscript},
    WordEntry{"nosupersub", Word::NoSuperSub},   WordEntry{"pard", Word::ParagraphDefault},
    WordEntry{"ql", Word::AlignLeft},            WordEntry{"qc", Word::AlignCenter},
    WordEntry{"qr", Word::AlignRight},           WordEntry{"qj", Word::AlignJustify},
    WordEntry{"li", Word::LeftIndent},           WordEntry{"ri", Word::RightIndent},
    WordEntry{"fi", Word::FirstIndent},          WordEntry{"sb", Word::SpaceBefore},
    WordEntry{"sa", Word::SpaceAfter},           WordEntry{"tx", Word::TabStop},
    WordEntry{"par", Word::Paragraph},           WordEntry{"sect", Word::Paragraph},
    WordEntry{"page", Word::Paragraph},          WordEntry{"row", Word::Paragraph},
    WordEntry{"line", Word::Line},               WordEntry{"tab", Word::Tab},
    WordEntry{"cell", Word::Tab},                WordEntry{"u", Word::Unicode},
    WordEntry{"uc", Word::UnicodeSkip},          WordEntry{"red", Word::Red},
    WordEntry{"green", Word::Green},             WordEntry{"blue", Word::Blue},
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

class RtfReader {
public:
    explicit RtfReader(QTextDocument &document) : document_(document), cursor_(&document) {}

    void Read(QByteArrayView bytes)
    {
        cursor_.beginEditBlock();
        RtfTokenizer tokenizer(bytes);
        for (RtfToken token = tokenizer.Next(); token.kind != RtfToken::Kind::End && !finished_;
             token = tokenizer.Next())
            Handle(token);
        Finish();
    }

private:
    GroupState &State() { return groups_.back(); }

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
        if (State().destination == Destination::FontTable)
            CommitFontName();
        // A "}" with no group open, or the outermost group closed: the document is complete,
        // and its last paragraph takes the properties in force inside that group.
        if (groups_.size() <= 2) {
            CloseBlock();
            finished_ = true;
        }
        if (groups_.size() > 1)
            groups_.pop_back();
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
        case Destination::Text: return AppendCharacter(Windows1252ToChar(byte).unicode());
        case Destination::FontTable: return AddFontNameByte(byte);
        case Destination::ColorTable:
            if (byte == ';')
                CommitColor();
            return;
        case Destination::Skipped: return;
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
            if (State().destination == Destination::Text)
                EndParagraph();
            return;
        }
        if (const char16_t ch = SymbolCharacter(symbol))
            HandleCharacter(ch);
    }

    // A character from an escape: text in the body, part of a name in the font table.
    void HandleCharacter(char16_t ch)
    {
        if (State().destination == Destination::Text)
            AppendCharacter(ch);
        else if (State().destination == Destination::FontTable && ch < 0x100)
            AddFontNameByte(static_cast<unsigned char>(ch));
    }

    void HandleWord(const RtfToken &token)
    {
        const WordEntry *entry = FindWord(token.text);
        if (optionalDestination_ && (!entry || (entry->word != Word::FontTable &&
                                                entry->word != Word::ColorTable))) {
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
        const bool on = !token.hasParameter || value != 0;
        switch (entry.word) {
        case Word::DefaultFont: defaultFont_ = value; break;
        case Word::DefaultTab: defaultTab_ = value > 0 ? ClampTwips(value, 1) : kDefaultTabTwips; break;
        case Word::FontTable: State().destination = Destination::FontTable; break;
        case Word::ColorTable: State().destination = Destination::ColorTable; break;
        case Word::SkippedDestination: State().destination = Destination::Skipped; break;
        case Word::Font:
            if (State().destination == Destination::FontTable)
                fontNumber_ = value;
            else
                SetChar(&CharState::font, value);
            break;
        case Word::Red: SetColorComponent(&QColor::setRed, value); break;
        case Word::Green: SetColorComponent(&QColor::setGreen, value); break;
        case Word::Blue: SetColorComponent(&QColor::setBlue, value); break;
        default:
            if (State().destination == Destination::Text)
                ApplyTextWord(entry, token, on);
        }
    }

    void ApplyTextWord(const WordEntry &entry, const RtfToken &token, bool on)
    {
        const int value = token.parameter;
        ParaState &para = State().paragraph;
        switch (entry.word) {
        case Word::Plain: State().character = CharState{}; formatDirty_ = true; break;
        case Word::Bold: SetChar(&CharState::bold, on); break;
        case Word::Italic: SetChar(&CharState::italic, on); break;
        case Word::Underline: SetChar(&CharState::underline, on); break;
        case Word::UnderlineNone: SetChar(&CharState::underline, false); break;
        case Word::Strike: SetChar(&CharState::strike, on); break;
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
        case Word::TabStop:
            if (para.tabs.size() < kMaxTabStops)
                para.tabs.push_back(ClampTwips(value, 0));
            break;
        case Word::Paragraph: EndParagraph(); break;
        case Word::Line: AppendCharacter(QChar::LineSeparator); break;
        case Word::Tab: AppendCharacter(u'\t'); break;
        case Word::Character: AppendCharacter(entry.character); break;
        case Word::Unicode: AppendUnicode(value); break;
        case Word::UnicodeSkip: State().unicodeSkip = std::clamp(value, 0, kMaxUnicodeSkip); break;
        default: break;
        }
    }

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

    void AppendCharacter(char16_t ch)
    {
        if (!IsShownCharacter(ch))
            return;
        if (formatDirty_) {
            FlushText();
            pendingFormat_ = CharFormat(State().character);
            formatDirty_ = false;
        }
        pendingText_.append(QChar(ch));
    }

    void FlushText()
    {
        if (pendingText_.isEmpty())
            return;
        cursor_.insertText(pendingText_, pendingFormat_);
        pendingText_.clear();
    }

    void EndParagraph()
    {
        CloseBlock();
        cursor_.insertBlock();
    }

    // Paragraph properties in force at its end apply to the whole paragraph.
    void CloseBlock()
    {
        FlushText();
        cursor_.setBlockFormat(BlockFormat(State().paragraph));
        cursor_.setBlockCharFormat(CharFormat(State().character));
    }

    void Finish()
    {
        if (!finished_) // truncated: the state at the point where the bytes ran out
            CloseBlock();
        cursor_.endEditBlock();
        QTextOption option = document_.defaultTextOption();
        option.setTabStopDistance(defaultTab_ / kTwipsPerPixel);
        document_.setDefaultTextOption(option);
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

    static QTextBlockFormat BlockFormat(const ParaState &state)
    {
        QTextBlockFormat format;
        format.setAlignment(state.alignment);
        format.setLeftMargin(state.left / kTwipsPerPixel);
        format.setRightMargin(state.right / kTwipsPerPixel);
        format.setTextIndent(state.first / kTwipsPerPixel);
        format.setTopMargin(state.before / kTwipsPerPixel);
        format.setBottomMargin(state.after / kTwipsPerPixel);
        QList<QTextOption::Tab> tabs;
        for (const int twips : state.tabs)
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
            fontName_.append(Windows1252ToChar(byte));
    }

    void CommitFontName()
    {
        const QString name = fontName_.trimmed();
        fontName_.clear();
        if (name.isEmpty() || (fonts_.size() >= kMaxTableEntries && !fonts_.contains(fontNumber_)))
            return;
        fonts_[fontNumber_] = name;
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
        pendingColor_ = QColor(0, 0, 0);
        colorGiven_ = false;
    }

    QTextDocument &document_;
    QTextCursor cursor_;
    // The first entry stands outside every group, so that the state below the outermost group
    // always exists.
    std::vector<GroupState> groups_{GroupState{}};
    int overflowDepth_ = 0;
    bool finished_ = false;
    bool optionalDestination_ = false;
    int fallbackLeft_ = 0;

    int defaultFont_ = 0;
    int defaultTab_ = kDefaultTabTwips;
    std::map<int, QString> fonts_;
    int fontNumber_ = 0;
    QString fontName_;
    std::vector<std::optional<QColor>> colors_;
    QColor pendingColor_{0, 0, 0};
    bool colorGiven_ = false;

    QString pendingText_;
    QTextCharFormat pendingFormat_;
    bool formatDirty_ = true;
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

void ReadRtf(QTextDocument &document, QByteArrayView bytes)
{
    const UndoSuspended noUndo(document);
    document.clear();
    RtfReader(document).Read(bytes);
}

void LoadReportDocument(QTextDocument &document, QByteArrayView bytes)
{
    if (LooksLikeRtf(bytes))
        return ReadRtf(document, bytes);
    const UndoSuspended noUndo(document);
    document.setPlainText(WithUnixLineBreaks(FromWindows1252(bytes)));
}

} // namespace velmaro
