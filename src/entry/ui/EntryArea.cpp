#include "entry/ui/EntryArea.h"

#include "entry/DuplicateCheck.h"
#include "entry/EditRules.h"
#include "entry/EntryMask.h"
#include "entry/EntrySettings.h"
#include "entry/ui/DoppeltForm.h"
#include "entry/ui/DuplicateCheckOptions.h"
#include "entry/ui/EditPage.h"
#include "entry/ui/EntryDefaultsOptions.h"
#include "entry/ui/EntryOrderOptions.h"
#include "entry/ui/EntryPage.h"
#include "entry/ui/ListPage.h"
#include "entry/ui/LogGridView.h"
#include "entry/ui/PlePage.h"
#include "entry/ui/ReferenceListController.h"
#include "entry/ui/ReferenceLogsOptions.h"
#include "entry/ui/RstTxOptions.h"
#include "entry/ui/SearchPage.h"
#include "logstore/IoError.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "settings/WindowSettings.h"
#include "windows/ui/TextForm.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

EntryArea::EntryArea(Shell& shell, QObject* parent) : QObject(parent), m_shell(shell), m_session(shell.session()) {
    // The text editor serves the edit tab, so it exists before the pages.
    m_textForm = new TextForm(m_session.dialogs(), m_shell.window());
    m_doppeltForm = new DoppeltForm(m_shell.window());
    buildPages();
    buildOptionPages();
    m_referenceList = new ReferenceListController(m_session, m_shell.entryMask(), *m_entryPage->lowerList(),
                                                  *m_listPage->grid(), this);
    connectPages();
    qApp->installEventFilter(this);
    m_undoDeleteAction = m_shell.menuEntry(QStringLiteral("UndoDeleteMenu"));
    if (m_undoDeleteAction) {
        m_undoDeleteAction->setEnabled(false);
        connect(m_undoDeleteAction, &QAction::triggered, this, &EntryArea::undoDeletion);
    }
    // An undo kept across a change of log would aim at another file.
    connect(&m_session, &Session::currentLogChanged, this, &EntryArea::forgetDeletion);
}

void EntryArea::buildPages() {
    m_entryPage = new EntryPage(m_session, m_shell.entryMask());
    m_entryPage->setObjectName(QStringLiteral("EingabeTS"));
    m_shell.addPage(Page::Entry, m_entryPage, QStringLiteral("Eingabe"));
    m_listPage = new ListPage(m_session);
    m_listPage->setObjectName(QStringLiteral("ListeTS"));
    m_shell.addPage(Page::List, m_listPage, QStringLiteral("Liste"));
    m_editPage = new EditPage(m_session, *m_textForm);
    m_editPage->setObjectName(QStringLiteral("EditierenTS"));
    m_shell.addPage(Page::Edit, m_editPage, QStringLiteral("Editieren"));
    m_searchPage = new SearchPage(m_session, m_listPage->grid());
    m_searchPage->setObjectName(QStringLiteral("SucheTS"));
    m_shell.addPage(Page::Search, m_searchPage, QStringLiteral("Suche"));
    m_plePage = new PlePage(m_session);
    m_plePage->setObjectName(QStringLiteral("PleTS"));
    m_shell.addPage(Page::PaperLog, m_plePage, QStringLiteral("PLE"));
}

void EntryArea::buildOptionPages() {
    m_entryOrderOptions = new EntryOrderOptions(m_session, m_shell.entryMask().bindings());
    m_shell.addOptionsPage(m_entryOrderOptions, QStringLiteral("OrdnungEingabeTS"), QStringLiteral("Ordnung Eingabe"));
    m_entryDefaultsOptions = new EntryDefaultsOptions(m_session);
    m_shell.addOptionsPage(m_entryDefaultsOptions, QStringLiteral("VorgabenEingabeTS"),
                           QStringLiteral("Vorgaben Eingabe"));
    m_rstTxOptions = new RstTxOptions(m_session);
    m_shell.addOptionsPage(m_rstTxOptions, QStringLiteral("AutoNrTS"), QStringLiteral("RST (+Nr) TX"));
    m_duplicateOptions = new DuplicateCheckOptions(m_session);
    m_shell.addOptionsPage(m_duplicateOptions, QStringLiteral("DoppelCheckTS"), QStringLiteral("Doppel-Check"));
    m_referenceOptions = new ReferenceLogsOptions(m_session);
    m_shell.addOptionsPage(m_referenceOptions, QStringLiteral("ReferenzLogsTS"), QStringLiteral("Referenz-Logs"));
}

