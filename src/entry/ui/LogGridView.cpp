#include "entry/ui/LogGridView.h"

#include "logstore/LogTableModel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <functional>
#include <vector>
#include <QHash>
#include <QHeaderView>
#include <QTimer>

LogGridView::LogGridView(const QString& objectName, QWidget* parent) : QTableView(parent) {
    setObjectName(objectName);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // Fixed row heights keep a grid of 100 000 rows as quick as one of ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultSectionSize(DefaultColumnWidth);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->viewport()->installEventFilter(this);
}

void LogGridView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    if (!model)
        return;
    for (int c = 0; c < model->columnCount(); ++c)
        setColumnWidth(c, std::max(DefaultColumnWidth, horizontalHeader()->sectionSizeHint(c)));
}

bool LogGridView::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+click on the title row fits the columns; a plain click does nothing.
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier))
            fitColumnWidths();
    }
    return QTableView::eventFilter(watched, event);
}

void LogGridView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && state() != EditingState &&
        currentIndex().isValid()) {
        event->accept();
        Q_EMIT deleteRequested(currentIndex().row());
        return;
    }
    QTableView::keyPressEvent(event);
}

void LogGridView::fitColumnWidths() {
    QAbstractItemModel* m = model();
    if (!m)
        return;
    const QFontMetrics metrics(font());
    const int rows = m->rowCount();
    for (int c = 0; c < m->columnCount(); ++c) {
        // Bands, modes and dates repeat: each distinct text is measured once.
        QHash<QString, int> measured;
        auto widthOf = [&](const QString& text) {
            const QString trimmed = text.trimmed();
            auto it = measured.constFind(trimmed);
            if (it == measured.constEnd())
                it = measured.insert(trimmed, metrics.horizontalAdvance(trimmed));
            return *it;
        };
        int widest = widthOf(m->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < rows; ++r)
            widest = std::max(widest, widthOf(m->index(r, c).data().toString()));
        const int width = widest + 10;
        if (width > 0)
            setColumnWidth(c, width);
    }
}

void LogGridView::fitColumnsQuickly(const QList<int>& columns) {
    const auto* log = qobject_cast<const LogTableModel*>(model());
    if (!log) {
        fitColumnWidths();
        return;
    }
    constexpr int kLongest = 48;  // texts kept per column, by length
    constexpr int kSample = 400;  // rows measured besides them
    const QFontMetrics metrics(font());
    const int rows = log->recordCount();
    const int step = std::max(1, rows / kSample);
    for (int c : columns) {
        if (c < 0 || c >= log->columnCount())
            continue;
        // A proportional font makes a long text of narrow letters narrower
        // than a shorter one of wide letters, so more than the single longest
        // text is measured; a log's texts differ little in their letters.
        std::vector<std::pair<qsizetype, int>> longest; // (length, row), a min-heap
        longest.reserve(kLongest + 1);
        for (int r = 0; r < rows; ++r) {
            const qsizetype length = log->rawField(r, c + 1).size();
            if (longest.size() < kLongest) {
                longest.emplace_back(length, r);
                std::push_heap(longest.begin(), longest.end(), std::greater<>());
            } else if (length > longest.front().first) {
                std::pop_heap(longest.begin(), longest.end(), std::greater<>());
                longest.back() = {length, r};
                std::push_heap(longest.begin(), longest.end(), std::greater<>());
            }
        }
        // The title as the header draws it, with its margins.
        int widest = horizontalHeader()->sectionSizeHint(c) - 10;
        auto measure = [&](int r) {
            widest = std::max(widest, metrics.horizontalAdvance(log->data(log->index(r, c)).toString().trimmed()));
        };
        for (const auto& [length, r] : longest)
            measure(r);
        for (int r = 0; r < rows; r += step)
            measure(r);
        setColumnWidth(c, widest + 10);
    }
}

QVector<int> LogGridView::columnWidths() const {
    QVector<int> widths;
    const int n = model() ? model()->columnCount() : 0;
    for (int c = 0; c < n; ++c)
        widths << columnWidth(c);
    return widths;
}

void LogGridView::setColumnWidths(const QVector<int>& widths) {
    for (int c = 0; c < widths.size(); ++c) {
        if (widths[c] > 0)
            setColumnWidth(c, widths[c]);
    }
}

void LogGridView::scrollToLastRow() {
    // Deferred: a grid that is not laid out yet does not know its height.
    QTimer::singleShot(0, this, [this] {
        if (model() && model()->rowCount() > 0)
            scrollTo(model()->index(model()->rowCount() - 1, 0), QAbstractItemView::PositionAtBottom);
    });
}

void LogGridView::selectRecord(int row) {
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    setCurrentIndex(model()->index(row, 0));
    selectRow(row);
}
