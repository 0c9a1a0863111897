#pragma once

#include <QWidget>

// A tab of "Optionen". At start the main window lets every page load its
// controls from the settings; afterwards a page writes each change itself.
class OptionsPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual void applySettings() = 0;
};
