#pragma once

#include <QMainWindow>
#include <QStringList>

#include "entry/PageHistory.h"

class DoppeltForm;
class DuplicateCheckOptions;
class EditPage;
class EntryDefaultsOptions;
class EntryOrderOptions;
class EntryPage;
class GeneralOptions;
class ListPage;
class LogConverterForm;
class PlePage;
class ReferenceListModel;
class ReferenceLogsOptions;
class SearchPage;
class QToolButton;
class RstTxOptions;
class TextForm;
class QAction;
class QAbstractItemModel;
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
    // The lower list shows the current log again (after the reference list).
    void Liste2NeuFuellen();
    void BuildMenu();
    void LogFileMenuClick(QAction* item);
    void NewLogFileMenuClick();
    void LanguageSubMenuClick();
    void EingabeTSEnter();
    // The edit tab was shown: it loads the contact selected in the list.
    void EditierenTSShow();
    // Opens the contact of the list row in the edit tab; target says where
    // to go after saving (see EditPage::ReturnTarget).
    void openForEdit(int row, int returnTarget);
    // The duplicate check, when the operator leaves the call field.
    void CallEditExit();
    void SetHistory();

    // Reference logs: Ctrl+R on the entry tab fills DOK, name, QTH and
    // locator from the first contact with the call in the current log or a
    // reference log.
    void StandartfunktionReferenzLogs();
    // The call in the mask changed: the lower list switches to the reference
    // list (when chosen in the options), is refiltered, or returns to the log.
    void CallEditChange();
    void BuildRefListe();
    void ChangeRefListe();
    // Double click or Return on the lower list: takes a reference row over
    // into the mask, or opens the contact for editing.
    void Liste2StringGridDblClick(int row);
    void Liste2StringGridMouseUp(int row);
    // The lower list shows the reference list (yellow) rather than the log.
    bool referenceListShown() const { return m_referenceListShown; }
    const ReferenceListModel& referenceList() const { return *m_referenceList; }

    // The paper-log tab was shown or left.
    void PleTSShow();
    void PleTSHide();
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
    EntryPage* entryPage() const { return m_entryPage; }
    EditPage* editPage() const { return m_editPage; }
    TextForm* textForm() const { return m_textForm; }
    DoppeltForm* doppeltForm() const { return m_doppeltForm; }
    LogConverterForm* logConverterForm() const { return m_logConverterForm; }
    SearchPage* searchPage() const { return m_searchPage; }
    PlePage* plePage() const { return m_plePage; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPages();
    void buildOptionPages();
    void buildHistoryButtons();
    void buildMenus();
    void createSecondaryWindows();
    void connectPages();
    void mirrorLowerListSelection();
    // Shows model in the lower list, keeping its column widths.
    void setLowerListModel(QAbstractItemModel* model);
    void pageChanged(int index);
    // Back to the white list of the current log; the reference data goes.
    void leaveReferenceList();
    void showPages(const PageHistory::Pages& pages);
    void updateHistoryButtons();
    void applySettings();
    void restoreGeometryFromSettings();
    void updatePagesEnabled();

    Session& m_session;
    QTabWidget* m_pages = nullptr;
    QTabWidget* m_evaluationPages = nullptr;
    QTabWidget* m_optionPages = nullptr;
    EntryPage* m_entryPage = nullptr;
    ListPage* m_listPage = nullptr;
    EditPage* m_editPage = nullptr;
    SearchPage* m_searchPage = nullptr;
    PlePage* m_plePage = nullptr;
    QWidget* m_shownPage = nullptr;
    ReferenceLogsOptions* m_referenceOptions = nullptr;
    ReferenceListModel* m_referenceList = nullptr;
    bool m_referenceListShown = false;
    GeneralOptions* m_generalOptions = nullptr;
    EntryOrderOptions* m_entryOrderOptions = nullptr;
    EntryDefaultsOptions* m_entryDefaultsOptions = nullptr;
    RstTxOptions* m_rstTxOptions = nullptr;
    DuplicateCheckOptions* m_duplicateOptions = nullptr;
    TextForm* m_textForm = nullptr;
    DoppeltForm* m_doppeltForm = nullptr;
    LogConverterForm* m_logConverterForm = nullptr;
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
