#pragma once

#include "cw/CwTiming.h"

#include <QByteArray>
#include <QIODevice>
#include <QVector>
#include <atomic>

// The sound of a sending as one continuous stream of 8-bit samples at
// ToneBuffer::SampleRate: a dot or a dash is the samples of its tone image
// (none when the image is empty), a pause is silence of its length. Made
// while it is read, so that a long text at a slow speed needs no memory of
// its own; the sound card and "vesk cw --wav" read the same stream.
class CwSampleStream : public QIODevice {
public:
    CwSampleStream(QVector<CwElement> elements, const QByteArray& dotImage, const QByteArray& dashImage);

    // Every sample of the stream.
    qint64 sampleCount() const { return m_total; }
    // Makes the stream end at once (the program is closing).
    void cut() { m_cut = true; }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool atEnd() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 lengthOf(const CwElement& e) const;

    QVector<CwElement> m_elements;
    QByteArray m_dot;  // samples only
    QByteArray m_dash;
    qint64 m_total = 0;
    qint64 m_read = 0;
    qsizetype m_element = 0; // the element being read
    qint64 m_offset = 0;     // samples of it already read
    std::atomic<bool> m_cut{false};
};
