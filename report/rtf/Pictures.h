#pragma once

// A \pict group being read: its kind, the size the document asks for, and its data from
// hexadecimal digits or \binN. PNG and JPEG pictures are shown; other kinds are not.

#include "report/rtf/ControlWords.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <optional>

namespace velmaro::rtf {

enum PictureKind { kUnsupportedPicture, kPng, kJpeg };

// The pixels of all the pictures of a document: a few kilobytes of compressed data can stand for
// hundreds of megabytes of pixels, each taking time to decode, lay out and print. Some 32
// million is four photographs of a good camera, far more than a report's logo needs.
inline constexpr qint64 kMaxDocumentPicturePixels = 32'000'000;

class PictureInProgress {
public:
    // The picture words; kind is the entry's value of \pngblip and \jpegblip.
    void ApplyWord(Word word, int value, int kind);
    void AddHexDigit(char c);
    void AddBytes(QByteArrayView bytes);
    // Nothing for a kind not shown, data that does not decode, or a picture of more pixels
    // than pixelsLeft, which a picture decoded takes from.
    std::optional<QImage> Decode(qint64 &pixelsLeft) const;
    // In pixels, for the decoded image of the given size.
    QSizeF ShownSize(QSize imageSize) const;

private:
    int kind_ = kUnsupportedPicture;
    QByteArray bytes_;
    int highNibble_ = -1;
    int goalWidth_ = 0, goalHeight_ = 0; // twips, 0 for the image's own size
    int scaleX_ = 100, scaleY_ = 100;
};

} // namespace velmaro::rtf
