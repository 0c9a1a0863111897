#pragma once

#include "links/Minimuf.h"
#include "links/PropagationLink.h"

#include <QDateTime>
#include <QPointer>
#include <QTimer>
#include <functional>

class PropagationWindow;
class QWidget;
class Session;

// The propagation prediction built into the program: it takes HamCap's
// members ("HomeLat" … "Visible", "PredictPoint", "PredictArea"), computes
// with the MINIMUF model and shows the result in its window. Closing the
// window asks to exit (event 1); a position off the globe or a call the
// DXCC table does not know is an error (event 2).
class PropagationApp : public PropagationLink {
    Q_OBJECT
public:
    // utcNow gives the time the chart marks and the area map shows.
    PropagationApp(Session& session, std::function<QDateTime()> utcNow, QWidget* windowParent,
                   QObject* parent = nullptr);
    ~PropagationApp() override;

    bool setValue(const QString& name, const QVariant& value) override;
    bool callMethod(const QString& name) override;
    QString errorText() const override { return m_error; }

    PropagationWindow& window() const;

private:
    enum class Target { None, Position, Call };

    void predictPoint();
    void predictArea();
    void fail(const QString& text);
    void sunspotNumberChanged(int number);
    // While the real-time clock runs: the mark of now moves, the area map
    // follows the hour and the chart the day.
    void tick();
    double sunspotNumber() const;

    Session& m_session;
    std::function<QDateTime()> m_utcNow;
    QPointer<PropagationWindow> m_window;
    QTimer m_timer;
    Minimuf::Position m_home{};
    Minimuf::Position m_dx{};
    QString m_dxCall;
    Target m_target = Target::None;
    bool m_longPath = false;
    bool m_realTime = false;
    int m_band = 0;
    bool m_pointShown = false;
    bool m_areaShown = false;
    QDate m_chartDate;
    QDateTime m_areaTime;
    QString m_error;
    QString m_mapNote;
};
