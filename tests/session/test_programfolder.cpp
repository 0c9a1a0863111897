#include "session/ProgramFolder.h"
#include "TestFolder.h"

#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void order();
    void readOnlyExecutableFolderFallsBack();
    void seedCopiesMissingFilesOnly();
    void executableFolderNeedsShippedData();
    void shippedDataFolder_data();
    void shippedDataFolder();
    void installedProgramSeedsPerUserFolder();
};

void TestProgramFolder::order() {
    TestFolder exe;
    exe.write(ProgramFolder::manifestName(), "deutsch.lng\n");
    using S = ProgramFolder::Source;
    auto c = ProgramFolder::choose("/cmd", "/env", exe.path(), "/user");
    QCOMPARE(c.path, QStringLiteral("/cmd"));
    QCOMPARE(c.source, S::CommandLine);
    c = ProgramFolder::choose({}, "/env", exe.path(), "/user");
    QCOMPARE(c.source, S::Environment);
    c = ProgramFolder::choose({}, {}, exe.path(), "/user");
    QCOMPARE(c.source, S::Executable);
    QCOMPARE(c.path, exe.path());
}

void TestProgramFolder::readOnlyExecutableFolderFallsBack() {
    // A folder that does not exist cannot be written to, whoever runs the test.
    const auto c = ProgramFolder::choose({}, {}, "/nonexistent/vesk/bin", "/home/x/.local/share/vesk");
    QCOMPARE(c.source, ProgramFolder::Source::PerUser);
    QCOMPARE(c.path, QStringLiteral("/home/x/.local/share/vesk"));
}

void TestProgramFolder::seedCopiesMissingFilesOnly() {
    TestFolder data;
    TestFolder target;
    data.write("deutsch.lng", "shipped");
    data.write("DXCC.csv", "table");
    QVERIFY(QDir(data.path()).mkdir("Maps"));
    data.write("Maps/welt.gif", "GIF");
    data.write(ProgramFolder::manifestName(), "deutsch.lng\nDXCC.csv\nMaps/welt.gif\n../escape\n");
    target.write("deutsch.lng", "edited by the user");
    QVERIFY(ProgramFolder::seed(target.path(), data.path()).isEmpty());
    QCOMPARE((QList<QByteArray>{target.read("deutsch.lng"), target.read("DXCC.csv"), target.read("Maps/welt.gif")}),
             (QList<QByteArray>{"edited by the user", "table", "GIF"}));
    // A listed file that is not there is reported, not silently skipped.
    data.write(ProgramFolder::manifestName(), "missing.ini\n");
    const QStringList problems = ProgramFolder::seed(target.path(), data.path());
    QCOMPARE(problems.size(), 1);
    QVERIFY(problems[0].contains(QStringLiteral("missing.ini")));
}

void TestProgramFolder::executableFolderNeedsShippedData() {
    // A writable folder without the list of shipped files is a bin folder of
    // an installation (/usr/bin for root, ~/.local/bin): never written to.
    TestFolder exe;
    auto c = ProgramFolder::choose({}, {}, exe.path(), "/home/x/.local/share/vesk");
    QCOMPARE(c.source, ProgramFolder::Source::PerUser);
    exe.write(ProgramFolder::manifestName(), "deutsch.lng\n");
    c = ProgramFolder::choose({}, {}, exe.path(), "/home/x/.local/share/vesk");
    QCOMPARE(c.source, ProgramFolder::Source::Executable);
}

void TestProgramFolder::shippedDataFolder_data() {
    QTest::addColumn<QStringList>("lists"); // where vesk-data.lst lies, relative to a prefix
    QTest::addColumn<QString>("expected");  // relative to the prefix, "" for none
    QTest::newRow("build tree") << QStringList{"bin"} << "bin";
    QTest::newRow("installed") << QStringList{"share/vesk"} << "share/vesk";
    QTest::newRow("beside wins") << QStringList{"bin", "share/vesk"} << "bin";
    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("other program's share") << QStringList{"share/other"} << "";
}

void TestProgramFolder::shippedDataFolder() {
    QFETCH(QStringList, lists);
    QFETCH(QString, expected);
    TestFolder prefix;
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    for (const QString& folder : lists) {
        QVERIFY(QDir(prefix.path()).mkpath(folder));
        prefix.write(folder + u'/' + ProgramFolder::manifestName(), "deutsch.lng\n");
    }
    const QString found = ProgramFolder::shippedDataFolder(prefix.file("bin"));
    QCOMPARE(found, expected.isEmpty() ? QString() : QDir(prefix.file(expected)).absolutePath());
    // Given with a ".." detour, the same folder is found.
    if (!expected.isEmpty())
        QCOMPARE(ProgramFolder::shippedDataFolder(prefix.file("bin/../bin")), found);
}

void TestProgramFolder::installedProgramSeedsPerUserFolder() {
    // A prefix laid out as "cmake --install" does, writable as for root.
    TestFolder prefix;
    TestFolder home;
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    QVERIFY(QDir(prefix.path()).mkpath("share/vesk/Hilfe"));
    prefix.write("share/vesk/deutsch.lng", "shipped");
    prefix.write("share/vesk/Hilfe/index.htm", "<html>");
    prefix.write("share/vesk/" + ProgramFolder::manifestName(), "deutsch.lng\nHilfe/index.htm\n");
    const QString exe = prefix.file("bin");
    const QString perUser = home.file("data/vesk");

    const auto choice = ProgramFolder::choose({}, {}, exe, perUser);
    QCOMPARE(choice.source, ProgramFolder::Source::PerUser);
    QString error;
    QStringList warnings;
    QCOMPARE(ProgramFolder::prepare(choice, exe, &error, &warnings), perUser);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    QCOMPARE(home.read("data/vesk/deutsch.lng"), QByteArray("shipped"));
    QCOMPARE(home.read("data/vesk/Hilfe/index.htm"), QByteArray("<html>"));
    // Nothing was written beside the installed program.
    QCOMPARE(QDir(exe).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());

    // --folder pointing at the shipped data itself is not seeded from itself.
    const auto shipped = ProgramFolder::choose(prefix.file("share/vesk"), {}, exe, perUser);
    QCOMPARE(ProgramFolder::prepare(shipped, exe, &error, &warnings), QDir(prefix.file("share/vesk")).absolutePath());
    QVERIFY(warnings.isEmpty());
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "test_programfolder.moc"
