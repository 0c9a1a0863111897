#include "cw/CwThread.h"

#include "cw/CwSampleStream.h"

#include <QMutexLocker>

QString CwThread::versionText() { return QStringLiteral("CwAusgabe Version 3.0"); }

CwThread::CwThread(const CwParameters& parameters, AudioOut& audio, QObject* parent)
    : QThread(parent), m_parameters(parameters), m_audio(audio) {
    // Connected before the start, so that even a sending that ends at once
    // reaches the creator; queued, as the signal comes from the worker.
    connect(this, &QThread::finished, this, &CwThread::ended, Qt::QueuedConnection);
    start();
}

CwThread::~CwThread() { wait(); }

void CwThread::cutShort() {
    QMutexLocker lock(&m_streamLock);
    m_cut = true;
    if (m_stream)
        m_stream->cut();
}

void CwThread::run() {
    const auto notify = [this](const CwNotice& notice) {
        QMetaObject::invokeMethod(
            this, [this, notice] { if (m_onNotice) m_onNotice(notice); }, Qt::QueuedConnection);
    };
    const auto started = [this](CwSampleStream* stream) {
        QMutexLocker lock(&m_streamLock);
        m_stream = stream;
        if (stream && m_cut)
            stream->cut();
    };
    try {
        CwSending::run(m_parameters, m_audio, notify, started);
    } catch (...) {
        // Whatever went wrong, the creator gets its controls back.
    }
}

void CwThread::ended() {
    wait();
    if (m_onTerminate)
        m_onTerminate();
    deleteLater();
}
