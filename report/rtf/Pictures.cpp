#include "report/rtf/Pictures.h"

#include "report/rtf/Reader.h"
#include "report/rtf/Tokenizer.h"

#include <QBuffer>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace velmaro::rtf {
namespace {

constexpr qsizetype kMaxPictureBytes = 16 * 1024 * 1024;

} // namespace

void PictureInProgress::ApplyWord(Word word, int value, int kind)
{
    const int size = std::clamp(value, 0, kTwipsLimit);
    switch (word) {
    case Word::PictureFormat: kind_ = kind; break;
    case Word::PictureGoalWidth: goalWidth_ = size; break;
    case Word::PictureGoalHeight: goalHeight_ = size; break;
    case Word::PictureScaleX: scaleX_ = std::clamp(value, 1, 1000); break;
    case Word::PictureScaleY: scaleY_ = std::clamp(value, 1, 1000); break;
    default: break; // \picw and \pich: the data gives the image's own size
    }
}

void PictureInProgress::AddHexDigit(char c)
{
    const int digit = HexDigit(c);
    if (digit < 0 || bytes_.size() >= kMaxPictureBytes)
        return;
    if (highNibble_ < 0) {
        highNibble_ = digit;
        return;
    }
    bytes_.append(static_cast<char>(highNibble_ * 16 + digit));
    highNibble_ = -1;
}

void PictureInProgress::AddBytes(QByteArrayView bytes)
{
    bytes_.append(bytes.first(std::min(bytes.size(), kMaxPictureBytes - bytes_.size())));
}

std::optional<QImage> PictureInProgress::Decode(qint64 &pixelsLeft) const
{
    if (kind_ == kUnsupportedPicture)
        return std::nullopt;
    QBuffer data;
    data.setData(bytes_);
    QImageReader reader(&data, kind_ == kPng ? "PNG" : "JPEG");
    const QSize size = reader.size(); // from the data's header, before any pixel is decoded
    const qint64 pixels = qint64{size.width()} * size.height();
    if (size.isEmpty() || pixels > pixelsLeft)
        return std::nullopt;
    QImage image;
    if (!reader.read(&image))
        return std::nullopt;
    pixelsLeft -= pixels;
    return image;
}

QSizeF PictureInProgress::ShownSize(QSize imageSize) const
{
    const QSizeF natural = goalWidth_ > 0 && goalHeight_ > 0
                               ? QSizeF(goalWidth_, goalHeight_) / kTwipsPerPixel
                               : QSizeF(imageSize);
    return {natural.width() * scaleX_ / 100.0, natural.height() * scaleY_ / 100.0};
}

// A picture closed in shown text goes in at the cursor, as an image the document holds.
void Reader::InsertPicture()
{
    const PictureInProgress picture = std::exchange(picture_, PictureInProgress{});
    if (!ShowsText(State().destination))
        return;
    const std::optional<QImage> image = picture.Decode(picturePixelsLeft_);
    if (!image)
        return;
    // The document the picture goes into holds it: a header or footer is a document of its own.
    const QString name = QStringLiteral("velmaro-picture:%1").arg(++pictures_);
    Out().cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), *image);
    const QSizeF size = picture.ShownSize(image->size());
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    BeginContent();
    FlushText();
    Out().cursor.insertImage(format);
    Out().hasPicture = true;
}

} // namespace velmaro::rtf
