#pragma once

#include <QByteArray>
#include <QString>

// Reads Morse code back from 8-bit unsigned mono samples, knowing nothing of
// how they were made: where the signal stands off its rest value it is a
// tone, the rest is silence; the shortest tone or gap is the time unit, and
// tones and gaps are told apart by their length in units.
struct DecodedMorse {
    QString text;             // lower case; the error sign as character 1; "?" for an unknown code
    double unitSamples = 0;   // the time unit found
};

DecodedMorse decodeMorse(const QByteArray& samples);

// The samples of a WAV file (8-bit mono PCM, any header layout); empty and
// error set when it is no such file.
QByteArray wavSamples(const QByteArray& file, QString* error = nullptr, int* sampleRate = nullptr);
