#pragma once

#include "entry/PaperLogEntry.h"

#include <QWidget>

class LogGridView;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Session;

// The "PLE" tab: contacts typed in from a paper log, one token per Return,
// and one field set at once for many selected contacts.
class PlePage : public QWidget {
    Q_OBJECT
public:
    explicit PlePage(Session& session, QWidget* parent = nullptr);

    // Showing the tab: the grid takes the list's column widths, the next
    // contact gets nextNumber, the record and the preview start empty.
    void PleTSShow(const QVector<int>& columnWidths, int nextNumber);

    // Return in the token field: takes the token, or saves on an empty field.
    void pleEditKeyPress();
    void pleCheckRangeSet();
    void pleRangeSetBtnClick();

    const PaperLogEntry& entry() const { return m_entry; }
    LogGridView* grid() const { return m_grid; }
    int nextNumber() const { return m_nextNumber; }

Q_SIGNALS:
    // A contact was appended; the entry mask shows number + 1 next.
    void contactSaved(int number);
    // The log was rewritten: the lists are to be read again.
    void logRewritten();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void saveContact();
    void showPreview();

    Session& m_session;
    PaperLogEntry m_entry;
    int m_nextNumber = 1;
    QLabel* m_caption = nullptr;
    LogGridView* m_grid = nullptr;
    QLineEdit* m_edit = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QLineEdit* m_rstTx = nullptr;
    QLineEdit* m_rstRx = nullptr;
    QLineEdit* m_rangeSetEdit = nullptr;
    QPushButton* m_rangeSetButton = nullptr;
    QPlainTextEdit* m_formatMemo = nullptr;
};