void EntryArea::connectPages() {
    EntryMask& mask = m_shell.entryMask();
    // Queued: the warning opens once the focus has moved on, not in the
    // middle of the focus change that triggered it.
    connect(m_entryPage, &EntryPage::callLeft, this, &EntryArea::CallEditExit, Qt::QueuedConnection);
    connect(m_entryPage, &EntryPage::contactSaved, this, [this] {
        m_listPage->grid()->scrollToLastRow();
        m_rstTxOptions->advanceNumber();
    });
    connect(m_entryPage, &EntryPage::lowerListActivated, this, &EntryArea::Liste2StringGridDblClick);
    connect(m_entryPage, &EntryPage::lowerListCtrlClicked, this, &EntryArea::Liste2StringGridMouseUp);
    connect(m_entryPage, &EntryPage::referenceLogsRequested, m_referenceList,
            &ReferenceListController::StandartfunktionReferenzLogs);
    connect(m_referenceList, &ReferenceListController::lowerListModelChanged, this,
            &EntryArea::mirrorLowerListSelection);
    connect(m_searchPage, &SearchPage::openRequested, this,
            [this](int row) { openForEdit(row, ReturnTarget::Search); });
    connect(m_plePage, &PlePage::contactSaved, this, [&mask](int number) { mask.setNextNumber(number + 1); });
    connect(m_plePage, &PlePage::logRewritten, this, &EntryArea::ListeNeuFuellen);
    connect(m_listPage->grid(), &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { openForEdit(index.row(), m_editPage->returnTarget()); });
    mirrorLowerListSelection();
    connect(m_editPage, &EditPage::saved, this, &EntryArea::returnAfterSaving);
    connect(m_editPage, &EditPage::dxccInfoRequested, this, &EntryArea::dxccInfoRequested);
    connect(m_entryPage, &EntryPage::dxccInfoRequested, this,
            [this] { Q_EMIT dxccInfoRequested(m_shell.entryMask().field(QsoRecord::Call)); });
    connect(m_entryPage, &EntryPage::bandConfirmed, this, &EntryArea::bandConfirmed);
    connect(m_entryPage, &EntryPage::modeConfirmed, this, &EntryArea::modeConfirmed);
    connect(m_entryPage, &EntryPage::callbookRequested, this, &EntryArea::callbookRequested);
    connect(m_editPage, &EditPage::logChangedOutside, this, &EntryArea::ListeNeuFuellen);
    connect(m_editPage, &EditPage::deleteRequested, this, &EntryArea::deleteContact);
    connect(m_listPage->grid(), &LogGridView::deleteRequested, this, &EntryArea::deleteRow);
    connect(m_entryPage->lowerList(), &LogGridView::deleteRequested, this, [this](int row) {
        // The lower list may show a reference log instead; its rows are not ours.
        if (m_entryPage->lowerList()->model() == &m_session.model() && !m_entryPage->editorOpen())
            deleteRow(row);
    });
    connect(m_entryOrderOptions, &EntryOrderOptions::bindingsChanged, m_entryPage, &EntryPage::NewButtonCaption);
    connect(m_rstTxOptions, &RstTxOptions::appendTextChanged, &mask, &EntryMask::setRstAppendText);
}

// A contact picked in the lower list is the one the edit tab opens.
void EntryArea::mirrorLowerListSelection() {
    LogGridView* lower = m_entryPage->lowerList();
    if (lower->model() != &m_session.model())
        return;
    connect(lower->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            m_listPage->grid()->selectRecord(current.row());
    });
}

