#include "report/rtf/FontColorTables.h"

#include "report/rtf/Reader.h"

#include <algorithm>

namespace velmaro::rtf {
namespace {

constexpr qsizetype kMaxFontNameLength = 256;

} // namespace

void FontColorTables::SetDefaultFont(int font)
{
    defaultFont_ = font;
    ++changes_;
}

void FontColorTables::AddFontNameCharacter(QChar ch)
{
    if (fontName_.size() < kMaxFontNameLength)
        fontName_.append(ch);
}

bool FontColorTables::CommitFontName()
{
    const QString name = fontName_.trimmed();
    fontName_.clear();
    if (name.isEmpty() || (fonts_.size() >= kMaxTableEntries && !fonts_.contains(fontNumber_)))
        return false;
    fonts_[fontNumber_] = name;
    ++changes_;
    return true;
}

void FontColorTables::SetColorComponent(void (QColor::*set)(int), int value)
{
    (pendingColor_.*set)(std::clamp(value, 0, 255));
    colorGiven_ = true;
}

void FontColorTables::CommitColor()
{
    if (colors_.size() < kMaxTableEntries)
        colors_.push_back(colorGiven_ ? std::optional<QColor>(pendingColor_) : std::nullopt);
    ++changes_;
    pendingColor_ = QColor(0, 0, 0);
    colorGiven_ = false;
}

QString FontColorTables::FontFamily(int font) const
{
    const auto found = fonts_.find(Font(font));
    return found == fonts_.end() ? QString() : found->second;
}

std::optional<QColor> FontColorTables::Color(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= colors_.size())
        return std::nullopt;
    return colors_[static_cast<std::size_t>(index)];
}

// The reader's bytes in the font and colour tables.

void Reader::AddFontNameByte(unsigned char byte)
{
    if (byte == ';')
        return CommitFontName();
    tables_.AddFontNameCharacter(QChar(codePage_[byte]));
}

void Reader::CommitFontName()
{
    if (tables_.CommitFontName())
        formatDirty_ = true;
}

void Reader::SetColorComponent(void (QColor::*set)(int), int value)
{
    if (State().destination == Destination::ColorTable)
        tables_.SetColorComponent(set, value);
}

} // namespace velmaro::rtf
