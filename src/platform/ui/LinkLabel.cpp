#include "platform/ui/LinkLabel.h"

#include <QEvent>
#include <QLabel>

namespace {

class Underline : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            auto* label = static_cast<QLabel*>(watched);
            QFont font = label->font();
            font.setUnderline(event->type() == QEvent::Enter);
            label->setFont(font);
        }
        return false;
    }
};

} // namespace

namespace LinkLabel {

void style(QLabel* label) {
    // Blue only while it can be clicked; disabled it greys like any label.
    QPalette blue = label->palette();
    blue.setColor(QPalette::Active, QPalette::WindowText, Qt::blue);
    blue.setColor(QPalette::Inactive, QPalette::WindowText, Qt::blue);
    label->setPalette(blue);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(new Underline(label));
}

} // namespace LinkLabel
