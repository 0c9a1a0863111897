#include "evaluations/ContestEngine.h"
#include "evaluations/ContestExpression.h"
#include "evaluations/ContestRules.h"
#include "DataTable.h"

#include <QtTest>
#include <random>

using namespace ContestExpression;

namespace {

QString errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ContestError& e) {
        return e.message();
    }
    return {};
}

ContestRow expressionRow() {
    ContestRow row;
    row.cells[ContestColumn::Call] = QStringLiteral("DL1ABC");
    row.cells[ContestColumn::Locator] = QStringLiteral("JO31AB");
    row.cells[ContestColumn::Mode] = QStringLiteral("CW");
    row.cells[ContestColumn::Band] = QStringLiteral("20m");
    row.cells[ContestColumn::Points] = QStringLiteral("7");
    row.cells[ContestColumn::Distance] = QStringLiteral("287");
    row.gridFailure = QStringLiteral("'X' ist kein gültiger Integerwert");
    return row;
}

// A contact row from "call|band|mode|dok|locator"; the distances are what
// the filler would give for a 6-character locator from JO31.
ContestRow contact(const QString& spec, int number = 1) {
    QStringList f = spec.split(u'|');
    while (f.size() < 5)
        f << QString();
    ContestRow row;
    row.cells[ContestColumn::Number] = QString::number(number);
    row.cells[ContestColumn::Call] = f[0];
    row.cells[ContestColumn::Band] = f[1];
    row.cells[ContestColumn::Mode] = f[2];
    row.cells[ContestColumn::Dok] = f[3];
    row.cells[ContestColumn::Locator] = f[4];
    if (f[4].size() == 6) {
        row.cells[ContestColumn::Distance] = QStringLiteral("100");
        row.cells[ContestColumn::GridDistance] = QString::number(gridDistance(u"JO31AA", f[4]));
    } else {
        row.cells[ContestColumn::Distance] = QStringLiteral("0");
    }
    return row;
}

// Rules as "keys|value|kind|conditions" lines.
ContestRules rules(const QStringList& lines) {
    QVector<ContestRule> list;
    for (const QString& l : lines) {
        const QStringList f = l.split(u'|');
        list.append(ContestRule{f.value(0), f.value(1), f.value(2), f.value(3)});
    }
    return ContestRules(list);
}

ContestResult score(const ContestRules& r, const QVector<ContestRow>& rows) {
    ContestEngine engine(r);
    for (const ContestRow& row : rows) {
        if (!engine.add(row))
            break;
    }
    return engine.finish();
}

// The novelty test as the rules describe it: every earlier row compared
// with the current one, each key evaluated on both rows. Test code only: it
// is the yardstick for the engine's hash tables.
ContestResult quadratic(const ContestRules& r, const QVector<ContestRow>& rows) {
    ContestResult result;
    for (ContestRow row : rows) {
        row.cells[ContestColumn::Points] = QStringLiteral("0");
        row.cells[ContestColumn::Multipliers] = QStringLiteral("0");
        result.rows.append(row);
        const int c = int(result.rows.size());
        ContestRow& current = result.rows.last();
        for (int i = 0; i < r.rowCount(); ++i) {
            const ContestRule& rule = r.rule(i);
            int column = ContestRules::Keys;
            try {
                const QStringList keys = cutList(rule.keys);
                bool isNew = true;
                for (int earlier = 0; isNew && !keys.isEmpty() && earlier < c - 1; ++earlier) {
                    bool match = true;
                    for (const QString& key : keys) {
                        const QString a = MakeValue(key, result.rows[earlier]);
                        const QString b = MakeValue(key, current);
                        if (!b.isEmpty() && a != b)
                            match = false;
                    }
                    isNew = !match;
                }
                if (!isNew)
                    continue;
                column = ContestRules::Conditions;
                if (!conditionHolds(rule.conditions, current))
                    continue;
                const QString kind = rule.kind.toUpper();
                if (kind != QLatin1String("PKT") && kind != QLatin1String("MLT"))
                    continue;
                column = ContestRules::Value;
                const QString value = MakeValue(rule.value, current);
                QString& cell = current.cells[kind == QLatin1String("PKT") ? ContestColumn::Points : ContestColumn::Multipliers];
                cell = QString::number(combine(toInteger(cell), u'+', toInteger(value)));
            } catch (const ContestError& e) {
                result.failure = ContestFailure{e.message(), c, current.cells[0], i + 1, column};
                return result;
            }
        }
    }
    qint64 p = 0, m = 0;
    for (const ContestRow& row : result.rows) {
        p += toInteger(row.cells[ContestColumn::Points]);
        m += toInteger(row.cells[ContestColumn::Multipliers]);
    }
    result.totals = ContestTotals{qint32(p), qint32(m), qint32(p * m)};
    return result;
}

