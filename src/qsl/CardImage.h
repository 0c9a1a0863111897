#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Cards are scanned at 4000 x 3000 pixels and more but shown at screen size,
// so they are decoded for the size they are shown at: Qt's JPEG reader lets
// libjpeg decode at 1/2, 1/4 or 1/8 of the size, which is what makes a card
// appear without a pause.
namespace CardImage {

// The largest size with image's aspect ratio that fits into box; a picture
// smaller than box keeps its size. Never empty for a non-empty image.
QSize fitted(QSize image, QSize box);

struct Loaded {
    QImage image;  // null when the card cannot be read
    QString error; // then the message that names the file and the reason
};

// Reads file at the size fitted(its size, box), smoothly scaled.
// Safe to call from a worker thread.
Loaded load(const QString& file, QSize box);

} // namespace CardImage
