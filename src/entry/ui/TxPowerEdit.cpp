#include "entry/ui/TxPowerEdit.h"

#include "entry/EditRules.h"
#include "entry/EntryRules.h"

#include <QKeyEvent>

TxPowerEdit::TxPowerEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("TxPwrEdit"));
    connect(this, &QLineEdit::textChanged, this, &TxPowerEdit::TxPwrEditChange);
}

void TxPowerEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT confirmed();
        return;
    case Qt::Key_Up:
        stepTo(TxPowerStep::up(m_step));
        return;
    case Qt::Key_Down:
        stepTo(TxPowerStep::down(m_step));
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        const QChar c = typed[0];
        if (c == u'm' || c == u'k' || c == u'M') {
            Q_EMIT unitHint(c);
            return;
        }
        if (!c.isDigit() && c != u',')
            return;
    }
    QLineEdit::keyPressEvent(event);
}

void TxPowerEdit::mouseDoubleClickEvent(QMouseEvent*) { Q_EMIT confirmed(); }

void TxPowerEdit::stepTo(int watts) {
    setText(QString::number(watts) + u'W');
    setCursorPosition(0);
}

void TxPowerEdit::TxPwrEditChange(const QString& text) {
    if (m_changing)
        return;
    const QString withUnit = EditRules::withWattUnit(text);
    if (withUnit != text) {
        const int caret = cursorPosition();
        m_changing = true;
        setText(withUnit);
        setCursorPosition(caret);
        m_changing = false;
    }
    if (const auto watts = TxPowerStep::wholeWatts(withUnit))
        m_step = *watts;
}
