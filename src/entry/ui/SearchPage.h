#pragma once

#include "entry/SearchQuery.h"

#include <QWidget>
#include <QVector>
#include <array>
#include <optional>

class LogGridView;
class LogTableModel;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Session;

// The "Suche" tab: up to five conditions, all of which a contact must meet,
// and the contacts found. The QSL, locator, DOK, DXCC and QSO-count
// evaluations fill the conditions and run the search through this page.
class SearchPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowCount = 5;

    // listGrid: the list tab's grid, whose column widths the results take.
    SearchPage(Session& session, const LogGridView* listGrid, QWidget* parent = nullptr);

    // Rows count from 1, as the tab shows them.
    SearchCondition condition(int row) const;
    void setCondition(int row, const SearchCondition& condition);
    void setCondition(int row, bool enabled, int field, int op, const QString& value);
    // "Suche starten!" is enabled while at least one row is ticked.
    bool searchEnabled() const;

    void SearchBtnClick();
    LogGridView* resultGrid() const { return m_grid; }
    const LogTableModel& results() const { return *m_results; }
    // The number in column 0 of a result row; 0 when the row has none.
    int resultNumber(int row) const;
    // A contact of the log was saved again: the results that show it show
    // what was saved (the search is not run again, the rows stay).
    void refreshResult(int number, const QsoRecord& record);
    // Contacts were taken out of the log or put back, so that the numbers
    // moved: the last search runs again with the conditions it ran with
    // (what the rows show now may differ). Nothing when none has run.
    void logRenumbered();
    // Opens a result in the edit tab, as a double click on it does; a row
    // without a number opens nothing.
    void openResult(int row);

Q_SIGNALS:
    // A found contact is to be opened in the edit tab (index = record - 1).
    void openRequested(int recordIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QCheckBox* check;
        QComboBox* field;
        QComboBox* op;
        QLineEdit* value;
    };
    static bool validRow(int row);
    void sCheckBoxClick();
    void sOperatorComboBox1Change();
    void sEditChange(int row);
    void runSearch(const QVector<SearchCondition>& conditions);

    Session& m_session;
    const LogGridView* m_listGrid;
    std::array<Row, RowCount> m_rows{};
    QPlainTextEdit* m_formatNote = nullptr;
    QPushButton* m_searchButton = nullptr;
    LogTableModel* m_results = nullptr;
    LogGridView* m_grid = nullptr;
    bool m_adjusting = false;
    std::optional<QVector<SearchCondition>> m_lastConditions;
};
