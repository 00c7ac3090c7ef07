#include "ui/ApplicationLook.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace velmaro {

void ApplyApplicationLook()
{
    if (QStyle *classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(classic);
        // Its own colours: the button face and the bevels' light and shadow lines.
        QApplication::setPalette(classic->standardPalette());
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

} // namespace velmaro
