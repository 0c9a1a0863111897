#pragma once

#include "logstore/LogFile.h"
#include "logstore/FileStamp.h"
#include "logstore/LogTableModel.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class AudioOut;
class Clock;
class Desktop;
class DokDirectory;
class DxccAccess;
class Dialogs;

// What the windows share: the program folder, the settings, the language
// texts, the current log with its rows in memory, and the seams to the world
// outside. The main window owns one; every page gets it by reference.
class Session : public QObject {
    Q_OBJECT
public:
    Session(const QString& programFolder, Clock& clock, Dialogs& dialogs, QObject* parent = nullptr);
    ~Session() override;

    const QString& folder() const { return m_folder; }
    QString pathOf(const QString& fileName) const;
    Settings& settings() { return m_settings; }
    LanguageTexts& texts() { return m_texts; }
    const LanguageTexts& texts() const { return m_texts; }
    // The 373 texts of the language file applied last (built-in German until
    // then); windows read their own texts from here by line number.
    const QStringList& languageLines() const { return m_languageLines; }
    QString languageLine(int line) const;
    // Takes the texts of a language file, the messages among them included.
    void setLanguageLines(const QStringList& lines);
    LogTableModel& model() { return m_model; }
    Clock& clock() { return m_clock; }
    Dialogs& dialogs() { return m_dialogs; }
    Desktop& desktop() { return *m_desktop; }
    // The sound card and the PC speaker (used from the CW worker thread).
    AudioOut& audio() { return *m_audio; }
    // The reference tables beside the program, read when first needed and
    // again whenever their files change.
    DxccAccess& dxcc();
    DokDirectory& dokDirectory();
    // Shows what is wrong in a reference table, once for each new finding,
    // so that a broken line does not bring a message with every keystroke.
    void reportReferenceProblems(const QStringList& problems);
    // Tests put a recording desktop here; the program uses the system's.
    void setDesktop(Desktop& desktop) { m_desktop = &desktop; }
    // Tests record the sound here; the program plays it.
    void setAudio(AudioOut& audio) { m_audio = &audio; }

    // Set once the settings have been applied at start; handlers that store
    // an option do nothing before, so loading their controls writes nothing.
    bool formReady() const { return m_formReady; }
    void setFormReady(bool ready) { m_formReady = ready; }

    // Loads "Vesk.ini"; an unreadable file is reported and defaults are used.
    void loadSettings();
    // Writes "Vesk.ini" and reports a failure (once until a write succeeds).
    bool saveSettings();

    bool hasLog() const { return m_log != nullptr; }
    LogFile* log() { return m_log.get(); }
    QString currentLogName() const; // file name without folder, empty when none

    // The log named by "LastLogFileName", when it exists. Opening a log
    // (here or by chooseLog) does not read it: reloadRows() does.
    void openLastLog();

    // Appends a contact to the current log, flushed to disk, then to the
    // rows. When another program wrote the log since the rows were read, the
    // rows are read again first and the contact is numbered after them
    // (record then holds the number it was saved with). Throws IoError when
    // it could not be written; the rows then stay as they were. Does nothing
    // without a log.
    void appendContact(QsoRecord& record);
    // Row index was written back to the log as after: the rows show it too,
    // as long as they showed it as before (else they wait for a reload).
    void rowRewritten(int index, const QsoRecord& before, const QsoRecord& after);
    // Refills the rows from the current log (the list grids follow the
    // model). A read error is reported; the rows read before it stay.
    bool reloadRows();

    enum class Choice { Unchanged, Opened, Vanished };
    // A log-file menu entry was chosen.
    Choice chooseLog(const QString& caption);

    enum class Creation { Cancelled, Created, Exists, Failed };
    // Asks for a name and creates an empty log with it.
    Creation createLog();

    void releaseLog();

    // The program-end writes of the log name and the note pad (the window
    // adds its geometry), then the file.
    void storeLastLogName();

Q_SIGNALS:
    void currentLogChanged();

private:
    void openLog(const QString& path);

    QString m_folder;
    Clock& m_clock;
    Dialogs& m_dialogs;
    std::unique_ptr<Desktop> m_systemDesktop;
    std::unique_ptr<DxccAccess> m_dxcc;
    std::unique_ptr<DokDirectory> m_dokDirectory;
    QStringList m_reportedProblems;
    Desktop* m_desktop;
    std::unique_ptr<AudioOut> m_systemAudio;
    AudioOut* m_audio;
    Settings m_settings;
    LanguageTexts m_texts;
    QStringList m_languageLines;
    LogTableModel m_model;
    std::unique_ptr<LogFile> m_log;
    FileStamp m_rowsStamp; // the log as the rows show it
    bool m_formReady = false;
    bool m_settingsErrorShown = false;
};
