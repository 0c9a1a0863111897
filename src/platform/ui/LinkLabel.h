#pragma once

class QLabel;

// A label that acts as a link: blue, with the hand cursor, and underlined
// while the mouse is over it, as links are in a browser.
namespace LinkLabel {
void style(QLabel* label);
} // namespace LinkLabel
