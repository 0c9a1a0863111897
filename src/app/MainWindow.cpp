#include "app/MainWindow.h"

#include "app/GeneralOptions.h"
#include "app/LanguageApplier.h"
#include "app/Session.h"
#include "converter/LogConverterForm.h"
#include "entry/DoppeltForm.h"
#include "entry/DuplicateCheck.h"
#include "entry/DuplicateCheckOptions.h"
#include "entry/EditPage.h"
#include "entry/EntryDefaultsOptions.h"
#include "entry/EntryOrderOptions.h"
#include "entry/EntryPage.h"
#include "entry/ListPage.h"
#include "entry/LogGridView.h"
#include "entry/PlePage.h"
#include "entry/ReferenceLogs.h"
#include "entry/ReferenceLogsOptions.h"
#include "entry/RstTxOptions.h"
#include "entry/SearchPage.h"
#include "windows/TextForm.h"
#include "logstore/LogDirectory.h"
#include "entry/EntryRules.h"
#include "logstore/IoError.h"
#include "logstore/QsoRecord.h"
#include "platform/Dialogs.h"
#include "refdata/Dxcc.h"
#include "settings/LanguageFile.h"

#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kPositions = QStringLiteral("Positionen");
const QString kLanguage = QStringLiteral("Language");
const QString kGerman = QStringLiteral("deutsch.lng");
const QString kEnglish = QStringLiteral("english.lng");

// Where the window opens when nothing is stored.
constexpr int kDesignLeft = 80;
constexpr int kDesignTop = 60;
constexpr int kDesignWidth = 1120;
constexpr int kDesignHeight = 760;

QString columnWidthKey(int column) { return QStringLiteral("ListeStringGrid.ColWidths[%1]").arg(column); }

QWidget* page(const QString& name, QTabWidget* tabs, const QString& caption) {
    auto* w = new QWidget(tabs);
    w->setObjectName(name);
    tabs->addTab(w, caption);
    return w;
}

QAction* menuItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

} // namespace

MainWindow::MainWindow(Session& session, QWidget* parent) : QMainWindow(parent), m_session(session) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Vesk"));
    m_session.loadSettings();
    // The text editor serves the edit tab, so it exists before the pages.
    m_textForm = new TextForm(m_session.dialogs(), this);
    m_referenceList = new ReferenceListModel(this);
    buildPages();
    buildMenus();
    connectPages();
    applySettings();
    m_session.setFormReady(true);
    connect(&m_session, &Session::currentLogChanged, this, &MainWindow::updatePagesEnabled);
    // The reference list holds the contacts of the log it was built for.
    connect(&m_session, &Session::currentLogChanged, this, [this] {
        if (m_referenceListShown)
            leaveReferenceList();
    });
    createSecondaryWindows();
    LoadLanguage();
    // Keys for the whole window arrive here before the control with the
    // focus sees them, as the function keys of the mask need.
    qApp->installEventFilter(this);
}

void MainWindow::createSecondaryWindows() {
    m_doppeltForm = new DoppeltForm(this);
    m_logConverterForm = new LogConverterForm(m_session, this);
    // An import or a join may create a log: the log-file menu lists it.
    connect(m_logConverterForm, &LogConverterForm::logsChanged, this, &MainWindow::BuildMenu);
    if (QAction* item = findChild<QAction*>(QStringLiteral("LogConverterMenu"))) {
        item->setEnabled(true);
        connect(item, &QAction::triggered, m_logConverterForm, &LogConverterForm::showWizard);
    }
}

