#include "entry/PaperLogEntry.h"

#include "logstore/BandList.h"
#include "logstore/DateText.h"
#include "platform/ProgramTexts.h"

namespace {

constexpr int kFixedLines = 8;

bool isLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'Ä' || u == u'Ö' || u == u'Ü';
}
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

struct Counts {
    int letters = 0;
    int digits = 0;
    int dots = 0;
    int colons = 0;
    int dashes = 0;
    int plus = 0;
    int blanks = 0;
    int at = 0;
};

Counts countOf(const QString& t) {
    Counts n;
    for (QChar c : t) {
        if (isLetter(c))
            ++n.letters;
        else if (isDigit(c))
            ++n.digits;
        else if (c == u'.')
            ++n.dots;
        else if (c == u':')
            ++n.colons;
        else if (c == u'-')
            ++n.dashes;
        else if (c == u'+')
            ++n.plus;
        else if (c == u' ')
            ++n.blanks;
        else if (c == u'@')
            ++n.at;
    }
    return n;
}

// Positions 0-based; true when each listed position holds a digit.
bool digitsAt(const QString& t, std::initializer_list<int> positions) {
    for (int p : positions) {
        if (p >= t.size() || !isDigit(t[p]))
            return false;
    }
    return true;
}

QString notADate(const QString& text) { return msgText(Msg::PleNotADate).arg(text); }
QString notATime(const QString& text) { return msgText(Msg::PleNotATime).arg(text); }

} // namespace

PaperLogEntry::Rule PaperLogEntry::classify(const QString& t, bool utcSet) {
    const Counts n = countOf(t);
    if (n.dots == 2 && n.letters == 0 && n.plus == 0 && n.dashes == 0)
        return Rule::Date;
    if (n.colons >= 1 && n.letters == 0)
        return Rule::Utc;
    if (t.size() == 2 && n.digits == 2 && utcSet)
        return Rule::UtcMinutes;
    if ((t.endsWith(u'W') || t.endsWith(u'w')) && n.letters == 1)
        return Rule::TxPwr;
    if (BandList::TextToBandIndex(AsciiCase::toLower(t)) < BandList::Other)
        return Rule::Band;
    if (ModeList::TextToModeIndex(AsciiCase::toUpper(t)) < ModeList::Other)
        return Rule::Mode;
    if (digitsAt(t, {0, 1, 3, 4}) && t.size() >= 5 && t[2] == u' ')
        return Rule::Rst2;
    if (digitsAt(t, {0, 1, 2, 4, 5, 6}) && t[3] == u' ')
        return Rule::Rst3;
    if (n.digits > 4 && n.dashes == 2 && n.blanks == 1)
        return Rule::RstSerial;
    if (t.size() == 3 && n.letters == 1 && n.digits == 2)
        return Rule::Dok;
    if (t.size() == 6 && isLetter(t[0]) && isLetter(t[1]) && digitsAt(t, {2, 3}) && isLetter(t[4]) &&
        isLetter(t[5]))
        return Rule::Locator;
    if (t.startsWith(u'#'))
        return Rule::Comments;
    if (t.startsWith(u'+') && n.dots == 2 && n.letters == 0)
        return Rule::QslOut;
    if (t.startsWith(u'-') && n.dots == 2 && n.letters == 0)
        return Rule::QslIn;
    if (n.at == 1)
        return Rule::NameQth;
    return Rule::Call;
}

PaperLogEntry::PaperLogEntry(int referenceYear) : m_referenceYear(referenceYear) { reset(); }

void PaperLogEntry::reset() {
    m_record = QsoRecord();
    m_preview = QStringList(kFixedLines, QString());
}

void PaperLogEntry::setLine(int line, const QString& text) {
    while (m_preview.size() <= line)
        m_preview << QString();
    m_preview[line] = text;
}

void PaperLogEntry::setOptional(int field, const QString& prefix, const QString& value) {
    const QString line = prefix + u'\t' + value;
    if (!m_record[field].isEmpty()) {
        for (int i = kFixedLines; i < m_preview.size(); ++i) {
            if (m_preview[i].startsWith(prefix)) {
                m_preview[i] = line;
                m_record[field] = value;
                return;
            }
        }
    }
    m_preview << line;
    m_record[field] = value;
}

