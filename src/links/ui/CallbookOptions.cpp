#include "links/ui/CallbookOptions.h"

#include "links/CallbookSettings.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "settings/LanguageTexts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The boxes in the order of CallbookSelection.
constexpr std::array<std::pair<const char*, const char*>, 7> kBoxes = {{
    {"NameCallBookChkBox", "Name (--> Name)"},
    {"VornameCallBookChkBox", "Vorname (--> Name)"},
    {"AdresseCallBookChkBox", "Adresse (--> Comments)"},
    {"LicenceCallBookChkBox", "Lizenz-Klasse (--> Comments)"},
    {"CommentCallBookChkBox", "Kommentar (--> Comments)"},
    {"FaxNrCallBookChkBox", "Fax-Nummer (--> Comments)"},
    {"EmailCallBookChkBox", "e-Mail (--> Comments)"},
}};
} // namespace

CallbookOptions::CallbookOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_fileName(new QLineEdit(this)) {
    setObjectName(QStringLiteral("CallbookOptions"));
    m_fileName->setObjectName(QStringLiteral("CallBookEdit"));
    m_fileName->setMinimumWidth(420);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("CallBookBtn"));
    browse->setFixedWidth(32);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_fileName, 1);
    pathRow->addWidget(browse);

    auto* group = control<QGroupBox>("GroupBox4", QStringLiteral("Daten, die übernommen werden sollen:"), this);
    auto* boxes = new QVBoxLayout(group);
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        m_boxes[i] = control<QCheckBox>(kBoxes[i].first, QString::fromUtf8(kBoxes[i].second), group);
        boxes->addWidget(m_boxes[i]);
        connect(m_boxes[i], &QCheckBox::clicked, this, &CallbookOptions::NameCallBookChkBoxClick);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(control<QLabel>("Label14", QStringLiteral("Callbook-Datenbank (Callbook.vcb)"), this));
    layout->addLayout(pathRow);
    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(group);
    groupRow->addStretch(1);
    layout->addSpacing(8);
    layout->addLayout(groupRow);
    layout->addStretch(1);

    connect(m_fileName, &QLineEdit::textChanged, this, &CallbookOptions::CallBookEditChange);
    connect(browse, &QPushButton::clicked, this, &CallbookOptions::CallBookBtnClick);
}

void CallbookOptions::applySettings() {
    // Loading the page is no change by the user: nothing is written back.
    m_applying = true;
    const Settings& settings = m_session.settings();
    m_fileName->setText(CallbookSettings::fileName(settings));
    const CallbookSelection s = CallbookSettings::selection(settings);
    const bool values[] = {s.name, s.firstName, s.address, s.licence, s.comment, s.fax, s.email};
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(values[i]);
    m_applying = false;
}

CallbookSelection CallbookOptions::selection() const {
    CallbookSelection s;
    bool* fields[] = {&s.name, &s.firstName, &s.address, &s.licence, &s.comment, &s.fax, &s.email};
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        *fields[i] = m_boxes[i]->isChecked();
    return s;
}

void CallbookOptions::CallBookEditChange() {
    if (m_applying)
        return;
    // Saved at once, also before the window is ready: the path is read at
    // the next start.
    CallbookSettings::setFileName(m_session.settings(), m_fileName->text());
    m_session.saveSettings();
}

void CallbookOptions::NameCallBookChkBoxClick() {
    if (m_applying || !m_session.formReady())
        return;
    CallbookSettings::setSelection(m_session.settings(), selection());
    m_session.saveSettings();
}

void CallbookOptions::CallBookBtnClick() {
    const QString chosen = m_session.dialogs().openFileName(m_session.texts()[51], m_fileName->text(),
                                                            msgText(Msg::CallbookFileFilter));
    if (!chosen.isEmpty())
        m_fileName->setText(chosen);
}
