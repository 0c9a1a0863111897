#pragma once

#include <QDialog>
#include <QStringList>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;

// The warning shown when the call just entered has been logged before: the
// earlier contact field by field and three answers, each one digit away so
// that the operator's hands stay on the keyboard.
class DoppeltForm : public QDialog {
    Q_OBJECT
public:
    enum Answer : int {
        Continue = 1, // keep the entry
        Discard = 2,  // empty the mask
        Correct = 3,  // back into the call field
    };

    explicit DoppeltForm(QWidget* parent = nullptr);

    // Lists the 16 fields of the earlier contact and waits for an answer;
    // closing the window any other way counts as Continue.
    int ask(const QStringList& fields);

    // The keys of the table before a language file renames them.
    static const QStringList& fieldKeys();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool FormKeyPress(QKeyEvent* event);

    QLabel* m_label;
    QTableWidget* m_table;
    QPushButton* m_buttons[3];
};
