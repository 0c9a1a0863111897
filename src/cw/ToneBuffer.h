#pragma once

#include <QByteArray>
#include <QtGlobal>

// The tone of a dot or a dash as a complete WAV image in memory: 8-bit
// unsigned mono PCM at a fixed sample rate, built once per sending.
namespace ToneBuffer {

inline constexpr int SampleRate = 11025;
// 0.6 × SampleRate: the highest pitch that still gets a tone.
inline constexpr int MaxFrequency = 6615;
// "RIFF" ... "data" and the data length, before the first sample.
inline constexpr int HeaderSize = 46;
// The value of a sample at rest: silence.
inline constexpr char Silence = char(127);

// The number of samples that last ms milliseconds (rounded down).
inline qint64 sampleCount(qint64 ms) { return ms * SampleRate / 1000; }

// The 46 header bytes of an image holding samples samples.
QByteArray header(quint32 samples);

// A sine tone of frequency Hz lasting durationMs, amplitude volume sample
// steps around 127, starting at phase 0. Empty when frequency is above
// MaxFrequency (the caller tells the user).
QByteArray image(int frequency, int durationMs, int volume);

// The samples of an image, without its header.
inline QByteArray samplesOf(const QByteArray& image) { return image.size() > HeaderSize ? image.mid(HeaderSize) : QByteArray(); }

} // namespace ToneBuffer
