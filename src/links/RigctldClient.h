#pragma once

#include <QAbstractSocket>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QTcpSocket;
class QTimer;

// One answer of rigctld in its extended form: every line it sent for the
// command, and the return code of the closing "RPRT n" line (0: done).
struct RigReply {
    int code = 0;
    QStringList lines;
    bool ok() const { return code == 0; }
    // The text after "key:" on the line that starts so ("Frequency: 7074000"
    // gives "7074000" for "Frequency"); empty when no line does.
    QString value(const QString& key) const;
};

// The framing of rigctld's answers, apart from the socket: bytes in, one
// RigReply out for every closing "RPRT n" line.
class RigAnswerReader {
public:
    // No answer of rigctld comes near this (the capabilities are some 10 kB);
    // a peer that sends more without ending it is no rigctld.
    static constexpr qsizetype MaxAnswer = 1 << 20;

    void append(const QByteArray& bytes);
    // The next complete line, without its CR; false when none is complete yet.
    bool nextLine(QString& line);
    // Collects line into the answer; returns the answer when line closes it
    // (a return code that is no number gives -1).
    std::optional<RigReply> take(const QString& line);
    // A command goes out: what was collected before belongs to no answer.
    void startAnswer();
    void clear();
    // The bytes waiting and the lines collected for the open answer, counted
    // together, exceed MaxAnswer.
    bool overflowed() const;

private:
    QByteArray m_buffer;
    qsizetype m_read = 0; // lines before this offset are taken
    QStringList m_lines;
    qsizetype m_lineBytes = 0;
};

// A client of Hamlib's rigctld (TCP, one text command a line). Nothing here
// waits: the answers arrive through the event loop, one command at a time
// in the order given, and every connection attempt and every answer has a
// time limit. When rigctld refuses, goes away or lets the time run out, the
// connection is dropped with every command still waiting, and failed()
// tells why, once.
class RigctldClient : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const RigReply&)>;
    static constexpr int DefaultTimeout = 1500; // ms

    explicit RigctldClient(QObject* parent = nullptr);
    ~RigctldClient() override;

    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }

    // Connects; connected() or failed() follows. An open connection is
    // dropped first.
    void open(const QString& host, quint16 port);
    // Drops the connection and the waiting commands, without a signal.
    void close();
    bool isConnected() const;
    // Sends command ("f", "F 14000000") once those before it are answered;
    // done gets the answer. Without a connection nothing is sent.
    void request(const QString& command, Done done = {});
    // Commands sent or queued and not answered yet.
    qsizetype waiting() const { return m_queue.size(); }

    const QString& host() const { return m_host; }
    quint16 port() const { return m_port; }

Q_SIGNALS:
    void connected();
    void failed(const QString& reason);

private:
    struct Pending {
        QString command;
        Done done;
    };
    void sendNext();
    void readAnswer();
    void socketError(QAbstractSocket::SocketError error);
    void timedOut();
    void fail(const QString& reason);

    QTcpSocket* m_socket;
    QTimer* m_timer;
    int m_timeoutMs = DefaultTimeout;
    QString m_host;
    quint16 m_port = 0;
    bool m_active = false; // between open() and close() or failed()
    quint64 m_answered = 0;
    QList<Pending> m_queue;
    bool m_sent = false; // the head of the queue went out
    RigAnswerReader m_answer;
};
