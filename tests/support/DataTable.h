#pragma once

#include <QFile>
#include <QStringList>
#include <QtTest>

// Reference tables from outside the project live as tab-separated files under
// tests/ ('#' starts a comment line). Each line becomes one QTest data row
// with a QStringList column "fields", named by its first nameColumns fields,
// so a failure still names the row. A missing file gives a row whose empty
// fields fail the test's column count check.
inline void addTableRows(const QString& pathUnderTests, int nameColumns = 1) {
    QTest::addColumn<QStringList>("fields");
    const QString path = qEnvironmentVariable("VESK_SOURCE_DIR") + QStringLiteral("/tests/") + pathUnderTests;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTest::newRow(qPrintable(QStringLiteral("missing ") + path)) << QStringList();
        return;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        QTest::newRow(qPrintable(fields.mid(0, nameColumns).join(u' '))) << fields;
    }
}
