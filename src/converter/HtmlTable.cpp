#include "converter/HtmlTable.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool isTagNameChar(QChar c) {
    return c.isLetterOrNumber();
}

// The lower-case name of the tag at `at` (which holds '<'), "/x" for an end
// tag, "!" for a comment or declaration; empty when no tag starts there.
QString tagNameAt(QStringView t, qsizetype at) {
    qsizetype i = at + 1;
    if (i < t.size() && t[i] == u'!')
        return QStringLiteral("!");
    const bool closing = i < t.size() && t[i] == u'/';
    if (closing)
        ++i;
    const qsizetype start = i;
    while (i < t.size() && isTagNameChar(t[i]))
        ++i;
    if (i == start)
        return {};
    // "<tdx>" is no "<td>": the name must end at a blank, '/' or '>'.
    if (i < t.size() && !(t[i].isSpace() || t[i] == u'/' || t[i] == u'>'))
        return {};
    QString name = t.sliced(start, i - start).toString().toLower();
    return closing ? u'/' + name : name;
}

// Just past the end of the tag or comment at `at`; the end of the text when
// it is not closed.
qsizetype afterTag(QStringView t, qsizetype at) {
    if (t.sliced(at).startsWith(u"<!--")) {
        const qsizetype end = t.indexOf(u"-->", at + 4);
        return end < 0 ? t.size() : end + 3;
    }
    const qsizetype gt = t.indexOf(u'>', at);
    return gt < 0 ? t.size() : gt + 1;
}

bool endsCell(const QString& name) {
    return name == u"/td" || name == u"/th" || name == u"td" || name == u"th" || name == u"tr" ||
           name == u"/tr" || name == u"/table" || name == u"table";
}

bool isTrimmed(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

struct NamedReference {
    const char16_t* name;
    char16_t character;
};
// The references of markup characters and of the letters of German texts;
// "nbsp" is handled on its own (any letter case, read as a blank).
constexpr NamedReference kNamed[] = {
    {u"amp", u'&'},         {u"lt", u'<'},          {u"gt", u'>'},          {u"quot", u'"'},
    {u"apos", u'\''},       {u"AMP", u'&'},         {u"LT", u'<'},          {u"GT", u'>'},
    {u"QUOT", u'"'},        {u"auml", u'\u00E4'},   {u"ouml", u'\u00F6'},   {u"uuml", u'\u00FC'},
    {u"Auml", u'\u00C4'},   {u"Ouml", u'\u00D6'},   {u"Uuml", u'\u00DC'},   {u"szlig", u'\u00DF'},
    {u"eacute", u'\u00E9'}, {u"egrave", u'\u00E8'}, {u"aacute", u'\u00E1'}, {u"agrave", u'\u00E0'},
    {u"ccedil", u'\u00E7'}, {u"deg", u'\u00B0'},    {u"euro", u'\u20AC'},   {u"copy", u'\u00A9'}};

// The character of "&...;" at `at`; consumed is set to its length.
bool decodeReferenceAt(QStringView t, qsizetype at, QString& out, qsizetype& consumed) {
    // Only as far as the longest reference: searching the whole rest for each
    // '&' would make a text of many '&' take quadratic time.
    constexpr qsizetype kLongest = 12;
    const qsizetype found = t.sliced(at + 1, qMin(kLongest, t.size() - at - 1)).indexOf(u';');
    if (found < 0)
        return false;
    const qsizetype semi = at + 1 + found;
    const QStringView body = t.sliced(at + 1, semi - at - 1);
    consumed = semi - at + 1;
    if (body.compare(u"nbsp", Qt::CaseInsensitive) == 0) {
        out += u' ';
        return true;
    }
    if (body.startsWith(u'#')) {
        bool ok = false;
        const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
        const uint code = body.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        const char32_t c = code;
        out += QString::fromUcs4(&c, 1);
        return true;
    }
    for (const NamedReference& r : kNamed) {
        if (body == QStringView(r.name)) {
            out += QChar(r.character);
            return true;
        }
    }
    return false;
}

} // namespace

