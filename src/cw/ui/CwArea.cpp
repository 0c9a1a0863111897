#include "cw/ui/CwArea.h"

#include "cw/CwSettings.h"
#include "cw/CwThread.h"
#include "cw/MorseCode.h"
#include "cw/ui/CwOptions.h"
#include "entry/ui/EntryArea.h"
#include "logstore/IoError.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/Settings.h"

#include <QAction>

CwArea::CwArea(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry), m_options(new CwOptions(shell.session())),
      m_menu(shell.menuEntry(QStringLiteral("CwMenu"))) {
    m_shell.addOptionsPage(m_options, QStringLiteral("CwTS"), QStringLiteral("CW"));
    connect(m_options, &CwOptions::testRequested, this, &CwArea::send);
    if (m_menu) {
        m_menu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
        m_menu->setShortcutContext(Qt::WindowShortcut);
        m_menu->setEnabled(true);
        connect(m_menu, &QAction::triggered, this, &CwArea::CwMenuClick);
    }
}

CwArea::~CwArea() {
    if (m_worker) {
        m_worker->cutShort();
        m_worker->wait();
        // Its completion, still queued, would call back into this object.
        delete m_worker.data();
    }
}

std::optional<QString> CwArea::menuText() {
    Session& session = m_shell.session();
    const std::optional<QString> number = m_entry.shownContactNumber();
    if (!number)
        return QString(MorseCode::ErrorSign);
    QsoRecord record;
    // An empty number in the search results stands for no contact.
    if (!number->isEmpty() || !m_shell.isCurrent(Page::Search)) {
        const std::optional<int> n = Settings::parseInteger(*number);
        if (!n) {
            session.dialogs().error(msgText(Msg::CwNotAnInteger).arg(*number));
            return std::nullopt;
        }
        try {
            if (session.log())
                session.log()->ReadRecord(record, *n);
        } catch (const IoError& e) {
            session.dialogs().error(e.message());
            return std::nullopt;
        }
    }
    return CwSending::textOf(record, CwSettings::fields(session.settings()));
}

void CwArea::CwMenuClick() {
    if (sending())
        return;
    const std::optional<QString> text = menuText();
    if (text)
        send(CwSettings::parameters(m_shell.session().settings(), *text));
}

void CwArea::send(const CwParameters& parameters) {
    if (sending())
        return;
    // Values from a hand-edited settings file or typed on the page that no
    // sending can use are refused here, before a worker exists.
    const QString refusal = parameters.refusal();
    if (!refusal.isEmpty()) {
        m_shell.session().dialogs().error(refusal);
        return;
    }
    auto* worker = new CwThread(parameters, m_shell.session().audio());
    worker->setOnNotice([this](const CwNotice& notice) { showNotice(notice); });
    worker->setOnTerminate([this] { CwThreadTerminate(); });
    m_worker = worker;
    setSending(true);
}

void CwArea::CwThreadTerminate() {
    m_worker = nullptr;
    setSending(false);
}

void CwArea::showNotice(const CwNotice& notice) {
    if (notice.kind == CwNotice::Kind::SpeakerMissing) {
        if (m_speakerMessageShown)
            return;
        m_speakerMessageShown = true;
        m_shell.session().dialogs().info(notice.text + u'\n' + msgText(Msg::CwSoundCardInstead));
        return;
    }
    m_shell.session().dialogs().error(notice.text);
}

void CwArea::setSending(bool sending) {
    if (m_menu)
        m_menu->setEnabled(!sending);
    m_options->setSending(sending);
}
