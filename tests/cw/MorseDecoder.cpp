#include "MorseDecoder.h"

#include <QHash>
#include <QVector>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The international code, typed here from the ITU table rather than taken
// from the program.
QHash<QString, QChar> codeTable() {
    static const char* const rows =
        "a.- b-... c-.-. d-.. e. f..-. g--. h.... i.. j.--- k-.- l.-.. m-- n-. o--- p.--. q--.- r.-. s... t- u..- "
        "v...- w.-- x-..- y-.-- z--.. 1.---- 2..--- 3...-- 4....- 5..... 6-.... 7--... 8---.. 9----. 0----- "
        "..-.-.- ,--..-- :---... ?..--.. '.----. --....- /-..-. (-.--. )-.--.- \".-..-. =-...- +.-.-. \x01........";
    QHash<QString, QChar> t;
    for (const QString& row : QString::fromLatin1(rows).split(u' '))
        t.insert(row.mid(1), row[0]);
    return t;
}

struct Run {
    bool tone;
    qint64 length;
};

} // namespace

DecodedMorse decodeMorse(const QByteArray& samples) {
    DecodedMorse result;
    int peak = 0;
    for (char s : samples)
        peak = std::max(peak, std::abs(int(static_cast<quint8>(s)) - 127));
    if (peak < 2)
        return result;
    const int threshold = std::max(1, peak / 2);
    // A tone crosses its rest value twice a period: samples above the
    // threshold less than 3 ms apart belong to one tone.
    const qint64 bridge = 33;
    QVector<Run> runs;
    qint64 toneStart = -1;
    qint64 lastLoud = -1;
    for (qint64 i = 0; i < samples.size(); ++i) {
        if (std::abs(int(static_cast<quint8>(samples[i])) - 127) < threshold)
            continue;
        if (toneStart < 0 || i - lastLoud > bridge) {
            if (toneStart >= 0) {
                runs.append({true, lastLoud - toneStart + 1});
                runs.append({false, i - lastLoud - 1});
            }
            toneStart = i;
        }
        lastLoud = i;
    }
    if (toneStart >= 0)
        runs.append({true, lastLoud - toneStart + 1});

    qint64 shortest = std::numeric_limits<qint64>::max();
    for (const Run& r : runs)
        shortest = std::min(shortest, r.length);
    const double u = static_cast<double>(shortest);
    result.unitSamples = u;

    static const QHash<QString, QChar> table = codeTable();
    QString code;
    auto flush = [&] {
        if (!code.isEmpty())
            result.text += table.value(code, u'?');
        code.clear();
    };
    for (const Run& r : runs) {
        const double units = static_cast<double>(r.length) / u;
        if (r.tone) {
            code += units < 2 ? u'.' : u'-';
        } else if (units >= 2) {
            flush();
            // 3 units between characters, 7 + 3 more for each blank.
            const int blanks = static_cast<int>(std::floor((units + 2) / 10));
            result.text += QString(blanks, u' ');
        }
    }
    flush();
    return result;
}

QByteArray wavSamples(const QByteArray& file, QString* error, int* sampleRate) {
    // The layouts met here (Vesk's 46-byte header, parec's): RIFF, a fmt
    // chunk, maybe others, then data; parec leaves the data size open.
    const qsizetype fmt = file.indexOf("fmt ");
    const qsizetype data = file.indexOf("data", fmt);
    if (!file.startsWith("RIFF") || fmt != 12 || data < 0) {
        if (error)
            *error = QStringLiteral("no RIFF WAVE file with fmt and data");
        return {};
    }
    const auto at16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    if (at16(20) != 1 || at16(22) != 1 || at16(34) != 8) {
        if (error)
            *error = QStringLiteral("not 8-bit mono PCM");
        return {};
    }
    if (sampleRate)
        *sampleRate = static_cast<int>(qFromLittleEndian<quint32>(file.constData() + 24));
    const quint32 size = qFromLittleEndian<quint32>(file.constData() + data + 4);
    return file.mid(data + 8, size == 0 || size == 0xFFFFFFFF ? -1 : qsizetype(size));
}
