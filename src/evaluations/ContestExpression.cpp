#include "evaluations/ContestExpression.h"

#include "logstore/GermanNumber.h"
#include "platform/ProgramTexts.h"

#include <limits>
#include <vector>

namespace ContestColumn {

const QStringList& names() {
    static const QStringList list = {
        QStringLiteral("fNumber"),   QStringLiteral("fDate"),     QStringLiteral("fUtc"),
        QStringLiteral("fBand"),     QStringLiteral("fMode"),     QStringLiteral("fCall"),
        QStringLiteral("fRstTx"),    QStringLiteral("fRstRx"),    QStringLiteral("fDok"),
        QStringLiteral("fName"),     QStringLiteral("fQth"),      QStringLiteral("fLocator"),
        QStringLiteral("fComments"), QStringLiteral("fDistance"), QStringLiteral("fGrdDistance"),
        QStringLiteral("fPrefix"),   QStringLiteral("fContinent"), QStringLiteral("PKT"),
        QStringLiteral("MLT")};
    return list;
}

int of(QStringView name) {
    const QStringList& list = names();
    for (int c = 0; c < Count; ++c) {
        if (list[c].size() == name.size() && name.compare(list[c], Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

} // namespace ContestColumn

namespace ContestExpression {

namespace {

constexpr int MaxDepth = 255;

[[noreturn]] void fail(Msg id) { throw ContestError(msgText(id)); }
[[noreturn]] void fail(Msg id, QStringView detail) { throw ContestError(msgText(id).arg(detail)); }

// Blanks and control characters, as the trimming of the grid's texts knows them.
bool isBlank(QChar c) { return c.unicode() <= u' '; }

QStringView trimmed(QStringView t) {
    qsizetype begin = 0, end = t.size();
    while (begin < end && isBlank(t[begin]))
        ++begin;
    while (end > begin && isBlank(t[end - 1]))
        --end;
    return t.mid(begin, end - begin);
}

// The index of the ")" that closes the "(" at open, quotes respected; -1
// when it is never closed.
qsizetype closingOf(QStringView t, qsizetype open) {
    bool quoted = false;
    int depth = 0;
    for (qsizetype i = open; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == u'(') {
                ++depth;
            } else if (c == u')' && --depth == 0) {
                return i;
            }
        }
    }
    return -1;
}

QStringView normalised(QStringView t) {
    t = trimmed(t);
    while (t.size() >= 2 && t.front() == u'(' && t.back() == u')' && closingOf(t, 0) == t.size() - 1)
        t = trimmed(t.mid(1, t.size() - 2));
    if (t.isEmpty())
        fail(Msg::ContestEmptyExpression);
    return t;
}

bool isOperator(QChar c) { return c == u'+' || c == u'-' || c == u'*' || c == u'/'; }

// Layer I: the rightmost operator outside quotes and parentheses, scanning
// from the end; -1 when there is none.
qsizetype splitPoint(QStringView t) {
    bool quoted = false;
    int depth = 0;
    for (qsizetype i = t.size() - 1; i >= 0; --i) {
        const QChar c = t[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u')') {
            if (++depth > MaxDepth)
                fail(Msg::ContestTooDeep, t);
        } else if (c == u'(') {
            if (--depth < 0)
                fail(Msg::ContestUnbalanced, t);
        } else if (depth == 0 && isOperator(c)) {
            return i;
        }
    }
    return -1;
}

QString valueOf(QStringView t, const ContestRow& row);

bool startsWithFunction(QStringView t, QStringView name) {
    return t.size() > name.size() && t.left(name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
           t[name.size()] == u'(';
}

// Layer II. False when the text is no function call whose closing
// parenthesis is reached; the text then goes on to layer III.
bool callFunction(QStringView t, const ContestRow& row, QString& result) {
    int arity = 0;
    qsizetype open = 0;
    if (startsWithFunction(t, u"pos")) {
        arity = 2;
        open = 3;
    } else if (startsWithFunction(t, u"copy")) {
        arity = 3;
        open = 4;
    } else if (startsWithFunction(t, u"length")) {
        arity = 1;
        open = 6;
    } else {
        return false;
    }
    std::vector<QStringView> arguments;
    bool quoted = false;
    int depth = 0;
    qsizetype start = open + 1;
    qsizetype close = -1;
    for (qsizetype i = open; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            if (--depth == 0) {
                close = i;
                break;
            }
        } else if (c == u',' && depth == 1 && arity > 1) {
            arguments.push_back(t.mid(start, i - start));
            start = i + 1;
        }
    }
    if (close < 0)
        return false;
    arguments.push_back(t.mid(start, close - start));
    if (static_cast<int>(arguments.size()) > arity)
        throw ContestError(msgText(Msg::ContestTooManyArguments).arg(t.left(close + 1)).arg(arity));
    // The last argument is evaluated first; a missing one is an empty expression.
    std::vector<QString> values(static_cast<std::size_t>(arity));
    for (int a = arity - 1; a >= 0; --a) {
        if (a >= static_cast<int>(arguments.size()))
            fail(Msg::ContestEmptyExpression);
        values[static_cast<std::size_t>(a)] = MakeValue(arguments[static_cast<std::size_t>(a)], row);
    }
    if (arity == 2) {
        const QString& needle = values[0];
        result = QString::number(needle.isEmpty() ? 0 : values[1].indexOf(needle) + 1);
    } else if (arity == 3) {
        const qint64 first = toInteger(values[1]);
        const qint64 count = toInteger(values[2]);
        const qint64 from = first < 1 ? 1 : first;
        if (from > values[0].size() || count <= 0)
            result.clear();
        else
            result = values[0].mid(from - 1, count);
    } else {
        result = QString::number(values[0].size());
    }
    return true;
}

bool isPlainDigits(QStringView t) {
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Layer III.
QString singleValue(QStringView t, const ContestRow& row) {
    if (t.front() == u'"' && t.back() == u'"')
        return t.size() == 1 ? QString() : t.mid(1, t.size() - 2).toString();
    // No variable name reads as a number, so the names may be looked at
    // first: they are by far the most frequent single values.
    const int column = ContestColumn::of(t);
    if (column < 0) {
        if (isPlainDigits(t) || GermanNumber::parse(t.toString()))
            return t.toString();
        fail(Msg::ContestUndefinedVariable, t);
    }
    if (column == ContestColumn::Distance && !row.distanceFailure.isEmpty())
        throw ContestError(row.distanceFailure);
    if (column == ContestColumn::GridDistance && !row.gridFailure.isEmpty())
        throw ContestError(row.gridFailure);
    return row.cells[static_cast<std::size_t>(column)];
}

QString valueOf(QStringView t, const ContestRow& row) {
    QString result;
    if (callFunction(t, row, result))
        return result;
    return singleValue(t, row);
}

} // namespace

qint32 toInteger(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i == text.size())
        fail(Msg::ContestNotAnInteger, text);
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            fail(Msg::ContestNotAnInteger, text);
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            fail(Msg::ContestNotAnInteger, text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max())
        fail(Msg::ContestNotAnInteger, text);
    return static_cast<qint32>(value);
}

qint32 combine(qint32 a, QChar op, qint32 b) {
    qint64 r = 0;
    switch (op.unicode()) {
    case u'+': r = qint64(a) + b; break;
    case u'-': r = qint64(a) - b; break;
    case u'*': r = qint64(a) * b; break;
    default:
        if (b == 0)
            fail(Msg::ContestDivisionByZero);
        r = qint64(a) / b; // C++ truncates towards zero, as the rules want
        break;
    }
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max()) {
        throw ContestError(msgText(Msg::ContestOverflow)
                               .arg(QString::number(a) + u' ' + op + u' ' + QString::number(b))
                               .arg(r));
    }
    return static_cast<qint32>(r);
}

QString MakeValue(QStringView expression, const ContestRow& row) {
    // Operators group from the left: a+b-c is (a+b)-c, so the left part is
    // split again and again. A long chain is unwound in a loop, not by
    // recursion, so that a hand-written rule of thousands of terms cannot
    // exhaust the stack; the order of evaluation stays that of the
    // recursive definition (leftmost operand first, then each right part).
    struct Pending {
        QChar op;
        QStringView right;
    };
    std::vector<Pending> pending;
    QStringView t = normalised(expression);
    for (;;) {
        const qsizetype at = splitPoint(t);
        if (at < 0)
            break;
        pending.push_back({t[at], t.mid(at + 1)});
        t = normalised(t.left(at));
    }
    QString value = valueOf(t, row);
    while (!pending.empty()) {
        const Pending p = pending.back();
        pending.pop_back();
        const QString right = MakeValue(p.right, row);
        const qint32 a = toInteger(value);
        const qint32 b = toInteger(right);
        value = QString::number(combine(a, p.op, b));
    }
    return value;
}

QStringList cutList(const QString& list) {
    if (trimmed(list).isEmpty())
        return {};
    return list.split(u';');
}

bool conditionHolds(const QStringList& pieces, const ContestRow& row) {
    for (const QString& piece : pieces) {
        if (trimmed(piece).isEmpty())
            continue;
        qsizetype at = piece.indexOf(QLatin1String(" eq "));
        if (at >= 0) {
            const QString left = MakeValue(QStringView(piece).left(at), row);
            const QString right = MakeValue(QStringView(piece).mid(at + 4), row);
            if (left != right)
                return false;
            continue;
        }
        at = piece.indexOf(QLatin1String(" neq "));
        if (at >= 0) {
            const QString left = MakeValue(QStringView(piece).left(at), row);
            const QString right = MakeValue(QStringView(piece).mid(at + 5), row);
            if (left == right)
                return false;
            continue;
        }
        return false;
    }
    return true;
}

bool conditionHolds(const QString& conditions, const ContestRow& row) {
    return conditionHolds(cutList(conditions), row);
}

int gridDistance(QStringView own, QStringView other) {
    const auto letter = [](QStringView locator, qsizetype i) {
        return i < locator.size() ? int(locator[i].toUpper().unicode()) - int(u'A') + 1 : 0;
    };
    const auto digit = [](QStringView locator, qsizetype i) {
        const QString c = i < locator.size() ? QString(locator[i]) : QString();
        if (c.size() != 1 || c[0] < u'0' || c[0] > u'9')
            fail(Msg::ContestNotAnInteger, c);
        return int(c[0].unicode()) - int(u'0');
    };
    const int xa = 10 * letter(own, 0) + digit(own, 2);
    const int ya = 10 * letter(own, 1) + digit(own, 3);
    const int xb = 10 * letter(other, 0) + digit(other, 2);
    const int yb = 10 * letter(other, 1) + digit(other, 3);
    return qMax(qAbs(xa - xb), qAbs(ya - yb)) + 1;
}

} // namespace ContestExpression
