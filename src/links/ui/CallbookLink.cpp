#include "links/ui/CallbookLink.h"

#include "entry/EntryMask.h"
#include "links/CallbookSettings.h"
#include "links/ui/CallbookOptions.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/LanguageTexts.h"

CallbookLink::CallbookLink(Shell& shell, QObject* parent)
    : QObject(parent), m_shell(shell), m_options(new CallbookOptions(shell.session())),
      m_callBook(CallBook::forDatabaseFile(CallbookSettings::fileName(shell.session().settings()))) {
    m_shell.addOptionsPage(m_options, QStringLiteral("CallBookTS"), QStringLiteral("RAC"));
}

int CallbookLink::version() const { return m_callBook ? CallBook::versionNr() : 0; }

void CallbookLink::CallbookLabelClick() {
    Session& session = m_shell.session();
    if (!m_callBook) {
        session.dialogs().error(session.texts()[14]);
        return;
    }
    EntryMask& mask = m_shell.entryMask();
    const CallInfo info = m_callBook->GetCallInfo(mask.field(QsoRecord::Call));
    if (info.ErrorCode != 0) {
        session.dialogs().error(session.texts()[CallBook::messageIndex(info.ErrorCode)] + QStringLiteral(": ") +
                                QString::number(info.ErrorCode));
        return;
    }
    const CallbookTransfer transfer = CallBook::transfer(info, m_options->selection());
    if (transfer.name)
        mask.setField(QsoRecord::Name, *transfer.name);
    if (!transfer.commentLines.isEmpty())
        mask.setField(QsoRecord::Comments,
                      CallBook::appendLines(mask.field(QsoRecord::Comments), transfer.commentLines));
}
