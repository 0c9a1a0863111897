#include "links/ui/RigOptions.h"

#include "links/RigSettings.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "settings/Settings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

RigOptions::RigOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_host(named(new QLineEdit, "RigHostEdit")),
      m_port(named(new QLineEdit, "RigPortEdit")), m_testButton(named(new QPushButton, "RigTestBtn")),
      m_result(named(new QLabel, "RigTestLabel")), m_probe(new RigProbe(this)) {
    auto* box = named(new QGroupBox(this), "RigGroupBox");
    auto* hostLabel = named(new QLabel(box), "RigHostLabel");
    auto* portLabel = named(new QLabel(box), "RigPortLabel");
    ProgramTexts::follow(this, [=, this] {
        box->setTitle(msgText(Msg::RigGroupBox));
        hostLabel->setText(msgText(Msg::RigHostLabel));
        portLabel->setText(msgText(Msg::RigPortLabel));
        m_testButton->setText(msgText(Msg::RigTestButton));
    });
    m_host->setMinimumWidth(m_host->fontMetrics().horizontalAdvance(QStringLiteral("rig.example.org")) + 16);
    m_port->setMaximumWidth(m_port->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setMinimumHeight(m_result->fontMetrics().lineSpacing() * 4);
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* form = new QFormLayout;
    form->addRow(hostLabel, m_host);
    form->addRow(portLabel, m_port);
    auto* test = new QHBoxLayout;
    test->addWidget(m_testButton);
    test->addStretch(1);
    auto* inner = new QVBoxLayout(box);
    inner->addLayout(form);
    inner->addLayout(test);
    inner->addWidget(m_result);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);

    connect(m_host, &QLineEdit::editingFinished, this, &RigOptions::storeHost);
    connect(m_port, &QLineEdit::editingFinished, this, &RigOptions::storePort);
    connect(m_testButton, &QPushButton::clicked, this, &RigOptions::RigTestBtnClick);
    connect(m_probe, &RigProbe::finished, this, &RigOptions::showResult);
}

void RigOptions::applySettings() {
    const Settings& settings = m_session.settings();
    m_host->setText(RigSettings::host(settings));
    m_port->setText(QString::number(RigSettings::port(settings)));
}

void RigOptions::storeHost() {
    const QString host = m_host->text().trimmed();
    if (host.isEmpty()) {
        m_host->setText(RigSettings::host(m_session.settings()));
        m_session.dialogs().error(msgText(Msg::RigHostEmpty));
        return;
    }
    if (host == RigSettings::host(m_session.settings()))
        return;
    RigSettings::setHost(m_session.settings(), host);
    if (m_session.formReady())
        m_session.saveSettings();
}

void RigOptions::storePort() {
    const int port = RigSettings::parsePort(m_port->text());
    if (port == 0) {
        const QString typed = m_port->text();
        m_port->setText(QString::number(RigSettings::port(m_session.settings())));
        m_session.dialogs().error(msgText(Msg::RigPortInvalid).arg(typed));
        return;
    }
    m_port->setText(QString::number(port));
    if (port == RigSettings::port(m_session.settings()))
        return;
    RigSettings::setPort(m_session.settings(), port);
    if (m_session.formReady())
        m_session.saveSettings();
}

void RigOptions::RigTestBtnClick() {
    if (m_probe->running())
        return;
    // The test asks where the boxes point, stored or not yet.
    storeHost();
    storePort();
    m_testedHost = RigSettings::host(m_session.settings());
    m_testedPort = RigSettings::port(m_session.settings());
    m_result->setText(msgText(Msg::RigTesting).arg(m_testedHost).arg(m_testedPort));
    m_testButton->setEnabled(false);
    m_probe->start(m_testedHost, static_cast<quint16>(m_testedPort));
}

void RigOptions::showResult(const RigStatus& status) {
    m_testButton->setEnabled(true);
    const QString text =
        status.answered
            ? msgText(Msg::RigTestAnswered).arg(m_testedHost).arg(m_testedPort).arg(status.model, status.hertzText, status.mode)
            : msgText(Msg::RigTestNoAnswer)
                  .arg(msgText(Msg::RigWhere).arg(m_testedHost).arg(m_testedPort).arg(status.reason));
    m_result->setText(text);
    Q_EMIT testFinished(text);
}
