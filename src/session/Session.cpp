#include "session/Session.h"

#include "logstore/IoError.h"
#include "logstore/LogDirectory.h"
#include "platform/AudioOut.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "refdata/DokDirectory.h"
#include "refdata/Dxcc.h"
#include "settings/GeneralSettings.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageSettings.h"
#include "platform/ProgramTexts.h"
#include "platform/QtTranslations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Session::Session(const QString& programFolder, Clock& clock, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_folder(QDir(programFolder).absolutePath()), m_clock(clock), m_dialogs(dialogs),
      m_systemDesktop(std::make_unique<SystemDesktop>()), m_desktop(m_systemDesktop.get()),
      m_systemAudio(std::make_unique<SystemAudioOut>()), m_audio(m_systemAudio.get()),
      m_settings(QDir(programFolder).absoluteFilePath(QStringLiteral("Vesk.ini"))),
      m_languageLines(LanguageFile::builtInGerman()) {}

Session::~Session() = default;

DxccAccess& Session::dxcc() {
    if (!m_dxcc)
        m_dxcc = std::make_unique<DxccAccess>(m_folder);
    return *m_dxcc;
}

DokDirectory& Session::dokDirectory() {
    if (!m_dokDirectory)
        m_dokDirectory = std::make_unique<DokDirectory>(pathOf(QStringLiteral("DOK.ini")));
    return *m_dokDirectory;
}

void Session::reportReferenceProblems(const QStringList& problems) {
    QStringList fresh;
    for (const QString& p : problems) {
        if (!m_reportedProblems.contains(p))
            fresh << p;
    }
    if (fresh.isEmpty())
        return;
    m_reportedProblems << fresh;
    constexpr int shown = 10;
    QString text = fresh.mid(0, shown).join(u'\n');
    if (fresh.size() > shown)
        text += u'\n' + msgText(Msg::MoreProblems).arg(fresh.size() - shown);
    m_dialogs.error(text);
}

QString Session::languageLine(int line) const {
    return line >= 1 && line <= m_languageLines.size() ? m_languageLines[line - 1] : QString();
}

void Session::setLanguageLines(const QStringList& lines) {
    m_languageLines = lines;
    LanguageFile::fillTexts(lines, m_texts);
    // The program's further texts come from the supplement beside the chosen
    // language file. A language file that could not be read has been reported
    // already and German applies throughout, without a second message.
    const QString language = pathOf(LanguageSettings::fileName(m_settings));
    if (!QFile(language).open(QIODevice::ReadOnly)) {
        ProgramTexts::useBuiltInGerman();
    } else {
        const QString problem = ProgramTexts::loadFor(language);
        if (!problem.isEmpty())
            m_dialogs.error(problem + u'\n' + msgText(Msg::BuiltInGermanApplies));
    }
    // A missing catalogue leaves Qt's buttons in English; the program's own
    // texts are complete without it, so that is not worth a message.
    QtTranslations::use(msgText(Msg::QtTranslationLanguage));
}

QString Session::pathOf(const QString& fileName) const { return QDir(m_folder).filePath(fileName); }

void Session::loadSettings() {
    QString reason;
    if (!m_settings.load(&reason)) {
        m_dialogs.error(msgText(Msg::SettingsUnreadable).arg(QDir::toNativeSeparators(m_settings.fileName()), reason));
    }
}

bool Session::saveSettings() {
    try {
        m_settings.save();
        m_settingsErrorShown = false;
        return true;
    } catch (const IoError& e) {
        if (!m_settingsErrorShown) {
            m_settingsErrorShown = true;
            m_dialogs.error(msgText(Msg::SettingsNotSaved).arg(e.message()));
        }
        return false;
    }
}

QString Session::currentLogName() const { return m_log ? QFileInfo(m_log->fileName()).fileName() : QString(); }

void Session::openLog(const QString& path) {
    // The rows are read by the window's refill that follows, once.
    m_log = std::make_unique<LogFile>(path);
    m_rowsStamp = {};
    Q_EMIT currentLogChanged();
}

void Session::releaseLog() {
    if (!m_log)
        return;
    m_log.reset();
    m_rowsStamp = {};
    m_model.clear();
    Q_EMIT currentLogChanged();
}

