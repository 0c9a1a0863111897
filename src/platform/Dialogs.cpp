#include "platform/Dialogs.h"

Dialogs::~Dialogs() = default;
