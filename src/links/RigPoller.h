#pragma once

#include "links/RigctldClient.h"

#include <QObject>
#include <QString>

class QTimer;

// The running link to rigctld: asks for the frequency ("f") and the mode
// ("m") at a steady pace and reports a value only when it changed. The link
// counts as open once the first two answers came; it ends by close() (no
// signal) or when rigctld stops answering (closed() with the reason).
class RigPoller : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultInterval = 250; // ms

    explicit RigPoller(QObject* parent = nullptr);

    void setInterval(int ms);
    void setTimeout(int ms) { m_client->setTimeout(ms); }

    // Starts the link; opened() or closed() follows.
    void open(const QString& host, quint16 port);
    void close();
    bool isOpen() const { return m_state == State::Open; }
    bool isOpening() const { return m_state == State::Opening; }

    // The last reports, as rigctld sent them.
    const QString& hertzText() const { return m_hertz; }
    const QString& mode() const { return m_mode; }

    // Sends one command after those already waiting, not waiting for its
    // answer; a refusal by the rig ("RPRT -n") is not followed up.
    void send(const QString& command);

    const RigctldClient& client() const { return *m_client; }

Q_SIGNALS:
    void opened();
    void closed(const QString& reason);
    void hertzChanged(const QString& text);
    void modeChanged(const QString& text);

private:
    enum class State { Closed, Opening, Open };
    void poll();
    void frequencyAnswered(const RigReply& reply);
    void modeAnswered(const RigReply& reply);
    void end(const QString& reason);

    RigctldClient* m_client;
    QTimer* m_timer;
    State m_state = State::Closed;
    QString m_hertz;
    QString m_mode;
    bool m_hertzKnown = false;
    bool m_modeKnown = false;
};
