#pragma once

class Settings;

// The section "Propagation" of the settings file.
namespace PropagationSettings {

// The smoothed sunspot number expected for 2026, on the way down from the
// maximum of cycle 25.
inline constexpr int DefaultSunspotNumber = 100;
inline constexpr int MaxSunspotNumber = 300;

// Clamped to 0 up to MaxSunspotNumber: a hand-edited value beyond that
// would let the model promise bands that never open.
int sunspotNumber(const Settings& settings);
void setSunspotNumber(Settings& settings, int number);

} // namespace PropagationSettings
