#pragma once

#include "evaluations/QsoCounts.h"

#include <QWidget>

class EntryArea;
class QFrame;
class QLabel;
class QTabBar;
class QTableWidget;
class Session;
class Shell;

// The evaluation page "Anzahl QSOs": the contacts of the log counted by band
// and mode in five views; in the percentage view a pie follows the mouse,
// and a Ctrl+click on a count searches the contacts behind it.
class QsoCountsPage : public QWidget {
    Q_OBJECT
public:
    QsoCountsPage(Shell& shell, EntryArea& entry, QWidget* parent = nullptr);

    void AnzahlQsosTSShow();
    void AnzahlQsosTabControlChange();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QsoCounts::View view() const;
    void AnzahlQsosStringGridMouseMove(const QPoint& at);
    void AnzahlQsosStringGridMouseUp(const QPoint& at);
    void ShowAnzahlQsos(int sentShare, int receivedShare, const QPoint& topLeft);

    Shell& m_shell;
    Session& m_session;
    EntryArea& m_entry;
    QsoCounts m_counts;
    QTabBar* m_views;
    QLabel* m_info;
    QTableWidget* m_grid;
    QFrame* m_panel;
    QLabel* m_image;
};
