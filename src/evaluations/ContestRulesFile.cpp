#include "evaluations/ContestRulesFile.h"

#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>

namespace ContestRulesFile {

Loaded load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(msgText(Msg::FileNotReadable).arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(msgText(Msg::FileNotReadable).arg(QDir::toNativeSeparators(path), file.errorString()));
    return parse(bytes, path);
}

Loaded parse(const QByteArray& bytes, const QString& fileName) {
    QString text = Codepage::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line, or an empty file
    Loaded loaded;
    QVector<ContestRule> rows;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        ContestRule rule;
        qsizetype start = 0;
        int column = 0;
        bool tooMany = false;
        for (;;) {
            const qsizetype bar = line.indexOf(u'|', start);
            if (bar < 0) {
                rule[column] = line.mid(start);
                break;
            }
            if (column == ContestRules::Conditions) {
                tooMany = true;
                break;
            }
            rule[column++] = line.mid(start, bar - start);
            start = bar + 1;
        }
        rows.append(rule);
        if (tooMany) {
            loaded.error = msgText(Msg::ContestTooManyColumns) + u'\n' +
                           msgText(Msg::ContestRulesFileLine).arg(QDir::toNativeSeparators(fileName)).arg(n + 1);
            break;
        }
    }
    loaded.rules = ContestRules(rows);
    return loaded;
}

QByteArray encode(const ContestRules& rules) {
    QByteArray bytes;
    for (int row = 0; row < rules.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < ContestRules::ColumnCount; ++column) {
            const QString& cell = rules.rule(row)[column];
            if (cell.contains(u'|') || cell.contains(u'\n') || cell.contains(u'\r'))
                throw IoError(msgText(Msg::ContestCellNotStorable).arg(row + 1).arg(ContestRules::headers()[column]));
            cells << cell;
        }
        Codepage::encodeAppend(cells.join(u'|'), bytes);
        bytes += "\r\n";
    }
    return bytes;
}

void save(const ContestRules& rules, const QString& path) {
    const QByteArray bytes = encode(rules);
    AtomicFile file(path);
    file.open();
    file.write(bytes);
    file.commit();
}

} // namespace ContestRulesFile
