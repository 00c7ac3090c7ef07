#include "report/rtf/Lists.h"

#include "report/rtf/Reader.h"

#include <algorithm>
#include <utility>

namespace velmaro::rtf {

void ListTables::ApplyListTableWord(Word word, int value)
{
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
}

void ListTables::ApplyOverrideTableWord(Word word, int value)
{
    if (word == Word::ListId)
        overrideListId_ = value;
    else if (word == Word::ListOverride && overrides_.size() < kMaxTableEntries)
        overrides_[value] = overrideListId_;
}

int ListTables::Follow(int list, int level) const
{
    const auto override = overrides_.find(list);
    if (list == 0 || override == overrides_.end())
        return 0;
    const auto found = std::find_if(lists_.begin(), lists_.end(), [&](const ListDefinition &l) {
        return l.id == override->second;
    });
    if (found == lists_.end() || static_cast<std::size_t>(level) >= found->follows.size())
        return 0;
    return found->follows[static_cast<std::size_t>(level)];
}

// The list words as the reader meets them: in the tables, or \lsN on a paragraph.
void Reader::ApplyListWord(Word word, int value)
{
    const Destination destination = State().destination;
    if (destination == Destination::ListTable)
        lists_.ApplyListTableWord(word, value);
    else if (destination == Destination::ListOverrideTable)
        lists_.ApplyOverrideTableWord(word, value);
    else if (ShowsText(destination) && word == Word::ListOverride)
        State().paragraph.list = value;
}

// The tab after a list number is dropped or made a blank when its paragraph ends, once
// the paragraph's list is known.
void Reader::AppendTab()
{
    if (State().destination == Destination::ListText && !State().character.hidden) {
        BeginContent();
        FlushText();
        Out().listTab = Out().cursor.position();
    }
    AppendCharacter(u'\t');
}

void Reader::DropListTab(Output &out, const ParaState &para)
{
    const int position = std::exchange(out.listTab, -1);
    const int follow = lists_.Follow(para.list, para.listLevel);
    if (position < 0 || follow == 0)
        return;
    FlushText(out);
    QTextCursor tab(out.cursor);
    tab.setPosition(position);
    tab.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    if (tab.selectedText() == QStringLiteral("\t"))
        tab.insertText(follow == 1 ? QStringLiteral(" ") : QString());
}

} // namespace velmaro::rtf
