#include "evaluations/ui/QsoCountsPage.h"

#include "entry/SearchQuery.h"
#include "entry/ui/EntryArea.h"
#include "logstore/IoError.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/LanguageTexts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kCorner = QStringLiteral("Mode / Band");

QLabel* named(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel* swatch(const QColor& colour, QWidget* parent) {
    auto* box = new QLabel(parent);
    box->setFixedSize(10, 10);
    box->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;").arg(colour.name()));
    return box;
}

} // namespace

QsoCountsPage::QsoCountsPage(Shell& shell, EntryArea& entry, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_session(shell.session()), m_entry(entry), m_views(new QTabBar(this)),
      m_info(named("AnzahlQsosInfoLabel", QString(), this)), m_grid(new QTableWidget(this)),
      m_panel(new QFrame(m_grid)), m_image(named("AnzahlQsosImage", QString(), m_panel)) {
    m_views->setObjectName(QStringLiteral("AnzahlQsosTabControl"));
    for (const char* caption : {"Übersicht", "Übersicht %", "alle QSOs", "gesendete QSLs", "empfangene QSLs"})
        m_views->addTab(QString::fromUtf8(caption));
    m_info->setWordWrap(true);
    m_grid->setObjectName(QStringLiteral("AnzahlQsosStringGrid"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->viewport()->setMouseTracking(true);
    m_grid->viewport()->installEventFilter(this);

    m_panel->setObjectName(QStringLiteral("AnzahlQsosPanel"));
    m_panel->setFrameShape(QFrame::Box);
    m_panel->setAutoFillBackground(true);
    m_panel->setBackgroundRole(QPalette::ToolTipBase);
    m_image->setFixedSize(100, 100);
    auto* panelLayout = new QGridLayout(m_panel);
    panelLayout->addWidget(m_image, 0, 0, 1, 2);
    const std::pair<QColor, QLabel*> keys[] = {
        {QColor(PieColour::All), named("AnzahlQsosAllLabel", QStringLiteral("alle QSOs"), m_panel)},
        {QColor(PieColour::Sent), named("AnzahlQsosOutLabel", QStringLiteral("versendete QSLs"), m_panel)},
        {QColor(PieColour::Received), named("AnzahlQsosInLabel", QStringLiteral("erhaltene QSLs"), m_panel)}};
    int row = 1;
    for (const auto& [colour, text] : keys) {
        panelLayout->addWidget(swatch(colour, m_panel), row, 0);
        panelLayout->addWidget(text, row++, 1);
    }
    m_panel->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_views);
    layout->addWidget(m_info);
    layout->addWidget(m_grid, 1);
    connect(m_views, &QTabBar::currentChanged, this, &QsoCountsPage::AnzahlQsosTabControlChange);
}

QsoCounts::View QsoCountsPage::view() const { return static_cast<QsoCounts::View>(m_views->currentIndex()); }

void QsoCountsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    AnzahlQsosTSShow();
}

void QsoCountsPage::AnzahlQsosTSShow() {
    LogFile* log = m_session.log();
    if (!log)
        return;
    try {
        m_counts = QsoCounts::count(*log);
    } catch (const IoError& e) {
        m_counts = QsoCounts();
        m_session.dialogs().error(e.message());
    }
    AnzahlQsosTabControlChange();
}

void QsoCountsPage::AnzahlQsosTabControlChange() {
    m_panel->hide();
    const QVector<QStringList> table = m_counts.table(view(), m_session.texts());
    m_grid->clear();
    m_grid->setRowCount(static_cast<int>(table.size()));
    m_grid->setColumnCount(table.isEmpty() ? 0 : static_cast<int>(table[0].size()));
    for (int r = 0; r < table.size(); ++r)
        for (int c = 0; c < table[r].size(); ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(table[r][c]));
    m_grid->resizeColumnsToContents();
    m_info->setText(m_session.texts()[QsoCounts::infoTextIndex(view())]);
}

void QsoCountsPage::AnzahlQsosStringGridMouseMove(const QPoint& at) {
    const QModelIndex index = m_grid->indexAt(at);
    if (!index.isValid() || index.row() < 1 || index.column() < 1) {
        m_panel->hide();
        return;
    }
    if (index.row() == m_grid->currentRow() && index.column() == m_grid->currentColumn())
        return;
    m_grid->setCurrentCell(index.row(), index.column());
    if (view() != QsoCounts::View::OverviewPercent)
        return;
    const QsoCounts::Shares shares = m_counts.shares(index.column() - 1, index.row() - 1);
    ShowAnzahlQsos(std::max(shares.sent, 0), std::max(shares.received, 0),
                   m_grid->viewport()->mapTo(m_grid, at) + QPoint(0, 30));
}

void QsoCountsPage::ShowAnzahlQsos(int sentShare, int receivedShare, const QPoint& topLeft) {
    m_image->setPixmap(
        QPixmap::fromImage(paintQsoPie(sentShare, receivedShare, m_panel->palette().color(QPalette::ToolTipBase))));
    m_panel->adjustSize();
    m_panel->move(topLeft);
    m_panel->show();
    m_panel->raise();
}

void QsoCountsPage::AnzahlQsosStringGridMouseUp(const QPoint& at) {
    const QModelIndex index = m_grid->indexAt(at);
    if (!index.isValid())
        return;
    const auto heading = [this](int row, int column) {
        const QTableWidgetItem* item = m_grid->item(row, column);
        return item ? item->text() : QString();
    };
    const QString band = heading(0, index.column());
    const QString mode = heading(index.row(), 0);
    if (band == kCorner || mode == kCorner)
        return;
    const QString totals = m_session.texts()[LanguageTexts::TotalsHeading];
    if (band == totals && mode == totals) {
        m_shell.showPage(Page::List);
        return;
    }
    QVector<SearchCondition> conditions{{band != totals, SearchField::Band, SearchOperator::Is, band},
                                        {mode != totals, SearchField::Mode, SearchOperator::Is, mode}};
    if (view() == QsoCounts::View::Sent)
        conditions.push_back({true, SearchField::QslOut, SearchOperator::IsNot, QString()});
    else if (view() == QsoCounts::View::Received)
        conditions.push_back({true, SearchField::QslIn, SearchOperator::IsNot, QString()});
    if (m_entry.search(conditions))
        m_shell.showPage(Page::Search);
}

bool QsoCountsPage::eventFilter(QObject* watched, QEvent* event) {
    // Only mouse events are QMouseEvents: the viewport also gets paint and
    // resize events here.
    if (watched == m_grid->viewport() &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseMove)
            AnzahlQsosStringGridMouseMove(mouse->position().toPoint());
        else if (mouse->modifiers() & Qt::ControlModifier)
            AnzahlQsosStringGridMouseUp(mouse->position().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}
