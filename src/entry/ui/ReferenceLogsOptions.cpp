#include "entry/ui/ReferenceLogsOptions.h"

#include "session/Session.h"
#include "platform/Dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kExplanation = QStringLiteral(
    "In der Standartfunktion können die Referenz-Logs durch Drücken von [Ctrl] + [R] durchsucht werden. Das erste "
    "QSO, das gefunden wird und bei dem das Call mit dem eingegebenen übereinstimmt, wird genutzt um die Felder DOK, "
    "Name, QTH und Locator in der Eingabemaske auszufüllen.\nIn der Luxusfunktion werden bei Eingabe eines Call in "
    "der Liste unter der Eingabemaske alle passenden QSOs aus aktuellem und allen Referenz-Logs eingeblendet. Durch "
    "[Return] oder Doppelclick können die o.g. Felder aus dem angezeigten QSO in die Eingabemaske übernommen werden. "
    "[Ctrl] + [R] wirkt wie oben.");
} // namespace

ReferenceLogsOptions::ReferenceLogsOptions(Session& session, QWidget* parent) : OptionsPage(parent), m_session(session) {
    auto* heading = new QLabel(QStringLiteral("Referenz-Logs:"), this);
    heading->setObjectName(QStringLiteral("Label71"));

    auto* slotRows = new QGridLayout;
    for (int i = 0; i < ReferenceLogs::SlotCount; ++i) {
        const QString n = QString::number(i + 1);
        auto* label = new QLabel(n + u'.', this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("rLog%1Edit").arg(n));
        edit->setMinimumWidth(420);
        auto* button = new QPushButton(QStringLiteral("..."), this);
        button->setObjectName(QStringLiteral("rLog%1Btn").arg(n));
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
        label->setBuddy(edit);
        slotRows->addWidget(label, i, 0);
        slotRows->addWidget(edit, i, 1);
        slotRows->addWidget(button, i, 2);
        m_edits[static_cast<std::size_t>(i)] = edit;
        m_buttons[static_cast<std::size_t>(i)] = button;
        connect(edit, &QLineEdit::textChanged, this, &ReferenceLogsOptions::rLogEditChange);
        connect(button, &QPushButton::clicked, this, [this, i] { rLog1BtnClick(i + 1); });
    }
    slotRows->setColumnStretch(1, 1);

    m_standart = new QRadioButton(QStringLiteral("Standartfunktion (schneller)"), this);
    m_standart->setObjectName(QStringLiteral("rStandartRadioBtn"));
    m_standart->setChecked(true);
    m_luxus = new QRadioButton(QStringLiteral("Luxusfunktion (langsamer)"), this);
    m_luxus->setObjectName(QStringLiteral("rLuxusRadioBtn"));
    for (QRadioButton* b : {m_standart, m_luxus})
        connect(b, &QRadioButton::clicked, this, &ReferenceLogsOptions::rLuxusRadioBtnClick);

    auto* explanation = new QPlainTextEdit(kExplanation, this);
    explanation->setObjectName(QStringLiteral("Memo6"));
    explanation->setReadOnly(true);
    explanation->setFocusPolicy(Qt::NoFocus);
    explanation->setFrameShape(QFrame::NoFrame);
    explanation->setBackgroundRole(QPalette::Window);
    explanation->viewport()->setAutoFillBackground(false);
    explanation->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    explanation->setMinimumHeight(explanation->fontMetrics().lineSpacing() * 9);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addLayout(slotRows);
    layout->addSpacing(8);
    layout->addWidget(m_standart);
    layout->addWidget(m_luxus);
    layout->addSpacing(8);
    layout->addWidget(explanation, 1);
}

void ReferenceLogsOptions::applySettings() {
    const ReferenceLogs::Options options = ReferenceLogs::readOptions(m_session.settings());
    for (int i = 0; i < ReferenceLogs::SlotCount; ++i)
        m_edits[static_cast<std::size_t>(i)]->setText(options.paths.value(i));
    (options.luxus ? m_luxus : m_standart)->setChecked(true);
}

void ReferenceLogsOptions::rLuxusRadioBtnClick() {
    ReferenceLogs::writeLuxus(m_session.settings(), m_luxus->isChecked());
    m_session.saveSettings();
}

void ReferenceLogsOptions::rLogEditChange() {
    if (!m_session.formReady())
        return;
    QStringList paths;
    for (QLineEdit* edit : m_edits)
        paths << edit->text();
    ReferenceLogs::writePaths(m_session.settings(), paths);
    m_session.saveSettings();
}

void ReferenceLogsOptions::rLog1BtnClick(int slot) {
    QLineEdit* edit = m_edits[static_cast<std::size_t>(slot - 1)];
    const QString chosen =
        m_session.dialogs().openFileName(m_session.texts()[LanguageTexts::ReferenceLogTitle],
                                         edit->text().isEmpty() ? m_session.folder() : edit->text(),
                                         m_session.texts()[LanguageTexts::ReferenceLogFilter]);
    if (!chosen.isEmpty())
        edit->setText(chosen);
}
