#include "windows/ui/MapForm.h"

#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "refdata/Locator.h"
#include "session/Session.h"
#include "settings/GeneralSettings.h"
#include "settings/LanguageTexts.h"
#include "windows/MapPosition.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const KindProperty = "mapFieldKind";
const QColor Red(Qt::red);
const QColor Yellow(Qt::yellow);
const QColor Black(Qt::black);

std::optional<int> readWhole(const QLineEdit* edit) {
    bool ok = false;
    const int value = QLocale().toInt(edit->text().trimmed(), &ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<double> readDecimal(const QLineEdit* edit) { return MapPosition::readNumber(edit->text(), QLocale()); }

// Writing a field that already holds the text would only run its handlers
// once more.
void write(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

QLabel* unit(const QString& symbol, QWidget* parent) { return new QLabel(symbol, parent); }

} // namespace

MapMarker::MapMarker(QColor colour, QWidget* parent) : QWidget(parent), m_colour(colour) {
    setFixedSize(MapForm::MarkerSize, MapForm::MarkerSize);
    setAttribute(Qt::WA_TranslucentBackground);
}

void MapMarker::setColour(QColor colour) {
    m_colour = colour;
    update();
}

void MapMarker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_colour);
    painter.drawEllipse(rect());
}

MapForm::MapForm(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_session(session), m_world(nullptr), m_position(nullptr), m_home(nullptr), m_locator(nullptr),
      m_distance(nullptr), m_bearing(nullptr), m_blink(nullptr), m_blinkTimer(new QTimer(this)), m_hamCap(nullptr) {
    setObjectName(QStringLiteral("MapForm"));

    auto* mapArea = new QWidget(this);
    mapArea->setObjectName(QStringLiteral("MapArea"));
    m_world = new QLabel(mapArea);
    m_world->setObjectName(QStringLiteral("WeltImage"));
    const QPixmap world(session.pathOf(QStringLiteral("welt.gif")));
    m_worldMissing = world.isNull();
    const QSize mapSize = m_worldMissing ? DefaultMapSize : world.size();
    m_world->setPixmap(world);
    m_world->setGeometry(QRect(QPoint(0, 0), mapSize));
    m_world->installEventFilter(this);
    mapArea->setFixedSize(mapSize);
    // The last one lies on top.
    const struct {
        const char* image;
        const char* box;
        const char* file;
    } overlays[] = {{"ItuZonenImage", "ItuZonenChkBox", "itu-zonen.gif"},
                    {"CqZonenImage", "CqZonenChkBox", "cq-zonen.gif"},
                    {"ItuRegionenIMage", "ItuRegionenChkBox", "itu-regionen.gif"},
                    {"KontinenteImage", "KontinenteChkBox", "kontinente.gif"}};
    for (const auto& o : overlays) {
        Overlay overlay;
        overlay.image = new QLabel(mapArea);
        overlay.image->setObjectName(QLatin1String(o.image));
        overlay.image->setGeometry(m_world->geometry());
        overlay.image->installEventFilter(this);
        overlay.image->hide();
        overlay.box = new QCheckBox(this);
        overlay.box->setObjectName(QLatin1String(o.box));
        overlay.file = QLatin1String(o.file);
        m_overlays << overlay;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(MapOrigin.x(), MapOrigin.y(), MapOrigin.x(), MapOrigin.y());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(mapArea, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(buildPanel());
    // Laid out now, so that the map stands at MapOrigin before the window is
    // first shown: positions may be set while it is still hidden.
    layout->activate();

    m_position = new MapMarker(Red, this);
    m_position->setObjectName(QStringLiteral("PositionShape"));
    m_home = new MapMarker(Yellow, this);
    m_home->setObjectName(QStringLiteral("HomeShape"));
    for (MapMarker* marker : {m_position, m_home}) {
        marker->installEventFilter(this);
        marker->move(RestPlace);
        marker->raise();
    }

    m_blinkTimer->setObjectName(QStringLiteral("BlinkenTimer"));
    m_blinkTimer->setInterval(250);
    connect(m_blinkTimer, &QTimer::timeout, this, &MapForm::BlinkenTimerTimer);

    // The compass letters change with the language, also while the window is open.
    ProgramTexts::follow(this, [this] {
        updateSignCaption(m_lon);
        updateSignCaption(m_lat);
    });
}

QWidget* MapForm::buildPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(4);

    const auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    m_lon = buildRow(false, "Lang", "VorzLangBtn");
    m_lat = buildRow(true, "Breit", "VorzBreitBtn");
    const struct {
        const char* caption;
        Row* row;
    } rows[] = {{"Label1", &m_lon}, {"Label2", &m_lat}};
    int r = 0;
    for (const auto& [caption, row] : rows) {
        int c = 0;
        grid->addWidget(label(caption), r, c++);
        grid->addWidget(row->sign, r, c++);
        grid->addWidget(row->decimal, r, c++);
        grid->addWidget(row->degrees1, r, c++);
        grid->addWidget(unit(QStringLiteral("°"), panel), r, c++);
        grid->addWidget(row->minutes1, r, c++);
        grid->addWidget(unit(QStringLiteral("'"), panel), r, c++);
        grid->addWidget(row->degrees2, r, c++);
        grid->addWidget(unit(QStringLiteral("°"), panel), r, c++);
        grid->addWidget(row->minutes2, r, c++);
        grid->addWidget(unit(QStringLiteral("'"), panel), r, c++);
        grid->addWidget(row->seconds, r, c++);
        grid->addWidget(unit(QStringLiteral("\""), panel), r, c++);
        ++r;
    }
    m_locator = field("LocMemo", FieldKind::Locator, 80);
    m_locator->setMaxLength(6);
    connect(m_locator, &QLineEdit::textChanged, this, &MapForm::LocMemoChange);
    grid->addWidget(label("Label3"), 2, 0);
    grid->addWidget(m_locator, 2, 2);

    auto* course = new QHBoxLayout;
    course->setSpacing(6);
    m_distance = new QLabel(QStringLiteral("0km"), panel);
    m_distance->setObjectName(QStringLiteral("DistanceLabel"));
    m_distance->setMinimumWidth(70);
    m_bearing = new QLabel(QStringLiteral("0°"), panel);
    m_bearing->setObjectName(QStringLiteral("BearingLabel"));
    m_bearing->setMinimumWidth(50);
    course->addWidget(label("Label16"));
    course->addWidget(m_distance);
    course->addSpacing(12);
    course->addWidget(label("Label17"));
    course->addWidget(m_bearing);
    course->addStretch();
    grid->addLayout(course, 2, 3, 1, 10);

    // The overlays and the blinking in a column right of the fields.
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(12);
    const int order[] = {3, 2, 1, 0}; // continents, ITU regions, CQ zones, ITU zones
    int i = 0;
    for (int index : order) {
        Overlay& overlay = m_overlays[index];
        boxes->addWidget(overlay.box, i / 2, i % 2);
        connect(overlay.box, &QCheckBox::toggled, this, [this, index] { OverlayChkBoxClick(m_overlays[index]); });
        ++i;
    }
    m_blink = new QCheckBox(this);
    m_blink->setObjectName(QStringLiteral("BlinkenChkBox"));
    connect(m_blink, &QCheckBox::toggled, this, &MapForm::BlinkenChkBoxClick);
    boxes->addWidget(m_blink, 2, 0);
    m_hamCap = new QPushButton(this);
    m_hamCap->setObjectName(QStringLiteral("HamCapBtn"));
    m_hamCap->setEnabled(false);
    connect(m_hamCap, &QPushButton::clicked, this, &MapForm::HamCapBtnClick);
    boxes->addWidget(m_hamCap, 3, 0, 1, 2);
    grid->addLayout(boxes, 0, 13, 3, 1);
    grid->setColumnMinimumWidth(13, 260);
    grid->setColumnStretch(14, 1);
    return panel;
}

QLineEdit* MapForm::field(const char* name, FieldKind kind, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setProperty(KindProperty, static_cast<int>(kind));
    edit->setFixedWidth(width);
    edit->installEventFilter(this);
    return edit;
}

MapForm::Row MapForm::buildRow(bool latitude, const char* prefix, const char* signName) {
    const QString p = QLatin1String(prefix);
    const auto name = [&p](const char* rest) { return (p + QLatin1String(rest)).toLatin1(); };
    Row row;
    row.latitude = latitude;
    row.decimal = field(name("Memo").constData(), FieldKind::Float, 80);
    row.degrees1 = field(name("Grad1Memo").constData(), FieldKind::Int, 40);
    row.minutes1 = field(name("Min1Memo").constData(), FieldKind::Float, 100);
    row.degrees2 = field(name("Grad2Memo").constData(), FieldKind::Int, 40);
    row.minutes2 = field(name("Min2Memo").constData(), FieldKind::Int, 30);
    row.seconds = field(name("SekMemo").constData(), FieldKind::Int, 30);
    row.sign = new QPushButton(this);
    row.sign->setObjectName(QLatin1String(signName));
    row.sign->setFixedWidth(28);
    // The field being typed in keeps the keyboard when its sign is flipped.
    row.sign->setFocusPolicy(Qt::NoFocus);
    Row* self = latitude ? &m_lat : &m_lon;
    connect(row.decimal, &QLineEdit::textChanged, this, [this, self] { decimalChanged(*self); });
    for (QLineEdit* e : {row.degrees1, row.minutes1})
        connect(e, &QLineEdit::textChanged, this, [this, self, e] {
            if (focused(e))
                decimalMinutesChanged(*self);
        });
    for (QLineEdit* e : {row.degrees2, row.minutes2, row.seconds})
        connect(e, &QLineEdit::textChanged, this, [this, self, e] {
            if (focused(e))
                dmsChanged(*self);
        });
    connect(row.sign, &QPushButton::clicked, this, [this, self] { signClicked(*self); });
    return row;
}

// The field the window's keyboard focus rests on, whether or not the window
// is active at the moment: a position set from the main window while the map
// is in the background must behave as one typed.
bool MapForm::focused(const QWidget* w) const { return focusWidget() == w; }

QRect MapForm::mapRect() const { return QRect(MapOrigin, m_world->size()); }

void MapForm::SetPosition(double longitude, double latitude) {
    m_lon.decimal->setFocus();
    write(m_lon.decimal, MapPosition::degreesText(longitude, QLocale()));
    write(m_lat.decimal, MapPosition::degreesText(latitude, QLocale()));
}

void MapForm::clearPosition() {
    for (Row* row : {&m_lon, &m_lat}) {
        for (QLineEdit* e : {row->decimal, row->degrees1, row->minutes1, row->degrees2, row->minutes2, row->seconds}) {
            const QSignalBlocker block(e);
            e->clear();
        }
        updateSignCaption(*row);
    }
    const QSignalBlocker block(m_locator);
    m_locator->clear();
    m_position->move(RestPlace);
}

void MapForm::showMap() {
    show();
    raise();
    activateWindow();
}

void MapForm::setHamCapStarter(std::function<void(double latitude, double longitude)> start) {
    m_hamCapStart = std::move(start);
    m_hamCap->setEnabled(static_cast<bool>(m_hamCapStart));
}

void MapForm::WeltImageMouseUp(QPoint pointInMap) {
    const QSize size = m_world->size();
    SetPosition(MapPosition::longitudeAt(pointInMap.x(), size.width()),
                MapPosition::latitudeAt(pointInMap.y(), size.height()));
}

void MapForm::LangMemoChange() { decimalChanged(m_lon); }
void MapForm::BreitMemoChange() { decimalChanged(m_lat); }
void MapForm::LangGrad1MemoChange() { decimalMinutesChanged(m_lon); }
void MapForm::BreitGrad1MemoChange() { decimalMinutesChanged(m_lat); }
void MapForm::LangGrad2MemoChange() { dmsChanged(m_lon); }
void MapForm::BreitGrad2MemoChange() { dmsChanged(m_lat); }
void MapForm::VorzLangBtnClick() { signClicked(m_lon); }
void MapForm::VorzBreitBtnClick() { signClicked(m_lat); }

void MapForm::updateSignCaption(Row& row) {
    const std::optional<double> value = readDecimal(row.decimal);
    const std::optional<int> index = value ? MapPosition::signTextIndex(*value, row.latitude) : std::nullopt;
    row.sign->setText(index ? m_session.texts()[*index] : QString());
}

void MapForm::decimalChanged(Row& row) {
    updateSignCaption(row);
    const std::optional<double> value = readDecimal(row.decimal);
    if (!value)
        return;
    const QLocale locale;
    MapPosition::DecimalMinutes dm = MapPosition::toDecimalMinutes(*value);
    if (focused(row.degrees1) || focused(row.minutes1)) {
        // The pair being typed in is what the seconds are taken from.
        const std::optional<int> degrees = readWhole(row.degrees1);
        const std::optional<double> minutes = readDecimal(row.minutes1);
        if (degrees && minutes)
            dm = {*degrees, *minutes};
    } else {
        write(row.degrees1, QString::number(dm.degrees));
        write(row.minutes1, MapPosition::minutesText(dm.minutes, locale));
    }
    if (!focused(row.degrees2) && !focused(row.minutes2) && !focused(row.seconds)) {
        const MapPosition::Dms dms = MapPosition::toDms(dm);
        write(row.degrees2, QString::number(dms.degrees));
        write(row.minutes2, QString::number(dms.minutes));
        write(row.seconds, QString::number(dms.seconds));
    }
    if (row.latitude)
        m_position->move(m_position->x(), MapPosition::markerTop(*value, mapRect(), MarkerSize));
    else
        m_position->move(MapPosition::markerLeft(*value, mapRect(), MarkerSize), m_position->y());
    SetLocat();
}

void MapForm::decimalMinutesChanged(Row& row) {
    const std::optional<int> degrees = readWhole(row.degrees1);
    const std::optional<double> minutes = readDecimal(row.minutes1);
    if (!degrees || !minutes)
        return;
    write(row.decimal, MapPosition::degreesText(MapPosition::fromDecimalMinutes(*degrees, *minutes), QLocale()));
}

void MapForm::dmsChanged(Row& row) {
    const std::optional<int> degrees = readWhole(row.degrees2);
    const std::optional<int> minutes = readWhole(row.minutes2);
    const std::optional<int> seconds = readWhole(row.seconds);
    if (!degrees || !minutes || !seconds)
        return;
    write(row.decimal, MapPosition::degreesText(MapPosition::fromDms(*degrees, *minutes, *seconds), QLocale()));
}

void MapForm::LocMemoChange() {
    const QString text = m_locator->text();
    if (!focused(m_locator) || text.size() != 6)
        return;
    const Locator::Degrees longitude = Locator::LocatToLang(text);
    const Locator::Degrees latitude = Locator::LocatToBreit(text);
    if (!longitude.ok() || !latitude.ok()) {
        m_session.dialogs().error(longitude.ok() ? latitude.error : longitude.error);
        return;
    }
    write(m_lon.decimal, MapPosition::degreesText(longitude.value, QLocale()));
    write(m_lat.decimal, MapPosition::degreesText(latitude.value, QLocale()));
}

void MapForm::SetLocat() {
    const std::optional<double> longitude = readDecimal(m_lon.decimal);
    const std::optional<double> latitude = readDecimal(m_lat.decimal);
    if (!longitude || !latitude)
        return;
    const Locator::BearingDistance course = Locator::LocatPosDistance(
        GeneralSettings::ownLocator(m_session.settings()), *latitude, *longitude, m_session.texts());
    if (course.ok()) {
        m_bearing->setText(course.bearing);
        m_distance->setText(course.distance);
    } else if (!course.message.isEmpty()) {
        m_session.dialogs().error(course.message);
    }
    if (!focused(m_locator))
        write(m_locator, MapPosition::locatorOf(*longitude, *latitude).value_or(QString()));
}

void MapForm::signClicked(Row& row) {
    if (row.sign->text().isEmpty())
        return;
    QString text = row.decimal->text().trimmed();
    const QString minus = QLocale().negativeSign();
    text = text.startsWith(minus) ? text.mid(minus.size()) : minus + text;
    row.decimal->setFocus();
    row.decimal->setText(text);
    row.decimal->end(false);
}

void MapForm::OverlayChkBoxClick(Overlay& overlay) {
    if (!overlay.box->isChecked()) {
        overlay.image->clear();
        overlay.image->hide();
        return;
    }
    const QString path = m_session.pathOf(overlay.file);
    const QPixmap picture(path);
    if (picture.isNull()) {
        // A ticked box with nothing on the map would claim an overlay that is not there.
        {
            const QSignalBlocker block(overlay.box);
            overlay.box->setChecked(false);
        }
        m_session.dialogs().error(msgText(Msg::MapPictureMissing).arg(path));
        return;
    }
    overlay.image->setPixmap(picture);
    overlay.image->show();
}

void MapForm::BlinkenChkBoxClick() {
    if (m_blink->isChecked()) {
        m_blinkTimer->start();
        return;
    }
    m_blinkTimer->stop();
    m_blinkDark = false;
    m_position->setColour(Red);
    m_home->setColour(Yellow);
}

void MapForm::BlinkenTimerTimer() {
    m_blinkDark = !m_blinkDark;
    m_position->setColour(m_blinkDark ? Black : Red);
    m_home->setColour(m_blinkDark ? Black : Yellow);
}

void MapForm::HamCapBtnClick() {
    if (!m_hamCapStart)
        return;
    const std::optional<double> latitude = readDecimal(m_lat.decimal);
    const std::optional<double> longitude = readDecimal(m_lon.decimal);
    for (const auto& [value, row, caption] :
         {std::tuple{latitude, &m_lat, "Label2"}, std::tuple{longitude, &m_lon, "Label1"}}) {
        if (!value) {
            const auto* label = findChild<QLabel*>(QLatin1String(caption));
            m_session.dialogs().error(msgText(Msg::MapNotANumber).arg(label->text(), row->decimal->text()));
            row->decimal->setFocus();
            return;
        }
    }
    m_hamCapStart(*latitude, *longitude);
}

void MapForm::placeHome() {
    const QString own = GeneralSettings::ownLocator(m_session.settings());
    const Locator::Degrees longitude = Locator::LocatToLang(own);
    const Locator::Degrees latitude = Locator::LocatToBreit(own);
    if (!longitude.ok() || !latitude.ok()) {
        m_home->hide();
        m_session.dialogs().error(longitude.ok() ? latitude.error : longitude.error);
        return;
    }
    m_home->move(MapPosition::markerLeft(longitude.value, mapRect(), MarkerSize),
                 MapPosition::markerTop(latitude.value, mapRect(), MarkerSize));
    m_home->show();
}

void MapForm::FormShow() {
    if (m_worldMissing)
        m_session.dialogs().error(msgText(Msg::MapPictureMissing).arg(m_session.pathOf(QStringLiteral("welt.gif"))));
    placeHome();
}

void MapForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool MapForm::keyAllowed(QLineEdit* edit, FieldKind kind, QKeyEvent* key) {
    const QString text = key->text();
    // Keys that type nothing (arrows, shortcuts) are the line edit's own business.
    if (key->key() == Qt::Key_Backspace || text.isEmpty() || !text.at(0).isPrint())
        return true;
    const QChar c = text.at(0);
    const bool digit = c >= u'0' && c <= u'9';
    switch (kind) {
    case FieldKind::Int: return digit;
    case FieldKind::Float: {
        const QString point = QLocale().decimalPoint();
        if (text == point)
            return !edit->text().contains(point) || edit->selectedText().contains(point);
        return digit;
    }
    case FieldKind::Locator:
        if (edit->text().size() >= 6 && !edit->hasSelectedText())
            return false;
        edit->insert(text.toUpper());
        return false; // typed already, in upper case
    }
    return false;
}

bool MapForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            const QVariant kind = edit->property(KindProperty);
            if (kind.isValid())
                return !keyAllowed(edit, static_cast<FieldKind>(kind.toInt()), static_cast<QKeyEvent*>(event));
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == m_position || widget == m_home) {
            WeltImageMouseUp(widget->mapTo(this, mouse->position().toPoint()) - mapRect().topLeft());
            return true;
        }
        if (widget && widget->parentWidget() == m_world->parentWidget()) {
            WeltImageMouseUp(mouse->position().toPoint());
            return true;
        }
    }
    return false;
}
