#include "entry/ui/RstTxOptions.h"

#include "session/Session.h"
#include "entry/EntryRules.h"
#include "platform/Dialogs.h"
#include "entry/EntrySettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

RstTxOptions::RstTxOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_text(new QLineEdit(this)), m_number(new QCheckBox(this)) {
    setObjectName(QStringLiteral("RstTxOptions"));
    auto* caption = new QLabel(QStringLiteral("In RST (+Nr) TX nach Eingabe automatisch folgendes Ergänzen:"), this);
    caption->setObjectName(QStringLiteral("Label12"));
    m_text->setObjectName(QStringLiteral("ErgRstTxTextEdit"));
    m_text->setFixedWidth(120);
    m_number->setObjectName(QStringLiteral("ErgRstTxNummerCheckBox"));
    m_number->setText(QStringLiteral("Nummer automatisch weiterzählen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_text);
    layout->addWidget(m_number);
    layout->addStretch(1);
    connect(m_text, &QLineEdit::textChanged, this, &RstTxOptions::ErgRstTxTextEditChange);
    connect(m_number, &QCheckBox::clicked, this, &RstTxOptions::ErgRstTxNummerCheckBoxClick);
}

QString RstTxOptions::appendText() const { return m_text->text(); }

void RstTxOptions::applySettings() {
    const Settings& s = m_session.settings();
    {
        const QSignalBlocker block(m_text);
        m_text->setText(EntrySettings::rstAppendText(s));
    }
    m_number->setChecked(EntrySettings::rstAppendCounts(s));
    Q_EMIT appendTextChanged(m_text->text());
}

void RstTxOptions::ErgRstTxTextEditChange() {
    m_number->setChecked(false);
    Q_EMIT appendTextChanged(m_text->text());
    if (!m_session.formReady())
        return;
    Settings& s = m_session.settings();
    EntrySettings::setRstAppendText(s, m_text->text());
    EntrySettings::setRstAppendCounts(s, false);
    m_session.saveSettings();
}

void RstTxOptions::ErgRstTxNummerCheckBoxClick() {
    if (m_number->isChecked() && !RstTxAppend::isWholeNumber(m_text->text())) {
        m_session.dialogs().error(m_session.texts()[LanguageTexts::AutoNumberNeedsNumber]);
        m_number->setChecked(false);
    }
    if (!m_session.formReady())
        return;
    EntrySettings::setRstAppendCounts(m_session.settings(), m_number->isChecked());
    m_session.saveSettings();
}

void RstTxOptions::advanceNumber() {
    if (!m_number->isChecked())
        return;
    const auto next = RstTxAppend::next(m_text->text());
    if (!next)
        return;
    m_text->setText(*next); // unticks the box, as any change of the text does
    m_number->setChecked(true);
    EntrySettings::setRstAppendCounts(m_session.settings(), true);
    m_session.saveSettings();
}
