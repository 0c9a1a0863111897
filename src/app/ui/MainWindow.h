#pragma once

#include "app/PageHistory.h"
#include "session/Shell.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

class CwArea;
class StationLinks;
class EntryArea;
class AuxiliaryWindows;
class StatusBarArea;
class EvaluationsArea;
class QslArea;
class GeneralOptions;
class LogConverterForm;
class QAction;
class QActionGroup;
class QHBoxLayout;
class QMenu;
class QTabWidget;
class QToolButton;

// The frame of the program: the tabs, the main menu, the page history, the
// start order and the writes at the end. The subsystems fill their tabs and
// reach the window only through the Shell interface.
class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT
public:
    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shell
    Session& session() override { return m_session; }
    EntryMask& entryMask() override { return *m_entryMask; }
    QWidget* window() override { return this; }
    void addPage(Page page, QWidget* widget, const QString& caption) override;
    void showPage(Page page) override;
    bool isCurrent(Page page) const override;
    QTabWidget& evaluationPages() override { return *m_evaluationPages; }
    void addEvaluationPage(QWidget* page, const QString& caption) override;
    void addOptionsPage(OptionsPage* page, const QString& tabName, const QString& caption) override;
    QAction* menuEntry(const QString& objectName) override;
    void addSpeedButton(QToolButton* button) override;
    void openForEdit(int row, ReturnTarget target) override;
    void reloadLists() override;
    void logFilesChanged() override { BuildMenu(); }

    void BuildMenu();
    void LogFileMenuClick(QAction* item);
    // Makes a log of the program folder the current one, as its menu entry does.
    void chooseLog(const QString& name);
    void NewLogFileMenuClick();
    void LanguageSubMenuClick();
    void SetHistory();
    // Rebuilds the DXCC prefix index from the table.
    void CreateDxccMenuClick();
    void BackSpeedButtonClick();
    void NextSpeedButtonClick();
    // Applies the language file named in the settings to all windows and
    // rebuilds the log-file menu, whose texts come from it. A file that
    // cannot be read is reported and the built-in German texts apply.
    void LoadLanguage();
    // The windows the language file addresses: this one and every window it owns.
    QList<QWidget*> languageWindows();
    // Targets of the last LoadLanguage whose window or control is not built.
    const QStringList& unresolvedLanguageTargets() const { return m_unresolvedLanguageTargets; }

    // The program-end writes: log name, note pad, position and size, list
    // column widths, then the file. Runs once; the destructor calls it too.
    void storeAtEnd();

    QTabWidget* pages() const { return m_pages; }
    EntryArea& entryArea() const { return *m_entryArea; }
    QslArea& qslArea() const { return *m_qslArea; }
    EvaluationsArea& evaluationsArea() const { return *m_evaluationsArea; }
    AuxiliaryWindows& auxiliaryWindows() const { return *m_auxiliaryWindows; }
    StatusBarArea& statusBarArea() const { return *m_statusBarArea; }
    CwArea& cwArea() const { return *m_cwArea; }
    LogConverterForm* logConverterForm() const { return m_logConverterForm; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void buildHistoryButtons();
    void buildMenus();
    void createSecondaryWindows();
    void pageChanged(int index);
    void showPages(const PageHistory::Pages& pages);
    void updateHistoryButtons();
    void applySettings();
    void restoreGeometryFromSettings();
    void updatePagesEnabled();

    Session& m_session;
    EntryMask* m_entryMask = nullptr;
    QTabWidget* m_pages = nullptr;
    QList<Page> m_pageKinds; // the kind of each main tab, in tab order
    QTabWidget* m_evaluationPages = nullptr;
    QTabWidget* m_optionPages = nullptr;
    QList<OptionsPage*> m_optionsPages;
    QWidget* m_shownPage = nullptr;
    GeneralOptions* m_generalOptions = nullptr;
    EntryArea* m_entryArea = nullptr;
    QslArea* m_qslArea = nullptr;
    EvaluationsArea* m_evaluationsArea = nullptr;
    AuxiliaryWindows* m_auxiliaryWindows = nullptr;
    StatusBarArea* m_statusBarArea = nullptr;
    CwArea* m_cwArea = nullptr;
    StationLinks* m_stationLinks = nullptr;
    LogConverterForm* m_logConverterForm = nullptr;
    QHBoxLayout* m_speedButtons = nullptr;
    QToolButton* m_backButton = nullptr;
    QToolButton* m_nextButton = nullptr;
    PageHistory m_history;
    bool m_showingHistory = false;
    QMenu* m_logFileMenu = nullptr;
    QActionGroup* m_logFileGroup = nullptr;
    QMenu* m_languageMenu = nullptr;
    QAction* m_deutschMenu = nullptr;
    QAction* m_englishMenu = nullptr;
    QStringList m_unresolvedLanguageTargets;
    bool m_stored = false;
};