MainWindow::~MainWindow() { storeAtEnd(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Stored while the window is still on screen, so that a failure to write
    // the settings can still be shown over it.
    storeAtEnd();
    QMainWindow::closeEvent(event);
}

void MainWindow::buildPages() {
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));

    m_entryPage = new EntryPage(m_session, m_pages);
    m_entryPage->setObjectName(QStringLiteral("EingabeTS"));
    m_pages->addTab(m_entryPage, QStringLiteral("Eingabe"));
    m_listPage = new ListPage(m_session, m_pages);
    m_listPage->setObjectName(QStringLiteral("ListeTS"));
    m_pages->addTab(m_listPage, QStringLiteral("Liste"));
    m_editPage = new EditPage(m_session, *m_textForm, m_pages);
    m_editPage->setObjectName(QStringLiteral("EditierenTS"));
    m_pages->addTab(m_editPage, QStringLiteral("Editieren"));
    m_searchPage = new SearchPage(m_session, m_listPage->grid(), m_pages);
    m_searchPage->setObjectName(QStringLiteral("SucheTS"));
    m_pages->addTab(m_searchPage, QStringLiteral("Suche"));

    m_evaluationPages = new QTabWidget(m_pages);
    m_evaluationPages->setObjectName(QStringLiteral("AuswertungenPageControl"));
    auto* evaluations = new QWidget(m_pages);
    evaluations->setObjectName(QStringLiteral("AuswertungenTS"));
    {
        auto* l = new QVBoxLayout(evaluations);
        l->setContentsMargins(2, 2, 2, 2);
        l->addWidget(m_evaluationPages);
    }
    m_pages->addTab(evaluations, QStringLiteral("Auswertungen"));
    page(QStringLiteral("TabSheet1"), m_evaluationPages, QStringLiteral("QSL"));
    page(QStringLiteral("LocatorGrossfelderTS"), m_evaluationPages, QStringLiteral("Locator-Großfelder"));
    page(QStringLiteral("TabSheet3"), m_evaluationPages, QStringLiteral("DOK"));
    page(QStringLiteral("TabSheet4"), m_evaluationPages, QStringLiteral("DXCC"));
    page(QStringLiteral("AnzahlQsosTS"), m_evaluationPages, QStringLiteral("Anzahl QSOs"));
    page(QStringLiteral("TabSheet5"), m_evaluationPages, QStringLiteral("Contest"));

    m_optionPages = new QTabWidget(m_pages);
    m_optionPages->setObjectName(QStringLiteral("OptionenPageControl"));
    auto* options = new QWidget(m_pages);
    options->setObjectName(QStringLiteral("OptionenTS"));
    {
        auto* l = new QVBoxLayout(options);
        l->setContentsMargins(2, 2, 2, 2);
        l->addWidget(m_optionPages);
    }
    m_pages->addTab(options, QStringLiteral("Optionen"));
    buildOptionPages();
    page(QStringLiteral("CallBookTS"), m_optionPages, QStringLiteral("RAC"));
    page(QStringLiteral("ClockTS"), m_optionPages, QStringLiteral("Analoge Uhr"));
    page(QStringLiteral("QslTS"), m_optionPages, QStringLiteral("QSL"));
    page(QStringLiteral("StatusBarTS"), m_optionPages, QStringLiteral("StatusBar"));
    page(QStringLiteral("CwTS"), m_optionPages, QStringLiteral("CW"));

    m_plePage = new PlePage(m_session, m_pages);
    m_plePage->setObjectName(QStringLiteral("PleTS"));
    m_pages->addTab(m_plePage, QStringLiteral("PLE"));

    setCentralWidget(m_pages);
    buildHistoryButtons();
    m_shownPage = m_pages->currentWidget();
    connect(m_pages, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    for (QTabWidget* tabs : {m_pages, m_evaluationPages, m_optionPages})
        connect(tabs, &QTabWidget::currentChanged, this, &MainWindow::SetHistory);
}

namespace {
// An option page: the tab named as the language file knows it, holding the
// widget that does the work.
template <typename Options> Options* optionPage(const QString& name, QTabWidget* tabs, const QString& caption,
                                                Options* options) {
    QWidget* tab = page(name, tabs, caption);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(options);
    return options;
}
} // namespace

