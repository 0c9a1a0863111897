#include "links/PropagationLink.h"

QString PropagationLink::errorText() const { return {}; }
