#include "entry/ui/CheckedDateEdit.h"

#include "logstore/DateText.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

CheckedDateEdit::CheckedDateEdit(const QString& objectName, QWidget* parent)
    : QWidget(parent), m_check(new QCheckBox(this)), m_edit(new QDateEdit(this)) {
    setObjectName(objectName);
    m_check->setObjectName(objectName + QStringLiteral("Check"));
    m_edit->setObjectName(objectName + QStringLiteral("Date"));
    m_edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_edit->setCalendarPopup(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_check);
    connect(m_check, &QCheckBox::toggled, this, &CheckedDateEdit::changed);
    connect(m_edit, &QDateEdit::dateChanged, this, &CheckedDateEdit::changed);
}

bool CheckedDateEdit::isChecked() const { return m_check->isChecked(); }
void CheckedDateEdit::setChecked(bool checked) { m_check->setChecked(checked); }
QDate CheckedDateEdit::date() const { return m_edit->date(); }
void CheckedDateEdit::setDate(const QDate& date) { m_edit->setDate(date); }

QString CheckedDateEdit::fieldText() const { return isChecked() ? DateText::formatDate(date()) : QString(); }

void CheckedDateEdit::setFieldText(const QString& text, const QDate& today) {
    const std::optional<QDate> d =
        text.trimmed().isEmpty() ? std::nullopt : DateText::parseDate(text, today.year());
    setDate(d ? *d : today);
    setChecked(d.has_value());
}
