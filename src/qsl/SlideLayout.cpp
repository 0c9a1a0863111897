#include "qsl/SlideLayout.h"

#include "qsl/CardImage.h"

#include <cmath>

QRect SlideLayout::imageRect(QSize picture) const {
    const QSize shown = CardImage::fitted(picture, box());
    const int left = int(std::lround((screen.width() - shown.width()) / 2.0));
    const int top = topBand + int(std::lround((availableHeight() - shown.height()) / 2.0)) + 5;
    return {QPoint(left, top), shown};
}

QRect SlideLayout::infoRect(const QRect& image, int infoWidth) const {
    const int left = int(std::lround((screen.width() - infoWidth) / 2.0));
    return {left, image.bottom() + 1 + 10, infoWidth, infoHeight};
}
