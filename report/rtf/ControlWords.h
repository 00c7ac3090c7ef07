#pragma once

// The control words and symbols the RTF reader knows, by name. What each one does is
// Reader::ApplyWord, beside the table in ControlWords.cpp.

#include <QByteArrayView>

#include <string_view>

namespace velmaro::rtf {

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

// nullptr for a word the reader does not know.
const WordEntry *FindWord(QByteArrayView name);

// The destinations behind "\*" that this reader knows; any other is skipped whole.
bool IsKnownOptionalDestination(Word word);

// The characters an escaped symbol stands for; 0 for symbols that show nothing.
char16_t SymbolCharacter(char symbol);

} // namespace velmaro::rtf
