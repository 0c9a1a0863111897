#pragma once

#include <QLineEdit>

// The pop-up power editor. It keeps the text a power in watts ending in "W"
// and steps it with the arrow keys, in 2 W steps in the QRP range.
class TxPowerEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxPowerEdit(QWidget* parent);
    int stepValue() const { return m_step; }

Q_SIGNALS:
    // "m", "k" or "M" was typed: the operator meant another unit.
    void unitHint(QChar unit);
    void confirmed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void TxPwrEditChange(const QString& text);
    void stepTo(int watts);
    int m_step = 0;
    bool m_changing = false;
};
