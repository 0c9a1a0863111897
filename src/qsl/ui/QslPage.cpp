#include "qsl/ui/QslPage.h"

#include "entry/ui/EntryArea.h"
#include "entry/ui/LogGridView.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "qsl/OutstandingCards.h"
#include "qsl/QslMarks.h"
#include "qsl/ReceivedCardInput.h"
#include "qsl/ui/OutstandingModel.h"
#include "session/Session.h"
#include "settings/LanguageTexts.h"

#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(const char* name, const QString& text, QWidget* parent) { return named(new QLabel(text, parent), name); }

bool isReturn(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

} // namespace

QslPage::QslPage(Shell& shell, EntryArea& entry, std::function<CardRule()> rule, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_session(shell.session()), m_entry(entry), m_rule(std::move(rule)),
      m_model(new OutstandingModel(this)), m_grid(new LogGridView(QStringLiteral("qslStringGrid"), this)),
      m_createButton(named(new QPushButton(QStringLiteral("Liste erstellen"), this), "qslCreateListBtn")),
      m_callEdit(named(new QLineEdit(this), "qslCallEdit")), m_dateEdit(named(new QLineEdit(this), "qslDateEdit")),
      m_utcEdit(named(new QLineEdit(this), "qslUtcEdit")),
      m_receivedPicker(named(new QDateEdit(this), "qslInDatePicker")),
      m_searchButton(named(new QPushButton(QStringLiteral("QSO suchen"), this), "qslInBtn")),
      m_searchPanel(named(new QWidget(this), "qslSearchPanel")),
      m_searchGrid(named(new QTableWidget(0, 6, m_searchPanel), "qslSearchStringGrid")) {
    m_grid->setModel(m_model);
    m_grid->installEventFilter(this);
    m_searchGrid->installEventFilter(this);
    m_searchGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_searchGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_searchGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_searchGrid->verticalHeader()->hide();
    m_receivedPicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_receivedPicker->setCalendarPopup(true);
    m_receivedPicker->setDate(m_session.clock().localNow().date());

    auto* help = label("Label67",
                       QStringLiteral("Folgende QSL-Karten müssen noch geschrieben werden. (Doppelclick oder [ENTER] "
                                      "um das QSL out Feld auf das aktuelle Datum zu setzen)"),
                       this);
    help->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(help, 1);
    top->addWidget(m_createButton, 0, Qt::AlignTop);

    auto* received = new QGridLayout;
    received->addWidget(label("Label92", QStringLiteral("Call"), this), 0, 0);
    received->addWidget(label("Label99", QStringLiteral("Date"), this), 0, 1);
    received->addWidget(label("Label100", QStringLiteral("UTC"), this), 0, 2);
    received->addWidget(new QLabel(QStringLiteral("QSL in"), this), 0, 3);
    received->addWidget(m_callEdit, 1, 0);
    received->addWidget(m_dateEdit, 1, 1);
    received->addWidget(m_utcEdit, 1, 2);
    received->addWidget(m_receivedPicker, 1, 3);
    received->addWidget(m_searchButton, 1, 4);
    received->setColumnStretch(5, 1);

    auto* panel = new QVBoxLayout(m_searchPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(m_searchGrid);
    m_searchPanel->setMaximumHeight(m_searchGrid->verticalHeader()->defaultSectionSize() * 7);
    m_searchPanel->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(received);
    layout->addWidget(m_searchPanel);

    connect(m_createButton, &QPushButton::clicked, this, &QslPage::qslCreateListBtnClick);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &QslPage::qslStringGridDblClick);
    connect(m_searchButton, &QPushButton::clicked, this, &QslPage::qslInBtnClick);
    connect(m_searchGrid, &QTableWidget::cellDoubleClicked, this, &QslPage::qslSearchStringGridDblClick);
}

void QslPage::qslCreateListBtnClick() {
    m_model->setRows({});
    m_shell.reloadLists();
    LogFile* log = m_session.log();
    if (!log)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_model->setRows(OutstandingCards::list(*log, m_rule(), m_session.clock().localNow().date().year()));
    } catch (const IoError& e) {
        QApplication::restoreOverrideCursor();
        m_session.dialogs().error(e.message());
        return;
    }
    QApplication::restoreOverrideCursor();
    fitColumns();
    m_grid->selectRecord(0);
}

// Measuring every cell of a list of 50 000 contacts would take longer than
// making the list.
void QslPage::fitColumns() {
    const QFontMetrics metrics(m_grid->font());
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int widest = metrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString());
        for (const QString& text : m_model->longestTexts(c))
            widest = std::max(widest, metrics.horizontalAdvance(text));
        m_grid->setColumnWidth(c, widest + 10);
    }
}

// The contact is written only while the file still holds it as the list
// shows it: written by row number alone, a mark could land on another
// contact once the log has changed.
template <typename Change> void QslPage::markSelected(Change change) {
    const QModelIndex current = m_grid->currentIndex();
    LogFile* log = m_session.log();
    if (!log || !current.isValid() || current.row() >= m_model->listedCount())
        return;
    const int index = current.row();
    const OutstandingCards::Row row = m_model->row(index);
    const QsoRecord before = row.record.toRecord();
    QsoRecord after = before;
    change(after);
    try {
        if (!log->ReplaceRecordIf(row.position, [&before](const QsoRecord& inFile) { return inFile == before; }, after)) {
            m_session.dialogs().error(msgText(Msg::CardListOutdated).arg(before[QsoRecord::Number]));
            qslCreateListBtnClick();
            return;
        }
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
        return;
    }
    m_model->setRecord(index, after);
    m_session.rowRewritten(row.position - 1, before, after);
    m_grid->selectRecord(std::min(index + 1, m_model->listedCount() - 1));
}

