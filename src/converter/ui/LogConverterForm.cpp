#include "converter/ui/LogConverterForm.h"

#include "session/Session.h"
#include "logstore/IoError.h"
#include "logstore/LogDirectory.h"
#include "platform/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTargets.h"
#include "platform/ProgramTexts.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

// The assignment grid as the view shows it: row 0 of the grid (the
// assignments) is the column heading, grid rows 1.. are the view's rows and
// keep their grid numbers in the row heading, so that the start line the
// user types is the number they see.
//
// A view lays out only so much: a table of thousands of columns, or a cell
// of megabytes, would take minutes to measure and draw. The grid itself
// keeps every cell, and the import takes them whole.
class StringGridModel : public QAbstractTableModel {
public:
    static constexpr int ShownColumns = 100;
    static constexpr qsizetype ShownCellText = 200;

    explicit StringGridModel(QObject* parent) : QAbstractTableModel(parent) {}

    const StringGrid& grid() const { return m_grid; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_grid.rowCount() - 1;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : qMin(m_grid.columnCount(), ShownColumns);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const QString text = m_grid.cell(index.column(), index.row() + 1);
        return text.size() > ShownCellText ? QString(text.left(ShownCellText) + QChar(0x2026)) : text;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        return orientation == Qt::Horizontal ? QVariant(m_grid.cell(section, 0)) : QVariant(section + 1);
    }
    void replace(StringGrid grid) {
        beginResetModel();
        m_grid = std::move(grid);
        endResetModel();
    }
    void setAssignment(int column, int field) {
        m_grid.setAssignment(column, field);
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
    }

private:
    StringGrid m_grid;
};