void EntryArea::applySettings() {
    const Settings& s = m_session.settings();
    EntryMask& mask = m_shell.entryMask();
    for (int item : {MaskItem::Dok, MaskItem::Locator, MaskItem::Qth, MaskItem::Name, MaskItem::Comments,
                     MaskItem::QslOut, MaskItem::QslIn})
        mask.setShown(item, EntrySettings::shownAtStart(s, item));
    mask.bindings().load(s);
    m_entryPage->NewButtonCaption();
    m_entryPage->ClearMask();
    // Columns without a stored width are fitted once the log is read.
    const QVector<int> widths = WindowSettings::listColumnWidths(s, QsoRecord::FieldCount, 0);
    m_columnsToFit.clear();
    for (int c = 0; c < widths.size(); ++c)
        if (widths[c] <= 0)
            m_columnsToFit << c;
    m_listPage->grid()->setColumnWidths(widths);
    m_entryPage->lowerList()->setColumnWidths(widths);
}

void EntryArea::storeSettings() {
    WindowSettings::setListColumnWidths(m_session.settings(), m_listPage->grid()->columnWidths());
}

void EntryArea::ListeNeuFuellen() {
    m_session.reloadRows();
    if (!m_columnsToFit.isEmpty() && m_session.hasLog()) {
        m_listPage->grid()->fitColumnsQuickly(m_columnsToFit);
        m_entryPage->lowerList()->setColumnWidths(m_listPage->grid()->columnWidths());
        m_columnsToFit.clear();
    }
    m_shell.entryMask().carryOver(m_session.model());
    m_listPage->grid()->scrollToLastRow();
    m_entryPage->lowerList()->scrollToLastRow();
}

void EntryArea::openForEdit(int row, ReturnTarget target) {
    m_listPage->grid()->selectRecord(row);
    m_editPage->setReturnTarget(target);
    if (m_shell.isCurrent(Page::Edit))
        EditierenTSShow();
    else
        m_shell.showPage(Page::Edit);
}

void EntryArea::returnAfterSaving(int number, ReturnTarget target) {
    ListeNeuFuellen();
    if (number >= 1 && number <= m_session.model().recordCount())
        m_searchPage->refreshResult(number, m_session.model().record(number - 1));
    for (LogGridView* grid : {m_listPage->grid(), m_entryPage->lowerList()})
        grid->selectRecord(number - 1);
    m_listPage->grid()->scrollTo(m_session.model().index(number - 1, 0), QAbstractItemView::PositionAtBottom);
    switch (target) {
    case ReturnTarget::Entry: m_shell.showPage(Page::Entry); break;
    case ReturnTarget::Search: m_shell.showPage(Page::Search); break;
    case ReturnTarget::QslEvaluation:
    case ReturnTarget::ContestResults: m_shell.showPage(Page::Evaluations); break;
    case ReturnTarget::List: m_shell.showPage(Page::List); break;
    }
}

void EntryArea::deleteRow(int row) {
    if (row >= 0 && row < m_session.model().recordCount())
        deleteContact(row + 1, m_session.model().record(row));
}

void EntryArea::deleteContact(int number, const QsoRecord& shown) {
    if (!m_session.hasLog() || number < 1)
        return;
    if (!m_session.dialogs().question(EditRules::deleteQuestion(shown)))
        return;
    std::optional<LogFile::Removal> removal;
    try {
        // The list or the tab may be older than the file: another program
        // may have rewritten the log, and number be some other contact now.
        removal = m_session.log()->RemoveRecordIf(
            number, [&shown](const QsoRecord& inFile) { return EditRules::sameContact(inFile, shown); });
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
        return;
    }
    if (!removal) {
        m_session.dialogs().error(
            msgText(Msg::DeleteChangedOutside).arg(m_session.currentLogName()).arg(number));
        followRenumbering(number - 1);
        return;
    }
    m_removal = std::move(removal);
    if (m_undoDeleteAction)
        m_undoDeleteAction->setEnabled(true);
    // The contact that moved into its place, or the new last one.
    followRenumbering(number - 1);
}

void EntryArea::undoDeletion() {
    if (!m_removal || !m_session.hasLog())
        return;
    bool restored = false;
    try {
        restored = m_session.log()->RestoreRecord(*m_removal);
    } catch (const IoError& e) {
        // Kept: once the disk has room again, the undo may succeed.
        m_session.dialogs().error(e.message());
        return;
    }
    const int number = m_removal->number;
    if (!restored) {
        m_session.dialogs().error(msgText(Msg::UndoDeleteRefused)
                                      .arg(m_removal->record[QsoRecord::Number], m_session.currentLogName()));
    }
    forgetDeletion();
    // Put back, or refused because someone else wrote the log: either way
    // the lists show the file as it is now.
    followRenumbering(number - 1);
}

