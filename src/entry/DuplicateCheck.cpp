#include "entry/DuplicateCheck.h"

#include "logstore/LogTableModel.h"
#include "logstore/QsoRecord.h"
#include "settings/Settings.h"

namespace {

const QString kSection = QStringLiteral("Doppel-Check");
const QString kKey = QStringLiteral("Options");

constexpr int kOptionBits[] = {DuplicateCheck::Band, DuplicateCheck::Mode, DuplicateCheck::Date};

// Both sides upper-cased, then compared. This runs over every contact of the
// log each time the operator leaves the call field, so the usual all-ASCII
// cell is checked in place; other letters go through toUpper(), whose full
// case mapping (ß to SS) a case-insensitive compare would not follow.
bool sameUpperCase(QStringView cell, const QString& upper) {
    // Upper-casing never shortens a text read from the log.
    if (cell.size() > upper.size())
        return false;
    const bool sameLength = cell.size() == upper.size();
    for (qsizetype i = 0; i < cell.size(); ++i) {
        char16_t ch = cell[i].unicode();
        if (ch >= 0x80)
            return cell.toString().toUpper() == upper;
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - (u'a' - u'A'));
        // A shorter cell can only grow to the length through a letter like ß.
        if (sameLength && ch != upper[i].unicode())
            return false;
    }
    return sameLength;
}

} // namespace

int DuplicateCheck::optionsFromText(const QString& text) {
    int options = 0;
    for (int i = 0; i < 3; ++i) {
        if (i < text.size() && text[i] == u'1')
            options |= kOptionBits[i];
    }
    return options;
}

QString DuplicateCheck::optionsToText(int options) {
    QString text;
    for (int bit : kOptionBits)
        text += (options & bit) ? u'1' : u'0';
    return text;
}

int DuplicateCheck::readOptions(const Settings& settings) {
    return optionsFromText(settings.readString(kSection, kKey, optionsToText(0)));
}

void DuplicateCheck::writeOptions(Settings& settings, int options) {
    settings.writeString(kSection, kKey, optionsToText(options));
}

int DuplicateCheck::findFirst(const LogTableModel& model, const QString& call, const QString& band,
                              const QString& mode, const QString& date, int options) {
    if (call.isEmpty())
        return -1;
    const QString upperCall = call.toUpper();
    const QString upperMode = mode.toUpper();
    const int count = model.recordCount();
    for (int i = 0; i < count; ++i) {
        if (!sameUpperCase(model.rawField(i, QsoRecord::Call), upperCall))
            continue;
        if ((options & Band) && model.rawField(i, QsoRecord::Band) != band)
            continue;
        if ((options & Mode) && !sameUpperCase(model.rawField(i, QsoRecord::Mode), upperMode))
            continue;
        if ((options & Date) && model.rawField(i, QsoRecord::Date) != date)
            continue;
        return i;
    }
    return -1;
}

QStringList DuplicateCheck::gridCells(const LogTableModel& model, int index) {
    QStringList cells;
    for (int column = 0; column < QsoRecord::FieldCount; ++column)
        cells << model.data(model.index(index, column)).toString();
    return cells;
}
