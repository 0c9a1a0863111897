#pragma once

#include "evaluations/AwardEvaluations.h"

#include <QWidget>

class EntryArea;
class FilterRow;
class QLabel;
class QTextEdit;
class Session;
class Shell;

// The evaluation page "DXCC": the entities worked and confirmed, and every
// entity of the table; a Ctrl+click on a line searches its contacts.
class DxccPage : public QWidget {
    Q_OBJECT
public:
    DxccPage(Shell& shell, EntryArea& entry, QWidget* parent = nullptr);

    void dxccStartBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dxccAllRichEditMouseUp(QTextEdit* view, const QPoint& at);

    Shell& m_shell;
    Session& m_session;
    EntryArea& m_entry;
    FilterRow* m_filter;
    QLabel* m_resultLabel;
    QTextEdit* m_all;
    QTextEdit* m_worked;
};
