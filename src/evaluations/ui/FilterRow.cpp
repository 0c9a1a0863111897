#include "evaluations/ui/FilterRow.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "session/Session.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

QString controlName(const char* prefix, const char* control) {
    return QLatin1String(prefix) + QLatin1String(control);
}

QLineEdit* edit(const char* prefix, const char* control, const QString& text, QWidget* parent) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(controlName(prefix, control));
    return e;
}

QDateTimeEdit* picker(const char* prefix, const char* control, const QDateTime& value, QWidget* parent) {
    auto* p = new QDateTimeEdit(value, parent);
    p->setObjectName(controlName(prefix, control));
    p->setDisplayFormat(kDateFormat);
    p->setCalendarPopup(true);
    return p;
}

} // namespace

FilterRow::FilterRow(const Names& names, QWidget* parent)
    : QWidget(parent), m_bands(edit(names.prefix, "BandEdit", QStringLiteral("*"), this)),
      m_modes(edit(names.prefix, "ModeEdit", QStringLiteral("*"), this)),
      m_start(picker(names.prefix, "StartDatePicker", QDateTime(QDate(1799, 12, 31), QTime(0, 0)), this)),
      m_stop(picker(names.prefix, "StopDatePicker", QDateTime(QDate(2200, 1, 1), QTime(0, 0)), this)),
      m_first(edit(names.prefix, "StartNumberEdit", QStringLiteral("1"), this)),
      m_last(edit(names.prefix, "StopNumberEdit", EvaluationInputs().lastNumber, this)),
      m_button(new QPushButton(QStringLiteral("anzeigen!"), this)) {
    m_button->setObjectName(QLatin1String(names.button));
    const QString captions[6] = {names.bandsCaption,        QStringLiteral("in den Modes"),
                                 QStringLiteral("zwischen dem"), QStringLiteral("und dem"),
                                 QStringLiteral("zwischen #"),   QStringLiteral("und #")};
    QWidget* inputs[6] = {m_bands, m_modes, m_start, m_stop, m_first, m_last};
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(captions[i], this);
        label->setObjectName(QLatin1String(names.labels[static_cast<size_t>(i)]));
        layout->addWidget(label, i / 2, (i % 2) * 2);
        layout->addWidget(inputs[i], i / 2, (i % 2) * 2 + 1);
    }
    layout->addWidget(m_button, 2, 4);
    layout->setColumnStretch(5, 1);
}

std::optional<EvaluationFilter> FilterRow::filter(Session& session, EvaluationFilter::Dates dates) const {
    const EvaluationInputs inputs{m_bands->text(),
                                  m_modes->text(),
                                  m_start->dateTime().toString(kDateFormat),
                                  m_stop->dateTime().toString(kDateFormat),
                                  m_first->text(),
                                  m_last->text()};
    QString error;
    auto made = EvaluationFilter::make(inputs, dates, session.clock().localNow().date().year(), &error);
    if (!made)
        session.dialogs().error(error);
    return made;
}

void FilterRow::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void FilterRow::showError(Session& session, const QString& text) { session.dialogs().error(text); }
