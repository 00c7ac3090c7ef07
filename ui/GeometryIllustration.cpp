#include "ui/GeometryIllustration.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace velmaro {

QPixmap GeometryIllustration()
{
    QSvgRenderer drawing(QStringLiteral(":/ui/GeometryIllustration.svg"));
    QPixmap picture(drawing.defaultSize());
    picture.fill(Qt::white);
    QPainter painter(&picture);
    drawing.render(&painter);
    return picture;
}

} // namespace velmaro
