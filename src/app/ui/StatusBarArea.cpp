#include "app/ui/StatusBarArea.h"

#include "entry/ReferenceLogs.h"
#include "entry/ui/EntryArea.h"
#include "entry/ui/ReferenceListController.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "platform/Clock.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "settings/StatusBarTemplate.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

StatusBarArea::StatusBarArea(Session& session, const EntryArea& entry, QStatusBar& bar, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_entry(entry), m_shown(new QLabel(&bar)),
      m_template(new QLineEdit(this)), m_help(new QPlainTextEdit(this)), m_timer(new QTimer(this)) {
    bar.setObjectName(QStringLiteral("StatusBar"));
    bar.setSizeGripEnabled(false);
    m_shown->setObjectName(QStringLiteral("StatusBarText"));
    bar.addWidget(m_shown, 1);

    auto* caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("StatusBarLabel"));
    ProgramTexts::follow(caption, [caption] { caption->setText(msgText(Msg::StatusBarTemplateLabel)); });
    m_template->setObjectName(QStringLiteral("StatusBarEdit"));
    m_help->setObjectName(QStringLiteral("StatusBarMemo"));
    m_help->setReadOnly(true);
    m_help->setFrameShape(QFrame::NoFrame);
    m_help->setBackgroundRole(QPalette::Window);
    m_help->viewport()->setBackgroundRole(QPalette::Window);
    m_help->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_help->setFont(fixed);
    ProgramTexts::follow(m_help, [help = m_help] { help->setPlainText(StatusBarTemplate::helpLines().join(u'\n')); });
    m_help->viewport()->installEventFilter(this);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_template, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(row);
    layout->addWidget(m_help, 1);

    m_timer->setObjectName(QStringLiteral("StatusBarTimer"));
    m_timer->setInterval(5000);
    connect(m_timer, &QTimer::timeout, this, &StatusBarArea::StatusBarTimerTimer);
    connect(m_template, &QLineEdit::textChanged, this, &StatusBarArea::StatusBarEditChange);
}

void StatusBarArea::applySettings() {
    m_applying = true;
    m_template->setText(StatusBarTemplate::stored(m_session.settings()));
    m_applying = false;
    activateTimer();
}

StatusBarValues StatusBarArea::currentValues() const {
    StatusBarValues v;
    const QDateTime now = m_session.clock().localNow();
    v.date = now.date();
    v.time = now.time();
    v.ticks = m_session.clock().msecsSinceStart();
    if (const LogFile* log = m_session.log()) {
        const LogTableModel& rows = m_session.model();
        v.logOpen = true;
        v.contacts = rows.recordCount();
        v.lastCall = rows.recordCount() > 0 ? rows.field(rows.recordCount() - 1, QsoRecord::Call) : QString();
        v.logFile = QFileInfo(log->fileName()).fileName();
    }
    v.referenceListShown = m_entry.referenceList().shown();
    v.referenceContacts = m_entry.referenceList().model().hitCount();
    v.referenceLogs = ReferenceLogs::readOptions(m_session.settings()).paths;
    v.callbookVersion = m_callbookVersion();
    return v;
}

void StatusBarArea::StatusBarTimerTimer() {
    m_shown->setText(StatusBarTemplate::fill(m_template->text(), currentValues(), QLocale()));
}

void StatusBarArea::activateTimer() {
    if (m_template->text().isEmpty())
        m_timer->stop();
    else if (!m_timer->isActive())
        m_timer->start();
}

QString StatusBarArea::shownText() const { return m_shown->text(); }

void StatusBarArea::StatusBarEditChange() {
    activateTimer();
    if (m_applying)
        return;
    StatusBarTemplate::store(m_session.settings(), m_template->text());
    m_session.saveSettings();
}

// The word under the double click goes into the template at the caret.
void StatusBarArea::StatusBarMemoDblClick() {
    const QString word = m_help->textCursor().selectedText().trimmed();
    if (word.isEmpty())
        return;
    const int caret = m_template->cursorPosition();
    const QString text = m_template->text();
    m_template->setText(text.left(caret) + word + text.mid(caret));
    m_template->setFocus();
    m_template->setCursorPosition(caret + static_cast<int>(word.size()));
}

bool StatusBarArea::eventFilter(QObject* watched, QEvent* event) {
    const bool result = OptionsPage::eventFilter(watched, event);
    if (watched == m_help->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // The editor selects the word first; the insertion follows it.
        QTimer::singleShot(0, this, &StatusBarArea::StatusBarMemoDblClick);
    }
    return result;
}
