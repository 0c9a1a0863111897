#pragma once

#include "platform/AudioOut.h"

#include <QByteArray>
#include <QIODevice>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QVector>

// Keeps what would have been played. With hold set, a play or beep waits
// until the test calls release(), so that a test sees the sending state.
class RecordingAudio : public AudioOut {
public:
    QString play(QIODevice& pcm, int sampleRate) override {
        const QByteArray samples = pcm.readAll();
        {
            QMutexLocker lock(&m_lock);
            m_played << samples;
            m_rate = sampleRate;
        }
        wait();
        return failure;
    }
    QString speakerProblem() override { return problem; }
    QString beep(const QVector<SpeakerStep>& steps) override {
        {
            QMutexLocker lock(&m_lock);
            m_beeped << steps;
        }
        wait();
        return {};
    }

    QVector<QByteArray> played() const {
        QMutexLocker lock(&m_lock);
        return m_played;
    }
    QVector<QVector<SpeakerStep>> beeped() const {
        QMutexLocker lock(&m_lock);
        return m_beeped;
    }
    int sampleRate() const {
        QMutexLocker lock(&m_lock);
        return m_rate;
    }
    void release() { m_gate.release(); }

    bool hold = false;
    QString problem; // what speakerProblem() answers
    QString failure; // what play() answers

private:
    void wait() {
        if (hold)
            m_gate.acquire();
    }

    mutable QMutex m_lock;
    QSemaphore m_gate;
    QVector<QByteArray> m_played;
    QVector<QVector<SpeakerStep>> m_beeped;
    int m_rate = 0;
};
