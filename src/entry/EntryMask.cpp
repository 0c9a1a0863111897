#include "entry/EntryMask.h"

#include "entry/EditRules.h"
#include "entry/EntryRules.h"
#include "logstore/DateText.h"
#include "logstore/LogTableModel.h"

#include <QTimer>

namespace {
constexpr int kCheckedFields[] = {QsoRecord::Call, QsoRecord::RstTx, QsoRecord::RstRx};
} // namespace

EntryMask::EntryMask(const Clock& clock, QObject* parent) : QObject(parent), m_clock(clock), m_timer(new QTimer(this)) {
    m_shown.fill(true);
    // What a first start shows before any contact could be carried over.
    m_record[QsoRecord::Band] = QStringLiteral("70cm");
    m_record[QsoRecord::Mode] = QStringLiteral("SSB");
    m_record[QsoRecord::TxPwr] = QStringLiteral("100W");
    m_record[QsoRecord::Number] = QString::number(m_nextNumber);
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &EntryMask::tick);
    m_timer->start();
    tick();
}

void EntryMask::setField(int field, const QString& text) {
    if (m_record[field] == text)
        return;
    m_record[field] = text;
    Q_EMIT fieldChanged(field);
}

void EntryMask::setNextNumber(int number) {
    m_nextNumber = number;
    setField(QsoRecord::Number, QString::number(number));
}

void EntryMask::carryOver(const LogTableModel& model) {
    const int k = model.recordCount();
    setNextNumber(k + 1);
    if (k == 0)
        return;
    for (int f : {QsoRecord::Band, QsoRecord::Mode, QsoRecord::TxPwr}) {
        const QString text = model.field(k - 1, f);
        if (!text.isEmpty())
            setField(f, text);
    }
}

void EntryMask::setUtcOffset(bool automatic, int hours) {
    m_utcAutomatic = automatic;
    m_utcOffsetHours = hours;
    tick();
}

QDateTime EntryMask::utcNow() const { return MaskClock::utcNow(m_clock, m_utcAutomatic, m_utcOffsetHours); }

void EntryMask::tick() {
    if (!m_clockRunning)
        return;
    const QDateTime utc = MaskClock::utcNow(m_clock, m_utcAutomatic, m_utcOffsetHours);
    setField(QsoRecord::Date, DateText::formatDate(utc.date()));
    setField(QsoRecord::Utc, DateText::formatTime(utc.time()));
}

void EntryMask::clear(const QsoRecord& defaults) {
    m_clockRunning = true;
    tick();
    for (int f : {QsoRecord::Call, QsoRecord::RstTx, QsoRecord::RstRx, QsoRecord::Dok, QsoRecord::Locator,
                  QsoRecord::Qth, QsoRecord::Name, QsoRecord::Comments})
        setField(f, defaults[f]);
    setField(QsoRecord::QslOut, QString());
    setField(QsoRecord::QslIn, QString());
    for (int f : kCheckedFields)
        mark(f, false);
}

bool EntryMask::isChecked(int field) {
    return field == QsoRecord::Call || field == QsoRecord::RstTx || field == QsoRecord::RstRx;
}

bool EntryMask::isMarked(int field) const { return m_marked[static_cast<std::size_t>(field)]; }

void EntryMask::unmark(int field) { mark(field, false); }

void EntryMask::mark(int field, bool marked) {
    m_marked[static_cast<std::size_t>(field)] = marked;
    Q_EMIT markChanged(field, marked);
}

bool EntryMask::leaveField(int field) {
    if (!isChecked(field))
        return true;
    if (field == QsoRecord::RstTx)
        setField(field, RstTxAppend::apply(m_record[field], m_rstAppendText));
    const bool tooShort = EditRules::captionWarns(field, m_record[field]);
    mark(field, tooShort);
    return !tooShort;
}

int EntryMask::firstMarked() const {
    for (int f : kCheckedFields) {
        if (isMarked(f))
            return f;
    }
    return 0;
}

void EntryMask::setShown(int item, bool shown) {
    m_shown[static_cast<std::size_t>(item)] = shown;
    Q_EMIT shownChanged(item, shown);
}

void EntryMask::setRstAppendText(const QString& text) {
    m_rstAppendText = text;
    Q_EMIT rstAppendTextChanged(text);
    setMemo(RstTxAppend::memoWithNumberLine(m_memo, text));
}

void EntryMask::setMemo(const QString& text) {
    if (m_memo == text)
        return;
    m_memo = text;
    Q_EMIT memoChanged(text);
}

void EntryMask::takeReferenceFields(const QsoRecord& found) {
    for (int f : {QsoRecord::Locator, QsoRecord::Dok, QsoRecord::Name, QsoRecord::Qth})
        setField(f, found[f]);
}

void EntryMask::takeReferenceRow(const QsoRecord& row) {
    for (int f : {QsoRecord::Call, QsoRecord::Dok, QsoRecord::Name, QsoRecord::Qth, QsoRecord::Locator})
        setField(f, row[f]);
}

int EntryMask::contactSaved(int recordCount) {
    bool isNumber = false;
    const int n = m_record[QsoRecord::Number].toInt(&isNumber);
    const int number = isNumber ? n : recordCount;
    setNextNumber(number + 1);
    return number;
}

QString EntryMask::nameKey(const QString& name, const QString& typed) {
    if (name.isEmpty() && typed.size() == 1 && typed[0].isLower())
        return typed.toUpper();
    return typed;
}