void MainWindow::buildOptionPages() {
    m_generalOptions = optionPage(QStringLiteral("AllgemeinTS"), m_optionPages, QStringLiteral("Allgemein"),
                                  new GeneralOptions(m_session));
    m_entryOrderOptions =
        optionPage(QStringLiteral("OrdnungEingabeTS"), m_optionPages, QStringLiteral("Ordnung Eingabe"),
                   new EntryOrderOptions(m_session, m_entryPage->bindings()));
    m_entryDefaultsOptions = optionPage(QStringLiteral("VorgabenEingabeTS"), m_optionPages,
                                        QStringLiteral("Vorgaben Eingabe"), new EntryDefaultsOptions(m_session));
    m_rstTxOptions = optionPage(QStringLiteral("AutoNrTS"), m_optionPages, QStringLiteral("RST (+Nr) TX"),
                                new RstTxOptions(m_session));
    m_duplicateOptions = optionPage(QStringLiteral("DoppelCheckTS"), m_optionPages, QStringLiteral("Doppel-Check"),
                                    new DuplicateCheckOptions(m_session));
    m_referenceOptions = optionPage(QStringLiteral("ReferenzLogsTS"), m_optionPages, QStringLiteral("Referenz-Logs"),
                                    new ReferenceLogsOptions(m_session));
}

void MainWindow::buildHistoryButtons() {
    auto* corner = new QWidget(m_pages);
    auto* layout = new QHBoxLayout(corner);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(2);
    m_backButton = new QToolButton(corner);
    m_backButton->setObjectName(QStringLiteral("BackSpeedButton"));
    m_backButton->setArrowType(Qt::LeftArrow);
    m_backButton->setToolTip(QStringLiteral("eine Seite zurück"));
    m_nextButton = new QToolButton(corner);
    m_nextButton->setObjectName(QStringLiteral("NextSpeedButton"));
    m_nextButton->setArrowType(Qt::RightArrow);
    m_nextButton->setToolTip(QStringLiteral("eine Seite weiter"));
    for (QToolButton* b : {m_backButton, m_nextButton}) {
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    m_pages->setCornerWidget(corner, Qt::TopRightCorner);
    connect(m_backButton, &QToolButton::clicked, this, &MainWindow::BackSpeedButtonClick);
    connect(m_nextButton, &QToolButton::clicked, this, &MainWindow::NextSpeedButtonClick);
    updateHistoryButtons();
}

void MainWindow::pageChanged(int index) {
    QWidget* shown = m_pages->widget(index);
    if (m_shownPage == m_plePage && shown != m_plePage)
        PleTSHide();
    m_shownPage = shown;
    if (shown == m_entryPage)
        EingabeTSEnter();
    else if (shown == m_editPage)
        EditierenTSShow();
    else if (shown == m_plePage)
        PleTSShow();
}

void MainWindow::connectPages() {
    // Queued: the warning opens once the focus has moved on, not in the
    // middle of the focus change that triggered it.
    connect(m_entryPage, &EntryPage::callLeft, this, &MainWindow::CallEditExit, Qt::QueuedConnection);
    connect(m_entryPage, &EntryPage::contactSaved, this, [this] {
        m_listPage->grid()->scrollToLastRow();
        m_rstTxOptions->advanceNumber();
    });
    connect(m_entryPage, &EntryPage::lowerListActivated, this, &MainWindow::Liste2StringGridDblClick);
    connect(m_entryPage, &EntryPage::lowerListCtrlClicked, this, &MainWindow::Liste2StringGridMouseUp);
    connect(m_entryPage, &EntryPage::referenceLogsRequested, this, &MainWindow::StandartfunktionReferenzLogs);
    connect(m_entryPage, &EntryPage::callChanged, this, &MainWindow::CallEditChange);
    for (auto changed : {&EntryPage::dokChanged, &EntryPage::locatorChanged}) {
        connect(m_entryPage, changed, this, [this] {
            if (m_referenceListShown)
                ChangeRefListe();
        });
    }
    connect(m_searchPage, &SearchPage::openRequested, this,
            [this](int row) { openForEdit(row, EditPage::ToSearch); });
    connect(m_plePage, &PlePage::contactSaved, this, [this](int number) { m_entryPage->setNextNumber(number + 1); });
    connect(m_plePage, &PlePage::logRewritten, this, &MainWindow::ListeNeuFuellen);
    connect(m_listPage->grid(), &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { openForEdit(index.row(), m_editPage->returnTarget()); });
    mirrorLowerListSelection();
    connect(m_editPage, &EditPage::saved, this, [this](int number, int target) {
        ListeNeuFuellen();
        for (LogGridView* grid : {m_listPage->grid(), m_entryPage->lowerList()})
            grid->selectRecord(number - 1);
        m_listPage->grid()->scrollTo(m_session.model().index(number - 1, 0), QAbstractItemView::PositionAtBottom);
        switch (target) {
        case EditPage::ToEntry: m_pages->setCurrentWidget(m_entryPage); break;
        case EditPage::ToSearch: m_pages->setCurrentWidget(m_searchPage); break;
        case EditPage::ToQslEvaluation:
        case EditPage::ToContestResults:
            m_pages->setCurrentIndex(m_pages->indexOf(findChild<QWidget*>("AuswertungenTS")));
            break;
        default: m_pages->setCurrentWidget(m_listPage); break;
        }
    });
    connect(m_editPage, &EditPage::logChangedOutside, this, &MainWindow::ListeNeuFuellen);
    connect(m_entryOrderOptions, &EntryOrderOptions::bindingsChanged, m_entryPage, &EntryPage::NewButtonCaption);
    connect(m_rstTxOptions, &RstTxOptions::appendTextChanged, this, [this](const QString& text) {
        m_entryPage->setRstCaptions(text);
        m_entryPage->setUserMemoText(RstTxAppend::memoWithNumberLine(m_entryPage->userMemoText(), text));
    });
    connect(m_generalOptions, &GeneralOptions::utcOffsetChanged, m_entryPage, &EntryPage::setUtcOffset);
}

// A contact picked in the lower list is the one the edit tab opens.
void MainWindow::mirrorLowerListSelection() {
    connect(m_entryPage->lowerList()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_listPage->grid()->selectRecord(current.row());
            });
}

