#include "entry/ui/PlePage.h"

#include "session/Session.h"
#include "entry/ui/LogGridView.h"
#include "logstore/IoError.h"
#include "logstore/LogTableModel.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
const QString kFormatHelp = QStringLiteral("Formatvorschriften\nDate       d.m.y\nTX Pwr     0,0W\n"
                                           "UTC        00:00:00\n           00:00\n           00\n"
                                           "RST Tx/Rx  599 599\n           59-14 59-darc\n"
                                           "Name/QTH   Name@QTH\nComments   #Comments\n"
                                           "QSL out    +d.m.y\nQSL in     -d.m.y");

QPlainTextEdit* readOnlyMemo(const QString& name, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}
} // namespace

PlePage::PlePage(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_entry(session.clock().localNow().date().year()) {
    m_caption = new QLabel(QStringLiteral("Papier-Log-Eingabe"), this);
    m_caption->setObjectName(QStringLiteral("pleCaptionPanel"));
    m_caption->setFrameShape(QFrame::Panel);
    m_caption->setFrameShadow(QFrame::Raised);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont big = m_caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_caption->setFont(big);
    m_caption->setMinimumHeight(m_caption->fontMetrics().height() + 12);

    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics monoMetrics(mono);
    const int sideWidth = monoMetrics.horizontalAdvance(QString(28, u'x')) + 24;

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("pleEdit"));
    m_edit->installEventFilter(this);
    m_memo = readOnlyMemo(QStringLiteral("pleMemo"), this);
    m_memo->setFocusPolicy(Qt::NoFocus);
    m_memo->setTabStopDistance(monoMetrics.horizontalAdvance(QString(9, u'x')));
    m_memo->setFont(mono);
    // Every line of a complete contact without scrolling.
    m_memo->setFixedHeight(monoMetrics.lineSpacing() * PaperLogEntry::MostPreviewLines +
                           2 * static_cast<int>(m_memo->document()->documentMargin()) + 2 * m_memo->frameWidth() + 4);

    m_rstTx = new QLineEdit(QStringLiteral("59"), this);
    m_rstTx->setObjectName(QStringLiteral("pleRstTx"));
    m_rstRx = new QLineEdit(QStringLiteral("59"), this);
    m_rstRx->setObjectName(QStringLiteral("pleRstRx"));
    auto* reports = new QHBoxLayout;
    for (auto [caption, edit] : {std::pair{QStringLiteral("RST Tx"), m_rstTx}, std::pair{QStringLiteral("RST Rx"), m_rstRx}}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        edit->setMaximumWidth(monoMetrics.horizontalAdvance(QString(8, u'x')));
        reports->addWidget(label);
        reports->addWidget(edit);
        reports->addSpacing(8);
    }
    reports->addStretch(1);

    m_formatMemo = readOnlyMemo(QStringLiteral("pleFormatMemo"), this);
    m_formatMemo->setPlainText(kFormatHelp);
    m_formatMemo->setFont(mono);
    m_formatMemo->setFocusPolicy(Qt::NoFocus);
    m_formatMemo->setFrameShape(QFrame::NoFrame);
    m_formatMemo->setBackgroundRole(QPalette::Window);
    m_formatMemo->viewport()->setAutoFillBackground(false);
    m_formatMemo->setFixedHeight(monoMetrics.lineSpacing() * 12 + 12);

    auto* side = new QVBoxLayout;
    side->addWidget(m_edit);
    side->addWidget(m_memo);
    side->addLayout(reports);
    side->addSpacing(8);
    side->addWidget(m_formatMemo);
    side->addStretch(1);
    auto* sideBox = new QWidget(this);
    sideBox->setLayout(side);
    sideBox->setFixedWidth(sideWidth);
    side->setContentsMargins(0, 0, 0, 0);

    m_grid = new LogGridView(QStringLiteral("pleStringGrid"), this);
    m_grid->setModel(&session.model());
    // Cells, not whole rows: one field of many contacts is set at once.
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, &PlePage::pleCheckRangeSet);
    connect(&session.model(), &QAbstractItemModel::modelReset, this, &PlePage::pleCheckRangeSet);

    m_rangeSetEdit = new QLineEdit(this);
    m_rangeSetEdit->setObjectName(QStringLiteral("pleRangeSetEdit"));
    m_rangeSetButton = new QPushButton(QStringLiteral("alle selektierten Felder setzen"), this);
    m_rangeSetButton->setObjectName(QStringLiteral("pleRangeSetBtn"));
    m_rangeSetButton->setEnabled(false);
    connect(m_rangeSetButton, &QPushButton::clicked, this, &PlePage::pleRangeSetBtnClick);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_rangeSetEdit, 1);
    rangeRow->addWidget(m_rangeSetButton);
    auto* gridSide = new QVBoxLayout;
    gridSide->addWidget(m_grid, 1);
    gridSide->addLayout(rangeRow);

    auto* body = new QHBoxLayout;
    body->addWidget(sideBox);
    body->addLayout(gridSide, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_caption);
    layout->addLayout(body, 1);
}

