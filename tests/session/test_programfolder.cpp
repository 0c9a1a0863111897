#include "session/ProgramFolder.h"
#include "TestFolder.h"

#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void order();
    void readOnlyExecutableFolderFallsBack();
    void seedCopiesMissingFilesOnly();
};

void TestProgramFolder::order() {
    TestFolder exe;
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

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "test_programfolder.moc"