void MainWindow::openForEdit(int row, int returnTarget) {
    LogGridView* grid = m_listPage->grid();
    grid->selectRecord(row);
    m_editPage->setReturnTarget(returnTarget);
    if (m_pages->currentWidget() == m_editPage)
        EditierenTSShow();
    else
        m_pages->setCurrentWidget(m_editPage);
}

void MainWindow::EditierenTSShow() {
    const QModelIndex current = m_listPage->grid()->currentIndex();
    const int row = current.isValid() ? current.row() : m_session.model().rowCount() - 1;
    m_editPage->EditierenTSShow(row < m_session.model().recordCount() ? row + 1 : 0);
}

void MainWindow::CallEditExit() {
    const int match = DuplicateCheck::findFirst(m_session.model(), m_entryPage->callText(), m_entryPage->bandText(),
                                                m_entryPage->modeText(), m_entryPage->dateText(),
                                                m_duplicateOptions->options());
    if (match < 0)
        return;
    const int answer = m_doppeltForm->ask(DuplicateCheck::gridCells(m_session.model(), match));
    if (answer == 2)
        m_entryPage->ClearMask();
    else if (answer == 3)
        m_entryPage->focusCall();
}

void MainWindow::SetHistory() {
    if (m_showingHistory)
        return;
    m_history.SetHistory({m_pages->currentIndex(), m_evaluationPages->currentIndex(), m_optionPages->currentIndex()});
    updateHistoryButtons();
}

void MainWindow::showPages(const PageHistory::Pages& pages) {
    m_showingHistory = true;
    m_evaluationPages->setCurrentIndex(pages.evaluations);
    m_optionPages->setCurrentIndex(pages.options);
    m_pages->setCurrentIndex(pages.main);
    m_showingHistory = false;
    updateHistoryButtons();
}

void MainWindow::BackSpeedButtonClick() {
    if (m_history.canBack())
        showPages(m_history.back());
}

void MainWindow::NextSpeedButtonClick() {
    if (m_history.canForward())
        showPages(m_history.forward());
}