void Session::openLastLog() {
    // Only a name: a folder part typed into the file by hand is not followed.
    const QString stored = GeneralSettings::lastLogFileName(m_settings);
    const QString name = QFileInfo(stored).fileName();
    if (name.isEmpty())
        return;
    // No file system takes a name this long; shown whole, a name of
    // megabytes would take the message box minutes to lay out.
    constexpr qsizetype kLongestName = 255;
    if (name.size() > kLongestName) {
        m_dialogs.info(msgText(Msg::LastLogNotAName)
                           .arg(QDir::toNativeSeparators(m_settings.fileName()))
                           .arg(name.size())
                           .arg(name.left(40) + QStringLiteral("...")));
        return;
    }
    const QString path = pathOf(name);
    if (!QFileInfo(path).isFile()) {
        m_dialogs.info(msgText(Msg::LastLogGone).arg(name, QDir::toNativeSeparators(m_folder)));
        return;
    }
    openLog(path);
}

void Session::appendContact(QsoRecord& record) {
    if (!m_log)
        return;
    const LogFile::Appended appended = m_log->AppendRecord(record, m_rowsStamp, [this](QsoRecord& r) {
        m_rowsStamp = {};
        m_model.load(*m_log);
        m_rowsStamp = m_log->openedStamp();
        r[QsoRecord::Number] = QString::number(m_model.recordCount() + 1);
    });
    m_model.appendRecord(record);
    m_rowsStamp = appended.stamp;
    if (!appended.notice.isEmpty())
        m_dialogs.info(appended.notice);
}

void Session::rowRewritten(int index, const QsoRecord& before, const QsoRecord& after) {
    if (index >= 0 && index < m_model.recordCount() && m_model.record(index) == before)
        m_model.replaceRecord(index, after);
}

bool Session::reloadRows() {
    if (!m_log) {
        m_model.clear();
        return true;
    }
    try {
        m_rowsStamp = {};
        m_model.load(*m_log);
        m_rowsStamp = m_log->openedStamp();
        // Said once per log, not with every refill of the lists.
        if (m_log->headerIsContact() && !m_reportedProblems.contains(m_log->fileName())) {
            m_reportedProblems << m_log->fileName();
            m_dialogs.error(msgText(Msg::LogHeaderIsContact).arg(QDir::toNativeSeparators(m_log->fileName())));
        }
        const QString incomplete = m_log->incompleteLineText();
        if (!incomplete.isEmpty() && !m_reportedProblems.contains(incomplete)) {
            m_reportedProblems << incomplete;
            m_dialogs.error(incomplete);
        }
        return true;
    } catch (const IoError& e) {
        m_dialogs.error(e.message());
        return false;
    }
}

Session::Choice Session::chooseLog(const QString& caption) {
    const QString path = pathOf(caption);
    if (m_log && QFileInfo(m_log->fileName()) == QFileInfo(path))
        return Choice::Unchanged;
    releaseLog();
    if (!QFileInfo(path).isFile()) {
        m_dialogs.error(u'"' + caption + m_texts[LanguageTexts::LogVanished]);
        return Choice::Vanished;
    }
    openLog(path);
    return Choice::Opened;
}

Session::Creation Session::createLog() {
    const auto answer = m_dialogs.inputText(m_texts[LanguageTexts::NewLogTitle],
                                            m_texts[LanguageTexts::NewLogPrompt], QString());
    if (!answer)
        return Creation::Cancelled;
    const auto name = LogDirectory::newLogFileName(*answer);
    if (!name)
        return Creation::Cancelled;
    const QString path = pathOf(*name);
    if (QFileInfo::exists(path)) {
        m_dialogs.error(u'"' + *name + m_texts[LanguageTexts::LogExists] + QDir::toNativeSeparators(path) +
                        QStringLiteral("\"!"));
        return Creation::Exists;
    }
    auto log = std::make_unique<LogFile>(path);
    try {
        log->WriteHeader();
    } catch (const IoError& e) {
        m_dialogs.error(e.message());
        return Creation::Failed;
    }
    m_log = std::move(log);
    m_model.clear();
    Q_EMIT currentLogChanged();
    return Creation::Created;
}

void Session::storeLastLogName() {
    if (m_log)
        GeneralSettings::setLastLogFileName(m_settings, currentLogName());
}
