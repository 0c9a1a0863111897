#include "app/ui/MainWindow.h"

#include "platform/ProgramTexts.h"
#include "app/ui/LanguageApplier.h"
#include "converter/ui/LogConverterForm.h"
#include "cw/ui/CwArea.h"
#include "links/ui/StationLinks.h"
#include "entry/EntryMask.h"
#include "entry/ui/EntryArea.h"
#include "qsl/ui/QslArea.h"
#include "evaluations/ui/EvaluationsArea.h"
#include "windows/ui/AuxiliaryWindows.h"
#include "logstore/IoError.h"
#include "logstore/LogDirectory.h"
#include "platform/Dialogs.h"
#include "refdata/Dxcc.h"
#include "session/Session.h"
#include "settings/GeneralSettings.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageSettings.h"
#include "settings/WindowSettings.h"
#include "app/ui/GeneralOptions.h"
#include "app/ui/StatusBarArea.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Where the window opens when nothing is stored.
const QRect kDesignGeometry(80, 60, 1120, 760);

// The tabs of "Auswertungen" and "Optionen" in the order the window shows
// them, whichever subsystem adds its tab first.
const QStringList kTabOrder = {
    QStringLiteral("TabSheet1"),        QStringLiteral("LocatorGrossfelderTS"), QStringLiteral("TabSheet3"),
    QStringLiteral("TabSheet4"),        QStringLiteral("AnzahlQsosTS"),         QStringLiteral("TabSheet5"),
    QStringLiteral("AllgemeinTS"),      QStringLiteral("OrdnungEingabeTS"),     QStringLiteral("VorgabenEingabeTS"),
    QStringLiteral("AutoNrTS"),         QStringLiteral("DoppelCheckTS"),        QStringLiteral("ReferenzLogsTS"),
    QStringLiteral("CallBookTS"),       QStringLiteral("ClockTS"),              QStringLiteral("QslTS"),
    QStringLiteral("StatusBarTS"),      QStringLiteral("CwTS"),
    // The links to programs beside the logbook come after the older tabs.
    QStringLiteral("RigTS")};

void insertInOrder(QTabWidget* tabs, QWidget* w, const QString& caption) {
    const qsizetype place = kTabOrder.indexOf(w->objectName());
    int at = 0;
    while (at < tabs->count() && kTabOrder.indexOf(tabs->widget(at)->objectName()) < place)
        ++at;
    tabs->insertTab(at, w, caption);
}

QWidget* page(const QString& name, QTabWidget* tabs, const QString& caption) {
    auto* w = new QWidget(tabs);
    w->setObjectName(name);
    insertInOrder(tabs, w, caption);
    return w;
}

