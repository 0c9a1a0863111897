#pragma once

#include "cw/CwSending.h"

#include <QByteArray>
#include <QMutex>
#include <QThread>
#include <functional>

class AudioOut;

// One sending on a thread of its own ("CwAusgabe"). It starts when it is
// created and deletes itself after its completion callback, which runs on
// the thread that created it (the user-interface thread), however the
// sending ended. Messages on the way reach that thread too. A sending
// cannot be stopped; it runs to its end.
class CwThread final : public QThread {
    Q_OBJECT
public:
    static QString versionText(); // "CwAusgabe Version 3.0"

    CwThread(const CwParameters& parameters, AudioOut& audio, QObject* parent = nullptr);
    ~CwThread() override;

    // Set by the creator right after creating the worker; both run on the
    // creator's thread, the messages before the completion.
    void setOnTerminate(std::function<void()> callback) { m_onTerminate = std::move(callback); }
    void setOnNotice(std::function<void(const CwNotice&)> callback) { m_onNotice = std::move(callback); }

    // The program is closing: a sound-card sending ends at once. (The PC
    // speaker finishes its text.)
    void cutShort();

protected:
    void run() override;

private:
    void ended();

    const CwParameters m_parameters; // a copy: later edits on the page do not reach it
    AudioOut& m_audio;
    std::function<void()> m_onTerminate;
    std::function<void(const CwNotice&)> m_onNotice;
    QMutex m_streamLock;
    class CwSampleStream* m_stream = nullptr; // while the sound card plays
    bool m_cut = false;
};
