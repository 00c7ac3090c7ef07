#pragma once

// The list table and the list override table, read for one thing: what follows the number of
// a list paragraph (its \listtext), a tab, a blank or nothing.

#include "report/rtf/ControlWords.h"

#include <map>
#include <vector>

namespace velmaro::rtf {

class ListTables {
public:
    void ApplyListTableWord(Word word, int value);
    void ApplyOverrideTableWord(Word word, int value);
    // What follows the number of list \lsN at level \ilvlN: 0 a tab, 1 a blank, 2 nothing.
    int Follow(int list, int level) const;

private:
    struct ListDefinition {
        int id = 0;
        std::vector<int> follows; // per level
    };

    std::vector<ListDefinition> lists_;
    std::map<int, int> overrides_; // \ls number to \listid
    int overrideListId_ = 0;
};

} // namespace velmaro::rtf
