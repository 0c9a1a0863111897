#pragma once

#include "cw/CwSending.h"

class Settings;

// The section "CW" of the settings file.
namespace CwSettings {
inline constexpr int DefaultFrequency = 800;
inline constexpr int DefaultSpeed = 75;
inline constexpr int DefaultVolume = 12;

int frequency(const Settings& settings);
int speed(const Settings& settings);
int volume(const Settings& settings);
bool pcSpeaker(const Settings& settings);
// "Feld1" to "Feld16".
CwFieldSelection fields(const Settings& settings);

void setFrequency(Settings& settings, int hz);
void setSpeed(Settings& settings, int wpm);
void setVolume(Settings& settings, int volume);
void setPcSpeaker(Settings& settings, bool on);
void setFields(Settings& settings, const CwFieldSelection& fields);

// The stored pitch, speed, volume and output, with text.
CwParameters parameters(const Settings& settings, const QString& text);
} // namespace CwSettings
