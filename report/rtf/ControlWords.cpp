#include "report/rtf/ControlWords.h"

#include "report/PageSetup.h"
#include "report/rtf/Reader.h"

#include <algorithm>
#include <array>

namespace velmaro::rtf {
namespace {

constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 1000;
constexpr std::size_t kMaxTabStops = 64;
constexpr int kMaxUnicodeSkip = 16;

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

} // namespace

const WordEntry *FindWord(QByteArrayView name)
{
    const std::string_view key(name.data(), static_cast<std::size_t>(name.size()));
    const auto found = std::find_if(kWords.begin(), kWords.end(),
                                    [key](const WordEntry &entry) { return entry.name == key; });
    return found == kWords.end() ? nullptr : &*found;
}

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


void Reader::HandleWord(const Token &token)
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

// Words of the document and of its tables act wherever they stand; the others only in text
// that shows.
void Reader::ApplyWord(const WordEntry &entry, const Token &token)
{
    const int value = token.parameter;
    switch (entry.word) {
    case Word::DefaultFont: tables_.SetDefaultFont(value); break;
    case Word::DefaultTab: defaultTab_ = value > 0 ? ClampTwips(value, 1) : kDefaultTabTwips; break;
    case Word::CodePage: SetCodePage(value); break;
    case Word::PaperWidth: page_.paperWidth = ClampTwips(value, 1); break;
    case Word::PaperHeight: page_.paperHeight = ClampTwips(value, 1); break;
    case Word::MarginLeft: page_.margins[kLeft] = ClampTwips(value, 0); break;
    case Word::MarginRight: page_.margins[kRight] = ClampTwips(value, 0); break;
    case Word::MarginTop: page_.margins[kTop] = ClampTwips(value, 0); break;
    case Word::MarginBottom: page_.margins[kBottom] = ClampTwips(value, 0); break;
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
            tables_.StartFont(value);
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
            picture_.ApplyWord(entry.word, value, entry.value);
        break;
    default:
        if (ShowsText(State().destination))
            ApplyTextWord(entry, token);
    }
}

void Reader::ApplyTextWord(const WordEntry &entry, const Token &token)
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
    case Word::CellRight: row_.AddCell(ClampTwips(value, -kTwipsLimit)); break;
    case Word::Cell: EndCell(); break;
    case Word::Row: EndRow(); break;
    case Word::RowLeft: row_.SetLeft(ClampTwips(value, -kTwipsLimit)); break;
    case Word::RowGap: row_.SetGap(ClampTwips(value, 0)); break;
    case Word::RowAlign: row_.SetAlignment(static_cast<Qt::Alignment>(entry.value)); break;
    case Word::CellBorder: row_.DescribeBorder(static_cast<Side>(entry.value)); break;
    case Word::CellPadding:
        row_.SetPadding(static_cast<Side>(entry.value), ClampTwips(value, 0));
        break;
    case Word::BorderWidth: row_.SetBorderWidth(ClampTwips(value, 0)); break;
    case Word::BorderColor: row_.SetBorderColor(value); break;
    case Word::BorderNone: row_.SetBorderWidth(0); break;
    default: break;
    }
}

} // namespace velmaro::rtf
