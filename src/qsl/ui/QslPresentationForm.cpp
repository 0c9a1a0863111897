#include "qsl/ui/QslPresentationForm.h"

#include "qsl/SlideLayout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace {

const QColor kBackground(34, 66, 139);
const QColor kBands(54, 154, 204);
const int kTopBand = 64;
const int kBottomBand = 44;
const int kMargin = 24;

QLabel* label(const char* name, int pointSize, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont font = l->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(palette);
    return l;
}

QLabel* band(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAutoFillBackground(true);
    QPalette palette = l->palette();
    palette.setColor(QPalette::Window, kBands);
    l->setPalette(palette);
    return l;
}

} // namespace

QslPresentationForm::QslPresentationForm(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_topBand(band("TopLabel", this)),
      m_bottomBand(band("BottomLabel", this)),
      m_title(label("TitleLabel", 22, this)),
      m_call(label("CallLabel", 22, this)),
      m_country(label("DxccLabel", 16, this)),
      m_number(label("NumberLabel", 16, this)),
      m_info(label("InfoLabel", 18, this)),
      m_image(label("CardImage", 14, this)) {
    setObjectName(QStringLiteral("QslPresentationForm"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    m_title->setText(QStringLiteral("QSL-Collection"));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setWordWrap(true);
    // Should the screen change under a decoded card, it is drawn smoothly to the new size.
    m_image->setScaledContents(true);
    m_timer.setInterval(5000);
    connect(&m_timer, &QTimer::timeout, this, &QslPresentationForm::nextCard);
}

// The future of a card still being decoded waits for it here.
QslPresentationForm::~QslPresentationForm() = default;

void QslPresentationForm::present(const QString& ownCall, const QVector<CardFolder::Card>& cards,
                                  const QStringList& countries) {
    m_call->setText(ownCall);
    m_cards = cards;
    m_countries = countries;
    m_index = -1;
    m_aheadIndex = -1;
    m_image->clear();
    // The layout works in screen coordinates: the window is the screen.
    setGeometry(screen()->geometry());
    setWindowState(Qt::WindowFullScreen);
    exec();
}

SlideLayout QslPresentationForm::layout() const {
    return {size(), kTopBand, kBottomBand, m_info->sizeHint().height()};
}

void QslPresentationForm::decodeAhead(int index) {
    m_aheadIndex = index;
    m_ahead = std::async(std::launch::async, CardImage::load, m_cards.at(index).file, layout().box());
}

void QslPresentationForm::nextCard() {
    if (m_cards.isEmpty())
        return;
    m_index = (m_index + 1) % int(m_cards.size());
    const bool alone = m_cards.size() == 1;
    if (!alone || m_image->pixmap().isNull()) {
        const CardImage::Loaded card = m_aheadIndex == m_index && m_ahead.valid()
                                           ? m_ahead.get()
                                           : CardImage::load(m_cards.at(m_index).file, layout().box());
        if (card.image.isNull())
            m_image->setText(card.error);
        else
            m_image->setPixmap(QPixmap::fromImage(card.image));
    }
    m_country->setText(m_countries.value(m_index));
    m_number->setText(QString::number(m_index + 1));
    m_info->setText(m_cards.at(m_index).text);
    placeWidgets();
    if (!alone)
        decodeAhead((m_index + 1) % int(m_cards.size()));
}

void QslPresentationForm::placeWidgets() {
    const SlideLayout l = layout();
    const int w = width();
    m_topBand->setGeometry(0, 0, w, kTopBand);
    m_bottomBand->setGeometry(0, height() - kBottomBand, w, kBottomBand);
    for (QLabel* text : {m_title, m_call, m_country, m_number, m_info})
        text->adjustSize();
    m_title->move(kMargin, (kTopBand - m_title->height()) / 2);
    m_call->move(w - kMargin - m_call->width(), (kTopBand - m_call->height()) / 2);
    const int bottomTextTop = height() - kBottomBand + (kBottomBand - m_country->height()) / 2;
    m_country->move(kMargin, bottomTextTop);
    m_number->move(w - kMargin - m_number->width(), bottomTextTop);
    const QSize picture = m_image->pixmap().isNull() ? l.box() : m_image->pixmap().size();
    const QRect image = l.imageRect(picture);
    m_image->setGeometry(image);
    m_info->setGeometry(l.infoRect(image, m_info->width()));
    for (QLabel* text : {m_title, m_call, m_country, m_number})
        text->raise();
}

void QslPresentationForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setCursor(Qt::BlankCursor);
    nextCard();
    m_timer.start();
}

void QslPresentationForm::hideEvent(QHideEvent* event) {
    m_timer.stop();
    unsetCursor();
    QDialog::hideEvent(event);
}

void QslPresentationForm::keyPressEvent(QKeyEvent* event) {
    event->accept();
    reject();
}

void QslPresentationForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeWidgets();
}
