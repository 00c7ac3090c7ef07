#include "ApplicationFont.h"

namespace velmaro {

QFont ApplicationFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace velmaro
