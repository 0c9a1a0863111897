#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// The propagation prediction as the logbook drives it: properties set by
// name, methods called by name, and numbered events back. The names are
// those of HamCap's automation object ("HomeLat", "PredictPoint" ...), so
// that what the logbook sends stays the same whatever answers it.
class PropagationLink : public QObject {
    Q_OBJECT
public:
    // The event numbers.
    enum Event { ExitRequest = 1, Error = 2, MapChange = 3, ChartChange = 4 };

    using QObject::QObject;

    // False when the object has no member of that name or refuses the
    // value's type; nothing is changed then.
    virtual bool setValue(const QString& name, const QVariant& value) = 0;
    virtual bool callMethod(const QString& name) = 0;
    // What the last Error event was about, for the message the logbook
    // shows (empty when the object does not say).
    virtual QString errorText() const;

Q_SIGNALS:
    void event(int number);
};
