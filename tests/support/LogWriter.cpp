// A second writer for the tests of concurrent access: appends contacts to a
// log the way the entry tab does (through Session, numbering each one after
// the last it knows of), COUNT times or, with COUNT 0, until it is killed.
//
//   vesk-logwriter FOLDER LOG COUNT CALL
#include "logstore/IoError.h"
#include "ScriptedDialogs.h"
#include "session/Session.h"
#include "TestFolder.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fputs("usage: vesk-logwriter FOLDER LOG COUNT CALL\n", stderr);
        return 2;
    }
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session(args[1], clock, dialogs);
    if (session.chooseLog(args[2]) != Session::Choice::Opened || !session.reloadRows()) {
        std::fprintf(stderr, "%s\n", qPrintable(dialogs.errors.join(u'\n')));
        return 1;
    }
    const int count = args[3].toInt();
    int next = session.model().recordCount() + 1;
    for (int i = 0; count == 0 || i < count; ++i) {
        QsoRecord r;
        QsoRecord::decodeLine(QStringLiteral("0;01.02.2003;12:00:00;2m;FM;%1;59;59;;;;;10W;;;%2").arg(args[4]).arg(i), r);
        r[QsoRecord::Number] = QString::number(next);
        try {
            session.appendContact(r);
        } catch (const IoError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            return 1;
        }
        next = r[QsoRecord::Number].toInt() + 1;
        // A killer waits for this before it picks its moment, so that a slow
        // start on a busy machine is never taken for a lost contact.
        if (i == 0) {
            std::fputs("appended\n", stdout);
            std::fflush(stdout);
        }
    }
    return 0;
}
