#include "windows/ui/ClockOptions.h"

#include "session/Session.h"
#include "windows/ClockSettings.h"
#include "windows/ui/ClockForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

ClockOptions::ClockOptions(Session& session, ClockForm& clock, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_clock(clock) {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("clockGroupBox"));
    m_show = control<QCheckBox>("clockShowChkBtn", QStringLiteral("analoge Uhr anzeigen"), group);
    m_system = control<QRadioButton>("clockSystemRadioBtn", QStringLiteral("Systemzeit"), group);
    m_utc = control<QRadioButton>("clockUtcRadioBtn", QStringLiteral("UTC"), group);
    m_formatLabel = control<QLabel>("clockFormatLabel", QStringLiteral("Format für digitale Anzeige"), group);
    m_format = control<QLineEdit>("clockFormatEdit", QStringLiteral("dddd', der 'dd.mm.yyyy' 'hh:nn:ss"), group);
    m_utc->setChecked(true);
    m_format->setMinimumWidth(m_format->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);

    auto* inner = new QVBoxLayout(group);
    inner->addWidget(m_show, 0, Qt::AlignLeft);
    auto* radios = new QVBoxLayout;
    radios->setContentsMargins(24, 0, 0, 0);
    radios->addWidget(m_system, 0, Qt::AlignLeft);
    radios->addWidget(m_utc, 0, Qt::AlignLeft);
    radios->addSpacing(6);
    radios->addWidget(m_formatLabel, 0, Qt::AlignLeft);
    radios->addWidget(m_format, 0, Qt::AlignLeft);
    inner->addLayout(radios);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(group, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);

    connect(m_show, &QCheckBox::clicked, this, &ClockOptions::clockShowChkBtnClick);
    for (QRadioButton* radio : {m_system, m_utc})
        connect(radio, &QRadioButton::clicked, this, &ClockOptions::clockUtcRadioBtnClick);
    connect(m_format, &QLineEdit::textChanged, this, &ClockOptions::clockFormatEditChange);
    enableControls();
}

// At start: the stored choices, and the pattern written back so that the
// clock finds the one shown here.
void ClockOptions::applySettings() {
    m_applying = true;
    const Settings& settings = m_session.settings();
    m_show->setChecked(ClockSettings::show(settings));
    (ClockSettings::utc(settings) ? m_utc : m_system)->setChecked(true);
    m_format->setText(ClockSettings::format(settings, ClockSettings::OptionsFormat));
    m_applying = false;
    ClockSettings::setFormat(m_session.settings(), m_format->text());
    enableControls();
    m_clock.setRunning(m_show->isChecked());
}

void ClockOptions::clockShowChkBtnClick() {
    if (!m_session.formReady())
        return;
    enableControls();
    m_clock.setRunning(m_show->isChecked());
    ClockSettings::setShow(m_session.settings(), m_show->isChecked());
    m_session.saveSettings();
}

void ClockOptions::clockUtcRadioBtnClick() {
    ClockSettings::setUtc(m_session.settings(), m_utc->isChecked());
    m_session.saveSettings();
}

void ClockOptions::clockFormatEditChange() {
    if (m_applying)
        return;
    ClockSettings::setFormat(m_session.settings(), m_format->text());
    m_session.saveSettings();
}

void ClockOptions::enableControls() {
    const bool on = m_show->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_system, m_utc, m_formatLabel, m_format})
        w->setEnabled(on);
}
