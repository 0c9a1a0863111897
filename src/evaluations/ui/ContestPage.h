#pragma once

#include "evaluations/ContestEngine.h"

#include <QWidget>

class ContestResultModel;
class ContestRulesModel;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class Session;
class Shell;

// The evaluation page "Contest": the rule table on the sub-page "Regeln",
// the scored log with its totals and the spreadsheet export on "Auswertung".
// The rules and the scoring are ContestEngine's; the page edits the table,
// runs the engine and shows what it returns.
class ContestPage : public QWidget {
    Q_OBJECT
public:
    explicit ContestPage(Shell& shell, QWidget* parent = nullptr);

    void tstNewRuleClick();
    void tstDeleteRuleClick();
    void tstLoadBtnClick();
    void tstSaveBtnClick();
    void tstErgBtnClick();
    void tstExcelBtnClick();

    const ContestRules& rules() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TabSheet5Show();
    void tstErgStringGridMouseUp();
    void finishEditing();
    QString dialogTitle(const QPushButton* button) const;

    Shell& m_shell;
    Session& m_session;
    ContestRulesModel* m_rulesModel;
    ContestResultModel* m_resultModel;
    ContestResult m_result; // what the result table shows, for the export
    QTabWidget* m_sheets;
    QWidget* m_rulesSheet;
    QWidget* m_resultSheet;
    QTableView* m_rulesGrid;
    QTableView* m_resultGrid;
    QPushButton* m_newRule;
    QPushButton* m_deleteRule;
    QPushButton* m_load;
    QPushButton* m_save;
    QPushButton* m_run;
    QPushButton* m_export;
    QLabel* m_points;
    QLabel* m_multipliers;
    QLabel* m_score;
};