// A page that holds a tab widget of its own ("Auswertungen", "Optionen").
QTabWidget* tabsPage(const QString& name, const QString& tabsName, QWidget* parent) {
    auto* holder = new QWidget(parent);
    holder->setObjectName(name);
    auto* tabs = new QTabWidget(holder);
    tabs->setObjectName(tabsName);
    auto* l = new QVBoxLayout(holder);
    l->setContentsMargins(2, 2, 2, 2);
    l->addWidget(tabs);
    return tabs;
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
    m_entryMask = new EntryMask(m_session.clock(), this);
    buildPages();
    buildMenus();
    m_generalOptions = new GeneralOptions(m_session);
    addOptionsPage(m_generalOptions, QStringLiteral("AllgemeinTS"), QStringLiteral("Allgemein"));
    connect(m_generalOptions, &GeneralOptions::utcOffsetChanged, m_entryMask, &EntryMask::setUtcOffset);
    m_entryArea = new EntryArea(*this, this);
    m_qslArea = new QslArea(*this, *m_entryArea, this);
    m_evaluationsArea = new EvaluationsArea(*this, *m_entryArea, this);
    m_auxiliaryWindows = new AuxiliaryWindows(
        *this,
        {[mask = m_entryMask] { return mask->utcNow(); }, [this](const QString& name) { chooseLog(name); },
         [this] { return m_entryMask->bindings().shortcutLines(m_session.texts()); }, &m_entryArea->textForm()},
        this);
    connect(m_entryArea, &EntryArea::dxccInfoRequested, m_auxiliaryWindows, &AuxiliaryWindows::DxccInfo);
    m_statusBarArea = new StatusBarArea(m_session, *m_entryArea, *statusBar());
    addOptionsPage(m_statusBarArea, QStringLiteral("StatusBarTS"), QStringLiteral("StatusBar"));
    m_cwArea = new CwArea(*this, *m_entryArea, this);
    m_stationLinks = new StationLinks(*this, *m_entryArea, *m_auxiliaryWindows, this);
    m_statusBarArea->setCallbookVersion([links = m_stationLinks] { return links->callbookVersion(); });
    // Pages put in front of the first one leave it current: the mask comes first.
    m_pages->setCurrentIndex(0);
    m_shownPage = m_pages->currentWidget();
    connect(m_pages, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    for (QTabWidget* tabs : {m_pages, m_evaluationPages, m_optionPages})
        connect(tabs, &QTabWidget::currentChanged, this, &MainWindow::SetHistory);
    createSecondaryWindows();
    // The language before the log: what reading it reports is in the chosen one.
    LoadLanguage();
    applySettings();
    m_session.setFormReady(true);
    connect(&m_session, &Session::currentLogChanged, this, &MainWindow::updatePagesEnabled);
    BuildMenu();
}

void MainWindow::createSecondaryWindows() {
    m_logConverterForm = new LogConverterForm(m_session, this);
    // An import or a join may create a log: the log-file menu lists it.
    connect(m_logConverterForm, &LogConverterForm::logsChanged, this, &MainWindow::BuildMenu);
    QAction* item = menuEntry(QStringLiteral("LogConverterMenu"));
    item->setEnabled(true);
    connect(item, &QAction::triggered, m_logConverterForm, &LogConverterForm::showWizard);
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
    m_evaluationPages = tabsPage(QStringLiteral("AuswertungenTS"), QStringLiteral("AuswertungenPageControl"), m_pages);
    addPage(Page::Evaluations, m_evaluationPages->parentWidget(), QStringLiteral("Auswertungen"));
    m_optionPages = tabsPage(QStringLiteral("OptionenTS"), QStringLiteral("OptionenPageControl"), m_pages);
    addPage(Page::Options, m_optionPages->parentWidget(), QStringLiteral("Optionen"));
    setCentralWidget(m_pages);
    buildHistoryButtons();
}


void MainWindow::addPage(Page kind, QWidget* widget, const QString& caption) {
    int at = 0;
    while (at < m_pageKinds.size() && m_pageKinds[at] < kind)
        ++at;
    m_pageKinds.insert(at, kind);
    m_pages->insertTab(at, widget, caption);
}

void MainWindow::showPage(Page kind) {
    const int at = m_pageKinds.indexOf(kind);
    if (at >= 0)
        m_pages->setCurrentIndex(at);
}

bool MainWindow::isCurrent(Page kind) const {
    const int at = m_pages->currentIndex();
    return at >= 0 && at < m_pageKinds.size() && m_pageKinds[at] == kind;
}

void MainWindow::addOptionsPage(OptionsPage* options, const QString& tabName, const QString& caption) {
    QWidget* tab = page(tabName, m_optionPages, caption);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(options);
    m_optionsPages << options;
}

void MainWindow::addEvaluationPage(QWidget* widget, const QString& caption) {
    insertInOrder(m_evaluationPages, widget, caption);
}

QAction* MainWindow::menuEntry(const QString& objectName) { return menuBar()->findChild<QAction*>(objectName); }

void MainWindow::addSpeedButton(QToolButton* button) {
    button->setParent(m_speedButtons->parentWidget());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    m_speedButtons->insertWidget(m_speedButtons->indexOf(m_backButton), button);
}

void MainWindow::openForEdit(int row, ReturnTarget target) { m_entryArea->openForEdit(row, target); }

void MainWindow::reloadLists() { m_entryArea->ListeNeuFuellen(); }

void MainWindow::buildHistoryButtons() {
    auto* corner = new QWidget(m_pages);
    auto* layout = new QHBoxLayout(corner);
    m_speedButtons = layout;
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(2);
    m_backButton = new QToolButton(corner);
    m_backButton->setObjectName(QStringLiteral("BackSpeedButton"));
    m_backButton->setArrowType(Qt::LeftArrow);
    ProgramTexts::follow(m_backButton, [b = m_backButton] { b->setToolTip(msgText(Msg::PageBackHint)); });
    m_nextButton = new QToolButton(corner);
    m_nextButton->setObjectName(QStringLiteral("NextSpeedButton"));
    m_nextButton->setArrowType(Qt::RightArrow);
    ProgramTexts::follow(m_nextButton, [b = m_nextButton] { b->setToolTip(msgText(Msg::PageForwardHint)); });
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
    QWidget* previous = m_shownPage;
    m_shownPage = m_pages->widget(index);
    m_entryArea->pageChanged(previous, m_shownPage);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    file->menuAction()->setObjectName(QStringLiteral("Datei1"));
    QAction* reload = menuItem(file, QStringLiteral("Listenneuladen1"), QStringLiteral("Listen neu laden"));
    connect(reload, &QAction::triggered, this, &MainWindow::reloadLists);
    // Connected by the entry subsystem, which knows what was deleted. Ctrl+Z
    // in a text field stays the field's own undo: the field takes the key
    // before a window shortcut does.
    QAction* undoDelete = menuItem(file, QStringLiteral("UndoDeleteMenu"), QString());
    ProgramTexts::follow(undoDelete, [undoDelete] { undoDelete->setText(msgText(Msg::UndoDeleteMenu)); });
    undoDelete->setShortcut(QKeySequence::Undo);
    undoDelete->setEnabled(false);
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
    QAction* createDxcc = menuItem(tools, QStringLiteral("CreateDxccMenu"), QString());
    ProgramTexts::follow(createDxcc, [createDxcc] { createDxcc->setText(msgText(Msg::CreateDxccIndexMenu)); });
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
    const QString language = LanguageSettings::fileName(m_session.settings());
    if (language == LanguageSettings::English) {
        m_englishMenu->setChecked(true);
        m_languageMenu->setTitle(QStringLiteral("English"));
    } else if (language == LanguageSettings::German) {
        m_deutschMenu->setChecked(true);
        m_languageMenu->setTitle(QStringLiteral("Deutsch"));
    }
    // The mask first: the options pages report into it (the note pad's number
    // line, the clock difference).
    m_entryArea->applySettings();
    m_entryMask->setMemo(GeneralSettings::userMemo(m_session.settings()));
    for (OptionsPage* options : m_optionsPages)
        options->applySettings();

    m_session.openLastLog();
    reloadLists();
    updatePagesEnabled();
    restoreGeometryFromSettings();
}

void MainWindow::restoreGeometryFromSettings() {
    QRect r = WindowSettings::mainForm(m_session.settings(), kDesignGeometry);
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

void MainWindow::CreateDxccMenuClick() {
    try {
        const DxccIndexResult result = m_session.dxcc().rebuildIndex();
        QString text = msgText(Msg::CliDxccIndexBuilt).arg(result.rows).arg(result.keys);
        if (!result.skipped.isEmpty())
            text += u'\n' + msgText(Msg::DxccIndexSkipped) + u'\n' + result.skipped.join(u'\n');
        m_session.dialogs().info(text);
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
    }
}

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
    chooseLog(item->text().remove(u'&'));
}

void MainWindow::chooseLog(const QString& name) {
    const Session::Choice choice = m_session.chooseLog(name);
    BuildMenu(); // also restores the check mark an unchanged choice moved
    if (choice == Session::Choice::Unchanged)
        return;
    if (choice == Session::Choice::Opened)
        reloadLists();
    updatePagesEnabled();
}

void MainWindow::NewLogFileMenuClick() {
    const Session::Creation created = m_session.createLog();
    BuildMenu();
    if (created != Session::Creation::Created)
        return;
    updatePagesEnabled();
    m_entryMask->setNextNumber(1);
}

void MainWindow::LanguageSubMenuClick() {
    const bool english = m_englishMenu->isChecked();
    m_languageMenu->setTitle(english ? QStringLiteral("English") : QStringLiteral("Deutsch"));
    LanguageSettings::setFileName(m_session.settings(), english ? LanguageSettings::English : LanguageSettings::German);
    m_session.saveSettings();
    LoadLanguage();
}

void MainWindow::LoadLanguage() {
    const QString name = LanguageSettings::fileName(m_session.settings());
    QStringList lines;
    try {
        lines = LanguageFile::read(m_session.pathOf(name));
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message() + u'\n' + msgText(Msg::BuiltInGermanApplies));
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

void MainWindow::storeAtEnd() {
    if (m_stored)
        return;
    m_stored = true;
    m_session.storeLastLogName();
    GeneralSettings::setUserMemo(m_session.settings(), m_entryMask->memo());
    WindowSettings::setMainForm(m_session.settings(), QRect(pos(), size()));
    m_entryArea->storeSettings();
    m_auxiliaryWindows->storeSettings();
    m_session.saveSettings();
}
