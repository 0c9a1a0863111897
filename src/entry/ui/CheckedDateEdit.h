#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date with a tick box in front: unticked means "no date" (an empty QSL
// field), ticked the date shown as dd.MM.yyyy.
class CheckedDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit CheckedDateEdit(const QString& objectName, QWidget* parent = nullptr);

    bool isChecked() const;
    void setChecked(bool checked);
    QDate date() const;
    void setDate(const QDate& date);
    // "dd.mm.yyyy" when ticked, else empty: the field text of a contact.
    QString fieldText() const;
    // Loads a field text: a date ticks the box, an empty or unreadable text
    // unticks it and shows today.
    void setFieldText(const QString& text, const QDate& today);

    QCheckBox* checkBox() const { return m_check; }
    QDateEdit* dateEdit() const { return m_edit; }

Q_SIGNALS:
    void changed();

private:
    QCheckBox* m_check;
    QDateEdit* m_edit;
};
