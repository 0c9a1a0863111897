#include "platform/ui/ElidingLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize ElidingLabel::minimumSizeHint() const {
    // Room for the ellipsis and a letter or two; the rest may go.
    const QSize full = QLabel::minimumSizeHint();
    return {qMin(full.width(), fontMetrics().horizontalAdvance(QStringLiteral("W…")) + 2 * margin()), full.height()};
}

QString ElidingLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width() - 2 * margin());
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    // setText() is not virtual: a new text or width always ends in a paint.
    updateTip();
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

bool ElidingLabel::event(QEvent* event) {
    // A tooltip set from outside is kept and shown while nothing is cut.
    if (event->type() == QEvent::ToolTipChange && !m_settingTip)
        m_ownTip = toolTip();
    return QLabel::event(event);
}

void ElidingLabel::updateTip() {
    const QString tip = shownText() == text() ? m_ownTip : text();
    if (toolTip() == tip)
        return;
    m_settingTip = true;
    setToolTip(tip);
    m_settingTip = false;
}