void MainWindow::updateHistoryButtons() {
    m_backButton->setEnabled(m_history.canBack());
    m_nextButton->setEnabled(m_history.canForward());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && m_pages->currentWidget() == m_entryPage && m_pages->isEnabled()) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            return m_entryPage->FormKeyUp(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    file->menuAction()->setObjectName(QStringLiteral("Datei1"));
    QAction* reload = menuItem(file, QStringLiteral("Listenneuladen1"), QStringLiteral("Listen neu laden"));
    connect(reload, &QAction::triggered, this, &MainWindow::ListeNeuFuellen);
    file->addSeparator();
    QAction* quit = menuItem(file, QStringLiteral("Beenden1"), QStringLiteral("&Beenden"));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    m_logFileMenu = bar->addMenu(QString());
    m_logFileMenu->setObjectName(QStringLiteral("LogFileMenu"));
    m_logFileMenu->menuAction()->setObjectName(QStringLiteral("LogFileMenu"));

    m_languageMenu = bar->addMenu(QStringLiteral("Deutsch"));
    m_languageMenu->setObjectName(QStringLiteral("LanguageMenu"));
    m_languageMenu->menuAction()->setObjectName(QStringLiteral("LanguageMenu"));
    auto* languages = new QActionGroup(this);
    m_deutschMenu = menuItem(m_languageMenu, QStringLiteral("DeutschMenu"), QStringLiteral("Deutsch"));
    m_englishMenu = menuItem(m_languageMenu, QStringLiteral("EnglishMenu"), QStringLiteral("English"));
    for (QAction* a : {m_deutschMenu, m_englishMenu}) {
        a->setCheckable(true);
        languages->addAction(a);
        connect(a, &QAction::triggered, this, &MainWindow::LanguageSubMenuClick);
    }
    m_deutschMenu->setChecked(true);

    // The tools arrive with the windows that do the work; until then their
    // entries are shown greyed so that the menu keeps its final shape.
    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->menuAction()->setObjectName(QStringLiteral("ToolsMenu"));
    const QList<std::pair<QString, QString>> toolItems = {
        {QStringLiteral("CwMenu"), QStringLiteral("CW-Ausgabe")},
        {QStringLiteral("QslPresentationMenu"), QStringLiteral("QSL-Collection ...")},
        {QStringLiteral("MapMenu"), QStringLiteral("Weltkarte")},
        {QStringLiteral("HamCapMenu"), QStringLiteral("HamCap öffnen")},
        {QStringLiteral("HrdDdeMenu"), QStringLiteral("HRD-Verbindung")},
        {QStringLiteral("LogConverterMenu"), QStringLiteral("LogConverter")},
        {QStringLiteral("DateiformateMenu"), QStringLiteral("Dateiformate")}};
    for (const auto& [name, caption] : toolItems)
        menuItem(tools, name, caption)->setEnabled(false);
    // A maintenance command kept out of sight: whoever edits DXCC.csv by hand
    // rebuilds the index with "vesk dxcc-index" or by showing this item.
    QAction* createDxcc = menuItem(tools, QStringLiteral("CreateDxccMenu"), QStringLiteral("DXCC.ini erstellen"));
    createDxcc->setVisible(false);
    connect(createDxcc, &QAction::triggered, this, &MainWindow::CreateDxccMenuClick);

    QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
    help->menuAction()->setObjectName(QStringLiteral("Hilfe1"));
    const QList<std::pair<QString, QString>> helpItems = {
        {QStringLiteral("Info1"), QStringLiteral("Info")},
        {QStringLiteral("astaturkrzel1"), QStringLiteral("Tastaturkürzel")},
        {QStringLiteral("Hilfe2"), QStringLiteral("Inhalt")},
        {QStringLiteral("LinklistezuAFU1"), QStringLiteral("AFU-Linkliste")},
        {QStringLiteral("WebPageMenu"), QStringLiteral("Vesk im Web")}};
    for (const auto& [name, caption] : helpItems)
        menuItem(help, name, caption)->setEnabled(false);
}

