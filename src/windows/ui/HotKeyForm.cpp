#include "windows/ui/HotKeyForm.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

HotKeyForm::HotKeyForm(QWidget* parent) : QDialog(parent), m_memo(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("HotKeyForm"));
    setWindowTitle(QStringLiteral("Tastenkürzel"));
    setModal(true);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
    resize(620, 420);
}

void HotKeyForm::fill(const QStringList& lines) { m_memo->setPlainText(lines.join(u'\n')); }

QString HotKeyForm::text() const { return m_memo->toPlainText(); }

bool HotKeyForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_memo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
