#pragma once

#include "evaluations/AwardEvaluations.h"

#include <QWidget>

class EntryArea;
class FilterRow;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class Session;
class Shell;

// The evaluation page "DOK": the DOKs worked and those confirmed by a card,
// with the description of the DOK chosen; a Ctrl+click searches its contacts.
class DokPage : public QWidget {
    Q_OBJECT
public:
    DokPage(Shell& shell, EntryArea& entry, QWidget* parent = nullptr);

    void dokOkBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dokGearbeitetListBoxClick(QListWidget* list);
    void dokGearbeitetListBoxExit(QListWidget* list);
    void dokGearbeitetListBoxMouseUp(QListWidget* list, const QPoint& at);

    Shell& m_shell;
    Session& m_session;
    EntryArea& m_entry;
    FilterRow* m_filter;
    QLabel* m_resultLabel;
    QListWidget* m_worked;
    QListWidget* m_confirmed;
    QPlainTextEdit* m_info;
};