void MainWindow::applySettings() {
    Settings& s = m_session.settings();
    m_entryPage->applyVisibility(s);
    m_entryPage->bindings().load(s);
    m_entryOrderOptions->applySettings();
    m_entryPage->NewButtonCaption();
    const QString language = s.readString(kLanguage, kLanguage, kGerman);
    if (language == kEnglish) {
        m_englishMenu->setChecked(true);
        m_languageMenu->setTitle(QStringLiteral("English"));
    } else if (language == kGerman) {
        m_deutschMenu->setChecked(true);
        m_languageMenu->setTitle(QStringLiteral("Deutsch"));
    }
    m_entryDefaultsOptions->applySettings();
    m_entryPage->ClearMask();
    m_entryPage->setUserMemoText(
        Settings::decodeMultiLine(s.readString(QStringLiteral("Allgemein"), QStringLiteral("UserMemo"))));
    m_generalOptions->applySettings();
    m_rstTxOptions->applySettings();

    m_session.openLastLog();
    ListeNeuFuellen();
    updatePagesEnabled();

    restoreGeometryFromSettings();
    QVector<int> widths;
    for (int c = 0; c < QsoRecord::FieldCount; ++c)
        widths << s.readInteger(kPositions, columnWidthKey(c), LogGridView::DefaultColumnWidth);
    m_listPage->grid()->setColumnWidths(widths);
    m_entryPage->lowerList()->setColumnWidths(widths);
    m_duplicateOptions->applySettings();
    m_referenceOptions->applySettings();
}

void MainWindow::restoreGeometryFromSettings() {
    const Settings& s = m_session.settings();
    QRect r(s.readInteger(kPositions, QStringLiteral("MainForm.Left"), kDesignLeft),
            s.readInteger(kPositions, QStringLiteral("MainForm.Top"), kDesignTop),
            s.readInteger(kPositions, QStringLiteral("MainForm.Width"), kDesignWidth),
            s.readInteger(kPositions, QStringLiteral("MainForm.Height"), kDesignHeight));
    r.setWidth(std::max(r.width(), 400));
    r.setHeight(std::max(r.height(), 300));
    // A window stored on a screen that is gone would open out of reach.
    bool visible = false;
    for (const QScreen* screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(r.adjusted(0, 0, -r.width() / 2, -20));
    if (!visible && QGuiApplication::primaryScreen())
        r.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(20, 20));
    move(r.topLeft());
    resize(r.size());
}

void MainWindow::updatePagesEnabled() { m_pages->setEnabled(m_session.hasLog()); }

void MainWindow::ListeNeuFuellen() {
    m_session.reloadRows();
    const LogTableModel& model = m_session.model();
    const int k = model.recordCount();
    m_entryPage->setNextNumber(k + 1);
    if (k > 0) {
        m_entryPage->carryOver(model.field(k - 1, QsoRecord::Band), model.field(k - 1, QsoRecord::Mode),
                               model.field(k - 1, QsoRecord::TxPwr));
    }
    m_listPage->grid()->scrollToLastRow();
    m_entryPage->lowerList()->scrollToLastRow();
}

void MainWindow::CreateDxccMenuClick() {
    try {
        const DxccIndexResult result = m_session.dxcc().CreateDxccMenuClick();
        QString text = QStringLiteral("DXCC.ini erstellt: %1 Gebiete, %2 Präfixe.").arg(result.rows).arg(result.keys);
        if (!result.skipped.isEmpty())
            text += QStringLiteral("\nÜbersprungen:\n") + result.skipped.join(u'\n');
        m_session.dialogs().info(text);
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
    }
}

void MainWindow::setLowerListModel(QAbstractItemModel* model) {
    LogGridView* lower = m_entryPage->lowerList();
    if (lower->model() == model)
        return;
    const QVector<int> widths = lower->columnWidths();
    // The view makes a new selection model and leaves the old one behind.
    QItemSelectionModel* old = lower->selectionModel();
    lower->setModel(model);
    delete old;
    lower->setColumnWidths(widths);
}

