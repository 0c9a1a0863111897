#include "links/RigctldClient.h"

#include "platform/ProgramTexts.h"

#include <QTcpSocket>
#include <QTimer>
#include <utility>

QString RigReply::value(const QString& key) const {
    const QString head = key + u':';
    for (const QString& line : lines) {
        if (line.startsWith(head))
            return line.mid(head.size()).trimmed();
    }
    return {};
}

void RigAnswerReader::append(const QByteArray& bytes) {
    // Taken lines are dropped once per arrival, not once per line: a large
    // arrival of short lines stays linear.
    if (m_read > 0) {
        m_buffer.remove(0, m_read);
        m_read = 0;
    }
    m_buffer += bytes;
}

bool RigAnswerReader::nextLine(QString& line) {
    const qsizetype end = m_buffer.indexOf('\n', m_read);
    if (end < 0)
        return false;
    line = QString::fromLatin1(m_buffer.constData() + m_read, end - m_read).remove(u'\r');
    m_read = end + 1;
    return true;
}

std::optional<RigReply> RigAnswerReader::take(const QString& line) {
    if (!line.startsWith(QLatin1String("RPRT "))) {
        m_lines << line;
        m_lineBytes += line.size() + 1;
        return std::nullopt;
    }
    bool ok = false;
    RigReply reply;
    reply.code = line.mid(5).trimmed().toInt(&ok);
    if (!ok)
        reply.code = -1;
    reply.lines = std::exchange(m_lines, {});
    m_lineBytes = 0;
    return reply;
}

void RigAnswerReader::startAnswer() {
    m_lines.clear();
    m_lineBytes = 0;
}

void RigAnswerReader::clear() {
    startAnswer();
    m_buffer.clear();
    m_read = 0;
}

bool RigAnswerReader::overflowed() const {
    // The lines are counted by their length: many long lines without an end
    // must not slip under the limit.
    return m_buffer.size() - m_read + m_lineBytes > MaxAnswer;
}

RigctldClient::RigctldClient(QObject* parent) : QObject(parent), m_socket(new QTcpSocket(this)), m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &RigctldClient::timedOut);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        m_timer->stop();
        Q_EMIT connected();
        sendNext();
    });
    connect(m_socket, &QTcpSocket::readyRead, this, &RigctldClient::readAnswer);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &RigctldClient::socketError);
}

RigctldClient::~RigctldClient() {
    // The socket's last signals must not reach a half-destroyed client.
    m_socket->disconnect(this);
    m_socket->abort();
}

void RigctldClient::open(const QString& host, quint16 port) {
    close();
    m_host = host;
    m_port = port;
    m_active = true;
    m_timer->start(m_timeoutMs);
    m_socket->connectToHost(host, port);
}

void RigctldClient::close() {
    m_active = false;
    m_timer->stop();
    m_queue.clear();
    m_sent = false;
    m_answer.clear();
    const QSignalBlocker quiet(m_socket);
    m_socket->abort();
}

bool RigctldClient::isConnected() const { return m_socket->state() == QAbstractSocket::ConnectedState; }

void RigctldClient::request(const QString& command, Done done) {
    if (!m_active)
        return;
    m_queue.append({command, std::move(done)});
    sendNext();
}

void RigctldClient::sendNext() {
    if (m_sent || m_queue.isEmpty() || !isConnected())
        return;
    m_sent = true;
    m_answer.startAnswer();
    // "+" asks for the extended answer, which always ends in "RPRT n": the
    // end of every answer is known without knowing the command.
    m_socket->write('+' + m_queue.first().command.toLatin1() + '\n');
    m_timer->start(m_timeoutMs);
}

void RigctldClient::readAnswer() {
    m_answer.append(m_socket->readAll());
    QString line;
    while (m_answer.nextLine(line)) {
        if (!m_sent)
            continue; // nothing was asked: not an answer
        const std::optional<RigReply> reply = m_answer.take(line);
        if (!reply)
            continue;
        m_timer->stop();
        ++m_answered;
        const Pending done = m_queue.takeFirst();
        m_sent = false;
        if (done.done)
            done.done(*reply);
        // The callback may have closed the connection or sent more.
        if (!isConnected())
            return;
        sendNext();
    }
    if (m_answer.overflowed())
        fail(msgText(Msg::RigNotRigctld));
}

void RigctldClient::socketError(QAbstractSocket::SocketError error) {
    switch (error) {
    // Only the look into the socket when the time ran out waits (for 0 ms);
    // the time limits are the client's own.
    case QAbstractSocket::SocketTimeoutError: break;
    case QAbstractSocket::ConnectionRefusedError: fail(msgText(Msg::RigRefused)); break;
    case QAbstractSocket::HostNotFoundError: fail(msgText(Msg::RigHostNotFound).arg(m_host)); break;
    case QAbstractSocket::RemoteHostClosedError: fail(msgText(Msg::RigClosedByPeer)); break;
    default: fail(msgText(Msg::RigSocketError).arg(m_socket->errorString())); break;
    }
}

void RigctldClient::timedOut() {
    if (isConnected()) {
        // The answer may lie unread because the event loop was busy
        // elsewhere; the time limit is meant for rigctld, not for us.
        const quint64 before = m_answered;
        m_socket->waitForReadyRead(0);
        if (m_answered != before || !m_active)
            return;
        fail(msgText(Msg::RigNoAnswer).arg(m_timeoutMs));
        return;
    }
    // Not while the host name is looked up: that would wait for the lookup.
    if (m_socket->state() == QAbstractSocket::ConnectingState && m_socket->waitForConnected(0))
        return;
    if (!m_active)
        return;
    fail(msgText(Msg::RigNoConnection).arg(m_timeoutMs));
}

void RigctldClient::fail(const QString& reason) {
    if (!m_active)
        return; // told already, or closed on purpose
    close();
    Q_EMIT failed(reason);
}
