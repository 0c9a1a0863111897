#pragma once

#include <QDialog>

class QPlainTextEdit;

// The list of keyboard shortcuts and function-key bindings, shown modally;
// Return closes it.
class HotKeyForm : public QDialog {
    Q_OBJECT
public:
    explicit HotKeyForm(QWidget* parent = nullptr);
    void fill(const QStringList& lines);
    QString text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_memo;
};
