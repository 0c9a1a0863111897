#include "converter/AdifReader.h"

#include "converter/ForeignText.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <cstring>

namespace {

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool sameName(const char* a, qsizetype size, const char* name) {
    return qsizetype(std::strlen(name)) == size && qstrnicmp(a, name, size) == 0;
}

// The longest length the reader believes: nine digits, far beyond any file.
constexpr int kMaxLengthDigits = 9;

} // namespace

AdifReader::AdifReader(const QByteArray& bytes, const QString& fileName, const QStringList& wanted)
    : m_bytes(bytes), m_fileName(QDir::toNativeSeparators(fileName)) {
    for (const QString& name : wanted)
        m_wanted << name.toLatin1();
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_pos = m_linePos = 3;
}

int AdifReader::wantedIndex(qsizetype from, qsizetype to) const {
    const char* name = m_bytes.constData() + from;
    const qsizetype size = to - from;
    for (int i = 0; i < m_wanted.size(); ++i) {
        const QByteArray& w = m_wanted[i];
        if (w.size() == size && qstrnicmp(w.constData(), name, size) == 0)
            return i;
    }
    return -1;
}

int AdifReader::lineAt(qsizetype pos) {
    if (pos < m_linePos) {
        m_linePos = 0;
        m_line = 1;
    }
    const char* p = m_bytes.constData();
    while (m_linePos < pos) {
        const void* nl = std::memchr(p + m_linePos, '\n', static_cast<size_t>(pos - m_linePos));
        if (!nl) {
            m_linePos = pos;
            break;
        }
        m_linePos = static_cast<const char*>(nl) - p + 1;
        ++m_line;
    }
    return m_line;
}

void AdifReader::note(qsizetype tagStart, qsizetype tagEnd, const QString& what) {
    const QString tag = QString::fromLatin1(m_bytes.mid(tagStart, qMin<qsizetype>(tagEnd - tagStart, 60)));
    m_notes << msgText(Msg::AdifNote)
                   .arg(m_fileName)
                   .arg(m_records + 1)
                   .arg(lineAt(tagStart))
                   .arg(tag, what);
}

// "<NAME:digits[:type]>" or "<EOR>"/"<EOH>" starting at the '<' at `at`.
bool AdifReader::isSpecifierAt(qsizetype at) const {
    const char* p = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    qsizetype i = at + 1;
    while (i < n && isNameChar(p[i]))
        ++i;
    const qsizetype nameEnd = i;
    if (nameEnd == at + 1 || i >= n)
        return false;
    if (p[i] == '>') {
        return sameName(p + at + 1, nameEnd - at - 1, "EOR") || sameName(p + at + 1, nameEnd - at - 1, "EOH");
    }
    if (p[i] != ':')
        return false;
    const qsizetype digits = ++i;
    while (i < n && isDigit(p[i]))
        ++i;
    if (i == digits || i >= n)
        return false;
    if (p[i] == ':') {
        ++i;
        while (i < n && isNameChar(p[i]))
            ++i;
    }
    return i < n && p[i] == '>';
}

qsizetype AdifReader::firstSpecifier(qsizetype from, qsizetype to) const {
    const char* p = m_bytes.constData();
    while (from < to) {
        const void* lt = std::memchr(p + from, '<', static_cast<size_t>(to - from));
        if (!lt)
            return -1;
        const qsizetype at = static_cast<const char*>(lt) - p;
        if (isSpecifierAt(at))
            return at;
        from = at + 1;
    }
    return -1;
}

// After the value only blanks may stand before the next '<', and the value
// must not end inside a UTF-8 character or run into a data specifier.
bool AdifReader::endsCleanly(qsizetype start, qsizetype end) const {
    const char* p = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    if (end > n || (end < n && isContinuation(p[end])) || firstSpecifier(start, end) >= 0)
        return false;
    for (qsizetype i = end; i < n && p[i] != '<'; ++i) {
        if (!isBlank(p[i]))
            return false;
    }
    return true;
}

qsizetype AdifReader::utf8ValueEnd(qsizetype start, qsizetype length, qsizetype byteEnd) const {
    const char* p = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    bool high = false;
    for (qsizetype i = start; i < byteEnd && !high; ++i)
        high = static_cast<unsigned char>(p[i]) >= 0x80;
    if (!high || endsCleanly(start, byteEnd))
        return byteEnd;
    qsizetype charEnd = start;
    for (qsizetype k = 0; k < length && charEnd < n; ++k)
        charEnd += ForeignText::utf8SequenceLength(static_cast<unsigned char>(p[charEnd]));
    return endsCleanly(start, charEnd) ? charEnd : byteEnd;
}