QString describe(const ContestResult& r) {
    QStringList lines;
    for (const ContestRow& row : r.rows)
        lines << row.cells[ContestColumn::Points] + u'/' + row.cells[ContestColumn::Multipliers];
    if (r.failure)
        lines << QStringLiteral("failure: ") + r.failure->text();
    if (r.totals)
        lines << QStringLiteral("totals %1 %2 %3").arg(r.totals->points).arg(r.totals->multipliers).arg(r.totals->score);
    return lines.join(u'\n');
}

} // namespace

class TestContestEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void expressions_data() { addTableRows(QStringLiteral("evaluations/data/contest-expressions.tsv")); }
    void expressions();
    void nestingAndLongChains();
    void conditions_data();
    void conditions();
    void gridDistances_data();
    void gridDistances();
    void runs_data();
    void runs();
    void totalsOutsideThirtyTwoBits();
    void noveltyMatchesRowByRowComparison();
    void deleteRule();
    void csvQuotesAndEncodes();
};

void TestContestEngine::expressions() {
    QFETCH(QStringList, fields);
    QCOMPARE(fields.size(), 3);
    const QString& expected = fields[1];
    QString value;
    const QString error = errorOf([&] { value = MakeValue(fields[2], expressionRow()); });
    if (expected.startsWith(u'!'))
        QCOMPARE(error, expected.mid(1));
    else
        QCOMPARE(error + value, expected);
}

void TestContestEngine::nestingAndLongChains() {
    const ContestRow row = expressionRow();
    const auto nested = [](int depth) {
        return QStringLiteral("0+") + QString(depth, u'(') + u'1' + QString(depth, u')');
    };
    QCOMPARE(MakeValue(nested(255), row), QStringLiteral("1"));
    QCOMPARE(errorOf([&] { MakeValue(nested(256), row); }),
             QStringLiteral("Ungültiger Ausdruck: die Klammern in %1 sind tiefer als 255 Ebenen geschachtelt.")
                 .arg(nested(256)));
    // A chain of 200 000 terms is evaluated without running out of stack.
    QString chain = QStringLiteral("1");
    for (int i = 1; i < 200000; ++i)
        chain += QStringLiteral("+1");
    QCOMPARE(MakeValue(chain, row), QStringLiteral("200000"));
}

void TestContestEngine::conditions_data() {
    QTest::addColumn<QString>("conditions");
    QTest::addColumn<QString>("expected"); // "true", "false" or the error
    const QString layer3 = QStringLiteral("In LAYER III von MakeValue konnte folgende Variable nicht verarbeitet werden: ");
    QTest::newRow("empty list") << "" << "true";
    QTest::newRow("quoted literal") << "fMode eq \"CW\"" << "true";
    QTest::newRow("bare literal is a variable") << "fMode eq CW" << layer3 + "CW";
    QTest::newRow("EQ is no operator") << "fMode EQ \"CW\"" << "false";
    QTest::newRow("trailing semicolon") << "fBand eq \"20m\";" << "true";
    QTest::newRow("stops at the first false piece") << "fMode eq \"SSB\";fMode eq CW" << "false";
    QTest::newRow("later piece still evaluated") << "fMode eq \"CW\";fMode eq CW" << layer3 + "CW";
    QTest::newRow("neq") << "fMode neq \"SSB\"" << "true";
    QTest::newRow("numbers compared as texts") << "5 eq 05" << "false";
    QTest::newRow("left evaluated before right") << "x eq y" << layer3 + "x";
    QTest::newRow("neither operator") << "fMode" << "false";
    QTest::newRow("split at the first eq") << "fMode eq fMode eq \"CW\"" << layer3 + "fMode eq \"CW\"";
}

void TestContestEngine::conditions() {
    QFETCH(QString, conditions);
    QFETCH(QString, expected);
    bool holds = false;
    const QString error = errorOf([&] { holds = conditionHolds(conditions, expressionRow()); });
    QCOMPARE(error.isEmpty() ? QString::fromLatin1(holds ? "true" : "false") : error, expected);
}

