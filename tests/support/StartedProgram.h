#pragma once

// For widget tests: the program started on a prepared folder, its main
// window shown and active so that focus and keys behave as for a user.
#include "app/ui/MainWindow.h"
#include "session/Session.h"
#include "FindControl.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QApplication>
#include <QTest>

struct StartedProgram {
    explicit StartedProgram(const TestFolder& dir, bool show = true) : session(dir.path(), clock, dialogs), w(session) {
        if (show) {
            w.show();
            QApplication::setActiveWindow(&w);
            if (!QTest::qWaitForWindowActive(&w))
                qWarning("main window did not become active");
        }
    }
    template <typename T> T* find(const char* name) { return findControl<T>(w, name); }
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session;
    MainWindow w;
};

// The program started on a fresh folder holding TestFolder::prepareProgram's
// log and settings; `auto& [dir, p] = run;` names both.
struct ProgramOnLog {
    explicit ProgramOnLog(const QStringList& records, const QByteArray& settings = {}, bool show = true)
        : p((dir.prepareProgram(records, settings), dir), show) {}
    TestFolder dir;
    StartedProgram p;
};
