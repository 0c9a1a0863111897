#include "app/ui/GeneralOptions.h"

#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "entry/EntryRules.h"
#include "entry/UpperCaseValidator.h"
#include "logstore/GermanNumber.h"
#include "platform/Dialogs.h"
#include "refdata/SunTimes.h"
#include "settings/GeneralSettings.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

namespace {
const QChar kDegree(0x00B0);

QLabel* caption(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* edit(const QString& name, int width, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    return e;
}

void upperCaseWhileTyping(QLineEdit* e) { e->setValidator(new UpperCaseValidator(e)); }
} // namespace

GeneralOptions::GeneralOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_call(edit(QStringLiteral("EigCallEdit"), 120, this)),
      m_locator(edit(QStringLiteral("EigLocatorEdit"), 120, this)),
      m_utcDiff(edit(QStringLiteral("UtcDiffEdit"), 60, this)), m_utcAuto(new QCheckBox(QStringLiteral("automatisch"), this)),
      m_qslPath(edit(QStringLiteral("QslPathEdit"), 360, this)) {
    setObjectName(QStringLiteral("GeneralOptions"));
    m_utcAuto->setObjectName(QStringLiteral("UtcDiffAutoCheckBox"));
    m_locator->setMaxLength(6);
    upperCaseWhileTyping(m_call);
    upperCaseWhileTyping(m_locator);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("QslPathBtn"));
    browse->setFixedWidth(32);

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption(QStringLiteral("Label5"), QStringLiteral("Rufzeichen"), this), 0, 0);
    grid->addWidget(m_call, 0, 1);
    grid->addWidget(caption(QStringLiteral("Label6"), QStringLiteral("Locator"), this), 1, 0);
    grid->addWidget(m_locator, 1, 1);
    grid->addWidget(caption(QStringLiteral("Label8"), QStringLiteral("Differenz UTC/Systemzeit"), this), 2, 0);
    auto* diffRow = new QHBoxLayout;
    diffRow->addWidget(m_utcDiff);
    diffRow->addWidget(m_utcAuto);
    diffRow->addStretch(1);
    grid->addLayout(diffRow, 2, 1);
    grid->addWidget(caption(QStringLiteral("QslPathLabel"), QStringLiteral("Pfad für QSL-Karten"), this), 3, 0);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_qslPath);
    pathRow->addWidget(browse);
    pathRow->addStretch(1);
    grid->addLayout(pathRow, 3, 1);
    // Sunrise and sunset of the DXCC information use this zenith angle.
    auto* sun = new QGroupBox(QStringLiteral("Sonenauf- / untergang"), this);
    sun->setObjectName(QStringLiteral("SunGroupBox"));
    auto* sunLayout = new QGridLayout(sun);
    sunLayout->addWidget(caption(QStringLiteral("SunLabel"), QStringLiteral("Zenit der Sonne:"), sun), 0, 0);
    m_sunEdit = edit(QStringLiteral("SunEdit"), 90, sun);
    m_sunEdit->setText(SunTimes::zenithBoxText(SunTimes::DefaultZenith));
    m_sunEdit->installEventFilter(this);
    sunLayout->addWidget(m_sunEdit, 0, 1);
    const QList<std::tuple<QString, QString, int>> buttons = {
        {QStringLiteral("Sun90Btn"), QStringLiteral("offiziell: 90° 50'  (empfohlen)"), 90},
        {QStringLiteral("Sun96Btn"), QStringLiteral("zivil: 96°  (Dämmerung)"), 96},
        {QStringLiteral("Sun102Btn"), QStringLiteral("nautisch: 102°"), 102},
        {QStringLiteral("Sun108Btn"), QStringLiteral("astronomisch: 108°  (totale Nacht)"), 108}};
    int row = 1;
    for (const auto& [name, text, angle] : buttons) {
        auto* b = new QPushButton(text, sun);
        b->setObjectName(name);
        sunLayout->addWidget(b, row++, 1, 1, 2);
        connect(b, &QPushButton::clicked, this, [this, angle = angle] { Sun90BtnClick(angle); });
    }
    sunLayout->setColumnStretch(2, 1);
    grid->addWidget(sun, 4, 0, 1, 2);
    connect(m_sunEdit, &QLineEdit::textChanged, this, &GeneralOptions::SunEditChange);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);

    for (QLineEdit* e : {m_call, m_locator, m_utcDiff, m_qslPath})
        connect(e, &QLineEdit::textChanged, this, &GeneralOptions::EigEditChange);
    connect(m_utcAuto, &QCheckBox::clicked, this, &GeneralOptions::UtcDiffAutoCheckBoxClick);
    connect(browse, &QPushButton::clicked, this, &GeneralOptions::QslPathBtnClick);
}

