#include "links/RigProbe.h"

#include "platform/ProgramTexts.h"

RigProbe::RigProbe(QObject* parent) : QObject(parent), m_client(new RigctldClient(this)) {
    connect(m_client, &RigctldClient::failed, this, [this](const QString& reason) {
        m_status.answered = false;
        m_status.reason = reason;
        finish();
    });
    connect(m_client, &RigctldClient::connected, this, [this] {
        m_client->request(QStringLiteral("\\dump_caps"), [this](const RigReply& r) {
            m_status.model = (r.value(QStringLiteral("Mfg name")) + u' ' + r.value(QStringLiteral("Model name"))).trimmed();
        });
        readState([this] { giveCommands(); });
    });
}

void RigProbe::start(const QString& host, quint16 port, Commands commands) {
    m_status = RigStatus();
    m_commands = std::move(commands);
    m_running = true;
    m_client->open(host, port);
}

void RigProbe::readState(std::function<void()> then) {
    m_client->request(QStringLiteral("f"), [this](const RigReply& r) {
        if (r.ok())
            m_status.hertzText = r.value(QStringLiteral("Frequency"));
        else
            m_status.reason = msgText(Msg::RigError).arg(r.code);
    });
    m_client->request(QStringLiteral("m"), [this, then](const RigReply& r) {
        if (r.ok())
            m_status.mode = r.value(QStringLiteral("Mode"));
        else
            m_status.reason = msgText(Msg::RigError).arg(r.code);
        m_status.answered = m_status.reason.isEmpty();
        if (m_status.answered)
            then();
        else
            finish();
    });
}

void RigProbe::giveCommands() {
    const QStringList commands = m_commands ? m_commands(m_status) : QStringList();
    if (commands.isEmpty()) {
        finish();
        return;
    }
    for (const QString& command : commands) {
        m_status.sent << command;
        m_client->request(command, [this, command](const RigReply& r) {
            if (!r.ok())
                m_status.refused << QStringLiteral("%1 (RPRT %2)").arg(command).arg(r.code);
        });
    }
    readState([this] { finish(); });
}

void RigProbe::finish() {
    if (!m_running)
        return;
    m_running = false;
    m_client->close();
    Q_EMIT finished(m_status);
}