void TestContestEngine::gridDistances_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same square") << "JO31AB" << "JO31XX" << "1";
    QTest::newRow("field boundary") << "JO39AB" << "JP30AA" << "2";
    QTest::newRow("rings") << "JO31AB" << "jn28aa" << "4";
    QTest::newRow("other's digit") << "JO31AB" << "JOX1AA" << "'X' ist kein gültiger Integerwert";
    QTest::newRow("own locator too short") << "JO" << "JO31AA" << "'' ist kein gültiger Integerwert";
}

void TestContestEngine::gridDistances() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(QString, expected);
    int d = 0;
    const QString error = errorOf([&] { d = gridDistance(own, other); });
    QCOMPARE(error.isEmpty() ? QString::number(d) : error, expected);
}

// Whole runs: rules and contacts, then PKT/MLT per row, and the totals or
// the failure with where it happened.
void TestContestEngine::runs_data() {
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QStringList>("contacts");
    QTest::addColumn<QString>("expected");
    const QString empty = QStringLiteral("Ungültiger Ausdruck: ein Ausdruck ist leer (etwa vor einem Vorzeichen, nach "
                                         "einem \";\" am Ende der Schlüsselliste, ein fehlendes Argument oder \"()\").");
    QTest::newRow("call and band")
        << QStringList{"fCall;fBand|1|PKT|", "fCall|1|MLT|"}
        << QStringList{"A|20m", "A|40m", "A|20m", "B|20m"} << "1/1\n1/0\n0/0\n1/1\ntotals 3 2 6";
    QTest::newRow("trailing semicolon in a key list fails on the second contact")
        << QStringList{"fCall;|1|PKT|"} << QStringList{"A", "B"}
        << "1/0\n0/0\nfailure: " + empty + "\nErgebniszeile 2 (QSO #2), Regel 1, Spalte NEU";
    QTest::newRow("DOK key: first always new, empty never new afterwards")
        << QStringList{"fDok|1|PKT|"} << QStringList{"A|||", "B|||B01", "C|||", "D|||B01", "E|||C02"}
        << "1/0\n1/0\n0/0\n0/0\n1/0\ntotals 3 0 0";
    QTest::newRow("kind ignores case, PUNKTE does nothing")
        << QStringList{"|1|pkt|", "|2|Pkt|", "|5|PUNKTE|", "|3|mlt|"} << QStringList{"A"} << "3/3\ntotals 3 3 9";
    QTest::newRow("PUNKTE still evaluates its conditions")
        << QStringList{"|1|PKT|", "|5|PUNKTE|fMode eq CW"} << QStringList{"A||CW"}
        << "1/0\nfailure: In LAYER III von MakeValue konnte folgende Variable nicht verarbeitet werden: CW\n"
           "Ergebniszeile 1 (QSO #1), Regel 2, Spalte BEDINGUNGEN";
    QTest::newRow("fDistance adds 0 for a short locator")
        << QStringList{"|fDistance|PKT|"} << QStringList{"A||||JO31AB", "B||||JO31"} << "100/0\n0/0\ntotals 100 0 0";
    QTest::newRow("fGrdDistance fails on a short locator")
        << QStringList{"|fGrdDistance|PKT|"} << QStringList{"A||||JO42AB", "B||||JO31"}
        << "2/0\n0/0\nfailure: '' ist kein gültiger Integerwert\nErgebniszeile 2 (QSO #2), Regel 1, Spalte WERT";
    QTest::newRow("empty log scores 0 / 0 / 0") << QStringList{"fCall|1|PKT|"} << QStringList{} << "totals 0 0 0";
    QTest::newRow("10 times 0 is 0") << QStringList{"|10|PKT|"} << QStringList{"A"} << "10/0\ntotals 10 0 0";
    QTest::newRow("later rule sees the points of earlier ones")
        << QStringList{"|2|PKT|", "|PKT*3|PKT|", "|PKT|MLT|PKT eq \"8\""} << QStringList{"A"} << "8/8\ntotals 8 8 64";
    QTest::newRow("condition on the mode")
        << QStringList{"fCall|1|PKT|fMode eq \"CW\""} << QStringList{"A||SSB", "A||CW", "B||CW"}
        << "0/0\n0/0\n1/0\ntotals 1 0 0";
    QTest::newRow("running sum overflows")
        << QStringList{"|2147483647|PKT|", "|1|PKT|"} << QStringList{"A"}
        << "2147483647/0\nfailure: Überlauf: 2147483647 + 1 ergibt 2147483648; das liegt außerhalb der ganzen "
           "32-Bit-Zahlen (-2147483648 bis 2147483647).\nErgebniszeile 1 (QSO #1), Regel 2, Spalte WERT";
    QTest::newRow("value not an integer")
        << QStringList{"|fCall|PKT|"} << QStringList{"A"}
        << "0/0\nfailure: 'A' ist kein gültiger Integerwert\nErgebniszeile 1 (QSO #1), Regel 1, Spalte WERT";
    QTest::newRow("a key failing on the first row fails the later ones")
        << QStringList{"fDok*1|1|PKT|"} << QStringList{"A|||x", "B|||5"}
        << "1/0\n0/0\nfailure: 'x' ist kein gültiger Integerwert\nErgebniszeile 2 (QSO #2), Regel 1, Spalte NEU";
    // The key 1/(2-PKT) holds on the current row (PKT 1 when rule 2 runs)
    // and fails on the third row's final PKT 2: rows matching an earlier
    // row before it are not new, the others reach it and fail.
    QTest::newRow("a match before a failing row comes first")
        << QStringList{"|1|PKT|", "1/(2-PKT);fDok|1|MLT|", "|1|PKT|fDok eq \"x\""}
        << QStringList{"A|||5", "B|||5", "C|||x", "D|||5", "E|||7"}
        << "1/1\n1/0\n2/1\n1/0\n1/0\nfailure: Division durch Null\nErgebniszeile 5 (QSO #5), Regel 2, Spalte NEU";
}