// A value may hold text shaped like a data specifier. Its length is taken
// as wrong only when the value ends inside a specifier, or when what follows
// it is not the next specifier (blanks before it allowed): then the value
// ends where the first specifier inside it begins.
qsizetype AdifReader::valueEnd(qsizetype start, qsizetype length, bool& brokenByTag) const {
    const qsizetype end = utf8ValueEnd(start, length, start + length);
    brokenByTag = false;
    const qsizetype cut = firstSpecifier(start, end);
    if (cut < 0)
        return end;
    const QByteArrayView inside(m_bytes.constData() + start, end - start);
    const qsizetype last = start + inside.lastIndexOf('<');
    const bool endsInside = isSpecifierAt(last) && m_bytes.indexOf('>', last) >= end;
    if (!endsInside && followedCleanly(end))
        return end;
    brokenByTag = true;
    return cut;
}

bool AdifReader::followedCleanly(qsizetype end) const {
    const char* p = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    qsizetype i = end;
    while (i < n && isBlank(p[i]))
        ++i;
    // The end of the file is no clean end: there the record's own <EOR>
    // would be missing, most likely swallowed by the value.
    return i < n && p[i] == '<' && isSpecifierAt(i);
}

bool AdifReader::readTag(Tag& tag) {
    const char* p = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    while (m_pos < n) {
        const void* found = std::memchr(p + m_pos, '<', static_cast<size_t>(n - m_pos));
        if (!found) {
            m_pos = n;
            return false;
        }
        const qsizetype lt = static_cast<const char*>(found) - p;
        qsizetype gt = lt + 1;
        while (gt < n && p[gt] != '>' && p[gt] != '<')
            ++gt;
        if (gt >= n) {
            m_pos = n;
            return false;
        }
        if (p[gt] == '<') { // the first '<' was plain text
            m_pos = gt;
            continue;
        }
        qsizetype colon = lt + 1;
        while (colon < gt && p[colon] != ':')
            ++colon;
        m_pos = gt + 1;
        if (colon == lt + 1)
            continue; // "<>" or "<:5>": text, not a specifier
        if (colon == gt && sameName(p + lt + 1, gt - lt - 1, "EOR")) {
            tag.kind = Kind::EndOfRecord;
            return true;
        }
        if (colon == gt && sameName(p + lt + 1, gt - lt - 1, "EOH")) {
            tag.kind = Kind::EndOfHeader;
            return true;
        }
        tag.kind = Kind::Field;
        tag.start = lt;
        tag.wanted = wantedIndex(lt + 1, colon);

        qsizetype length = -1;
        if (colon < gt) {
            qsizetype i = colon + 1;
            qsizetype value = 0;
            while (i < gt && isDigit(p[i]) && i - colon <= kMaxLengthDigits)
                value = value * 10 + (p[i++] - '0');
            if (i > colon + 1 && (i == gt || p[i] == ':'))
                length = value;
        }
        tag.valueStart = gt + 1;
        bool fallback = false;
        if (length < 0) {
            fallback = true;
            if (tag.wanted >= 0)
                note(lt, gt + 1,
                     msgText(Msg::AdifTagNoLength));
        } else if (tag.valueStart + length > n) {
            fallback = true;
            if (tag.wanted >= 0)
                note(lt, gt + 1,
                     msgText(Msg::AdifTagPastEnd));
        } else {
            bool broken = false;
            tag.valueEnd = valueEnd(tag.valueStart, length, broken);
            if (broken) {
                if (tag.wanted >= 0)
                    note(lt, gt + 1,
                         msgText(Msg::AdifTagIntoNext));
                while (tag.valueEnd > tag.valueStart && isBlank(p[tag.valueEnd - 1]))
                    --tag.valueEnd;
            }
        }
        if (fallback) {
            const void* next = std::memchr(p + tag.valueStart, '<', static_cast<size_t>(n - tag.valueStart));
            tag.valueEnd = next ? static_cast<const char*>(next) - p : n;
            m_pos = tag.valueEnd;
            while (tag.valueEnd > tag.valueStart && isBlank(p[tag.valueEnd - 1]))
                --tag.valueEnd;
        } else {
            m_pos = qMax(m_pos, tag.valueEnd);
        }
        return true;
    }
    return false;
}

bool AdifReader::next(Record& record) {
    record.fields.clear();
    record.line = 0;
    record.ended = false;
    bool anyField = false;
    Tag tag;
    while (readTag(tag)) {
        switch (tag.kind) {
        case Kind::EndOfHeader:
            // Everything so far was header; a second header (files joined
            // end to end) ends the record it interrupts the same way.
            m_sawHeaderEnd = true;
            record.fields.clear();
            record.line = 0;
            anyField = false;
            break;
        case Kind::EndOfRecord:
            m_sawRecordEnd = true;
            if (!anyField)
                break; // "<EOR><EOR>": no record in between
            record.number = ++m_records;
            record.ended = true;
            return true;
        case Kind::Field:
            if (!anyField) {
                record.line = lineAt(tag.start);
                anyField = true;
            }
            if (tag.wanted >= 0) {
                record.fields.append({tag.wanted, ForeignText::decodeField(m_bytes.constData() + tag.valueStart,
                                                                           tag.valueEnd - tag.valueStart)});
            }
            break;
        }
    }
    if (record.fields.isEmpty())
        return false;
    record.number = ++m_records;
    return true;
}