void EntryArea::forgetDeletion() {
    m_removal.reset();
    if (m_undoDeleteAction)
        m_undoDeleteAction->setEnabled(false);
}

void EntryArea::followRenumbering(int row) {
    // Only the rows and the next number: the mask keeps what is being entered.
    m_session.reloadRows();
    const LogTableModel& model = m_session.model();
    m_shell.entryMask().setNextNumber(model.recordCount() + 1);
    row = std::clamp(row, 0, std::max(0, model.recordCount() - 1));
    for (LogGridView* grid : {m_listPage->grid(), m_entryPage->lowerList()}) {
        if (grid->model() != &model)
            continue;
        grid->selectRecord(row);
        grid->scrollTo(model.index(row, 0));
    }
    m_searchPage->logRenumbered();
    if (m_shell.isCurrent(Page::Edit))
        EditierenTSShow();
    else
        m_editPage->EditierenTSShow(0);
}

bool EntryArea::search(const QVector<SearchCondition>& conditions) {
    for (int row = 1; row <= SearchPage::RowCount; ++row) {
        SearchCondition c = row <= conditions.size() ? conditions[row - 1] : SearchCondition{};
        if (!c.enabled) { // switched off, what the row shows stays
            c = m_searchPage->condition(row);
            c.enabled = false;
        }
        m_searchPage->setCondition(row, c);
    }
    if (!m_searchPage->searchEnabled())
        return false;
    m_searchPage->SearchBtnClick();
    return true;
}

const LogTableModel& EntryArea::searchResults() const { return m_searchPage->results(); }

void EntryArea::openSearchResult(int row, ReturnTarget target) {
    const int number = m_searchPage->resultNumber(row);
    if (number <= 0)
        return;
    m_searchPage->resultGrid()->selectRecord(row);
    openForEdit(number - 1, target);
}

void EntryArea::markCardReceived(const QDate& date) { m_editPage->markCardReceived(date); }

void EntryArea::setCardHandlers(EditPage::CardHandlers handlers) { m_editPage->setCardHandlers(std::move(handlers)); }

void EntryArea::pageChanged(QWidget* previous, QWidget* shown) {
    // An editor left open on another page would greet the operator on the
    // way back with a value half chosen.
    if (previous == m_entryPage && shown != m_entryPage)
        m_entryPage->closeEditor();
    if (previous == m_plePage && shown != m_plePage)
        PleTSHide();
    if (shown == m_entryPage)
        EingabeTSEnter();
    else if (shown == m_editPage)
        EditierenTSShow();
    else if (shown == m_plePage)
        PleTSShow();
}

void EntryArea::EditierenTSShow() {
    const QModelIndex current = m_listPage->grid()->currentIndex();
    const int row = current.isValid() ? current.row() : m_session.model().rowCount() - 1;
    m_editPage->EditierenTSShow(row < m_session.model().recordCount() ? row + 1 : 0);
}

namespace {

int firstSelectedRow(const QTableView& grid) {
    int first = -1;
    if (grid.selectionModel()) {
        for (const QModelIndex& index : grid.selectionModel()->selectedIndexes())
            first = first < 0 ? index.row() : std::min(first, index.row());
    }
    if (first < 0 && grid.currentIndex().isValid())
        first = grid.currentIndex().row();
    return first;
}

} // namespace

std::optional<QString> EntryArea::shownContactNumber() const {
    if (m_shell.isCurrent(Page::Entry) || m_shell.isCurrent(Page::List))
        return QString::number(firstSelectedRow(*m_listPage->grid()) + 1);
    if (m_shell.isCurrent(Page::Edit))
        return m_editPage->numberText();
    if (m_shell.isCurrent(Page::Search)) {
        const int row = firstSelectedRow(*m_searchPage->resultGrid());
        const LogTableModel& results = m_searchPage->results();
        return row >= 0 && row < results.recordCount() ? results.field(row, QsoRecord::Number) : QString();
    }
    return std::nullopt;
}

