#pragma once

#include "links/RigctldClient.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// What one short conversation with rigctld found out.
struct RigStatus {
    bool answered = false;
    QString reason; // why nothing answered
    QString model;  // "Hamlib Dummy"
    QString hertzText;
    QString mode; // as rigctld names it
    QStringList sent; // commands given to the rig, in order
    QStringList refused; // those of them the rig refused, with their return code
};

// One round with rigctld, for the connection test and the batch command:
// connect, ask for the rig model, frequency and mode; optionally give the
// rig commands made from what was read and read frequency and mode back.
// finished() comes exactly once; nothing waits.
class RigProbe : public QObject {
    Q_OBJECT
public:
    using Commands = std::function<QStringList(const RigStatus&)>;

    explicit RigProbe(QObject* parent = nullptr);
    void setTimeout(int ms) { m_client->setTimeout(ms); }

    void start(const QString& host, quint16 port, Commands commands = {});
    bool running() const { return m_running; }

Q_SIGNALS:
    void finished(const RigStatus& status);

private:
    void readState(std::function<void()> then);
    void giveCommands();
    void finish();

    RigctldClient* m_client;
    Commands m_commands;
    RigStatus m_status;
    bool m_running = false;
};
