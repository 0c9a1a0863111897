#include "cw/ui/CwOptions.h"

#include "cw/CwSettings.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

const QString kTestText = QStringLiteral("PARIS PARIS PARIS");

template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

QLabel* label(const char* name, const QString& caption, QWidget* parent) {
    return named(new QLabel(caption, parent), name);
}

} // namespace

CwOptions::CwOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session),
      m_frequency(named(new QLineEdit(QString::number(CwSettings::DefaultFrequency)), "cwFrqEdit")),
      m_speed(named(new QLineEdit(QString::number(CwSettings::DefaultSpeed)), "cwWpMEdit")),
      m_volume(named(new QSlider(Qt::Horizontal), "cwVolumeTrackBar")),
      m_soundCard(named(new QRadioButton(QStringLiteral("Soundkarte")), "cwSoundkarteRadioBtn")),
      m_pcSpeaker(named(new QRadioButton(QStringLiteral("PC-Lautsprecher")), "cwPcSpeakerRadioBtn")),
      m_testText(named(new QLineEdit(kTestText), "cwTestEdit")),
      m_testButton(named(new QPushButton(QStringLiteral("Ausgabe testen")), "cwTestBtn")) {
    auto* output = named(new QGroupBox(QStringLiteral("CW-Ausgabe"), this), "cwGroupBox");
    auto* grid = new QGridLayout(output);
    auto* hz = label("cwHzLabel", QString(), output);
    ProgramTexts::follow(hz, [hz] { hz->setText(msgText(Msg::CwHzLabel)); });
    for (QLineEdit* edit : {m_frequency, m_speed})
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    m_volume->setRange(0, 127);
    m_volume->setValue(CwSettings::DefaultVolume);
    m_volume->setTickPosition(QSlider::TicksBelow);
    m_volume->setTickInterval(16);
    m_soundCard->setChecked(true);
    grid->addWidget(label("cwFrqLabel", QStringLiteral("Tonhöhe:"), output), 0, 0);
    grid->addWidget(m_frequency, 0, 1);
    grid->addWidget(hz, 0, 2);
    grid->addWidget(label("cwWpMLabel", QStringLiteral("Geschwindigkeit"), output), 1, 0);
    grid->addWidget(m_speed, 1, 1);
    grid->addWidget(label("cwWpM2Label", QStringLiteral("WpM (Wörter pro Minute)"), output), 1, 2);
    grid->addWidget(label("cwVolumeLabel", QStringLiteral("Lautstärke"), output), 2, 0);
    grid->addWidget(m_volume, 2, 1, 1, 2);
    grid->addWidget(label("cwOutputLabel", QStringLiteral("Ausgabe"), output), 3, 0);
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_soundCard);
    choice->addWidget(m_pcSpeaker);
    choice->addStretch(1);
    grid->addLayout(choice, 3, 1, 1, 2);
    auto* test = new QHBoxLayout;
    test->addWidget(m_testText, 1);
    test->addWidget(m_testButton);
    grid->addLayout(test, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(10);

    auto* fieldBox = named(new QGroupBox(QStringLiteral("Felder:"), this), "cwFelderGroupBox");
    auto* fieldGrid = new QGridLayout(fieldBox);
    const QStringList& captions = QsoRecord::headerTitles();
    constexpr int rows = QsoRecord::FieldCount / 2;
    for (int i = 0; i < QsoRecord::FieldCount; ++i) {
        auto* box = new QCheckBox(captions.value(i), fieldBox);
        box->setObjectName(QStringLiteral("cwFeld%1ChkBox").arg(i + 1));
        m_fields[static_cast<std::size_t>(i)] = box;
        fieldGrid->addWidget(box, i % rows, i / rows);
    }

    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "cwOkBtn");
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cwCancelBtn");
    auto* defaults = named(new QPushButton(QStringLiteral("Standard wiederherstellen"), this), "cwDefaultBtn");
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(defaults);
    buttons->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(output, 3);
    columns->addWidget(fieldBox, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(ok, &QPushButton::clicked, this, &CwOptions::cwOkBtnClick);
    connect(cancel, &QPushButton::clicked, this, &CwOptions::cwCancelBtnClick);
    connect(defaults, &QPushButton::clicked, this, &CwOptions::cwDefaultBtnClick);
    connect(m_testButton, &QPushButton::clicked, this, &CwOptions::cwTestBtnClick);
}

std::optional<int> CwOptions::integerOf(const QLineEdit* edit) const {
    const std::optional<int> value = Settings::parseInteger(edit->text());
    if (!value)
        m_session.dialogs().error(msgText(Msg::CwNotAnInteger).arg(edit->text()));
    return value;
}

void CwOptions::cwOkBtnClick() {
    // Stored one by one: a box that holds no integer stops here, and what
    // was stored before it stays.
    Settings& settings = m_session.settings();
    const std::optional<int> frequency = integerOf(m_frequency);
    if (!frequency)
        return;
    CwSettings::setFrequency(settings, *frequency);
    const std::optional<int> speed = integerOf(m_speed);
    if (!speed)
        return;
    CwSettings::setSpeed(settings, *speed);
    CwSettings::setVolume(settings, m_volume->value());
    CwSettings::setPcSpeaker(settings, m_pcSpeaker->isChecked());
    CwFieldSelection fields{};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = m_fields[i]->isChecked();
    CwSettings::setFields(settings, fields);
    m_session.saveSettings();
}

void CwOptions::cwCancelBtnClick() {
    const Settings& settings = m_session.settings();
    m_frequency->setText(QString::number(CwSettings::frequency(settings)));
    m_speed->setText(QString::number(CwSettings::speed(settings)));
    m_volume->setValue(CwSettings::volume(settings));
    (CwSettings::pcSpeaker(settings) ? m_pcSpeaker : m_soundCard)->setChecked(true);
    const CwFieldSelection fields = CwSettings::fields(settings);
    for (std::size_t i = 0; i < fields.size(); ++i)
        m_fields[i]->setChecked(fields[i]);
}

void CwOptions::cwDefaultBtnClick() {
    m_frequency->setText(QString::number(CwSettings::DefaultFrequency));
    m_speed->setText(QString::number(CwSettings::DefaultSpeed));
    m_volume->setValue(CwSettings::DefaultVolume);
    m_soundCard->setChecked(true);
    m_testText->setText(kTestText);
}

void CwOptions::cwTestBtnClick() {
    const std::optional<int> frequency = integerOf(m_frequency);
    if (!frequency)
        return;
    CwParameters p;
    p.frequency = *frequency;
    p.text = m_testText->text();
    p.volume = m_volume->value();
    p.pcSpeaker = m_pcSpeaker->isChecked();
    const std::optional<int> speed = integerOf(m_speed);
    if (!speed)
        return;
    p.speed = *speed;
    Q_EMIT testRequested(p);
}

void CwOptions::setSending(bool sending) { m_testButton->setEnabled(!sending); }

void CwOptions::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        cwOkBtnClick();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        cwCancelBtnClick();
        return;
    }
    OptionsPage::keyPressEvent(event);
}
