#pragma once

#include <QDateTime>
#include <QObject>

#include <functional>

class AboutForm;
class ClockForm;
class DateiformateForm;
class HotKeyForm;
class MapForm;
class TextForm;
class ClockOptions;
class DxccInfoForm;
class Shell;

// The helper windows beside the log: they live from program start to end,
// are shown and hidden from the menu or their options, and keep their
// places in the settings.
class AuxiliaryWindows : public QObject {
    Q_OBJECT
public:
    // What the windows need from the rest of the program.
    struct Links {
        std::function<QDateTime()> utcNow;                // UTC as the entry mask reckons it
        std::function<void(const QString&)> openLog;      // a log of the folder made current
        std::function<QStringList()> shortcutLines;       // the keys and their bindings
        TextForm* textForm = nullptr;                     // the text editor the about box uses
    };
    AuxiliaryWindows(Shell& shell, Links links, QObject* parent = nullptr);

    ClockForm& clock() const { return *m_clock; }
    DxccInfoForm& dxccInfoForm() const { return *m_dxccInfo; }
    HotKeyForm& hotKeyForm() const { return *m_hotKeys; }
    DateiformateForm& dateiformateForm() const { return *m_dataFiles; }
    AboutForm& aboutForm() const { return *m_about; }
    MapForm& mapForm() const { return *m_map; }

    // Fills the DXCC information window for a call and shows it modally.
    void DxccInfo(const QString& call);
    // The filling alone; false when a time rule of the entity cannot be read
    // (its message was shown and the window stays closed).
    bool fillDxccInfo(const QString& call);
    // At program end, before the settings file is written.
    void storeSettings();

private:
    Shell& m_shell;
    ClockForm* m_clock;
    ClockOptions* m_clockOptions;
    DxccInfoForm* m_dxccInfo;
    HotKeyForm* m_hotKeys;
    DateiformateForm* m_dataFiles;
    AboutForm* m_about;
    MapForm* m_map;
    Links m_links;

    void connectMenus();
    void openHelpPage(const QString& page);
};
