#include "cw/ToneBuffer.h"

#include <QtEndian>
#include <cmath>
#include <numbers>

namespace ToneBuffer {

namespace {

void put32(QByteArray& b, quint32 v) {
    char bytes[4];
    qToLittleEndian(v, bytes);
    b.append(bytes, 4);
}

void put16(QByteArray& b, quint16 v) {
    char bytes[2];
    qToLittleEndian(v, bytes);
    b.append(bytes, 2);
}

} // namespace

QByteArray header(quint32 samples) {
    QByteArray h;
    h.reserve(HeaderSize);
    h.append("RIFF", 4);
    put32(h, 38 + samples);
    h.append("WAVEfmt ", 8);
    put32(h, 18);         // format block size: it carries the extra-bytes count
    put16(h, 1);          // PCM
    put16(h, 1);          // mono
    put32(h, SampleRate);
    put32(h, SampleRate); // bytes per second: one byte per sample
    put16(h, 1);          // block align
    put16(h, 8);          // bits per sample
    put16(h, 0);          // extra format bytes
    h.append("data", 4);
    put32(h, samples);
    return h;
}

QByteArray image(int frequency, int durationMs, int volume) {
    if (frequency > MaxFrequency)
        return {};
    const qint64 n = sampleCount(std::max(durationMs, 0));
    QByteArray b = header(static_cast<quint32>(n));
    b.reserve(HeaderSize + n);
    const double turn = 2.0 * std::numbers::pi * frequency;
    for (qint64 i = 0; i < n; ++i) {
        const double angle = turn * static_cast<double>(i) / SampleRate;
        const int sample = 127 + static_cast<int>(std::trunc(volume * std::sin(angle)));
        b.append(static_cast<char>(static_cast<quint8>(sample)));
    }
    return b;
}

} // namespace ToneBuffer
