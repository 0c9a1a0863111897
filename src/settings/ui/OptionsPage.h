#pragma once

#include <QWidget>

// A tab of "Optionen". At start the main window lets every page load its
// controls from the settings; afterwards a page writes each change itself.
class OptionsPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual void applySettings() = 0;

protected:
    // A captioned control with the objectName the language file addresses.
    template <typename T> static T* control(const char* name, const QString& caption, QWidget* parent) {
        auto* c = new T(caption, parent);
        c->setObjectName(QLatin1String(name));
        return c;
    }
};
