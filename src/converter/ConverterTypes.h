#pragma once

#include <QStringList>
#include <functional>

// How far a conversion has come: done out of total units of work (bytes of
// input; rows for the import of a grid). Called
// now and then on the thread that runs the conversion (often enough for a
// progress bar, rarely enough not to slow it down) and once with done ==
// total at the end.
using ConverterProgress = std::function<void(qint64 done, qint64 total)>;

// What a conversion did, for the wizard's finished page or a batch command's
// report. Failures do not come back here: they throw IoError, whose message
// names the file and the line or record, and leave every file as it was.
struct ConverterResult {
    int written = 0;   // contacts exported, imported or joined
    int skipped = 0;   // input records not taken (see the operation)
    int total = 0;     // imports and joins: contacts in the target log afterwards
    QStringList notes; // problems in the input that were worked around, each naming file and place
};