void TestContestEngine::runs() {
    QFETCH(QStringList, rules);
    QFETCH(QStringList, contacts);
    QFETCH(QString, expected);
    QVector<ContestRow> rows;
    for (const QString& c : contacts)
        rows << contact(c, int(rows.size()) + 1);
    const ContestRules r = ::rules(rules);
    const ContestResult result = score(r, rows);
    QCOMPARE(describe(result), expected);
    QCOMPARE(describe(quadratic(r, rows)), expected);
}

void TestContestEngine::totalsOutsideThirtyTwoBits() {
    const QVector<ContestRow> two = {contact("A"), contact("B")};
    ContestResult r = score(rules({"|2000000000|PKT|"}), two);
    QVERIFY(!r.totals && r.rows.size() == 2); // the table stays, the totals are not shown
    QCOMPARE(r.failure->text(), QStringLiteral("Die Summe der Punkte (4000000000) liegt außerhalb der ganzen 32-Bit-Zahlen "
                                               "(-2147483648 bis 2147483647); die Gesamtwertung kann nicht angezeigt werden."));
    r = score(rules({"|0-2000000000|MLT|"}), two);
    QVERIFY(r.failure->text().startsWith(QStringLiteral("Die Summe der Multis (-4000000000)")));
    r = score(rules({"|50000|PKT|", "|50000|MLT|"}), {contact("A")});
    QVERIFY(r.failure->text().startsWith(QStringLiteral("Die Endpunktzahl 50000 * 50000 = 2500000000 liegt")));
    r = score(rules({"|46340|PKT|", "|46340|MLT|"}), {contact("A")});
    QCOMPARE(r.totals, (ContestTotals{46340, 46340, 2147395600}));
}