namespace HtmlTable {

QString escape(QStringView text) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += QStringLiteral("<br>");
            break;
        case u'\n':
            out += QStringLiteral("<br>");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString begin(const QString& title) {
    const QString t = escape(title);
    QString out =
        QStringLiteral("<html>\r\n<head>\r\n"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n");
    out += QStringLiteral("<title>") + t + QStringLiteral("</title>") + kCrLf;
    out += QStringLiteral("</head>\r\n<h1>") + t + QStringLiteral("</h1>\r\n<body>\r\n");
    out += QStringLiteral("<table border=\"1\">\r\n <tr>\r\n");
    for (const QString& label : QsoRecord::headerTitles())
        out += QStringLiteral("  <th>") + escape(label) + QStringLiteral("</th>") + kCrLf;
    out += QStringLiteral(" </tr>\r\n");
    return out;
}

void appendRow(QString& out, const QsoRecord& record) {
    out += QStringLiteral(" <tr>\r\n");
    for (int f = 1; f <= QsoRecord::FieldCount; ++f) {
        out += QStringLiteral("  <td>");
        out += escape(record[f]);
        out += QStringLiteral("</td>\r\n");
    }
    out += QStringLiteral(" </tr>\r\n");
}

QString end(const QString& creditText, const QString& webAddress) {
    QString shown = webAddress;
    const qsizetype scheme = shown.indexOf(QStringLiteral("://"));
    if (scheme >= 0)
        shown = shown.mid(scheme + 3);
    return QStringLiteral("</table>\r\n<p align=\"right\">%1 - <a href=\"%2\" target=\"_new\">%3</a></p>\r\n"
                          "</body>\r\n</html>\r\n")
        .arg(escape(creditText), escape(webAddress), escape(shown));
}

QString decodeReferences(QStringView text) {
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype consumed = 0;
        if (text[i] == u'&' && decodeReferenceAt(text, i, out, consumed)) {
            i += consumed - 1;
            continue;
        }
        out += text[i];
    }
    return out;
}

QString cellText(QStringView html) {
    // Markup first, so that a decoded "&lt;" can never start a tag.
    QString plain;
    plain.reserve(html.size());
    for (qsizetype i = 0; i < html.size();) {
        const QChar c = html[i];
        if (c == u'<') {
            const QString name = tagNameAt(html, i);
            if (!name.isEmpty()) {
                if (name == u"br")
                    plain += QChar(u'\n');
                i = afterTag(html, i);
                continue;
            }
        }
        if (c == u'\r' || c == u'\n') {
            // A line break in the source is white space in HTML.
            if (c == u'\r' && i + 1 < html.size() && html[i + 1] == u'\n')
                ++i;
            plain += u' ';
            ++i;
            continue;
        }
        plain += c;
        ++i;
    }
    // The "<br>" markers are still '\n' here; decoding may add blanks, which
    // the trim below takes away at the ends.
    QString text = decodeReferences(plain);
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isTrimmed(text[from]))
        ++from;
    while (to > from && isTrimmed(text[to - 1]))
        --to;
    return text.sliced(from, to - from);
}

bool readFirstTable(const QString& html, StringGrid& grid) {
    const QStringView t(html);
    qsizetype pos = 0;
    while (true) {
        pos = t.indexOf(u"<table", pos, Qt::CaseInsensitive);
        if (pos < 0)
            return false;
        if (tagNameAt(t, pos) == u"table")
            break;
        ++pos;
    }
    const qsizetype gt = t.indexOf(u'>', pos);
    if (gt < 0)
        return false;
    pos = gt + 1;
    int row = 0;
    int column = -1;
    while (pos < t.size()) {
        const qsizetype lt = t.indexOf(u'<', pos);
        if (lt < 0)
            break;
        const QString name = tagNameAt(t, lt);
        if (name.isEmpty()) {
            pos = lt + 1;
            continue;
        }
        if (name == u"/table")
            break;
        pos = afterTag(t, lt);
        if (name == u"tr") {
            ++row;
            column = -1;
        } else if (name == u"td" || name == u"th") {
            if (row == 0) // a cell before any "<tr>" opens the first row
                row = 1;
            ++column;
            qsizetype end = pos;
            QString endName;
            while (true) {
                end = t.indexOf(u'<', end);
                if (end < 0) {
                    end = t.size();
                    break;
                }
                endName = tagNameAt(t, end);
                if (endsCell(endName))
                    break;
                // An inner tag or comment is skipped whole, a '<' that starts
                // none is text.
                end = endName.isEmpty() ? end + 1 : afterTag(t, end);
            }
            grid.setCell(column, row, cellText(t.sliced(pos, end - pos)));
            pos = (endName == u"/td" || endName == u"/th") ? afterTag(t, end) : end;
        }
    }
    if (grid.rowCount() < 2)
        grid.resize(grid.columnCount(), 2);
    return true;
}

} // namespace HtmlTable
