#include "app/PageHistory.h"

#include <QtTest>

namespace {

// Page k of a script stands for the indexes (k, k + 1, k + 2), so that a mix-up
// of the three page controls shows.
PageHistory::Pages pages(int k) { return {k, k + 1, k + 2}; }

QString name(const PageHistory::Pages& p) {
    if (p.isEmpty())
        return QStringLiteral("-");
    if (p == PageHistory::Pages{0, 0, 0})
        return QStringLiteral("0");
    if (p == pages(p.main))
        return QString::number(p.main);
    return QStringLiteral("?");
}

QString entries(const PageHistory& h) {
    QStringList out;
    for (int i = 1; i <= PageHistory::Size; ++i)
        out << name(h.entry(i));
    return out.join(u' ');
}

} // namespace

class TestPageHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steps_data();
    void steps();
    void refusedStepChangesNothing();
};

void TestPageHistory::steps_data() {
    QTest::addColumn<QString>("script"); // "S<k>" SetHistory, "B" back, "F" forward
    QTest::addColumn<QString>("entries");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("canBack");
    QTest::addColumn<bool>("canForward");
    QTest::addColumn<QString>("shown"); // what the last back/forward showed

    QTest::newRow("start") << "" << "0 - - - - -" << 1 << false << false << "";
    QTest::newRow("one page") << "S1" << "1 0 - - - -" << 1 << true << false << "";
    QTest::newRow("back to the start page") << "S1 B" << "1 0 - - - -" << 2 << false << true << "0";
    QTest::newRow("back and forward") << "S1 S2 B F" << "2 1 0 - - -" << 1 << true << false << "2";
    QTest::newRow("back twice then by hand")
        << "S1 S2 S3 B B S9" << "9 1 0 - - -" << 1 << true << false << "1";
    QTest::newRow("back once then by hand") << "S1 S2 S3 B S9" << "9 2 1 0 - -" << 1 << true << false << "2";
    QTest::newRow("six entries at most") << "S1 S2 S3 S4 S5 S6 S7"
                                         << "7 6 5 4 3 2" << 1 << true << false << "";
    QTest::newRow("oldest entry ends back")
        << "S1 S2 S3 S4 S5 S6 S7 B B B B B" << "7 6 5 4 3 2" << 6 << false << true << "2";
    QTest::newRow("forward from the oldest")
        << "S1 S2 S3 S4 S5 S6 S7 B B B B B F" << "7 6 5 4 3 2" << 5 << true << true << "3";
    QTest::newRow("by hand from the oldest")
        << "S1 S2 S3 S4 S5 S6 S7 B B B B B S8" << "8 2 - - - -" << 1 << true << false << "2";
}

void TestPageHistory::steps() {
    QFETCH(QString, script);
    QFETCH(QString, entries);
    QFETCH(int, position);
    QFETCH(bool, canBack);
    QFETCH(bool, canForward);
    QFETCH(QString, shown);

    PageHistory h;
    QString lastShown;
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step == QStringLiteral("B"))
            lastShown = name(h.back());
        else if (step == QStringLiteral("F"))
            lastShown = name(h.forward());
        else
            h.SetHistory(pages(step.mid(1).toInt()));
    }
    QCOMPARE(::entries(h), entries);
    QCOMPARE(h.position(), position);
    QCOMPARE(h.canBack(), canBack);
    QCOMPARE(h.canForward(), canForward);
    QCOMPARE(lastShown, shown);
}

// The buttons are disabled then, but a second click queued before the
// disabling must not walk into an empty entry or past the newest one.
void TestPageHistory::refusedStepChangesNothing() {
    PageHistory h;
    h.SetHistory(pages(1));
    QCOMPARE(name(h.forward()), QStringLiteral("1"));
    QCOMPARE(h.position(), 1);
    QCOMPARE(name(h.back()), QStringLiteral("0"));
    QCOMPARE(name(h.back()), QStringLiteral("0"));
    QCOMPARE(h.position(), 2);
    QCOMPARE(entries(h), QStringLiteral("1 0 - - - -"));
}

QTEST_GUILESS_MAIN(TestPageHistory)
#include "test_pagehistory.moc"
