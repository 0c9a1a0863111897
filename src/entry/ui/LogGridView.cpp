#include "entry/ui/LogGridView.h"

#include <QMouseEvent>
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

bool LogGridView::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+click on the title row fits the columns; a plain click does nothing.
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier))
            fitColumnWidths();
    }
    return QTableView::eventFilter(watched, event);
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
