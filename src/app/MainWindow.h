#pragma once

#include <QMainWindow>
#include <QStringList>

class EntryPage;
class ListPage;
class QAction;
class QActionGroup;
class QMenu;
class QTabWidget;
class Session;

// The frame of the program: the tabs, the main menu, the start order and the
// writes at the end. Pages get the session and talk to each other through
// this window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Refills both list grids from the current log and carries the last
    // contact's band, mode and power over into the mask.
    void ListeNeuFuellen();
    void BuildMenu();
    void LogFileMenuClick(QAction* item);
    void NewLogFileMenuClick();
    void LanguageSubMenuClick();
    void EingabeTSEnter();
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void buildMenus();
    void applySettings();
    void restoreGeometryFromSettings();
    void updatePagesEnabled();

    Session& m_session;
    QTabWidget* m_pages = nullptr;
    QTabWidget* m_evaluationPages = nullptr;
    QTabWidget* m_optionPages = nullptr;
    EntryPage* m_entryPage = nullptr;
    ListPage* m_listPage = nullptr;
    QMenu* m_logFileMenu = nullptr;
    QActionGroup* m_logFileGroup = nullptr;
    QMenu* m_languageMenu = nullptr;
    QAction* m_deutschMenu = nullptr;
    QAction* m_englishMenu = nullptr;
    QStringList m_unresolvedLanguageTargets;
    bool m_stored = false;
};
