#pragma once

#include "evaluations/LocatorEvaluation.h"

#include <QWidget>

class EntryArea;
class QCheckBox;
class FilterRow;
class QLabel;
class QPushButton;
class QTableView;
class Session;
class Shell;
class SquareModel;

// The evaluation page "Locator-Großfelder": the squares worked and confirmed,
// as a list and as a map-like table, saved or printed as an HTML file; a
// Ctrl+click on a square searches its contacts.
class LocatorPage : public QWidget {
    Q_OBJECT
public:
    LocatorPage(Shell& shell, EntryArea& entry, QWidget* parent = nullptr);

    void locAuswertenBtnClick();
    void locSpeichernBtnClick();
    void locDruckenBtnClick();

    QTableView* listGrid() const { return m_listGrid; }
    QTableView* tableGrid() const { return m_tableGrid; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void locListeDrawGridMouseUp(const SquareCell& cell);
    QByteArray html(bool print) const;
    bool write(const QString& path, const QByteArray& bytes);

    Shell& m_shell;
    Session& m_session;
    EntryArea& m_entry;
    // Kept until the next run: saving, printing and the Ctrl+click read it.
    LocatorResult m_result;
    FilterRow* m_filter;
    QLabel* m_resultLabel;
    SquareModel* m_listModel;
    SquareModel* m_tableModel;
    QTableView* m_listGrid;
    QTableView* m_tableGrid;
    QCheckBox* m_exportList;
    QCheckBox* m_exportTable;
};
