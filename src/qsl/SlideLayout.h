#pragma once

#include <QRect>
#include <QSize>

// Where the slide show puts a card on its full-screen window: between the
// top and bottom bands, with room for the card text below it.
struct SlideLayout {
    QSize screen;
    int topBand = 0;
    int bottomBand = 0;
    int infoHeight = 0; // height of the card text

    // The height a card may take: what the bands and the text leave, less 20.
    int availableHeight() const { return screen.height() - topBand - bottomBand - infoHeight - 20; }
    // The box a card is fitted into (aspect ratio kept, never enlarged).
    QSize box() const { return {screen.width(), availableHeight()}; }
    // The card at its fitted size, centred across the screen and within the
    // available height, 5 pixels below the top band's edge at the least.
    QRect imageRect(QSize picture) const;
    // The card text, 10 pixels below the card and centred across the screen.
    QRect infoRect(const QRect& image, int infoWidth) const;
};
