#include "entry/ui/DuplicateCheckOptions.h"

#include "session/Session.h"
#include "entry/DuplicateCheck.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QCheckBox* makeBox(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}
} // namespace

DuplicateCheckOptions::DuplicateCheckOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session),
      m_question(new QLabel(QStringLiteral("Welche Felder müssen gleich sein, damit ein QSO als doppelt betrachtet "
                                           "wird und Vesk bei dem Versuch das doppelte QSO einzutragen eine "
                                           "Warnung ausgibt?"),
                            this)),
      m_call(makeBox(QStringLiteral("dcCallCheckBox"), QStringLiteral("Call"), this)),
      m_band(makeBox(QStringLiteral("dcBandCheckBox"), QStringLiteral("Band"), this)),
      m_mode(makeBox(QStringLiteral("dcModeCheckBox"), QStringLiteral("Mode"), this)),
      m_date(makeBox(QStringLiteral("dcDateCheckBox"), QStringLiteral("Date"), this)) {
    m_question->setObjectName(QStringLiteral("Label10"));
    m_question->setWordWrap(true);
    // A question as wide as a maximised window is hard to read.
    m_question->setMaximumWidth(m_question->fontMetrics().averageCharWidth() * 70);
    m_call->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_question);
    layout->addSpacing(8);
    for (QCheckBox* box : {m_call, m_band, m_mode, m_date})
        layout->addWidget(box, 0, Qt::AlignLeft);
    layout->addStretch(1);

    connect(m_call, &QCheckBox::clicked, this, &DuplicateCheckOptions::dcCallCheckBoxClick);
    for (QCheckBox* box : {m_band, m_mode, m_date})
        connect(box, &QCheckBox::clicked, this, &DuplicateCheckOptions::dcCheckBoxClick);
}

void DuplicateCheckOptions::applySettings() {
    m_options = DuplicateCheck::readOptions(m_session.settings());
    m_call->setChecked(true);
    m_band->setChecked(m_options & DuplicateCheck::Band);
    m_mode->setChecked(m_options & DuplicateCheck::Mode);
    m_date->setChecked(m_options & DuplicateCheck::Date);
    emit optionsChanged(m_options);
}

void DuplicateCheckOptions::dcCheckBoxClick() {
    if (!m_session.formReady())
        return;
    m_options = (m_band->isChecked() ? DuplicateCheck::Band : 0) | (m_mode->isChecked() ? DuplicateCheck::Mode : 0) |
                (m_date->isChecked() ? DuplicateCheck::Date : 0);
    DuplicateCheck::writeOptions(m_session.settings(), m_options);
    m_session.saveSettings();
    emit optionsChanged(m_options);
}

void DuplicateCheckOptions::dcCallCheckBoxClick() {
    if (m_call->isChecked())
        return;
    m_session.dialogs().info(m_session.texts()[LanguageTexts::CallAlwaysCompared]);
    m_call->setChecked(true);
}
