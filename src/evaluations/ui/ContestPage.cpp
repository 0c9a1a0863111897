#include "evaluations/ui/ContestPage.h"

#include "evaluations/ContestRulesFile.h"
#include "evaluations/ContestWorkbook.h"
#include "evaluations/ui/ContestResultModel.h"
#include "evaluations/ui/ContestRulesModel.h"
#include "logstore/IoError.h"
#include "logstore/LogTableModel.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/GeneralSettings.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    return named(new QPushButton(caption, parent), name);
}

QLabel* label(const char* name, const QString& text, QWidget* parent) { return named(new QLabel(text, parent), name); }

// The rule grid: a cell still being typed in belongs to the rules as soon as
// a button reads them, also when the click did not take the focus away.
class RulesGrid : public QTableView {
public:
    using QTableView::QTableView;
    void commitOpenEditor() {
        if (state() != EditingState)
            return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { release(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    // Before a message box, so that the box is not answered under an hour-glass.
    void release() {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

} // namespace

ContestPage::ContestPage(Shell& shell, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_session(shell.session()), m_rulesModel(new ContestRulesModel(this)),
      m_resultModel(new ContestResultModel(this)), m_sheets(named(new QTabWidget(this), "tstPageControl")),
      m_rulesSheet(named(new QWidget, "tstRegelnTS")), m_resultSheet(named(new QWidget, "tstErgTS")),
      m_rulesGrid(named(new RulesGrid(m_rulesSheet), "tstRulesStringGrid")),
      m_resultGrid(named(new QTableView(m_resultSheet), "tstErgStringGrid")),
      m_newRule(button("tstNewRule", QStringLiteral("neue Regel"), m_rulesSheet)),
      m_deleteRule(button("tstDeleteRule", QStringLiteral("Regel löschen"), m_rulesSheet)),
      m_load(button("tstLoadBtn", QStringLiteral("Regeln laden"), m_rulesSheet)),
      m_save(button("tstSaveBtn", QStringLiteral("Regeln speichern"), m_rulesSheet)),
      m_run(button("tstErgBtn", QStringLiteral(">>> Contest auswerten <<<"), m_rulesSheet)),
      m_export(button("tstExcelBtn", QStringLiteral("Auswertung nach Excel exportieren"), m_resultSheet)),
      m_points(label("tstPktLabel", QStringLiteral("0"), m_resultSheet)),
      m_multipliers(label("tstMltLabel", QStringLiteral("0"), m_resultSheet)),
      m_score(label("tstErgLabel", QStringLiteral("0"), m_resultSheet)) {
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    m_rulesGrid->setModel(m_rulesModel);
    m_rulesGrid->setFont(mono);
    m_rulesGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rulesGrid->setEditTriggers(m_rulesGrid->editTriggers() | QAbstractItemView::SelectedClicked);
    m_rulesGrid->horizontalHeader()->setStretchLastSection(true);
    const int digit = m_rulesGrid->fontMetrics().horizontalAdvance(u'0');
    m_rulesGrid->setColumnWidth(ContestRules::Keys, 28 * digit);
    m_rulesGrid->setColumnWidth(ContestRules::Value, 24 * digit);
    m_rulesGrid->setColumnWidth(ContestRules::Kind, 12 * digit);
    auto* ruleButtons = new QHBoxLayout;
    for (QPushButton* b : {m_newRule, m_deleteRule, m_load, m_save})
        ruleButtons->addWidget(b);
    ruleButtons->addStretch(1);
    ruleButtons->addWidget(m_run);
    auto* rulesLayout = new QVBoxLayout(m_rulesSheet);
    rulesLayout->addWidget(m_rulesGrid, 1);
    rulesLayout->addLayout(ruleButtons);

    m_resultGrid->setModel(m_resultModel);
    m_resultGrid->setFont(mono);
    m_resultGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_resultGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_resultGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_resultGrid->verticalHeader()->hide(); // fNumber numbers the rows
    m_resultGrid->viewport()->installEventFilter(this);
    QFont bold = font();
    bold.setBold(true);
    auto* totals = new QGridLayout;
    totals->addWidget(label("Label30", QStringLiteral("Punkte"), m_resultSheet), 0, 0);
    totals->addWidget(label("Label31", QStringLiteral("Multis"), m_resultSheet), 0, 1);
    auto* scoreCaption = new QHBoxLayout;
    scoreCaption->setSpacing(fontMetrics().horizontalAdvance(u' '));
    scoreCaption->addWidget(label("Label17", QStringLiteral("Endpunktzahl"), m_resultSheet));
    scoreCaption->addWidget(label("Label28", QStringLiteral("(Punkte * Multis)"), m_resultSheet));
    scoreCaption->addStretch(1);
    totals->addLayout(scoreCaption, 0, 2);
    int column = 0;
    for (QLabel* value : {m_points, m_multipliers, m_score}) {
        value->setFont(bold);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        totals->addWidget(value, 1, column++);
    }
    totals->setHorizontalSpacing(6 * fontMetrics().horizontalAdvance(u'0'));
    totals->setColumnStretch(3, 1);
    totals->addWidget(m_export, 0, 4, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    auto* resultLayout = new QVBoxLayout(m_resultSheet);
    resultLayout->addWidget(m_resultGrid, 1);
    resultLayout->addLayout(totals);

    m_sheets->addTab(m_rulesSheet, QStringLiteral("Regeln"));
    m_sheets->addTab(m_resultSheet, QStringLiteral("Auswertung"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sheets);

    connect(m_newRule, &QPushButton::clicked, this, &ContestPage::tstNewRuleClick);
    connect(m_deleteRule, &QPushButton::clicked, this, &ContestPage::tstDeleteRuleClick);
    connect(m_load, &QPushButton::clicked, this, &ContestPage::tstLoadBtnClick);
    connect(m_save, &QPushButton::clicked, this, &ContestPage::tstSaveBtnClick);
    connect(m_run, &QPushButton::clicked, this, &ContestPage::tstErgBtnClick);
    connect(m_export, &QPushButton::clicked, this, &ContestPage::tstExcelBtnClick);
}

const ContestRules& ContestPage::rules() const { return m_rulesModel->rules(); }

void ContestPage::finishEditing() { static_cast<RulesGrid*>(m_rulesGrid)->commitOpenEditor(); }

QString ContestPage::dialogTitle(const QPushButton* b) const { return b->text() + QStringLiteral("..."); }

void ContestPage::tstNewRuleClick() {
    finishEditing();
    m_rulesModel->appendRule();
    const QModelIndex added = m_rulesModel->index(m_rulesModel->rowCount() - 1, ContestRules::Keys);
    m_rulesGrid->setCurrentIndex(added);
    m_rulesGrid->scrollTo(added);
}

void ContestPage::tstDeleteRuleClick() {
    finishEditing();
    const QModelIndex current = m_rulesGrid->currentIndex();
    if (current.isValid())
        m_rulesModel->deleteRule(current.row());
}

void ContestPage::tstLoadBtnClick() {
    finishEditing();
    const QString path =
        m_session.dialogs().openFileName(dialogTitle(m_load), m_session.folder(), msgText(Msg::ContestRulesFilter));
    if (path.isEmpty())
        return;
    // Read first: a file that cannot be read leaves the table as it was.
    ContestRulesFile::Loaded loaded;
    try {
        loaded = ContestRulesFile::load(path);
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
        return;
    }
    m_rulesModel->setRules(loaded.rules);
    if (!loaded.error.isEmpty())
        m_session.dialogs().error(loaded.error);
}

void ContestPage::tstSaveBtnClick() {
    finishEditing();
    const QString path = m_session.dialogs().saveFileName(dialogTitle(m_save), m_session.folder(),
                                                          msgText(Msg::ContestRulesFilter), QStringLiteral("tst"));
    if (path.isEmpty())
        return;
    try {
        ContestRulesFile::save(m_rulesModel->rules(), path);
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
    }
}

void ContestPage::tstErgBtnClick() {
    finishEditing();
    LogFile* log = m_session.log();
    if (!log)
        return;
    WaitCursor wait;
    m_resultModel->setRows({});
    ContestResult result;
    try {
        result = ContestEngine::run(*log, m_rulesModel->rules(), GeneralSettings::ownLocator(m_session.settings()),
                                    m_session.dxcc(), m_session.texts());
    } catch (const IoError& e) {
        wait.release();
        m_session.dialogs().error(e.message());
        return;
    }
    m_resultModel->setRows(std::move(result.rows));
    m_resultGrid->resizeColumnsToContents();
    if (!result.ok()) {
        wait.release();
        m_session.dialogs().error(result.failure->text());
        return;
    }
    m_points->setText(QString::number(result.totals->points));
    m_multipliers->setText(QString::number(result.totals->multipliers));
    m_score->setText(QString::number(result.totals->score));
    m_sheets->setCurrentWidget(m_resultSheet);
}

void ContestPage::tstExcelBtnClick() {
    ContestResult shown;
    shown.rows = m_resultModel->rows();
    WaitCursor wait;
    const QString message = ContestWorkbook::exportAndOpen(shown, m_session.folder(), m_session.desktop());
    wait.release();
    if (!message.isEmpty())
        m_session.dialogs().error(message);
}

void ContestPage::tstErgStringGridMouseUp() {
    const QModelIndex current = m_resultGrid->currentIndex();
    if (!current.isValid())
        return;
    const QString text = m_resultModel->index(current.row(), ContestColumn::Number).data().toString();
    qint32 number = 0;
    try {
        number = ContestExpression::toInteger(text);
    } catch (const ContestError& e) {
        m_session.dialogs().error(e.message());
        return;
    }
    // A number beyond the log would leave the edit tab on whatever contact
    // the list had chosen before: that one must not be changed by mistake.
    const int count = m_session.model().recordCount();
    if (number < 1 || number > count) {
        m_session.dialogs().error(msgText(Msg::ContestNoSuchContact).arg(text).arg(count));
        return;
    }
    m_shell.openForEdit(number - 1, ReturnTarget::ContestResults);
}

void ContestPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window brought back from the task bar is no new showing of the page.
    if (!event->spontaneous())
        TabSheet5Show();
}

void ContestPage::TabSheet5Show() { m_resultModel->cutToFirstRow(); }

bool ContestPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_resultGrid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
        if (mouse && mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier))
            tstErgStringGridMouseUp();
    }
    return QWidget::eventFilter(watched, event);
}
