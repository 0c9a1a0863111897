#include "refdata/ReferenceFile.h"

#include "logstore/Codepage.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>


namespace {
constexpr qsizetype kMaxProblems = 50;
}

void appendProblem(QStringList& problems, const QString& message) {
    if (problems.size() < kMaxProblems)
        problems << message;
    else if (problems.size() == kMaxProblems)
        problems << msgText(Msg::MoreBadLines);
}

namespace ReferenceFile {

QString lineMessage(const QString& fileName, int line, const QString& text) {
    return msgText(Msg::FileLineProblem).arg(QDir::toNativeSeparators(fileName)).arg(line).arg(text);
}

bool read(const QString& fileName, QString* text, QString* error) {
    text->clear();
    QFile file(fileName);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = msgText(Msg::FileUnreadable)
                     .arg(QDir::toNativeSeparators(fileName), file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = msgText(Msg::FileUnreadable)
                     .arg(QDir::toNativeSeparators(fileName), file.errorString());
        return false;
    }
    *text = Codepage::decode(bytes);
    return true;
}

QStringList lines(const QString& text) {
    QStringList out = text.split(u'\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast(); // the break after the last line starts no line of its own
    for (QString& line : out) {
        if (line.endsWith(u'\r')) line.chop(1);
    }
    return out;
}

} // namespace ReferenceFile

void ReferenceIni::clear() {
    m_sections.clear();
    m_problems.clear();
}

void ReferenceIni::parse(const QString& text, const QString& fileName) {
    clear();
    QHash<QString, Value>* current = nullptr;
    const QStringList all = ReferenceFile::lines(text);
    for (qsizetype i = 0; i < all.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const QStringView line = QStringView(all[i]).trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = &m_sections[fold(line.sliced(1, line.size() - 2).trimmed().toString())];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        const QStringView key = eq > 0 ? line.first(eq).trimmed() : QStringView();
        if (key.isEmpty()) {
            appendProblem(m_problems, ReferenceFile::lineMessage(
                                          fileName, number, msgText(Msg::IniNoKeyValue)));
            continue;
        }
        if (!current) {
            appendProblem(m_problems,
                          ReferenceFile::lineMessage(fileName, number,
                                                     msgText(Msg::IniBeforeFirstSection)));
            continue;
        }
        const QString folded = fold(key.toString());
        const auto known = current->constFind(folded);
        if (known != current->constEnd()) {
            appendProblem(m_problems,
                          ReferenceFile::lineMessage(
                              fileName, number,
                              msgText(Msg::IniKeyTwice)
                                  .arg(key.toString())
                                  .arg(known->line)));
            continue;
        }
        current->insert(folded, Value{line.sliced(eq + 1).trimmed().toString(), number});
    }
}

const QHash<QString, ReferenceIni::Value>* ReferenceIni::section(const QString& name) const {
    const auto it = m_sections.constFind(fold(name));
    return it == m_sections.constEnd() ? nullptr : &*it;
}

bool ReferenceIni::hasSection(const QString& name) const {
    return section(name) != nullptr;
}

const ReferenceIni::Value* ReferenceIni::find(const QString& sectionName, const QString& key) const {
    const QHash<QString, Value>* s = section(sectionName);
    if (!s) return nullptr;
    const auto it = s->constFind(fold(key));
    return it == s->constEnd() ? nullptr : &*it;
}
