#include "entry/ui/SearchPage.h"

#include "session/Session.h"
#include "entry/ui/LogGridView.h"
#include "logstore/IoError.h"
#include "logstore/LogTableModel.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "refdata/Dxcc.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
const QString kFormatNote = QStringLiteral("Formatvorschriften:\nDatum    dd.mm.yyyy\nUhrzeit  hh:nn:ss\n"
                                           "Band     immer mit Einheit\n         (z.B. 70cm)\n"
                                           "TX Pwr   #W (z.B. 0,5W)");
} // namespace

SearchPage::SearchPage(Session& session, const LogGridView* listGrid, QWidget* parent)
    : QWidget(parent), m_session(session), m_listGrid(listGrid) {
    auto* conditions = new QGridLayout;
    conditions->setHorizontalSpacing(6);
    for (int i = 0; i < RowCount; ++i) {
        const QString n = QString::number(i + 1);
        Row& row = m_rows[static_cast<std::size_t>(i)];
        row.check = new QCheckBox(this);
        row.check->setObjectName(QStringLiteral("sCheckBox") + n);
        row.check->setChecked(i == 0);
        row.field = new QComboBox(this);
        row.field->setObjectName(QStringLiteral("sFieldComboBox") + n);
        row.field->addItems(SearchField::texts());
        row.field->setCurrentIndex(-1);
        row.field->setMaxVisibleItems(SearchField::Count);
        row.op = new QComboBox(this);
        row.op->setObjectName(QStringLiteral("sOperatorComboBox") + n);
        row.op->addItems(SearchOperator::texts());
        row.op->setCurrentIndex(-1);
        row.op->setMinimumContentsLength(14);
        row.value = new QLineEdit(this);
        row.value->setObjectName(QStringLiteral("sEdit") + n);
        row.value->installEventFilter(this);
        conditions->addWidget(row.check, i, 0);
        conditions->addWidget(row.field, i, 1);
        conditions->addWidget(row.op, i, 2);
        conditions->addWidget(row.value, i, 3);

        connect(row.check, &QCheckBox::toggled, this, &SearchPage::sCheckBoxClick);
        connect(row.field, &QComboBox::currentIndexChanged, this, &SearchPage::sOperatorComboBox1Change);
        connect(row.op, &QComboBox::currentIndexChanged, this, &SearchPage::sOperatorComboBox1Change);
        connect(row.value, &QLineEdit::textChanged, this, [this, i] { sEditChange(i + 1); });
    }
    conditions->setColumnMinimumWidth(1, 110);
    conditions->setColumnMinimumWidth(3, 180);

    m_formatNote = new QPlainTextEdit(this);
    m_formatNote->setObjectName(QStringLiteral("Memo1"));
    m_formatNote->setReadOnly(true);
    m_formatNote->setPlainText(kFormatNote);
    m_formatNote->setFrameShape(QFrame::NoFrame);
    m_formatNote->setFocusPolicy(Qt::NoFocus);
    m_formatNote->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_formatNote->setBackgroundRole(QPalette::Window);
    m_formatNote->viewport()->setAutoFillBackground(false);
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_formatNote->setFont(mono);
    m_formatNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_formatNote->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(mono);
    const int margin = 2 * static_cast<int>(m_formatNote->document()->documentMargin()) + 8;
    m_formatNote->setFixedSize(metrics.horizontalAdvance(QString(28, u'x')) + margin,
                               metrics.lineSpacing() * 6 + margin);

    m_searchButton = new QPushButton(QStringLiteral("Suche starten!"), this);
    m_searchButton->setObjectName(QStringLiteral("SearchBtn"));
    connect(m_searchButton, &QPushButton::clicked, this, &SearchPage::SearchBtnClick);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addLayout(conditions);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_searchButton);
    buttonRow->addStretch(1);
    left->addLayout(buttonRow);
    top->addLayout(left);
    top->addSpacing(16);
    top->addWidget(m_formatNote, 0, Qt::AlignTop);
    top->addStretch(1);

    m_results = new LogTableModel(this);
    m_grid = new LogGridView(QStringLiteral("sStringGrid"), this);
    m_grid->setModel(m_results);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { openResult(index.row()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    sCheckBoxClick();
}

bool SearchPage::validRow(int row) { return row >= 1 && row <= RowCount; }

SearchCondition SearchPage::condition(int row) const {
    if (!validRow(row))
        return {};
    const Row& r = m_rows[static_cast<std::size_t>(row - 1)];
    return {r.check->isChecked(), r.field->currentIndex(), r.op->currentIndex(), r.value->text()};
}

void SearchPage::setCondition(int row, const SearchCondition& c) {
    if (!validRow(row))
        return;
    Row& r = m_rows[static_cast<std::size_t>(row - 1)];
    // The value first: typing defaults must not overwrite the given choice.
    r.value->setText(c.value);
    // Both lists are set before the ordering rule looks at them, so that an
    // old operator cannot push the new field to "#".
    m_adjusting = true;
    r.field->setCurrentIndex(c.field);
    r.op->setCurrentIndex(c.op);
    m_adjusting = false;
    sOperatorComboBox1Change();
    r.check->setChecked(c.enabled);
    sCheckBoxClick();
}

void SearchPage::setCondition(int row, bool enabled, int field, int op, const QString& value) {
    setCondition(row, SearchCondition{enabled, field, op, value});
}

bool SearchPage::searchEnabled() const { return m_searchButton->isEnabled(); }

void SearchPage::sCheckBoxClick() {
    bool any = false;
    for (Row& r : m_rows) {
        const bool on = r.check->isChecked();
        r.field->setEnabled(on);
        r.op->setEnabled(on);
        r.value->setEnabled(on);
        any = any || on;
    }
    m_searchButton->setEnabled(any);
}

void SearchPage::sOperatorComboBox1Change() {
    if (m_adjusting)
        return;
    m_adjusting = true;
    for (Row& r : m_rows) {
        const int field = SearchQuery::fieldAfterSelection(r.field->currentIndex(), r.op->currentIndex());
        if (field != r.field->currentIndex())
            r.field->setCurrentIndex(field);
    }
    m_adjusting = false;
}

void SearchPage::sEditChange(int row) {
    Row& r = m_rows[static_cast<std::size_t>(row - 1)];
    if (r.field->currentIndex() < 0)
        r.field->setCurrentIndex(SearchField::Call);
    if (r.op->currentIndex() < 0)
        r.op->setCurrentIndex(SearchOperator::Contains);
}

void SearchPage::SearchBtnClick() {
    if (!m_searchButton->isEnabled())
        return;
    QVector<SearchCondition> conditions;
    for (int row = 1; row <= RowCount; ++row)
        conditions << condition(row);
    runSearch(conditions);
}

void SearchPage::logRenumbered() {
    if (m_lastConditions)
        runSearch(*m_lastConditions);
}

void SearchPage::runSearch(const QVector<SearchCondition>& conditions) {
    m_lastConditions = conditions;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_results->clear();
    if (m_listGrid)
        m_grid->setColumnWidths(m_listGrid->columnWidths());
    DxccAccess& dxcc = m_session.dxcc();
    const SearchQuery query(conditions, m_session.clock().localNow().date().year(),
                            [&dxcc](const QString& call) { return dxcc.GetDxccCountry(call); });
    QString failure;
    if (LogFile* log = m_session.log()) {
        const DxccAccess::Hold hold(dxcc);
        try {
            m_results->setRows(query.run(*log));
        } catch (const IoError& e) {
            failure = e.message();
        }
    }
    QApplication::restoreOverrideCursor();
    for (const SearchCondition& c : conditions) {
        if (c.enabled && c.field == SearchField::Dxcc)
            m_session.reportReferenceProblems(dxcc.problems());
    }
    if (!failure.isEmpty())
        m_session.dialogs().error(failure);
}

void SearchPage::refreshResult(int number, const QsoRecord& record) {
    for (int row = 0; row < m_results->recordCount(); ++row)
        if (resultNumber(row) == number)
            m_results->replaceRecord(row, record);
}

int SearchPage::resultNumber(int row) const {
    if (row < 0 || row >= m_results->recordCount())
        return 0;
    bool ok = false;
    const int number = m_results->field(row, QsoRecord::Number).toInt(&ok);
    return ok ? number : 0;
}

void SearchPage::openResult(int row) {
    const int number = resultNumber(row);
    if (number <= 0)
        return;
    m_grid->selectRecord(row);
    Q_EMIT openRequested(number - 1);
}

bool SearchPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && qobject_cast<QLineEdit*>(watched)) {
            SearchBtnClick();
            return true;
        }
    }
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier)) {
            const QModelIndex at = m_grid->indexAt(mouse->position().toPoint());
            if (at.isValid())
                openResult(at.row());
        }
    }
    return QWidget::eventFilter(watched, event);
}