void QslPage::qslStringGridDblClick() {
    const QDate today = m_session.clock().localNow().date();
    markSelected([&today](QsoRecord& r) { QslMarks::toggleSent(r, today); });
}

void QslPage::toggleDeclined() { markSelected([](QsoRecord& r) { QslMarks::toggleDeclined(r); }); }

void QslPage::qslInBtnClick() {
    const QString call = m_callEdit->text().trimmed().toUpper();
    const int year = m_session.clock().localNow().date().year();
    const ReceivedCardInput::Result date = ReceivedCardInput::date(m_dateEdit->text().trimmed(), year);
    const ReceivedCardInput::Result utc = ReceivedCardInput::time(m_utcEdit->text().trimmed());
    for (const ReceivedCardInput::Result* r : {&date, &utc}) {
        if (!r->error.isEmpty()) {
            m_session.dialogs().error(r->error);
            return;
        }
    }
    if (date.given)
        m_dateEdit->setText(date.text);
    if (utc.given)
        m_utcEdit->setText(utc.text);
    m_searchPanel->hide();
    const QVector<SearchCondition> conditions = {
        {!call.isEmpty(), SearchField::Call, SearchOperator::Contains, call},
        {date.given, SearchField::Date, SearchOperator::Is, date.text},
        {utc.given, SearchField::Utc, SearchOperator::Is, utc.text}};
    if (!m_entry.search(conditions)) {
        m_session.dialogs().error(m_session.texts()[LanguageTexts::CardSearchNoInput]);
        return;
    }
    const LogTableModel& hits = m_entry.searchResults();
    const QDate receivedOn = m_receivedPicker->date();
    if (hits.recordCount() == 1) {
        m_entry.openSearchResult(0, ReturnTarget::QslEvaluation);
        m_entry.markCardReceived(receivedOn);
    } else if (hits.recordCount() == 0) {
        if (call.isEmpty() || !date.given || !utc.given) {
            m_session.dialogs().error(m_session.texts()[LanguageTexts::CardSearchNeedsAll]);
            return;
        }
        if (m_session.dialogs().question(m_session.texts()[LanguageTexts::CardSearchAddMissing]))
            addMissingContact(call, date.text, utc.text);
    } else {
        m_searchGrid->setRowCount(hits.recordCount());
        for (int c = 0; c < m_searchGrid->columnCount(); ++c) {
            m_searchGrid->setHorizontalHeaderItem(c, new QTableWidgetItem(hits.headerData(c, Qt::Horizontal).toString()));
            for (int r = 0; r < hits.recordCount(); ++r)
                m_searchGrid->setItem(r, c, new QTableWidgetItem(hits.data(hits.index(r, c)).toString()));
        }
        m_searchGrid->resizeColumnsToContents();
        m_searchGrid->selectRow(0);
        m_searchPanel->show();
    }
    for (QLineEdit* e : {m_callEdit, m_dateEdit, m_utcEdit})
        e->clear();
}

// Through the same append as the entry mask, so the contact is on disk
// before the edit tab opens on it.
void QslPage::addMissingContact(const QString& call, const QString& date, const QString& utc) {
    const LogTableModel& rows = m_session.model();
    bool numbered = false;
    const int last = rows.recordCount() > 0 ? rows.field(rows.recordCount() - 1, QsoRecord::Number).toInt(&numbered) : 0;
    QsoRecord r;
    r[QsoRecord::Number] = QString::number((numbered ? last : rows.recordCount()) + 1);
    r[QsoRecord::Call] = call;
    r[QsoRecord::Date] = date;
    r[QsoRecord::Utc] = utc;
    r[QsoRecord::QslIn] = DateText::formatDate(m_receivedPicker->date());
    try {
        m_session.appendContact(r);
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
        return;
    }
    m_shell.openForEdit(m_session.model().recordCount() - 1, ReturnTarget::QslEvaluation);
}

void QslPage::qslSearchStringGridDblClick() {
    const int row = m_searchGrid->currentRow();
    const QTableWidgetItem* item = row >= 0 ? m_searchGrid->item(row, 0) : nullptr;
    bool ok = false;
    const int number = item ? item->text().toInt(&ok) : 0;
    if (!ok || number <= 0)
        return;
    m_shell.openForEdit(number - 1, ReturnTarget::QslEvaluation);
    m_entry.markCardReceived(m_receivedPicker->date());
}

bool QslPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_grid && isReturn(key)) {
            qslStringGridDblClick();
            return true;
        }
        if (watched == m_grid && key->text() == QLatin1String("n")) {
            toggleDeclined();
            return true;
        }
        // In the result grid Return opens the contact, as a double click does.
        if (watched == m_searchGrid && isReturn(key)) {
            qslSearchStringGridDblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
