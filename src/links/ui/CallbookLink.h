#pragma once

#include "links/CallBookAccess.h"

#include <QObject>
#include <optional>

class CallbookOptions;
class Shell;

// The callbook lookup of the mask (Ctrl+B or the label "Im Callbook
// suchen") and its options tab "RAC". The database named in the settings
// is taken at start; a database named later is used from the next start.
class CallbookLink : public QObject {
    Q_OBJECT
public:
    CallbookLink(Shell& shell, QObject* parent = nullptr);

    void CallbookLabelClick();

    // RAC_VERSION of the status bar: the component's database version while
    // a callbook is set up, else 0.
    int version() const;
    bool hasCallBook() const { return m_callBook.has_value(); }

private:
    Shell& m_shell;
    CallbookOptions* m_options;
    std::optional<CallBook> m_callBook;
};
