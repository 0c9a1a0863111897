#include "windows/ui/AboutForm.h"

#include "platform/Desktop.h"
#include "platform/ProgramTexts.h"
#include "platform/ui/LinkLabel.h"
#include "session/Session.h"
#include "settings/LanguageTexts.h"
#include "windows/AboutCredits.h"
#include "windows/ui/TextForm.h"

#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kPanelHeight = 150;

// Six regions of the world map, as longitude west, latitude north, width and
// height in degrees: Europe, North America, South America, Africa, Asia and
// Oceania.
const QRectF kViews[] = {{-15, 72, 55, 40},  {-130, 62, 75, 50}, {-85, 15, 55, 60},
                         {-20, 38, 75, 75},  {60, 60, 95, 60},   {105, 5, 75, 55}};

QImage mapView(const QImage& world, const QRectF& degrees) {
    if (world.isNull())
        return {};
    const double perDegreeX = world.width() / 360.0, perDegreeY = world.height() / 180.0;
    const QRect crop(int((degrees.left() + 180) * perDegreeX), int((90 - degrees.top()) * perDegreeY),
                     int(degrees.width() * perDegreeX), int(degrees.height() * perDegreeY));
    return world.copy(crop).scaled(180, 150, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

AboutForm::AboutForm(Session& session, TextForm& textForm, QWidget* parent)
    : QDialog(parent), m_session(session), m_textForm(textForm), m_version(new QLabel(this)),
      m_panel(new QFrame(this)), m_credits(new QPlainTextEdit(m_panel)), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Vesk"));
    setModal(true);
    auto* name = new QLabel(QStringLiteral("Vesk"), this);
    name->setObjectName(QStringLiteral("ProgramNameLabel"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    m_version->setObjectName(QStringLiteral("VersionLabel"));
    m_version->setText(QStringLiteral("Version 0.8d"));

    const QImage world(QDir(session.folder()).filePath(QStringLiteral("welt.gif")));
    auto* pictures = new QWidget(this);
    auto* stack = new QGridLayout(pictures);
    stack->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 6; ++i) {
        auto* picture = new QLabel(pictures);
        picture->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        picture->setPixmap(QPixmap::fromImage(mapView(world, kViews[i])));
        picture->setFixedSize(180, 150);
        picture->setAlignment(Qt::AlignCenter);
        stack->addWidget(picture, 0, 0);
        m_pictures << picture;
    }

    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setFixedSize(300, kPanelHeight);
    m_credits->setObjectName(QStringLiteral("Memo"));
    m_credits->setReadOnly(true);
    m_credits->setFrameShape(QFrame::NoFrame);
    m_credits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_credits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_credits->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_credits->setMouseTracking(true);
    m_credits->viewport()->setMouseTracking(true);
    m_credits->viewport()->installEventFilter(this);
    setMouseTracking(true);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    m_timer->setObjectName(QStringLiteral("Timer"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &AboutForm::TimerTimer);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(m_version);
    text->addSpacing(8);
    text->addWidget(m_panel);
    text->addWidget(link("ManualLinkLabel", Msg::AboutManualLink, QStringLiteral("Hilfe/index.htm")));
    text->addWidget(link("LicenceLinkLabel", Msg::AboutLicenceLink, QStringLiteral("LIZENZEN.txt")));
    auto* top = new QHBoxLayout;
    top->addWidget(pictures, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

QLabel* AboutForm::link(const char* name, Msg caption, const QString& file) {
    auto* label = new QLabel(this);
    ProgramTexts::follow(label, [label, caption] { label->setText(msgText(caption)); });
    label->setObjectName(QLatin1String(name));
    LinkLabel::style(label);
    label->setProperty("target", file);
    label->installEventFilter(this);
    return label;
}

void AboutForm::showEvent(QShowEvent* event) {
    const int shown = static_cast<int>(QRandomGenerator::global()->bounded(6));
    for (int i = 0; i < m_pictures.size(); ++i)
        m_pictures[i]->setVisible(i == shown);
    const QStringList lines = AboutCredits::lines(m_session.texts()[0]);
    m_credits->setPlainText(lines.join(u'\n'));
    const int height = m_credits->fontMetrics().lineSpacing() * static_cast<int>(lines.size()) + 8;
    m_credits->setGeometry(4, kPanelHeight, m_panel->width() - 8, height);
    m_timer->start();
    QDialog::showEvent(event);
}

void AboutForm::hideEvent(QHideEvent* event) {
    m_timer->stop();
    QDialog::hideEvent(event);
}

// Up two pixels a tick; once wholly out of sight it starts again below.
void AboutForm::TimerTimer() {
    int top = m_credits->y() - 2;
    if (top < -m_credits->height())
        top = kPanelHeight;
    m_credits->move(m_credits->x(), top);
}

void AboutForm::MemoDblClick() {
    QStringList text = {QStringLiteral("Vesk"), m_version->text(), QString(45, u'_'), QString()};
    text << m_credits->toPlainText();
    m_textForm.editModally(text.join(u'\n'));
}

QString AboutForm::credits() const { return m_credits->toPlainText(); }

int AboutForm::shownPicture() const {
    for (int i = 0; i < m_pictures.size(); ++i)
        if (m_pictures[i]->isVisibleTo(this))
            return i;
    return -1;
}

int AboutForm::creditsTop() const { return m_credits->y(); }
bool AboutForm::scrolling() const { return m_timer->isActive(); }

bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_credits->viewport()) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
            m_timer->stop();
        else if (event->type() == QEvent::Leave && isVisible())
            m_timer->start();
        else if (event->type() == QEvent::MouseButtonDblClick) {
            MemoDblClick();
            return true;
        }
    } else if (auto* label = qobject_cast<QLabel*>(watched); label && label->property("target").isValid()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            m_session.desktop().open(QDir(m_session.folder()).filePath(label->property("target").toString()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
