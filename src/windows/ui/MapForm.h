#pragma once

#include <QColor>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class Session;

// A round marker on the world map. Clicks on it count as clicks on the map
// beneath, so a marker never hides the place under it.
class MapMarker : public QWidget {
    Q_OBJECT
public:
    MapMarker(QColor colour, QWidget* parent);
    QColor colour() const { return m_colour; }
    void setColour(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

// The world map window: a position picked on the map or typed in one of five
// ways (decimal degrees, degrees with decimal minutes, degrees-minutes-seconds,
// each for longitude and latitude, or a locator), all kept in step; distance
// and bearing from the own locator; overlays for continents, ITU regions,
// CQ zones and ITU zones. It lives from program start to end.
class MapForm : public QWidget {
    Q_OBJECT
public:
    // Where the red marker waits while there is no position.
    static constexpr QPoint RestPlace{544, 342};
    // The map's place in the window and its size while no picture is loaded.
    static constexpr QPoint MapOrigin{8, 8};
    static constexpr QSize DefaultMapSize{900, 450};
    static constexpr int MarkerSize = 5;

    explicit MapForm(Session& session, QWidget* parent = nullptr);

    // Shows a position: the longitude field takes the focus, so that it
    // drives the other fields.
    void SetPosition(double longitude, double latitude);
    // The map without a position: the red marker at its rest place and every
    // coordinate field empty.
    void clearPosition();
    // Shows and raises the window; it is not modal.
    void showMap();
    // What the HamCap button does with (latitude, longitude); without one
    // the button stays disabled.
    void setHamCapStarter(std::function<void(double latitude, double longitude)> start);

    // Handlers, named as the controls they belong to.
    void WeltImageMouseUp(QPoint pointInMap);
    void LangMemoChange();
    void BreitMemoChange();
    void LangGrad1MemoChange();
    void BreitGrad1MemoChange();
    void LangGrad2MemoChange();
    void BreitGrad2MemoChange();
    void LocMemoChange();
    void VorzLangBtnClick();
    void VorzBreitBtnClick();
    void BlinkenChkBoxClick();
    void BlinkenTimerTimer();
    void HamCapBtnClick();
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One coordinate's row of fields.
    struct Row {
        bool latitude = false;
        QLineEdit* decimal = nullptr;
        QLineEdit* degrees1 = nullptr;
        QLineEdit* minutes1 = nullptr;
        QLineEdit* degrees2 = nullptr;
        QLineEdit* minutes2 = nullptr;
        QLineEdit* seconds = nullptr;
        QPushButton* sign = nullptr;
    };
    struct Overlay {
        QCheckBox* box = nullptr;
        QLabel* image = nullptr;
        QString file;
    };
    enum class FieldKind { Float, Int, Locator };

    Session& m_session;
    QLabel* m_world;
    QList<Overlay> m_overlays;
    MapMarker* m_position;
    MapMarker* m_home;
    Row m_lon;
    Row m_lat;
    QLineEdit* m_locator;
    QLabel* m_distance;
    QLabel* m_bearing;
    QCheckBox* m_blink;
    QTimer* m_blinkTimer;
    bool m_blinkDark = false;
    QPushButton* m_hamCap;
    std::function<void(double, double)> m_hamCapStart;
    bool m_worldMissing = false;

    QWidget* buildPanel();
    QLineEdit* field(const char* name, FieldKind kind, int width);
    Row buildRow(bool latitude, const char* prefix, const char* signName);
    bool focused(const QWidget* w) const;
    void decimalChanged(Row& row);
    void decimalMinutesChanged(Row& row);
    void dmsChanged(Row& row);
    void signClicked(Row& row);
    void updateSignCaption(Row& row);
    void SetLocat();
    void OverlayChkBoxClick(Overlay& overlay);
    void placeHome();
    QRect mapRect() const;
    bool keyAllowed(QLineEdit* edit, FieldKind kind, QKeyEvent* key);
};
