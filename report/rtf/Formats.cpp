#include "report/rtf/Formats.h"

#include "report/PageSetup.h"
#include "report/rtf/FontColorTables.h"

#include <QFont>
#include <QRawFont>
#include <QTextOption>

#include <algorithm>
#include <iterator>
#include <vector>

namespace velmaro::rtf {
namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr int kSingleLineSpacing = 240; // \slN with \slmult1: N / 240 lines

} // namespace

FontBudget::Font FontBudget::Shown(Font asked, int defaultFont)
{
    if (const auto known = answers_.find(asked); known != answers_.end())
        return known->second;
    Font shown = asked;
    if (shown_.size() >= kMaxFonts && !shown_.contains(asked))
        shown = NearestSize(asked.first, asked.second)
                    .value_or(NearestSize(defaultFont, asked.second)
                                  .value_or(Font{defaultFont, asked.second}));
    shown_.insert(shown);
    answers_.emplace(asked, shown);
    return shown;
}

std::optional<FontBudget::Font> FontBudget::NearestSize(int font, int halfPoints) const
{
    const auto above = shown_.lower_bound({font, halfPoints});
    const bool hasAbove = above != shown_.end() && above->first == font;
    const bool hasBelow = above != shown_.begin() && std::prev(above)->first == font;
    if (hasAbove && (!hasBelow || above->second - halfPoints <= halfPoints - std::prev(above)->second))
        return *above;
    if (hasBelow)
        return *std::prev(above);
    return std::nullopt;
}

FontBudget::Font Formats::ShownFont(const CharState &state)
{
    return fonts_.Shown({tables_.Font(state.font), state.halfPoints}, tables_.Font(-1));
}

QTextCharFormat Formats::CharFormat(const CharState &state)
{
    const auto [font, halfPoints] = ShownFont(state);
    QTextCharFormat format;
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strike);
    format.setFontPointSize(halfPoints / 2.0);
    format.setVerticalAlignment(state.vertical);
    if (const QString family = tables_.FontFamily(font); !family.isEmpty())
        format.setFontFamilies(QStringList{family});
    if (const auto color = tables_.Color(state.color))
        format.setForeground(*color);
    if (const auto color = tables_.Color(state.background))
        format.setBackground(*color);
    return format;
}

// The font's ascent, descent and line gap as designed, where the layout would round each to
// whole pixels and leave the gap out.
double Formats::SingleLineHeight(const CharState &state)
{
    const FontBudget::Font key = ShownFont(state);
    const auto known = lineHeights_.find(key);
    if (known != lineHeights_.end())
        return known->second;
    const auto [font, halfPoints] = key;
    QFont qfont;
    if (const QString family = tables_.FontFamily(font); !family.isEmpty())
        qfont.setFamilies(QStringList{family});
    qfont.setPointSizeF(halfPoints / 2.0);
    const QRawFont raw = QRawFont::fromFont(qfont);
    const double pixels = halfPoints / 2.0 * kPixelsPerPoint;
    const double height = raw.isValid() && raw.pixelSize() > 0
                              ? (raw.ascent() + raw.descent() + raw.leading()) * pixels / raw.pixelSize()
                              : 0.0;
    lineHeights_.emplace(key, height);
    return height;
}

QTextBlockFormat Formats::ParagraphFormat(const ParagraphLook &look)
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
    return format;
}

QTextBlockFormat Formats::BlockFormat(const ParaState &state)
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

} // namespace velmaro::rtf
