#pragma once

#include <QString>

// The bands the propagation prediction knows, by the index the link passes:
// 80m = 0 up to 10m = 7.
namespace PropagationBands {

inline constexpr int Count = 8;

// Index of a band label of the entry mask ("20m" -> 3); any band the
// prediction does not know, 160m and 6m among them, counts as 80m (0).
int bandIndex(const QString& label);
// Label and the frequency (MHz) the prediction compares with the MUF; an
// index out of range counts as 0.
QString label(int index);
double frequencyMhz(int index);

} // namespace PropagationBands
