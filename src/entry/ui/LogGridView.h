#pragma once

#include <QTableView>
#include <QVector>

// A read-only grid of contacts: whole rows selected, titles in the header
// row, 64-pixel columns unless told otherwise.
class LogGridView : public QTableView {
    Q_OBJECT
public:
    static constexpr int DefaultColumnWidth = 64;

    explicit LogGridView(const QString& objectName, QWidget* parent = nullptr);
    // Every column starts at least as wide as its title: an empty result
    // grid shows whole titles before anything has fitted it.
    void setModel(QAbstractItemModel* model) override;

    QVector<int> columnWidths() const;
    void setColumnWidths(const QVector<int>& widths);
    void scrollToLastRow();
    // Makes row the current one, selected across all columns (the edit tab
    // opens the current row).
    void selectRecord(int row);
    // Every column as wide as its widest cell (title included) plus a margin.
    void fitColumnWidths();
    // The given columns as wide as their title and their widest texts, quick
    // on a log of 100 000 contacts: in each column only the longest texts
    // and a sample of the rest are measured.
    void fitColumnsQuickly(const QList<int>& columns);

Q_SIGNALS:
    // Del on a row, while no in-place editor is open.
    void deleteRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
