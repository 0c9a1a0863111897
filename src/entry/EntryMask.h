#pragma once

#include "entry/FieldBindings.h"
#include "logstore/QsoRecord.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <array>

class Clock;
class LogTableModel;
class QTimer;

// The contact being entered in the mask, apart from its controls: the field
// texts, the next number, the running clock of Date and UTC, which optional
// fields show, the fields marked as too short, and the note pad. The entry
// page shows it; whatever else fills or reads the mask (reference logs, the
// duplicate check, later the rig link or Morse output) goes through it.
class EntryMask : public QObject {
    Q_OBJECT
public:
    explicit EntryMask(const Clock& clock, QObject* parent = nullptr);

    // The contact as it would be saved now; "#" is the next number.
    const QsoRecord& record() const { return m_record; }
    const QString& field(int field) const { return m_record[field]; }
    // Changes one field; fieldChanged follows only when the text differs.
    void setField(int field, const QString& text);

    int nextNumber() const { return m_nextNumber; }
    void setNextNumber(int number);
    // The refill of the lists: the number after the log's last contact, and
    // that contact's band, mode and power (empty ones leave the mask's).
    void carryOver(const LogTableModel& model);

    // Date and UTC follow the clock until the operator moves on from the
    // call or sets one of them; clearing starts the clock again.
    bool clockRunning() const { return m_clockRunning; }
    void stopClock() { m_clockRunning = false; }
    // Whole hours added to local time; automatic takes UTC from the system.
    void setUtcOffset(bool automatic, int hours);
    // UTC as the mask stamps it: the system's, or local time plus the set hours.
    QDateTime utcNow() const;
    // Reads the clock into Date and UTC while it runs (also every half second).
    void tick();

    // An empty mask: the defaults in Call .. Comments, no QSL dates, the
    // clock running, no marks. Band, mode, power and number stay.
    void clear(const QsoRecord& defaults);

    // Call, RST TX and RST RX need two characters; the mark is set when the
    // operator leaves such a field and taken away when they come back.
    static bool isChecked(int field);
    bool isMarked(int field) const;
    void unmark(int field);
    // Leaving a checked field: RST TX gets its append text, then the mark is
    // set or taken. Returns whether the field is fine.
    bool leaveField(int field);
    // The first marked field in the order of the mask, or 0.
    int firstMarked() const;

    // Optional fields (MaskItem) that the operator can show and hide.
    bool isShown(int item) const { return m_shown[static_cast<std::size_t>(item)]; }
    void setShown(int item, bool shown);

    // What is appended to RST TX; the note pad's number line follows it.
    const QString& rstAppendText() const { return m_rstAppendText; }
    void setRstAppendText(const QString& text);

    // Which items sit on which function key.
    FieldBindings& bindings() { return m_bindings; }
    const FieldBindings& bindings() const { return m_bindings; }

    const QString& memo() const { return m_memo; }
    void setMemo(const QString& text);

    // Ctrl+R found the station: its locator, DOK, name and QTH.
    void takeReferenceFields(const QsoRecord& found);
    // A row of the reference list: call, DOK, name, QTH and locator.
    void takeReferenceRow(const QsoRecord& row);

    // The contact was appended as the recordCount-th of the log: the next
    // number follows its "#" (or the count when "#" was no number). Returns
    // the number the contact got.
    int contactSaved(int recordCount);

    // The first letter typed into an empty name is a capital; the rest
    // stays as typed ("de la Cruz" after the "D"). Returns the text to
    // insert for typed, or typed itself.
    static QString nameKey(const QString& name, const QString& typed);

Q_SIGNALS:
    void fieldChanged(int field);
    void markChanged(int field, bool marked);
    void shownChanged(int item, bool shown);
    void rstAppendTextChanged(const QString& text);
    void memoChanged(const QString& text);

private:
    void mark(int field, bool marked);

    const Clock& m_clock;
    QTimer* m_timer;
    QsoRecord m_record;
    int m_nextNumber = 1;
    bool m_clockRunning = true;
    bool m_utcAutomatic = true;
    int m_utcOffsetHours = 0;
    std::array<bool, QsoRecord::FieldCount + 1> m_marked{};
    std::array<bool, MaskItem::Count> m_shown{};
    FieldBindings m_bindings;
    QString m_rstAppendText;
    QString m_memo;
};