QString PaperLogEntry::enter(const QString& token) {
    // Blanks around a token are slips of the finger; inside it they count.
    const QString t = token.trimmed();
    if (t.isEmpty())
        return {};
    QsoRecord& r = m_record;
    switch (classify(t, !r[QsoRecord::Utc].isEmpty())) {
    case Rule::Date: {
        const auto date = DateText::parseDate(t, m_referenceYear);
        if (!date)
            return notADate(t);
        r[QsoRecord::Date] = DateText::formatDate(*date);
        setLine(0, QStringLiteral("Date:\t") + r[QsoRecord::Date]);
        break;
    }
    case Rule::Utc:
    case Rule::UtcMinutes: {
        const QString text = classify(t, true) == Rule::Utc ? t : r[QsoRecord::Utc].left(3) + t;
        const auto time = DateText::parseTime(text);
        if (!time)
            return notATime(text);
        r[QsoRecord::Utc] = DateText::formatTime(*time);
        setLine(4, QStringLiteral("UTC:\t") + r[QsoRecord::Utc]);
        break;
    }
    case Rule::TxPwr:
        r[QsoRecord::TxPwr] = AsciiCase::toUpper(t);
        setLine(3, QStringLiteral("TX Pwr:\t") + r[QsoRecord::TxPwr]);
        break;
    case Rule::Band:
        r[QsoRecord::Band] = AsciiCase::toLower(t);
        setLine(1, QStringLiteral("Band:\t") + r[QsoRecord::Band]);
        break;
    case Rule::Mode:
        r[QsoRecord::Mode] = AsciiCase::toUpper(t);
        setLine(2, QStringLiteral("Mode:\t") + r[QsoRecord::Mode]);
        break;
    case Rule::Rst2:
    case Rule::Rst3:
    case Rule::RstSerial: {
        QString sent;
        QString received;
        if (classify(t, false) == Rule::Rst2) {
            sent = t.left(2);
            received = t.mid(3, 2);
        } else if (classify(t, false) == Rule::Rst3) {
            sent = t.left(3);
            received = t.mid(4, 3);
        } else {
            const qsizetype blank = t.indexOf(u' ');
            sent = t.left(blank);
            received = t.mid(blank + 1);
            for (QString* part : {&sent, &received}) {
                const qsizetype dash = part->indexOf(u'-');
                if (dash >= 0)
                    (*part)[dash] = u' ';
            }
        }
        r[QsoRecord::RstTx] = sent;
        r[QsoRecord::RstRx] = received;
        setLine(6, QStringLiteral("RST TX:\t") + sent);
        setLine(7, QStringLiteral("RST RX:\t") + received);
        break;
    }
    case Rule::Dok: setOptional(QsoRecord::Dok, QStringLiteral("Dok:"), AsciiCase::toUpper(t)); break;
    case Rule::Locator: setOptional(QsoRecord::Locator, QStringLiteral("Locator:"), AsciiCase::toUpper(t)); break;
    case Rule::Comments: setOptional(QsoRecord::Comments, QStringLiteral("Cmmnts:"), t.mid(1)); break;
    case Rule::QslOut:
    case Rule::QslIn: {
        const auto date = DateText::parseDate(t.mid(1), m_referenceYear);
        if (!date)
            return notADate(t.mid(1));
        const bool out = t.startsWith(u'+');
        setOptional(out ? QsoRecord::QslOut : QsoRecord::QslIn,
                    out ? QStringLiteral("QSL out:") : QStringLiteral("QSL in:"), DateText::formatDate(*date));
        break;
    }
    case Rule::NameQth: {
        const qsizetype at = t.indexOf(u'@');
        if (at > 0)
            setOptional(QsoRecord::Name, QStringLiteral("Name:"), t.left(at));
        if (at + 1 < t.size())
            setOptional(QsoRecord::Qth, QStringLiteral("QTH:"), t.mid(at + 1));
        break;
    }
    case Rule::Call:
        r[QsoRecord::Call] = AsciiCase::toUpper(t);
        setLine(5, QStringLiteral("Call:\t") + r[QsoRecord::Call]);
        break;
    }
    return {};
}

bool PaperLogEntry::canSave() const {
    for (int f : {QsoRecord::Date, QsoRecord::Band, QsoRecord::Mode, QsoRecord::TxPwr, QsoRecord::Utc}) {
        if (m_record[f].isEmpty())
            return false;
    }
    return true;
}

QsoRecord PaperLogEntry::contactToSave(const QString& rstTxDefault, const QString& rstRxDefault, int number) const {
    QsoRecord r = m_record;
    if (r[QsoRecord::RstTx].isEmpty())
        r[QsoRecord::RstTx] = rstTxDefault;
    if (r[QsoRecord::RstRx].isEmpty())
        r[QsoRecord::RstRx] = rstRxDefault;
    r[QsoRecord::Number] = QString::number(number);
    return r;
}

void PaperLogEntry::startNext() {
    QsoRecord next;
    for (int f : {QsoRecord::Date, QsoRecord::Band, QsoRecord::Mode, QsoRecord::TxPwr, QsoRecord::Utc})
        next[f] = m_record[f];
    m_record = next;
    m_preview = {QStringLiteral("Date\t") + next[QsoRecord::Date],
                 QStringLiteral("Band\t") + next[QsoRecord::Band],
                 QStringLiteral("Mode\t") + next[QsoRecord::Mode],
                 QStringLiteral("TX Pwr\t") + next[QsoRecord::TxPwr],
                 QStringLiteral("UTC\t") + next[QsoRecord::Utc],
                 QString(),
                 QString(),
                 QString()};
}

bool PaperLogEntry::rangeSetAllowed(int firstField, int lastField) {
    if (firstField != lastField || firstField < 1 || firstField > QsoRecord::FieldCount)
        return false;
    return firstField != QsoRecord::Number && firstField != QsoRecord::Date && firstField != QsoRecord::Utc &&
           firstField != QsoRecord::Call;
}