namespace {

const QString kWindow = QStringLiteral("LogConverterForm");
constexpr int kWidth = 503;
constexpr int kHeight = 411;
constexpr int kProgressSteps = 1000;

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption) {
    return named(new QRadioButton(caption, parent), name);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

QListWidget* logListBox(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode) {
    auto* list = named(new QListWidget(parent), name);
    list->setSelectionMode(mode);
    return list;
}

// A file edit with its "..." button beside it.
QLineEdit* fileRow(QWidget* page, QVBoxLayout* layout, const char* editName, const char* buttonName,
                   QPushButton** browse) {
    auto* row = new QHBoxLayout;
    auto* edit = named(new QLineEdit(page), editName);
    *browse = button(page, buttonName, QStringLiteral("..."));
    (*browse)->setFixedWidth((*browse)->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    row->addWidget(edit, 1);
    row->addWidget(*browse);
    layout->addLayout(row);
    return edit;
}

QFrame* rule(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

bool isFinished(LogConverterForm::Step step) {
    using S = LogConverterForm::Step;
    return step == S::ImportDone || step == S::ExportDone || step == S::RepairDone || step == S::JoinDone;
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

LogConverterForm::LogConverterForm(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session), m_converter(session.clock()),
      m_gridModel(new StringGridModel(this)) {
    setObjectName(kWindow);
    setWindowTitle(QStringLiteral("LogConverter"));
    m_converter.setProgress([this](qint64 done, qint64 total) { reportProgress(done, total); });
    buildPages();
    // Escape is "Abbrechen", with its question.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    resize(kWidth, kHeight);
    showStep(Step::Start);
}

LogConverterForm::~LogConverterForm() = default;

void LogConverterForm::buildPages() {
    auto* band = named(new QFrame(this), "TitlePanel");
    band->setAutoFillBackground(true);
    QPalette white = band->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    band->setPalette(white);
    m_title = named(new QLabel(band), "TitleLabel");
    QFont titleFont = m_title->font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setWordWrap(true);
    // Two lines of the longest title fit without the band changing height
    // from page to page.
    m_title->setMinimumHeight(2 * QFontMetrics(titleFont).lineSpacing());
    auto* bandLayout = new QVBoxLayout(band);
    bandLayout->setContentsMargins(12, 10, 12, 10);
    bandLayout->addWidget(m_title);

    m_pages = named(new QStackedWidget(this), "PageArea");
    m_startPage = buildStartPage();
    m_importFilePage = buildImportFilePage();
    m_targetLogPage = buildTargetLogPage();
    m_gridPage = buildGridPage();
    m_logListPage = buildLogListPage();
    m_exportFilePage = buildExportFilePage();
    m_finishedPage = buildFinishedPage();
    for (QWidget* page : {m_startPage, m_importFilePage, m_targetLogPage, m_gridPage, m_logListPage,
                          m_exportFilePage, m_finishedPage})
        m_pages->addWidget(page);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addWidget(rule(this));
    layout->addWidget(m_pages, 1);
    layout->addWidget(rule(this));
    layout->addWidget(buildButtonBar());
}

QWidget* LogConverterForm::buildStartPage() {
    auto* page = named(new QWidget(this), "StartPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 8);
    auto choice = [&](const char* name, const QString& caption, const char* labelName,
                      const QString& description) {
        QRadioButton* r = radio(page, name, caption);
        QFont bold = r->font();
        bold.setBold(true);
        r->setFont(bold);
        layout->addWidget(r);
        if (labelName) {
            auto* label = named(new QLabel(description, page), labelName);
            label->setWordWrap(true);
            label->setIndent(22);
            label->setBuddy(r);
            layout->addWidget(label);
            layout->addSpacing(6);
        }
        return r;
    };
    m_importRadio =
        choice("ImportRadioBtn", QStringLiteral("Import"), "ImportLabel",
               QStringLiteral("Daten aus Text-, ADIF- oder HTML-Dateien importieren in das Vesk-Format"));
    m_exportRadio =
        choice("ExportRadioBtn", QStringLiteral("Export"), "ExportLabel",
               QStringLiteral("Daten aus dem Vesk-Format in Text-, ADIF- oder HTML-Dateien exportieren"));
    m_repairRadio =
        choice("RepairRadioBtn", QStringLiteral("Korriegieren"), "RepairLabel",
               QStringLiteral("Eventuell in Vesk-Dateien vorhandene Fehler, wie falsche Nummerierung "
                              "oder falsches Datumsformat, automatisch korrigieren"));
    m_joinRadio =
        choice("VerbindenRadioBtn", QStringLiteral("Anhängen"), "VerbindenLabel",
               QStringLiteral("Ein oder mehrer Vesk-Dateien einer bestehende Vesk-Datei anhängen oder in "
                              "eine neue Vesk-Datei schreiben"));
    // Splitting a log has no job behind it; the button exists only for its
    // line of the language file.
    choice("TrennenRadioBtn", QStringLiteral("Trennen"), nullptr, {})->hide();
    layout->addStretch(1);
    return page;
}

QWidget* LogConverterForm::buildImportFilePage() {
    auto* page = named(new QWidget(this), "Import1Page");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 8);
    m_impAdifRadio = radio(page, "ImpAdifRadioBtn", QStringLiteral("ADIF"));
    m_impAdifRadio->setChecked(true);
    QRadioButton* cabrillo = radio(page, "ImpCabrilloRadioBtn", QStringLiteral("Cabrillo"));
    cabrillo->setEnabled(false);
    m_impHtmlRadio = radio(page, "ImpHtmlRadioBtn", QStringLiteral("HTML"));
    QRadioButton* text = radio(page, "ImpTxtFestRadioBtn", QStringLiteral("Text (feste Breite)"));
    text->setEnabled(false);
    ProgramTexts::follow(page, [cabrillo, text] {
        cabrillo->setToolTip(msgText(Msg::NoCabrilloImport));
        text->setToolTip(msgText(Msg::NoFixedTextImport));
    });
    for (QRadioButton* r : {m_impAdifRadio, cabrillo, m_impHtmlRadio, text})
        layout->addWidget(r);
    layout->addSpacing(12);
    QPushButton* browse = nullptr;
    m_importEdit = fileRow(page, layout, "Import1Edit", "Import1BrowseBtn", &browse);
    connect(browse, &QPushButton::clicked, this, &LogConverterForm::Import1BrowseBtnClick);
    layout->addStretch(1);
    return page;
}

QWidget* LogConverterForm::buildTargetLogPage() {
    auto* page = named(new QWidget(this), "TargetLogPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 8);
    layout->setSpacing(0);
    m_targetLogEdit = named(new QLineEdit(page), "TargetLogEdit");
    m_targetLogList = logListBox(page, "TargetLogList", QAbstractItemView::SingleSelection);
    layout->addWidget(m_targetLogEdit);
    layout->addWidget(m_targetLogList, 1);
    auto take = [this](QListWidgetItem* item) {
        if (item) m_targetLogEdit->setText(item->text());
    };
    connect(m_targetLogList, &QListWidget::itemClicked, this, take);
    connect(m_targetLogList, &QListWidget::currentItemChanged, this, take);
    return page;
}

QWidget* LogConverterForm::buildGridPage() {
    auto* page = named(new QWidget(this), "GridPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    auto* form = new QGridLayout;
    auto* fieldLabel = named(
        new QLabel(QStringLiteral("Unten ausgewählte Spalte soll folgendem Feld zugeordnet werden:"), page),
        "Label1");
    fieldLabel->setWordWrap(true);
    m_gridComboBox = named(new QComboBox(page), "StringGridComboBox");
    m_gridComboBox->addItems(StringGrid::assignmentItems());
    auto* startLabel =
        named(new QLabel(QStringLiteral("Import beginnt in folgender Zeile:"), page), "Label2");
    startLabel->setWordWrap(true);
    m_startLineEdit = named(new QLineEdit(QStringLiteral("1"), page), "ImportStartZeileEdit");
    // Only digits can be typed, so the one number the field can lack is an
    // empty one, which the import reports.
    m_startLineEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), m_startLineEdit));
    m_startLineEdit->setMaximumWidth(80);
    fieldLabel->setBuddy(m_gridComboBox);
    startLabel->setBuddy(m_startLineEdit);
    form->addWidget(fieldLabel, 0, 0);
    form->addWidget(m_gridComboBox, 0, 1);
    form->addWidget(startLabel, 1, 0);
    form->addWidget(m_startLineEdit, 1, 1, Qt::AlignLeft);
    form->setColumnStretch(0, 1);
    layout->addLayout(form);

    m_gridView = named(new QTableView(page), "StringGrid");
    m_gridView->setModel(m_gridModel);
    m_gridView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gridView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gridView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_gridView->horizontalHeader()->setHighlightSections(true);
    m_gridView->verticalHeader()->setDefaultSectionSize(qMax(18, m_gridView->fontMetrics().height() + 4));
    layout->addWidget(m_gridView, 1);

    connect(m_gridView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) gridColumnChosen(current.column());
            });
    connect(m_gridView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &LogConverterForm::gridColumnChosen);
    connect(m_gridComboBox, &QComboBox::activated, this, &LogConverterForm::gridItemChosen);
    connect(m_startLineEdit, &QLineEdit::textEdited, this, &LogConverterForm::startLineEdited);
    return page;
}

QWidget* LogConverterForm::buildLogListPage() {
    auto* page = named(new QWidget(this), "LogListPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 8);
    // Each click adds or removes one log, as the page asks for several.
    m_logList = logListBox(page, "LogListBox", QAbstractItemView::MultiSelection);
    layout->addWidget(m_logList);
    return page;
}

QWidget* LogConverterForm::buildExportFilePage() {
    auto* page = named(new QWidget(this), "ExportPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 8);
    m_expAdifRadio = radio(page, "ExpAdifRadioBtn", QStringLiteral("ADIF"));
    m_expAdifRadio->setChecked(true);
    m_expHtmlRadio = radio(page, "ExpHtmlRadioBtn", QStringLiteral("HTML"));
    QRadioButton* text = radio(page, "ExpTxtFestRadioBtn", QStringLiteral("Text (feste Breite)"));
    for (QRadioButton* r : {m_expAdifRadio, m_expHtmlRadio, text})
        layout->addWidget(r);
    layout->addSpacing(12);
    QPushButton* browse = nullptr;
    m_exportEdit = fileRow(page, layout, "ExportEdit", "ExportBrowseBtn", &browse);
    connect(browse, &QPushButton::clicked, this, &LogConverterForm::ExportBrowseBtnClick);
    layout->addStretch(1);
    return page;
}

QWidget* LogConverterForm::buildFinishedPage() {
    auto* page = named(new QWidget(this), "FinishedPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 8);
    auto* row = new QHBoxLayout;
    QPushButton* again = button(page, "GotoStartBtn", QStringLiteral("zum Anfang"));
    QPushButton* close = button(page, "CloseBtn", QStringLiteral("Schließen"));
    row->addWidget(again);
    row->addWidget(close);
    row->addStretch(1);
    layout->addLayout(row);
    // What the job did and which flaws of its input it worked around.
    m_resultMemo = named(new QPlainTextEdit(page), "ResultMemo");
    m_resultMemo->setReadOnly(true);
    layout->addWidget(m_resultMemo, 1);
    connect(again, &QPushButton::clicked, this, &LogConverterForm::GotoStartBtnClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget* LogConverterForm::buildButtonBar() {
    auto* bar = named(new QWidget(this), "ButtonPanel");
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(10, 8, 10, 8);
    m_progress = named(new QProgressBar(bar), "ProgressBar");
    m_progress->setRange(0, kProgressSteps);
    m_progress->setTextVisible(false);
    m_progress->hide();
    m_cancelBtn = button(bar, "CancelBtn", QStringLiteral("Abbrechen"));
    m_backBtn = button(bar, "BackBtn", QStringLiteral("< Zurück"));
    m_nextBtn = button(bar, "NextBtn", QStringLiteral("Weiter >"));
    layout->addWidget(m_progress, 1);
    layout->addStretch(0);
    layout->addSpacing(12);
    layout->addWidget(m_cancelBtn);
    layout->addSpacing(12);
    layout->addWidget(m_backBtn);
    layout->addWidget(m_nextBtn);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(m_backBtn, &QPushButton::clicked, this, &LogConverterForm::BackBtnClick);
    connect(m_nextBtn, &QPushButton::clicked, this, &LogConverterForm::NextBtnClick);
    return bar;
}

QString LogConverterForm::text(const char* name) const {
    const int line = LanguageTargets::lineOf(kWindow, QString::fromLatin1(name));
    const QString own = m_session.languageLine(line);
    if (!own.isEmpty()) return own;
    // A language file that ends early must not leave a page without a title
    // or a message box without a text.
    static const QStringList german = LanguageFile::builtInGerman();
    return german.value(line - 1);
}

QString LogConverterForm::pageTitle(Step step) const {
    return text(QStringLiteral("PageTitle%1").arg(int(step) + 1).toLatin1().constData());
}

void LogConverterForm::applyLanguage() {
    m_title->setText(pageTitle(m_step));
}

void LogConverterForm::showStep(Step step) {
    m_step = step;
    QWidget* page = m_startPage;
    switch (step) {
    case Step::Start:
    case Step::ImportText:
        page = m_startPage;
        break;
    case Step::ImportFile:
        page = m_importFilePage;
        break;
    case Step::ImportTarget:
    case Step::JoinTarget:
        page = m_targetLogPage;
        break;
    case Step::ImportGrid:
        page = m_gridPage;
        break;
    case Step::ExportLogs:
    case Step::RepairLogs:
    case Step::JoinLogs:
        page = m_logListPage;
        break;
    case Step::ExportFile:
        page = m_exportFilePage;
        break;
    case Step::ImportDone:
    case Step::ExportDone:
    case Step::RepairDone:
    case Step::JoinDone:
        page = m_finishedPage;
        break;
    }
    m_pages->setCurrentWidget(page);
    applyLanguage();
    updateButtons();
}

void LogConverterForm::showWizard() {
    if (isVisible()) {
        raise();
    } else {
        restart();
        resize(kWidth, kHeight);
        show();
    }
    activateWindow();
}

void LogConverterForm::restart() {
    m_inProgress = true;
    m_targetLogEdit->clear();
    refillLogLists();
    m_resultMemo->clear();
    showStep(Step::Start);
}

void LogConverterForm::GotoStartBtnClick() {
    restart();
}

void LogConverterForm::refillLogLists() {
    const QStringList logs = LogDirectory::logFiles(m_session.folder());
    for (QListWidget* list : {m_targetLogList, m_logList}) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(logs);
    }
}

void LogConverterForm::closeEvent(QCloseEvent* event) {
    // A job in progress finishes first; it cannot be stopped half way.
    if (m_busy || (m_inProgress && !m_session.dialogs().question(text("AbortQuestion")))) {
        event->ignore();
        return;
    }
    event->accept();
}

void LogConverterForm::NextBtnClick() {
    if (m_busy) return;
    switch (m_step) {
    case Step::Start:
        nextFromStart();
        break;
    case Step::ImportFile:
        nextFromImportFile();
        break;
    case Step::ImportTarget:
        nextFromImportTarget();
        break;
    case Step::ImportGrid:
        nextFromGrid();
        break;
    case Step::ExportLogs:
        nextFromLogList(Step::ExportFile);
        break;
    case Step::RepairLogs:
        nextFromLogList(Step::RepairDone);
        break;
    case Step::JoinLogs:
        nextFromLogList(Step::JoinTarget);
        break;
    case Step::ExportFile:
        nextFromExportFile();
        break;
    case Step::JoinTarget:
        nextFromJoinTarget();
        break;
    case Step::ImportText:
    case Step::ImportDone:
    case Step::ExportDone:
    case Step::RepairDone:
    case Step::JoinDone:
        break;
    }
}

void LogConverterForm::BackBtnClick() {
    if (m_busy) return;
    switch (m_step) {
    case Step::ImportFile:
    case Step::ExportLogs:
    case Step::RepairLogs:
    case Step::JoinLogs:
        showStep(Step::Start);
        break;
    case Step::ImportTarget:
        showStep(Step::ImportFile);
        break;
    case Step::ImportGrid:
        showStep(Step::ImportTarget);
        break;
    case Step::ExportFile:
        showStep(Step::ExportLogs);
        break;
    case Step::JoinTarget:
        showStep(Step::JoinLogs);
        break;
    default:
        break;
    }
}

void LogConverterForm::nextFromStart() {
    if (m_importRadio->isChecked())
        showStep(Step::ImportFile);
    else if (m_exportRadio->isChecked())
        showStep(Step::ExportLogs);
    else if (m_repairRadio->isChecked())
        showStep(Step::RepairLogs);
    else if (m_joinRadio->isChecked())
        showStep(Step::JoinLogs);
}

QString LogConverterForm::folderPath(const QString& typed) const {
    return QDir(m_session.folder()).absoluteFilePath(typed);
}

void LogConverterForm::nextFromImportFile() {
    const QString typed = m_importEdit->text();
    if (typed.isEmpty() || !QFileInfo(folderPath(typed)).isFile()) {
        const QString where = typed.isEmpty() ? QString() : u'\n' + native(folderPath(typed));
        m_session.dialogs().error(text("FileMissing") + where);
        return;
    }
    showStep(Step::ImportTarget);
}

QString LogConverterForm::targetLogPath() {
    QString name = m_targetLogEdit->text().trimmed();
    if (name.isEmpty()) {
        m_session.dialogs().error(text("NoLogChosen"));
        return {};
    }
    if (name.contains(u'/') || name.contains(u'\\')) {
        m_session.dialogs().error(
            msgText(Msg::ConverterLogNotInFolder)
                .arg(name, native(m_session.folder())));
        return {};
    }
    if (!name.contains(u'.')) {
        name += QStringLiteral(".log");
        m_targetLogEdit->setText(name);
    }
    return m_session.pathOf(name);
}

void LogConverterForm::nextFromImportTarget() {
    const QString target = targetLogPath();
    if (target.isEmpty()) return;
    const QString source = folderPath(m_importEdit->text());
    if (m_impHtmlRadio->isChecked()) {
        StringGrid grid;
        if (!runJob([&] { grid = m_converter.LoadHtml(source); })) return;
        m_gridModel->replace(std::move(grid));
        m_gridView->resizeColumnsToContents();
        m_gridView->setCurrentIndex(m_gridModel->index(0, 0));
        gridColumnChosen(0);
        showStep(Step::ImportGrid);
        const StringGrid& loaded = m_gridModel->grid();
        if (loaded.columnCount() > StringGridModel::ShownColumns)
            m_session.dialogs().info(msgText(Msg::HtmlColumnsCapped)
                                         .arg(loaded.sourceName())
                                         .arg(loaded.columnCount())
                                         .arg(StringGridModel::ShownColumns));
        return;
    }
    ConverterResult result;
    if (!runJob([&] { result = m_converter.ImportAdif(source, target); })) return;
    touched({target});
    QString summary = msgText(Msg::ImportedAdif)
                          .arg(result.written)
                          .arg(native(source), QFileInfo(target).fileName());
    if (result.skipped == 1)
        summary += msgText(Msg::ImportedSkippedRecord);
    else if (result.skipped > 0)
        summary += msgText(Msg::ImportedSkippedRecords).arg(result.skipped);
    summary += msgText(Msg::LogNowHolds).arg(result.total);
    finish(Step::ImportDone, (QStringList{summary} + result.notes).join(u'\n'));
}

void LogConverterForm::nextFromGrid() {
    bool ok = false;
    const int startLine = m_startLineEdit->text().toInt(&ok);
    if (!ok) {
        m_session.dialogs().error(
            msgText(Msg::NotALineNumber)
                .arg(m_startLineEdit->text(), findChild<QLabel*>("Label2")->text()));
        m_startLineEdit->setFocus();
        return;
    }
    const QString target = targetLogPath();
    if (target.isEmpty()) return;
    ConverterResult result;
    if (!runJob([&] { result = m_converter.ImportStringGrid(m_gridModel->grid(), startLine, target); }))
        return;
    touched({target});
    QString summary = msgText(Msg::ImportedTable)
                          .arg(result.written)
                          .arg(m_gridModel->grid().sourceName())
                          .arg(startLine)
                          .arg(QFileInfo(target).fileName());
    if (result.skipped == 1)
        summary += msgText(Msg::ImportedSkippedRow);
    else if (result.skipped > 0)
        summary += msgText(Msg::ImportedSkippedRows).arg(result.skipped);
    summary += msgText(Msg::LogNowHolds).arg(result.total);
    finish(Step::ImportDone, summary);
}

bool LogConverterForm::AtLeastOneChecked(const QListWidget* list) {
    return !list->selectedItems().isEmpty();
}

QStringList LogConverterForm::selectedLogPaths() const {
    QStringList paths;
    for (int row = 0; row < m_logList->count(); ++row) {
        if (m_logList->item(row)->isSelected()) paths << m_session.pathOf(m_logList->item(row)->text());
    }
    return paths;
}

void LogConverterForm::nextFromLogList(Step following) {
    if (!AtLeastOneChecked(m_logList)) {
        m_session.dialogs().error(text("ChooseOneLog"));
        return;
    }
    showStep(following);
    if (following == Step::RepairDone) Repair();
}

void LogConverterForm::nextFromExportFile() {
    const QString typed = m_exportEdit->text();
    if (typed.isEmpty()) {
        m_session.dialogs().error(text("NoExportFile"));
        return;
    }
    const QString target = folderPath(typed);
    if (QFileInfo::exists(target) &&
        !m_session.dialogs().question(text("OverwriteBefore") + typed + text("OverwriteAfter")))
        return;
    const QStringList logs = selectedLogPaths();
    m_converter.setCreditText(text("CreatedWith"));
    ConverterResult result;
    const bool ok = runJob([&] {
        if (m_expAdifRadio->isChecked())
            result = m_converter.ExportAdif(logs, target);
        else if (m_expHtmlRadio->isChecked())
            result = m_converter.ExportHtml(logs, target);
        else
            result = m_converter.ExportTxtFest(logs, target);
    });
    if (ok)
        finish(Step::ExportDone,
               msgText(Msg::Exported).arg(result.written).arg(native(target)));
}

void LogConverterForm::Repair() {
    const QStringList logs = selectedLogPaths();
    QList<int> counts;
    if (!runJob([&] { counts = m_converter.Repair(logs); })) return;
    touched(logs);
    QStringList lines;
    for (int i = 0; i < logs.size() && i < counts.size(); ++i)
        lines << msgText(Msg::Repaired)
                     .arg(QFileInfo(logs[i]).fileName())
                     .arg(counts[i]);
    finish(Step::RepairDone, lines.join(u'\n'));
}

void LogConverterForm::nextFromJoinTarget() {
    const QString target = targetLogPath();
    if (!target.isEmpty()) Verbinden(target);
}

// A target among the sources is refused by the rule before anything is read.
void LogConverterForm::Verbinden(const QString& target) {
    ConverterResult result;
    if (!runJob([&] { result = m_converter.Verbinden(selectedLogPaths(), target); })) return;
    touched({target});
    finish(Step::JoinDone, msgText(Msg::Joined)
                               .arg(result.written)
                               .arg(QFileInfo(target).fileName())
                               .arg(result.total));
}

void LogConverterForm::finish(Step done, const QString& summary) {
    m_resultMemo->setPlainText(summary);
    showStep(done);
    m_inProgress = false;
}

void LogConverterForm::touched(const QStringList& paths) {
    if (LogFile* current = m_session.log()) {
        const QFileInfo open(current->fileName());
        if (std::any_of(paths.cbegin(), paths.cend(), [&](const QString& p) { return QFileInfo(p) == open; }))
            m_session.reloadRows();
    }
    Q_EMIT logsChanged(paths);
}

bool LogConverterForm::runJob(const std::function<void()>& job) {
    setBusy(true);
    QString failure;
    try {
        job();
    } catch (const IoError& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    setBusy(false);
    if (!failure.isEmpty()) m_session.dialogs().error(failure);
    return failure.isEmpty();
}

void LogConverterForm::setBusy(bool busy) {
    if (busy != m_busy) {
        m_busy = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
        m_progress->setValue(0);
        m_progress->setVisible(busy);
    }
    updateButtons();
}

void LogConverterForm::updateButtons() {
    const bool busy = m_busy;
    const bool finished = isFinished(m_step);
    m_cancelBtn->setEnabled(!busy);
    m_backBtn->setEnabled(!busy && m_step != Step::Start && !finished);
    m_nextBtn->setEnabled(!busy && !finished);
    m_pages->setEnabled(!busy);
}

void LogConverterForm::reportProgress(qint64 done, qint64 total) {
    m_progress->setValue(total > 0 ? int(done * kProgressSteps / total) : kProgressSteps);
    // Repaints and timers go on; clicks wait until the job is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LogConverterForm::Import1BrowseBtnClick() {
    QString title = text("ImportTitle");
    QString filter = text("AllFilesFilter");
    if (m_impAdifRadio->isChecked()) {
        title = text("ImportAdifTitle");
        filter = text("ImportAdifFilter");
    } else if (m_impHtmlRadio->isChecked()) {
        title = text("ImportHtmlTitle");
        filter = text("ImportHtmlFilter");
    }
    m_importEdit->setText(m_session.dialogs().openFileName(title, m_session.folder(), filter));
}

void LogConverterForm::ExportBrowseBtnClick() {
    QString title = text("ExportTxtTitle");
    QString filter = text("ExportTxtFilter");
    QString suffix = QStringLiteral("txt");
    if (m_expAdifRadio->isChecked()) {
        title = text("ExportAdifTitle");
        filter = text("ExportAdifFilter");
        suffix = QStringLiteral("adi");
    } else if (m_expHtmlRadio->isChecked()) {
        title = text("ExportHtmlTitle");
        filter = text("ExportHtmlFilter");
        suffix = QStringLiteral("htm");
    }
    m_exportEdit->setText(m_session.dialogs().saveFileName(title, m_session.folder(), filter, suffix));
}

void LogConverterForm::gridColumnChosen(int column) {
    m_gridColumn = column;
    m_gridComboBox->setCurrentIndex(m_gridModel->grid().assignment(column));
}

void LogConverterForm::gridItemChosen(int item) {
    m_gridModel->setAssignment(m_gridColumn, item);
}

void LogConverterForm::startLineEdited(const QString& typed) {
    bool ok = false;
    if (typed.toInt(&ok) < 1 && ok) m_startLineEdit->setText(QStringLiteral("1"));
}