void PlePage::PleTSShow(const QVector<int>& columnWidths, int nextNumber) {
    m_grid->setColumnWidths(columnWidths);
    m_grid->scrollToLastRow();
    m_nextNumber = nextNumber;
    pleCheckRangeSet();
    m_entry.reset();
    showPreview();
    m_edit->setFocus(Qt::OtherFocusReason);
}

void PlePage::showPreview() { m_memo->setPlainText(m_entry.preview().join(u'\n')); }

bool PlePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pleEditKeyPress();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PlePage::pleEditKeyPress() {
    const QString token = m_edit->text();
    if (token.isEmpty()) {
        saveContact();
        return;
    }
    const QString error = m_entry.enter(token);
    if (!error.isEmpty()) {
        m_session.dialogs().error(error);
        return;
    }
    showPreview();
    m_edit->clear();
}

void PlePage::saveContact() {
    if (!m_session.hasLog() || !m_entry.canSave())
        return;
    QsoRecord record = m_entry.contactToSave(m_rstTx->text(), m_rstRx->text(), m_nextNumber);
    try {
        m_session.appendContact(record);
    } catch (const IoError& e) {
        // The contact stays in the preview and can be saved again.
        m_session.dialogs().error(e.message());
        return;
    }
    // Renumbered when another program had added contacts meanwhile.
    const int number = record[QsoRecord::Number].toInt();
    const LogTableModel& model = m_session.model();
    const int row = model.recordCount() - 1;
    m_grid->selectRecord(row);
    m_grid->scrollTo(model.index(row, 0), QAbstractItemView::PositionAtBottom);
    m_nextNumber = number + 1;
    m_entry.startNext();
    showPreview();
    m_edit->clear();
    Q_EMIT contactSaved(number);
}

void PlePage::pleCheckRangeSet() {
    const QModelIndexList cells = m_grid->selectionModel()->selectedIndexes();
    bool allowed = !cells.isEmpty();
    const int column = allowed ? cells.first().column() : -1;
    for (const QModelIndex& cell : cells) {
        // The empty row of an empty log is no contact.
        if (cell.column() != column || cell.row() >= m_session.model().recordCount())
            allowed = false;
    }
    m_rangeSetButton->setEnabled(allowed && PaperLogEntry::rangeSetAllowed(column + 1, column + 1));
}

void PlePage::pleRangeSetBtnClick() {
    pleCheckRangeSet();
    if (!m_rangeSetButton->isEnabled())
        return;
    LogFile* log = m_session.log();
    if (!log)
        return;
    const LogTableModel& model = m_session.model();
    const QModelIndexList cells = m_grid->selectionModel()->selectedIndexes();
    const int field = cells.first().column() + 1;
    QSet<int> numbers;
    bool filled = false;
    for (const QModelIndex& cell : cells) {
        numbers.insert(cell.row() + 1);
        filled = filled || !model.rawField(cell.row(), field).isEmpty();
    }
    if (filled) {
        const LanguageTexts& texts = m_session.texts();
        if (!m_session.dialogs().question(texts[LanguageTexts::OverwriteCellsStart] +
                                          QDir::toNativeSeparators(log->fileName()) +
                                          texts[LanguageTexts::OverwriteCellsEnd]))
            return;
    }
    const QString text = m_rangeSetEdit->text();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString failure;
    try {
        log->Normalize(m_session.clock().localNow(), numbers, [&](int, QsoRecord& r) { r[field] = text; });
    } catch (const IoError& e) {
        failure = e.message();
    }
    QApplication::restoreOverrideCursor();
    const QVector<int> widths = m_grid->columnWidths();
    Q_EMIT logRewritten();
    m_grid->setColumnWidths(widths);
    if (!failure.isEmpty())
        m_session.dialogs().error(failure);
}
