#include "windows/ui/ClockForm.h"

#include "platform/Clock.h"
#include "session/Session.h"
#include "windows/ClockFace.h"
#include "windows/ClockSettings.h"
#include "windows/DateTimePattern.h"

#include <QPainter>
#include <QTimer>

ClockForm::ClockForm(Session& session, std::function<QDateTime()> utcNow, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_session(session), m_utcNow(std::move(utcNow)), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("ClockForm"));
    setFixedSize(ClockFace::Size, ClockFace::Size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    m_timer->setObjectName(QStringLiteral("ClockTimer"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &ClockForm::ClockTimerTimer);
    move(ClockSettings::position(session.settings()));
}

void ClockForm::setRunning(bool running) {
    if (running) {
        ClockTimerTimer();
        show();
        m_timer->start();
    } else {
        m_timer->stop();
        hide();
    }
}

QDateTime ClockForm::shownTime() const {
    return ClockSettings::utc(m_session.settings()) ? m_utcNow() : m_session.clock().localNow();
}

// The settings are read on every tick, so a change made on the options page
// shows within half a second.
void ClockForm::ClockTimerTimer() {
    setWindowTitle(DateTimePattern::format(ClockSettings::format(m_session.settings(), ClockSettings::ClockFormat),
                                           shownTime(), QLocale()));
    update();
}

void ClockForm::storePosition() { ClockSettings::setPosition(m_session.settings(), pos()); }

void ClockForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    ClockFace::paint(painter, shownTime().time());
}