namespace {

// Column 11 (locator) and column 5 (call) of the selected row; nothing when
// no row is selected.
EntryArea::StationTexts selectedRowTexts(const QTableView& grid) {
    const int row = firstSelectedRow(grid);
    const QAbstractItemModel* model = grid.model();
    if (row < 0 || !model || row >= model->rowCount())
        return {};
    return {{model->index(row, QsoRecord::Locator - 1).data().toString()},
            {model->index(row, QsoRecord::Call - 1).data().toString()}};
}

} // namespace

std::optional<EntryArea::StationTexts> EntryArea::stationTexts() const {
    if (m_shell.isCurrent(Page::Entry)) {
        const EntryMask& mask = m_shell.entryMask();
        const StationTexts row = selectedRowTexts(*m_entryPage->lowerList());
        return StationTexts{QStringList{mask.field(QsoRecord::Locator)} + row.locators,
                            QStringList{mask.field(QsoRecord::Call)} + row.calls};
    }
    if (m_shell.isCurrent(Page::List))
        return selectedRowTexts(*m_listPage->grid());
    if (m_shell.isCurrent(Page::Search))
        return selectedRowTexts(*m_searchPage->resultGrid());
    if (m_shell.isCurrent(Page::PaperLog))
        return selectedRowTexts(*m_plePage->grid());
    if (m_shell.isCurrent(Page::Edit)) {
        const QsoRecord record = m_editPage->currentRecord();
        return StationTexts{{record[QsoRecord::Locator]}, {record[QsoRecord::Call]}};
    }
    return std::nullopt;
}

void EntryArea::EingabeTSEnter() {
    m_entryPage->lowerList()->setColumnWidths(m_listPage->grid()->columnWidths());
}

void EntryArea::PleTSShow() {
    m_plePage->PleTSShow(m_listPage->grid()->columnWidths(), m_shell.entryMask().nextNumber());
}

void EntryArea::PleTSHide() { ListeNeuFuellen(); }

void EntryArea::CallEditExit() {
    const EntryMask& mask = m_shell.entryMask();
    const int match = DuplicateCheck::findFirst(m_session.model(), mask.field(QsoRecord::Call),
                                                mask.field(QsoRecord::Band), mask.field(QsoRecord::Mode),
                                                mask.field(QsoRecord::Date), m_duplicateOptions->options());
    if (match < 0)
        return;
    switch (m_doppeltForm->ask(DuplicateCheck::gridCells(m_session.model(), match))) {
    case DoppeltForm::Discard: m_entryPage->ClearMask(); break;
    case DoppeltForm::Correct: m_entryPage->focusCall(); break;
    default: break;
    }
}

void EntryArea::Liste2StringGridDblClick(int row) {
    if (m_referenceList->takeRow(row))
        m_entryPage->focusCall();
    else
        openForEdit(row, ReturnTarget::Entry);
}

void EntryArea::Liste2StringGridMouseUp(int row) {
    const int logRow = m_referenceList->logRowOf(row);
    if (logRow >= 0)
        openForEdit(logRow, ReturnTarget::Entry);
}

bool EntryArea::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if ((press || event->type() == QEvent::KeyRelease) && m_shell.isCurrent(Page::Entry) &&
        m_entryPage->isEnabled()) {
        auto* w = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (!w || w->window() != m_shell.window() || key->isAutoRepeat())
            return QObject::eventFilter(watched, event);
        // A quick Ctrl chord lets go of Ctrl before the letter, so its
        // release comes without Ctrl: the chord counts when it is pressed,
        // and its release is then swallowed.
        if (press) {
            if (!(key->modifiers() & Qt::ControlModifier) || !EntryPage::isCtrlChord(key->key()))
                return false;
            m_chordOnPress = key->key();
            return m_entryPage->FormKeyUp(key);
        }
        if (key->key() == m_chordOnPress) {
            m_chordOnPress = 0;
            return true;
        }
        return m_entryPage->FormKeyUp(key);
    }
    return QObject::eventFilter(watched, event);
}