void MainWindow::Liste2NeuFuellen() {
    LogGridView* lower = m_entryPage->lowerList();
    if (lower->model() != &m_session.model()) {
        setLowerListModel(&m_session.model());
        mirrorLowerListSelection();
    }
    lower->setPalette(m_listPage->grid()->palette());
    lower->scrollToLastRow();
}

void MainWindow::StandartfunktionReferenzLogs() {
    const QString key = ReferenceLogs::ExtractCall(m_entryPage->callText());
    // An empty call would match the first contact logged without one.
    if (key.isEmpty() || !m_session.log())
        return;
    const ReferenceLogs::Options options = ReferenceLogs::readOptions(m_session.settings());
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto found = ReferenceLogs::findFirst(m_session.log()->fileName(), options.paths, key);
        QApplication::restoreOverrideCursor();
        if (found)
            m_entryPage->setReferenceFields(*found);
    } catch (const IoError& e) {
        QApplication::restoreOverrideCursor();
        m_session.dialogs().error(e.message());
    }
}

void MainWindow::CallEditChange() {
    const QString call = m_entryPage->callText();
    if (!m_referenceListShown) {
        if (!call.isEmpty() && m_session.log() && ReferenceLogs::readOptions(m_session.settings()).luxus)
            BuildRefListe();
        return;
    }
    if (call.isEmpty())
        leaveReferenceList();
    else
        ChangeRefListe();
}

void MainWindow::leaveReferenceList() {
    m_referenceListShown = false;
    m_referenceList->clear();
    Liste2NeuFuellen();
}

void MainWindow::BuildRefListe() {
    m_referenceList->clear();
    ReferenceData& data = m_referenceList->data();
    data.appendCurrent(m_session.model());
    const QString current = m_session.log() ? m_session.log()->fileName() : QString();
    const ReferenceLogs::Options options = ReferenceLogs::readOptions(m_session.settings());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList failures;
    for (const QString& path : ReferenceLogs::existingLogs(options.paths, current, true)) {
        LogFile log(path);
        try {
            data.appendLog(log);
        } catch (const IoError& e) {
            // The list still shows what could be read; the message comes
            // once, not with every keystroke.
            failures << e.message();
        }
    }
    QApplication::restoreOverrideCursor();
    m_referenceListShown = true;
    setLowerListModel(m_referenceList);
    QPalette yellow = m_listPage->grid()->palette();
    yellow.setColor(QPalette::Base, QColor(255, 255, 160));
    m_entryPage->lowerList()->setPalette(yellow);
    ChangeRefListe();
    if (!failures.isEmpty())
        m_session.dialogs().error(failures.join(u'\n'));
}

void MainWindow::ChangeRefListe() {
    m_referenceList->setRows(m_referenceList->data().filter(m_entryPage->callText(), m_entryPage->dokText(),
                                                            m_entryPage->locatorText()));
    // The best matches, the current log's first, stand at the top.
    m_entryPage->lowerList()->scrollToTop();
}

void MainWindow::Liste2StringGridDblClick(int row) {
    if (!m_referenceListShown) {
        openForEdit(row, EditPage::ToEntry);
        return;
    }
    if (row < m_referenceList->hitCount())
        m_entryPage->copyFromReference(m_referenceList->record(row));
}

void MainWindow::Liste2StringGridMouseUp(int row) {
    if (!m_referenceListShown) {
        openForEdit(row, EditPage::ToEntry);
        return;
    }
    // Rows of reference logs have no number: they are not in this log.
    bool ok = false;
    const int number = m_referenceList->record(row)[QsoRecord::Number].toInt(&ok);
    if (ok && number >= 1 && number <= m_session.model().recordCount())
        openForEdit(number - 1, EditPage::ToEntry);
}

void MainWindow::PleTSShow() { m_plePage->PleTSShow(m_listPage->grid()->columnWidths(), m_entryPage->nextNumber()); }

void MainWindow::PleTSHide() { ListeNeuFuellen(); }

