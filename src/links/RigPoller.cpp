#include "links/RigPoller.h"

#include "platform/ProgramTexts.h"

#include <QTimer>

RigPoller::RigPoller(QObject* parent) : QObject(parent), m_client(new RigctldClient(this)), m_timer(new QTimer(this)) {
    m_timer->setInterval(DefaultInterval);
    connect(m_timer, &QTimer::timeout, this, &RigPoller::poll);
    connect(m_client, &RigctldClient::connected, this, &RigPoller::poll);
    connect(m_client, &RigctldClient::failed, this, &RigPoller::end);
}

void RigPoller::setInterval(int ms) { m_timer->setInterval(ms); }

void RigPoller::open(const QString& host, quint16 port) {
    close();
    m_state = State::Opening;
    m_client->open(host, port);
}

void RigPoller::close() {
    m_timer->stop();
    m_client->close();
    m_state = State::Closed;
    m_hertz.clear();
    m_mode.clear();
    m_hertzKnown = false;
    m_modeKnown = false;
}

void RigPoller::send(const QString& command) {
    if (isOpen())
        m_client->request(command);
}

void RigPoller::poll() {
    // A slow rig is not asked again before it answered: the questions
    // would pile up behind it.
    if (m_client->waiting() > 0)
        return;
    m_client->request(QStringLiteral("f"), [this](const RigReply& r) { frequencyAnswered(r); });
    m_client->request(QStringLiteral("m"), [this](const RigReply& r) { modeAnswered(r); });
}

void RigPoller::frequencyAnswered(const RigReply& reply) {
    if (!reply.ok()) {
        // rigctld is there but cannot reach the rig.
        if (m_state == State::Opening)
            end(msgText(Msg::RigError).arg(reply.code));
        return;
    }
    const QString hertz = reply.value(QStringLiteral("Frequency"));
    m_hertzKnown = true;
    if (hertz == m_hertz || m_state != State::Open) {
        m_hertz = hertz;
        return;
    }
    m_hertz = hertz;
    Q_EMIT hertzChanged(hertz);
}

void RigPoller::modeAnswered(const RigReply& reply) {
    if (reply.ok()) {
        const QString mode = reply.value(QStringLiteral("Mode"));
        m_modeKnown = true;
        if (mode != m_mode && m_state == State::Open) {
            m_mode = mode;
            Q_EMIT modeChanged(mode);
        }
        m_mode = mode;
    } else if (m_state == State::Opening) {
        end(msgText(Msg::RigError).arg(reply.code));
        return;
    }
    if (m_state == State::Opening && m_hertzKnown && m_modeKnown) {
        m_state = State::Open;
        m_timer->start();
        Q_EMIT opened();
        // The first reports count as changes: the mask takes them at once.
        if (isOpen())
            Q_EMIT hertzChanged(m_hertz);
        if (isOpen())
            Q_EMIT modeChanged(m_mode);
    }
}

void RigPoller::end(const QString& reason) {
    if (m_state == State::Closed)
        return;
    close();
    Q_EMIT closed(reason);
}
