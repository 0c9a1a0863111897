#include "qsl/CardImage.h"

#include "platform/ProgramTexts.h"

#include <QImageReader>

#include <algorithm>
#include <cmath>

QSize CardImage::fitted(QSize image, QSize box) {
    if (image.isEmpty() || box.isEmpty())
        return image.isEmpty() ? QSize() : QSize(1, 1);
    const double scale = std::min({1.0, double(box.width()) / image.width(), double(box.height()) / image.height()});
    return {std::max(1, int(std::lround(image.width() * scale))), std::max(1, int(std::lround(image.height() * scale)))};
}

CardImage::Loaded CardImage::load(const QString& file, QSize box) {
    QImageReader reader(file);
    // A reader that cannot tell the size before decoding reads it whole.
    const QSize full = reader.size();
    const QSize shown = fitted(full, box);
    if (shown.isValid() && shown != full)
        reader.setScaledSize(shown);
    // From this quality on Qt's JPEG reader scales smoothly, not by dropping pixels.
    reader.setQuality(75);
    QImage image = reader.read();
    if (image.isNull())
        return {QImage(), msgText(Msg::CardUnreadable).arg(file, reader.errorString())};
    // A reader that ignored the scaled size leaves the rest to be done here.
    const QSize wanted = fitted(image.size(), box);
    if (wanted != image.size())
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return {image, QString()};
}
