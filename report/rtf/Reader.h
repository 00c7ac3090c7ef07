#pragma once

// The reader behind ReadRtf: a stack of group states over the tokens, each group's text going
// to the body or to a header or footer through a cursor of its own. Its members are defined
// by concern in the files of report/rtf/ named above each group of them.

#include "report/PageSetup.h"
#include "report/rtf/ControlWords.h"
#include "report/rtf/FontColorTables.h"
#include "report/rtf/Formats.h"
#include "report/rtf/Lists.h"
#include "report/rtf/PageLayout.h"
#include "report/rtf/Pictures.h"
#include "report/rtf/ReaderState.h"
#include "report/rtf/TableRows.h"
#include "report/rtf/Tokenizer.h"

#include <QByteArray>
#include <QColor>

#include <array>
#include <vector>

class QTextDocument;

namespace velmaro::rtf {

class Reader {
public:
    explicit Reader(QTextDocument &document);
    void Read(const QByteArray &bytes);

private:
    GroupState &State() { return groups_.back(); }
    Output &Out() { return outputs_[State().output]; }
    Output &Body() { return outputs_.front(); }

    // Reader.cpp: tokens, groups, the bytes of each destination, the end of the document
    void Handle(const Token &token);
    bool SkipFallback();
    void OpenGroup();
    void CloseGroup();
    void HandleText(QByteArrayView text);
    void HandleByte(unsigned char byte);
    void HandleBinary(QByteArrayView bytes);
    void HandleSymbol(char symbol, bool atGroupStart);
    void HandleCharacter(char16_t ch);
    void SetCodePage(int codePage);
    void Finish();

    // ControlWords.cpp: what each control word does
    void HandleWord(const Token &token);
    void ApplyWord(const WordEntry &entry, const Token &token);
    void ApplyTextWord(const WordEntry &entry, const Token &token);
    template <class T, class V>
    void SetChar(T CharState::*member, V value)
    {
        State().character.*member = static_cast<T>(value);
        formatDirty_ = true;
    }

    // Paragraphs.cpp: characters into runs of one format, paragraphs opened and broken
    void AppendUnicode(int value);
    void AppendText(const QString &text);
    void AppendCharacter(char16_t ch);
    void FlushText() { FlushText(Out()); }
    static void FlushText(Output &out);
    void BeginContent();
    void EndParagraph();
    void BreakPage();
    void EndLastParagraph(Output &out);

    // LikeParagraphs.cpp: a paragraph's formats at its end, shared by a run of like paragraphs
    void CloseBlock() { CloseBlock(Out()); }
    void CloseBlock(Output &out);
    static void JoinLikeParagraph(Output &out, const ParagraphLook &look, qsizetype openedAt);
    void ApplyBlockFormats(Output &out, const ParagraphLook &look);
    static void ForgetBlockFormats(Output &out);

    // FontColorTables.cpp
    void AddFontNameByte(unsigned char byte);
    void CommitFontName();
    void SetColorComponent(void (QColor::*set)(int), int value);

    // Lists.cpp: list words and the tab after a list number
    void ApplyListWord(Word word, int value);
    void AppendTab();
    void DropListTab(Output &out, const ParaState &para);

    // TableRows.cpp: the cursor through a table's cells
    void FollowTable();
    void StartTable(Output &out);
    void LeaveTable(Output &out);
    void MoveToCell(Output &out);
    static void DropRowsMadeAhead(TableInProgress &t);
    void EndCell();
    void EndRow();

    // Pictures.cpp
    void InsertPicture();

    // PageLayout.cpp: headers, footers and page fields
    void EnterHeaderFooter(HeaderFooterKind kind);
    void AddFieldInstructionByte(unsigned char byte);
    void EnterFieldResult();

    QTextDocument &document_;
    PageSetup &setup_;
    std::vector<Output> outputs_;
    // The output of each kind of header and footer, 0 until its first group.
    std::array<std::size_t, static_cast<std::size_t>(HeaderFooterKind::Count)> partOutputs_{};
    // The first entry stands outside every group, so that the state below the outermost group
    // always exists.
    std::vector<GroupState> groups_{GroupState{}};
    int overflowDepth_ = 0;
    bool finished_ = false;
    bool optionalDestination_ = false;
    bool atGroupStart_ = false; // nothing but line breaks read since the group opened
    int fallbackLeft_ = 0;
    bool formatDirty_ = true;

    std::array<char16_t, 256> codePage_;
    int defaultTab_ = kDefaultTabTwips;
    FontColorTables tables_;
    Formats formats_{tables_};
    ListTables lists_;
    PageGeometry page_;
    RowDefinition row_;
    int tableCells_ = 0; // opened in the whole document
    PictureInProgress picture_;
    int pictures_ = 0;
    qint64 picturePixelsLeft_ = kMaxDocumentPicturePixels;
    int footnotes_ = 0;
    QByteArray fieldInstruction_;
};

} // namespace velmaro::rtf