// The hash tables of the engine against the row-by-row comparison, on random
// small logs and rule tables, keys that fail on some rows included: the
// same points and multipliers on every row, the same first failure, the
// same totals.
void TestContestEngine::noveltyMatchesRowByRowComparison() {
    std::mt19937 random(20260607);
    const auto pick = [&random](const QStringList& list) {
        return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random)];
    };
    const auto chance = [&random](int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; };
    const QStringList calls = {"A", "B", "C", "DL1X", ""};
    const QStringList bands = {"20m", "40m", ""};
    const QStringList modes = {"CW", "SSB"};
    const QStringList doks = {"", "1", "2", "B01"};
    const QStringList locators = {"JO31AB", "JO42CD", "JN", "", "JO3XAB"};
    // fDok*1 fails on "B01", fGrdDistance on JO3XAB, fGrdDistance+0 on short locators too.
    const QStringList safeKeys = {"fCall", "fBand", "fMode", "fDok", "PKT", "MLT", "copy(fCall,1,1)", "fLocator",
                                  "fGrdDistance", "\"k\"", "1/(2-PKT)"};
    const QStringList failingKeys = {"fDok*1", "fGrdDistance+0", "", "nix"};
    const QStringList values = {"1", "2", "PKT", "MLT+1", "length(fCall)", "fDistance"};
    const QStringList kinds = {"PKT", "MLT", "pkt", "Mlt", "PUNKTE"};
    const QStringList conditions = {"", "fMode eq \"CW\"", "fBand neq \"20m\"", "PKT eq \"0\"", "fCall neq \"\";"};
    int failures = 0, completed = 0;
    for (int run = 0; run < 3000; ++run) {
        QVector<ContestRule> list;
        const int ruleCount = std::uniform_int_distribution<int>(1, 4)(random);
        for (int i = 0; i < ruleCount; ++i) {
            QStringList keys;
            const int keyCount = std::uniform_int_distribution<int>(0, 3)(random);
            for (int k = 0; k < keyCount; ++k)
                keys << (chance(4) ? pick(failingKeys) : pick(safeKeys));
            list.append(ContestRule{keys.join(u';'), pick(values), pick(kinds), chance(40) ? pick(conditions) : QString()});
        }
        const ContestRules r(list);
        QVector<ContestRow> rows;
        const int rowCount = std::uniform_int_distribution<int>(0, 25)(random);
        for (int i = 0; i < rowCount; ++i) {
            ContestRow row = contact(pick(calls) + u'|' + pick(bands) + u'|' + pick(modes) + u'|' + pick(doks), i + 1);
            const QString locator = pick(locators);
            row.cells[ContestColumn::Locator] = locator;
            row.cells[ContestColumn::Distance] = locator.size() == 6 ? QString::number(i * 10) : QStringLiteral("0");
            row.cells[ContestColumn::GridDistance].clear();
            if (locator.size() == 6) {
                try {
                    row.cells[ContestColumn::GridDistance] = QString::number(gridDistance(u"JO31AA", locator));
                } catch (const ContestError& e) {
                    row.gridFailure = e.message();
                }
            }
            rows << row;
        }
        const QString fast = describe(score(r, rows));
        const QString reference = describe(quadratic(r, rows));
        if (fast != reference) {
            QStringList ruleLines;
            for (const ContestRule& rule : list)
                ruleLines << QStringList{rule.keys, rule.value, rule.kind, rule.conditions}.join(u'|');
            QFAIL(qPrintable(QStringLiteral("run %1\nrules:\n%2\nengine:\n%3\nreference:\n%4")
                                 .arg(run).arg(ruleLines.join(u'\n'), fast, reference)));
        }
        (fast.contains(QLatin1String("failure:")) ? failures : completed) += 1;
    }
    // Both outcomes must be well represented, or the comparison proves little.
    QVERIFY2(failures > 300 && completed > 1000, qPrintable(QStringLiteral("%1 %2").arg(failures).arg(completed)));
}

void TestContestEngine::deleteRule() {
    ContestRules r = rules({"a|1|PKT|", "b|2|MLT|", "c|3|PKT|"});
    r.deleteRule(0);
    QCOMPARE(r, rules({"b|2|MLT|", "c|3|PKT|"}));
    r.deleteRule(1);
    QCOMPARE(r, rules({"b|2|MLT|"}));
    r.deleteRule(0); // the only row is emptied and kept
    QCOMPARE(r.rowCount(), 1);
    QCOMPARE(r.rule(0), ContestRule{});
    r.deleteRule(5); // no such row: nothing happens
    QCOMPARE(r.rowCount(), 1);
    r.appendRule();
    QCOMPARE(r.rowCount(), 2);
}

void TestContestEngine::csvQuotesAndEncodes() {
    ContestRow row = contact("DL1ABC|20m|CW");
    row.cells[ContestColumn::Name] = QStringLiteral("Jürgen; \"Jo\"");
    row.cells[ContestColumn::Comments] = QStringLiteral("Zeile 1\nZeile 2");
    const ContestResult r = score(rules({"|1|PKT|"}), {row});
    const QList<QByteArray> lines = r.csv().split('\n');
    QCOMPARE(lines[0], QByteArray("fNumber;fDate;fUtc;fBand;fMode;fCall;fRstTx;fRstRx;fDok;fName;fQth;fLocator;"
                                  "fComments;fDistance;fGrdDistance;fPrefix;fContinent;PKT;MLT\r"));
    QCOMPARE(lines[1], QByteArray("1;;;20m;CW;DL1ABC;;;;\"J\xFCrgen; \"\"Jo\"\"\";;;\"Zeile 1"));
    QCOMPARE(lines[2], QByteArray("Zeile 2\";0;;;;1;0\r"));
    QCOMPARE(lines.size(), 4); // header, the row over two lines, nothing after the last CR LF
}

QTEST_GUILESS_MAIN(TestContestEngine)
#include "test_contestengine.moc"
