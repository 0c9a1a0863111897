#pragma once

#include <QObject>

class EntryArea;
class QslOptions;
class QslPage;
class Shell;

// The QSL subsystem in the main window: the evaluation page "QSL", the
// options tab "QSL" (the card rule), and the card images: renaming a scan
// and showing a call's cards from the edit tab, and the slide show of the
// menu "QSL-Collection ...".
class QslArea : public QObject {
    Q_OBJECT
public:
    QslArea(Shell& shell, EntryArea& entry, QObject* parent = nullptr);

    QslPage& page() const { return *m_page; }

private:
    Shell& m_shell;
    EntryArea& m_entry;
    QslOptions* m_options;
    QslPage* m_page;
};
