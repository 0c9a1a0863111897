#include "app/PageHistory.h"

#include <QtTest>

namespace {

// Page k stands for the indexes (k, k + 1, k + 2): a mix-up of the three page controls shows.
PageHistory::Pages pages(int k) { return {k, k + 1, k + 2}; }

QString name(const PageHistory::Pages& p) {
    if (p.isEmpty()) return QStringLiteral("-");
    if (p == PageHistory::Pages{0, 0, 0}) return QStringLiteral("0");
    return p == pages(p.main) ? QString::number(p.main) : QStringLiteral("?");
}

} // namespace

class TestPageHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steps_data();
    void steps();
};

void TestPageHistory::steps_data() {
    QTest::addColumn<QString>("script"); // "S<k>" SetHistory, "B" back, "F" forward
    // The six entries, @position, whether back < / forward > may step, the page last shown.
    QTest::addColumn<QString>("state");
    QTest::newRow("start") << "" << "0 - - - - - @1 --";
    QTest::newRow("back twice then by hand") << "S1 S2 S3 B B S9" << "9 1 0 - - - @1 <- 1";
    QTest::newRow("back once then by hand") << "S1 S2 S3 B S9" << "9 2 1 0 - - @1 <- 2";
    QTest::newRow("oldest entry ends back") << "S1 S2 S3 S4 S5 S6 S7 B B B B B" << "7 6 5 4 3 2 @6 -> 2";
    QTest::newRow("forward from the oldest") << "S1 S2 S3 S4 S5 S6 S7 B B B B B F" << "7 6 5 4 3 2 @5 <> 3";
    QTest::newRow("by hand from the oldest") << "S1 S2 S3 S4 S5 S6 S7 B B B B B S8" << "8 2 - - - - @1 <- 2";
    // The buttons are disabled then, yet a click queued before must not walk off either end.
    QTest::newRow("refused steps change nothing") << "S1 F B B" << "1 0 - - - - @2 -> 0";
}

void TestPageHistory::steps() {
    QFETCH(QString, script);
    QFETCH(QString, state);
    PageHistory h;
    QString shown;
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step == QStringLiteral("B"))
            shown = name(h.back());
        else if (step == QStringLiteral("F"))
            shown = name(h.forward());
        else
            h.SetHistory(pages(step.mid(1).toInt()));
    }
    QStringList entries;
    for (int i = 1; i <= PageHistory::Size; ++i)
        entries << name(h.entry(i));
    const QString now = QStringLiteral("%1 @%2 %3%4 %5").arg(entries.join(u' ')).arg(h.position());
    QCOMPARE(now.arg(h.canBack() ? "<" : "-", h.canForward() ? ">" : "-", shown).trimmed(), state);
}

QTEST_GUILESS_MAIN(TestPageHistory)
#include "test_pagehistory.moc"
