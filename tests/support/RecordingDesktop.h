#pragma once

#include "platform/Desktop.h"

#include <QStringList>

// Keeps what the program asked the desktop to open, opens nothing.
class RecordingDesktop : public Desktop {
public:
    QStringList opened;
    bool open(const QString& target) override {
        opened << target;
        return true;
    }
};
