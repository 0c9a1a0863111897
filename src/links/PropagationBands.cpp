#include "links/PropagationBands.h"

#include <array>

namespace {

struct Band {
    const char* label;
    double mhz; // about the middle of the band, where most traffic is
};

constexpr std::array<Band, PropagationBands::Count> kBands = {{{"80m", 3.65},
                                                                {"40m", 7.1},
                                                                {"30m", 10.12},
                                                                {"20m", 14.15},
                                                                {"17m", 18.12},
                                                                {"15m", 21.2},
                                                                {"12m", 24.94},
                                                                {"10m", 28.5}}};

int checked(int index) { return index >= 0 && index < PropagationBands::Count ? index : 0; }

} // namespace

namespace PropagationBands {

int bandIndex(const QString& label) {
    for (int i = 0; i < Count; ++i) {
        if (label == QLatin1String(kBands[static_cast<std::size_t>(i)].label))
            return i;
    }
    return 0;
}

QString label(int index) { return QString::fromLatin1(kBands[static_cast<std::size_t>(checked(index))].label); }

double frequencyMhz(int index) { return kBands[static_cast<std::size_t>(checked(index))].mhz; }

} // namespace PropagationBands
