#pragma once

#include <QDateTime>
#include <QWidget>

#include <functional>

class QTimer;
class Session;

// The small always-on-top clock window: an analogue face and the same
// instant as text in its title, in UTC or local time as the options say.
// It lives from start to end and is only shown or hidden.
class ClockForm : public QWidget {
    Q_OBJECT
public:
    // utcNow gives UTC as the entry mask reckons it (the clock difference of
    // the general options applied).
    ClockForm(Session& session, std::function<QDateTime()> utcNow, QWidget* parent = nullptr);

    // Shows and starts, or hides and stops, the clock.
    void setRunning(bool running);
    // The instant the clock shows now.
    QDateTime shownTime() const;
    void ClockTimerTimer();
    // Where the window stands, for the settings at program end.
    void storePosition();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Session& m_session;
    std::function<QDateTime()> m_utcNow;
    QTimer* m_timer;
};
