#pragma once

#include "links/HamCapTarget.h"
#include "links/PropagationLink.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <utility>

class EntryArea;
class QAction;
class Shell;

// The link to the propagation prediction: it hands over home, band and the
// station the page in front points at, asks for the chart or the area map,
// and answers the prediction's events. The same menu command shows the
// world map at that station instead.
class HamCapLink : public QObject {
    Q_OBJECT
public:
    // Creates the prediction on first use, owned by owner; nullptr when it
    // cannot be started.
    using Factory = std::function<PropagationLink*(QObject* owner)>;
    // The world map window, as far as "Weltkarte" needs it.
    struct WorldMap {
        std::function<void(double longitude, double latitude)> setPosition;
        std::function<void()> clearPosition; // marker at rest, fields empty
        std::function<void()> show;
    };

    HamCapLink(Shell& shell, EntryArea& entry, QObject* parent = nullptr);

    void setFactory(Factory factory) { m_factory = std::move(factory); }
    // Enables "Weltkarte".
    void setWorldMap(WorldMap map);
    // The prediction while the link holds it, else nullptr.
    PropagationLink* link() const { return m_link; }

    // Starts the prediction if need be and hands over home and band. False
    // when the command must end (own locator unreadable, no prediction).
    bool HamCapPrepair();
    void HamCapChart();
    void HamCapMap();
    // sender: the menu entry "HamCap öffnen" or "Weltkarte".
    void HamCapMapMenuClick(QAction* sender);
    // The world map's button: the chart towards a position.
    void chartTowards(double latitude, double longitude);

    void HamCapExitRequest();
    void HamCapError();
    void HamCapMapChange();
    void HamCapChartChange();

private:
    void dispatch(int number);
    bool send(const QString& name, const QVariant& value);
    bool call(const QString& name);
    // Latitude and longitude of a locator; an unreadable one is reported.
    std::optional<std::pair<double, double>> positionOf(const QString& locator);
    void openPrediction(const HamCapTarget::Target& target);
    void showWorldMap(const HamCapTarget::Target& target);

    Shell& m_shell;
    EntryArea& m_entry;
    Factory m_factory;
    WorldMap m_worldMap;
    QPointer<PropagationLink> m_link;
    QMetaObject::Connection m_sink;
    QAction* m_hamCapMenu = nullptr;
    QAction* m_mapMenu = nullptr;
};
