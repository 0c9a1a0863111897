#pragma once

#include "entry/SearchQuery.h"
#include "entry/ui/EditPage.h"
#include "logstore/LogFile.h"
#include "session/Shell.h"

#include <QObject>
#include <QStringList>
#include <optional>

class DoppeltForm;
class LogTableModel;
class DuplicateCheckOptions;
class EntryDefaultsOptions;
class EntryOrderOptions;
class EntryPage;
class ListPage;
class PlePage;
class QAction;
class QKeyEvent;
class ReferenceListController;
class ReferenceLogsOptions;
class RstTxOptions;
class SearchPage;
class TextForm;

// The entry subsystem in the main window: the tabs "Eingabe", "Liste",
// "Editieren", "Suche" and "PLE", their option tabs, the duplicate warning,
// the reference list and the text editor, and how they work together.
class EntryArea : public QObject {
    Q_OBJECT
public:
    explicit EntryArea(Shell& shell, QObject* parent = nullptr);

    // The mask's state and the column widths as the settings hold them.
    void applySettings();
    // The program-end write of the column widths.
    void storeSettings();

    // Refills the lists from the current log and carries the last contact's
    // band, mode and power over into the mask.
    void ListeNeuFuellen();
    void openForEdit(int row, ReturnTarget target);
    // The main tabs moved from previous to shown.
    void pageChanged(QWidget* previous, QWidget* shown);

    // The duplicate check, when the operator leaves the call field.
    void CallEditExit();
    void EingabeTSEnter();
    // The edit tab was shown: it loads the contact selected in the list.
    void EditierenTSShow();
    void PleTSShow();
    void PleTSHide();
    void Liste2StringGridDblClick(int row);
    void Liste2StringGridMouseUp(int row);

    // Deletes contact number of the current log after asking, as long as the
    // file still holds it as shown (else nothing is deleted and the lists
    // are read again). The lists follow; the deletion can be taken back.
    void deleteContact(int number, const QsoRecord& shown);
    // Puts the contact deleted last back, unless the log was written since.
    void undoDeletion();

    ReferenceListController& referenceList() const { return *m_referenceList; }
    TextForm& textForm() const { return *m_textForm; }

    // For the evaluations, which work through the search tab: its rows take
    // the conditions (rows not given are switched off) and the search runs.
    // False, with nothing searched, when no row is on.
    bool search(const QVector<SearchCondition>& conditions);
    const LogTableModel& searchResults() const;
    // A search result opened in the edit tab as a double click on it opens
    // it; after saving the program goes to target.
    void openSearchResult(int row, ReturnTarget target);
    // The edit tab's "QSL in", for a card that has arrived.
    void markCardReceived(const QDate& date);
    void setCardHandlers(EditPage::CardHandlers handlers);
    // For the CW output: the number of the contact the page in front shows,
    // as text. "Eingabe" and "Liste": the list's first selected row ("0" for
    // none); "Editieren": the tab's number; "Suche": column 0 of the first
    // selected result (empty for none). nullopt in front of any other page.
    std::optional<QString> shownContactNumber() const;
    // For the station links: the locator and call texts of the page in
    // front, in the order they count. "Eingabe": the mask's field, then the
    // selected row of its list; "Liste", "Suche", "PLE": the selected row
    // (column 11 locator, column 5 call); "Editieren": its fields. nullopt in
    // front of any other page.
    struct StationTexts {
        QStringList locators;
        QStringList calls;
    };
    std::optional<StationTexts> stationTexts() const;

Q_SIGNALS:
    // The operator asked what the DXCC table knows about a call (the DXCC
    // label of the mask or the edit tab, or Ctrl+D).
    void dxccInfoRequested(const QString& call);
    // The operator confirmed a band or a mode in the mask: a rig link follows it.
    void bandConfirmed(const QString& band);
    void modeConfirmed(const QString& mode);
    // Ctrl+B or the callbook label of the mask.
    void callbookRequested();

protected:
    // Keys for the whole window arrive here before the control with the
    // focus sees them, as the function keys of the mask need.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPages();
    void buildOptionPages();
    void connectPages();
    void mirrorLowerListSelection();
    void returnAfterSaving(int number, ReturnTarget target);
    void deleteRow(int row);
    void forgetDeletion();
    // The rows read again after a deletion or its undo, row selected.
    void followRenumbering(int row);

    Shell& m_shell;
    Session& m_session;
    TextForm* m_textForm = nullptr;
    DoppeltForm* m_doppeltForm = nullptr;
    EntryPage* m_entryPage = nullptr;
    ListPage* m_listPage = nullptr;
    EditPage* m_editPage = nullptr;
    SearchPage* m_searchPage = nullptr;
    PlePage* m_plePage = nullptr;
    EntryOrderOptions* m_entryOrderOptions = nullptr;
    EntryDefaultsOptions* m_entryDefaultsOptions = nullptr;
    RstTxOptions* m_rstTxOptions = nullptr;
    DuplicateCheckOptions* m_duplicateOptions = nullptr;
    ReferenceLogsOptions* m_referenceOptions = nullptr;
    ReferenceListController* m_referenceList = nullptr;
    QList<int> m_columnsToFit; // list columns without a stored width, until the first fill
    int m_chordOnPress = 0; // the Ctrl chord handled on its press, until its release
    QAction* m_undoDeleteAction = nullptr; // "Löschen rückgängig", when the window has the menu
    std::optional<LogFile::Removal> m_removal; // the last deletion in this log, for undo
};