void GeneralOptions::applySettings() {
    const Settings& s = m_session.settings();
    m_filling = true;
    m_call->setText(GeneralSettings::ownCall(s));
    m_locator->setText(GeneralSettings::ownLocator(s));
    m_utcAuto->setChecked(GeneralSettings::utcDiffAutomatic(s));
    m_utcDiff->setText(GermanNumber::format(GeneralSettings::utcDiff(s)));
    m_qslPath->setText(GeneralSettings::qslPath(s, m_session.folder()));
    m_sunEdit->setText(SunTimes::zenithBoxText(sunZenith(s)));
    m_filling = false;
    if (utcAutomatic())
        fillAutomaticDifference();
    m_utcDiff->setReadOnly(utcAutomatic());
    Q_EMIT utcOffsetChanged(utcAutomatic(), utcOffsetHours());
}

bool GeneralOptions::utcAutomatic() const { return m_utcAuto->isChecked(); }

int GeneralOptions::utcOffsetHours() const {
    const auto hours = GermanNumber::parse(m_utcDiff->text().trimmed());
    return hours ? static_cast<int>(std::trunc(*hours)) : 0;
}

void GeneralOptions::fillAutomaticDifference() {
    const bool wasFilling = m_filling;
    m_filling = true;
    m_utcDiff->setText(GermanNumber::format(MaskClock::automaticOffsetHours(m_session.clock())));
    m_filling = wasFilling;
}

void GeneralOptions::EigEditChange() {
    if (m_filling || !m_session.formReady())
        return;
    Settings& s = m_session.settings();
    GeneralSettings::setOwnCall(s, m_call->text());
    GeneralSettings::setOwnLocator(s, m_locator->text());
    const QString diffText = m_utcDiff->text().trimmed();
    const auto diff = diffText.isEmpty() ? std::optional<double>(0) : GermanNumber::parse(diffText);
    if (!diff) {
        // The two fields before it are kept; the difference waits until it
        // reads as a number.
        m_session.saveSettings();
        m_session.dialogs().error(msgText(Msg::UtcDiffNotANumber).arg(diffText));
        return;
    }
    GeneralSettings::setUtcDiff(s, *diff);
    QString path = m_qslPath->text();
    if (!path.isEmpty() && !path.endsWith(u'/') && !path.endsWith(QDir::separator()))
        path += u'/';
    GeneralSettings::setQslPath(s, path);
    m_session.saveSettings();
    if (utcAutomatic())
        fillAutomaticDifference();
    Q_EMIT utcOffsetChanged(utcAutomatic(), utcOffsetHours());
}

void GeneralOptions::UtcDiffAutoCheckBoxClick() {
    m_utcDiff->setReadOnly(utcAutomatic());
    if (utcAutomatic())
        fillAutomaticDifference();
    if (m_session.formReady()) {
        GeneralSettings::setUtcDiffAutomatic(m_session.settings(), utcAutomatic());
        m_session.saveSettings();
    }
    Q_EMIT utcOffsetChanged(utcAutomatic(), utcOffsetHours());
}

void GeneralOptions::QslPathBtnClick() {
    const QString folder = m_session.dialogs().folderName(QStringLiteral("Pfad für QSL-Karten"), m_qslPath->text());
    if (!folder.isEmpty())
        m_qslPath->setText(QDir::toNativeSeparators(folder));
}

double GeneralOptions::sunZenith(const Settings& settings) {
    return GeneralSettings::sunZenith(settings).value_or(SunTimes::DefaultZenith);
}

bool GeneralOptions::eventFilter(QObject* watched, QEvent* event) {
    // The box takes digits only; the decimal comma comes from the button.
    if (watched == m_sunEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool editing = key->key() == Qt::Key_Backspace || text.isEmpty() || !text[0].isPrint();
        if (!editing && !(text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')) {
            QApplication::beep();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GeneralOptions::SunEditChange() {
    QString text = m_sunEdit->text();
    if (!text.endsWith(kDegree)) {
        const int caret = m_sunEdit->cursorPosition();
        text += kDegree;
        const QSignalBlocker block(m_sunEdit);
        m_sunEdit->setText(text);
        m_sunEdit->setCursorPosition(caret);
    }
    if (m_filling || !m_session.formReady())
        return;
    const auto zenith = SunTimes::zenithFromBoxText(text);
    if (!zenith)
        return; // half typed: nothing is stored until it reads as a number
    GeneralSettings::setSunZenith(m_session.settings(), *zenith);
    m_session.saveSettings();
}

void GeneralOptions::Sun90BtnClick(int angle) {
    m_sunEdit->setText(SunTimes::zenithButtonText(angle));
}
