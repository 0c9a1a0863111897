#pragma once

#include "converter/LogConverter.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableView;
class Session;
class StringGridModel;

// The log converter: a wizard that leads through one of four jobs on the
// logs of the program folder (import from ADIF or an HTML table, export to
// ADIF, HTML or fixed-width text, repair, joining logs onto one target). It
// lives as long as the main window and is shown without blocking it; each
// showing starts again at the first page. The jobs themselves are the rules
// of LogConverter; this window only collects what they need.
class LogConverterForm : public QWidget {
    Q_OBJECT
public:
    // One step per page title, in the order of the language file's titles.
    enum class Step {
        Start,
        ImportFile,   // 1.1
        ImportTarget, // 1.2
        ImportText,   // 1.3: a title without a page, kept for its language line
        ImportGrid,   // 1.4
        ImportDone,   // 1.5
        ExportLogs,   // 2.1
        ExportFile,   // 2.2
        ExportDone,   // 2.3
        RepairLogs,   // 3.1
        RepairDone,   // 3.2
        JoinLogs,     // 4.1
        JoinTarget,   // 4.2
        JoinDone,     // 4.3
    };
    Q_ENUM(Step)

    LogConverterForm(Session& session, QWidget* parent = nullptr);
    ~LogConverterForm() override;

    // Opens the window at the start page without blocking the caller; an open
    // window only comes to the front, so a job half set up is not lost.
    void showWizard();
    // Re-reads the title of the page on show after the language file changed;
    // every control caption is set by the language file itself.
    void applyLanguage();

    Step step() const { return m_step; }
    // Set until a job arrives at its finished page.
    bool inProgress() const { return m_inProgress; }

    void NextBtnClick();
    void BackBtnClick();
    void GotoStartBtnClick();
    void Import1BrowseBtnClick();
    void ExportBrowseBtnClick();

Q_SIGNALS:
    // A job rewrote or created these logs (paths). The rows of the open log
    // are reloaded already; a log menu may lack a new log.
    void logsChanged(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    QWidget* buildStartPage();
    QWidget* buildImportFilePage();
    QWidget* buildTargetLogPage();
    QWidget* buildGridPage();
    QWidget* buildLogListPage();
    QWidget* buildExportFilePage();
    QWidget* buildFinishedPage();
    QWidget* buildButtonBar();

    QString text(const char* name) const;
    QString pageTitle(Step step) const;
    void showStep(Step step);
    void restart();
    void refillLogLists();
    void finish(Step done, const QString& summary);

    void nextFromStart();
    void nextFromImportFile();
    void nextFromImportTarget();
    void nextFromGrid();
    void nextFromLogList(Step following);
    void nextFromExportFile();
    void nextFromJoinTarget();

    void Repair();
    void Verbinden(const QString& target);
    static bool AtLeastOneChecked(const QListWidget* list);

    // The log name of the target-log page as a path of the program folder,
    // ".log" appended to a name without "."; empty after telling the user
    // what is wrong with the name.
    QString targetLogPath();
    QString folderPath(const QString& typed) const;
    QStringList selectedLogPaths() const;
    // Runs a job with the hourglass and the progress bar, the window's
    // buttons blocked; a failure is shown and gives false.
    bool runJob(const std::function<void()>& job);
    void reportProgress(qint64 done, qint64 total);
    void touched(const QStringList& paths);
    void setBusy(bool busy);
    void updateButtons();

    void gridColumnChosen(int column);
    void gridItemChosen(int item);
    void startLineEdited(const QString& text);

    Session& m_session;
    LogConverter m_converter;
    Step m_step = Step::Start;
    bool m_inProgress = true;
    bool m_busy = false;
    int m_gridColumn = 0;

    QLabel* m_title;
    QStackedWidget* m_pages;
    QWidget* m_startPage;
    QWidget* m_importFilePage;
    QWidget* m_targetLogPage;
    QWidget* m_gridPage;
    QWidget* m_logListPage;
    QWidget* m_exportFilePage;
    QWidget* m_finishedPage;

    QRadioButton* m_importRadio;
    QRadioButton* m_exportRadio;
    QRadioButton* m_repairRadio;
    QRadioButton* m_joinRadio;
    QRadioButton* m_impAdifRadio;
    QRadioButton* m_impHtmlRadio;
    QLineEdit* m_importEdit;
    QLineEdit* m_targetLogEdit;
    QListWidget* m_targetLogList;
    QComboBox* m_gridComboBox;
    QLineEdit* m_startLineEdit;
    QTableView* m_gridView;
    StringGridModel* m_gridModel;
    QListWidget* m_logList;
    QRadioButton* m_expAdifRadio;
    QRadioButton* m_expHtmlRadio;
    QLineEdit* m_exportEdit;
    QPlainTextEdit* m_resultMemo;
    QProgressBar* m_progress;
    QPushButton* m_cancelBtn;
    QPushButton* m_backBtn;
    QPushButton* m_nextBtn;
};
