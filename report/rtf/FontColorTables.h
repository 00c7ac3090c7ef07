#pragma once

// The font and colour tables a document declares before its text; character properties name
// their entries by number.

#include <QColor>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace velmaro::rtf {

class FontColorTables {
public:
    void SetDefaultFont(int font);
    // \fN inside the font table: the entry whose name follows.
    void StartFont(int font) { fontNumber_ = font; }
    void AddFontNameCharacter(QChar ch);
    // Whether the name read since the last one was stored.
    bool CommitFontName();

    void SetColorComponent(void (QColor::*set)(int), int value);
    void CommitColor();

    // The font a character's \fN names, -1 standing for the document's default.
    int Font(int font) const { return font < 0 ? defaultFont_ : font; }
    // Empty for a font the table does not name.
    QString FontFamily(int font) const;
    // Index -1, an index beyond the table and an entry without components mean "automatic".
    std::optional<QColor> Color(int index) const;
    // Counts changes of the tables: a format made before a change may no longer hold.
    int Changes() const { return changes_; }

private:
    int defaultFont_ = 0;
    std::map<int, QString> fonts_;
    int fontNumber_ = 0;
    QString fontName_;
    std::vector<std::optional<QColor>> colors_;
    QColor pendingColor_{0, 0, 0};
    bool colorGiven_ = false;
    int changes_ = 0;
};

} // namespace velmaro::rtf