void MainWindow::BuildMenu() {
    m_logFileMenu->clear();
    delete m_logFileGroup;
    m_logFileGroup = new QActionGroup(this);
    const QString current = m_session.currentLogName();
    QString checked;
    const QIcon logIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const QString& name : LogDirectory::logFiles(m_session.folder())) {
        QAction* item = m_logFileMenu->addAction(logIcon, name);
        item->setCheckable(true);
        m_logFileGroup->addAction(item);
        if (name == current) {
            item->setChecked(true);
            checked = name;
        }
        connect(item, &QAction::triggered, this, [this, item] { LogFileMenuClick(item); });
    }
    m_logFileMenu->addSeparator();
    QAction* create = m_logFileMenu->addAction(style()->standardIcon(QStyle::SP_FileDialogNewFolder),
                                               m_session.texts()[LanguageTexts::NewLogEntry]);
    create->setObjectName(QStringLiteral("NewLogFileMenu"));
    connect(create, &QAction::triggered, this, &MainWindow::NewLogFileMenuClick);
    m_logFileMenu->setTitle(m_session.texts()[LanguageTexts::LogMenuCaption] + checked);
}

void MainWindow::LogFileMenuClick(QAction* item) {
    // Menu captions may carry an accelerator ampersand added by the style.
    const QString caption = item->text().remove(u'&');
    const Session::Choice choice = m_session.chooseLog(caption);
    if (choice == Session::Choice::Unchanged) {
        BuildMenu(); // restores the check mark the click may have moved
        return;
    }
    BuildMenu();
    if (choice == Session::Choice::Opened)
        ListeNeuFuellen();
    updatePagesEnabled();
}

void MainWindow::NewLogFileMenuClick() {
    if (m_session.createLog() != Session::Creation::Created) {
        BuildMenu();
        return;
    }
    BuildMenu();
    updatePagesEnabled();
    m_entryPage->setNextNumber(1);
}

void MainWindow::LanguageSubMenuClick() {
    Settings& s = m_session.settings();
    if (m_englishMenu->isChecked()) {
        m_languageMenu->setTitle(QStringLiteral("English"));
        s.writeString(kLanguage, kLanguage, kEnglish);
    } else {
        m_languageMenu->setTitle(QStringLiteral("Deutsch"));
        s.writeString(kLanguage, kLanguage, kGerman);
    }
    m_session.saveSettings();
    LoadLanguage();
}

void MainWindow::LoadLanguage() {
    const QString name = m_session.settings().readString(kLanguage, kLanguage, kGerman);
    QStringList lines;
    try {
        lines = LanguageFile::read(m_session.pathOf(name));
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message() + QStringLiteral("\nEs gelten die eingebauten deutschen Texte."));
        lines = LanguageFile::builtInGerman();
    }
    m_session.setLanguageLines(lines);
    m_unresolvedLanguageTargets = LanguageApplier(languageWindows()).apply(lines);
    if (m_logConverterForm)
        m_logConverterForm->applyLanguage();
    BuildMenu();
}

QList<QWidget*> MainWindow::languageWindows() {
    QList<QWidget*> windows{this};
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->isWindow() && !qobject_cast<QMenu*>(w))
            windows << w;
    }
    return windows;
}

void MainWindow::EingabeTSEnter() {
    m_entryPage->lowerList()->setColumnWidths(m_listPage->grid()->columnWidths());
}

void MainWindow::storeAtEnd() {
    if (m_stored)
        return;
    m_stored = true;
    Settings& s = m_session.settings();
    m_session.storeLastLogName();
    s.writeString(QStringLiteral("Allgemein"), QStringLiteral("UserMemo"),
                  Settings::encodeMultiLine(m_entryPage->userMemoText()));
    s.writeInteger(kPositions, QStringLiteral("MainForm.Top"), y());
    s.writeInteger(kPositions, QStringLiteral("MainForm.Left"), x());
    s.writeInteger(kPositions, QStringLiteral("MainForm.Width"), width());
    s.writeInteger(kPositions, QStringLiteral("MainForm.Height"), height());
    const QVector<int> widths = m_listPage->grid()->columnWidths();
    for (int c = 0; c < widths.size(); ++c)
        s.writeInteger(kPositions, columnWidthKey(c), widths[c]);
    m_session.saveSettings();
}
