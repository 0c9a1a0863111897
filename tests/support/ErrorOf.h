#pragma once

#include "logstore/IoError.h"

#include <QString>

// The message of the IoError a call throws; empty when it throws none.
template <typename F> QString errorOf(F call) {
    try {
        call();
    } catch (const IoError& e) {
        return e.message();
    }
    return {};
}
