#include "entry/LogGridView.h"

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
