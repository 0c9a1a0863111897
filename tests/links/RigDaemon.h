#pragma once

// Hamlib's rigctld with its dummy rig on a free port of the loopback
// address, for the tests of the rig link; rigctl drives the rig from the
// side, as a knob on the rig would.
#include <QHostAddress>
#include <QList>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

class RigDaemon {
public:
    RigDaemon() { start(); }
    ~RigDaemon() { kill(); }
    RigDaemon(const RigDaemon&) = delete;
    RigDaemon& operator=(const RigDaemon&) = delete;

    quint16 port() const { return m_port; }
    bool running() const { return m_process.state() == QProcess::Running && m_port != 0; }
    QByteArray settings() const { return "[Rig]\r\nHost=127.0.0.1\r\nPort=" + QByteArray::number(m_port) + "\r\n"; }

    // rigctl's output for one command ("F", "7074000"), trimmed.
    QString rigctl(const QStringList& command) const {
        QProcess p;
        p.start(QStringLiteral("rigctl"),
                QStringList{"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(m_port)} + command);
        if (!p.waitForFinished(10000) || p.exitCode() != 0)
            return QStringLiteral("rigctl failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    void set(const QString& command, const QString& value) { rigctl({command, value}); }
    void setMode(const QString& mode) { rigctl({"M", mode, "0"}); } // passband: the rig's default
    QString frequency() const { return rigctl({"f"}); }
    QString mode() const { return rigctl({"m"}).section(u'\n', 0, 0); }

    void kill() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    void start() {
        // A port found free may be taken again before rigctld binds it when
        // tests run side by side: then another one.
        for (int attempt = 0; attempt < 5; ++attempt) {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, 0))
                continue;
            const quint16 port = probe.serverPort();
            probe.close();
            m_process.start(QStringLiteral("rigctld"),
                            {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
            if (!m_process.waitForStarted(5000))
                break;
            for (int i = 0; i < 100 && m_process.state() == QProcess::Running; ++i) {
                QTcpSocket s;
                s.connectToHost(QHostAddress::LocalHost, port);
                if (s.waitForConnected(200)) {
                    m_port = port;
                    return;
                }
                QTest::qWait(50);
            }
            kill();
        }
    }

    QProcess m_process;
    quint16 m_port = 0;
};

// A listener that accepts connections and never says a word: a rigctld that
// hangs.
class SilentServer {
public:
    SilentServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection())
                m_accepted.emplace_back(s);
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    QTcpServer m_server;
    std::vector<std::unique_ptr<QTcpSocket>> m_accepted;
};

// A port where nothing listens (free a moment ago).
inline quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
