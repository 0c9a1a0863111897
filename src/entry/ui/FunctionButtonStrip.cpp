#include "entry/ui/FunctionButtonStrip.h"

#include <QMouseEvent>

namespace {
const QColor kPressed(0x80, 0x80, 0x80);
const QColor kHover(0xC0, 0xC0, 0xC0);
constexpr int kHeight = 24;
} // namespace

FunctionButton::FunctionButton(int number, QWidget* parent) : QLabel(parent), m_number(number) {
    setObjectName(QStringLiteral("B%1").arg(number));
    setText(QStringLiteral("F%1: ").arg(number));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void FunctionButton::setCaption(const QString& caption, const QString& hint) {
    m_caption = caption;
    m_hint = hint;
    fitCaption();
}

void FunctionButton::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitCaption();
}

void FunctionButton::fitCaption() {
    const QFontMetrics metrics(font());
    const int room = contentsRect().width() - 2 * metrics.averageCharWidth();
    QString shown = m_caption;
    if (metrics.horizontalAdvance(m_caption) > room) {
        const int colon = m_caption.indexOf(u':');
        const QString key = m_caption.left(colon + 1);
        const QString fields = m_caption.mid(colon + 1);
        shown = key + metrics.elidedText(fields, Qt::ElideRight, std::max(0, room - metrics.horizontalAdvance(key)));
    }
    setText(shown);
    QString tip = m_hint;
    if (shown != m_caption)
        tip = m_hint.isEmpty() ? m_caption : m_caption + u'\n' + m_hint;
    setToolTip(tip);
}

void FunctionButton::paintAs(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour.isValid() ? colour : parentWidget()->palette().color(QPalette::Window));
    setPalette(p);
}

void FunctionButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        setFrameShadow(QFrame::Sunken);
        paintAs(kPressed);
    }
}

void FunctionButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    setFrameShadow(QFrame::Raised);
    paintAs(kHover);
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked(m_number);
}

void FunctionButton::enterEvent(QEnterEvent*) { paintAs(kHover); }

void FunctionButton::leaveEvent(QEvent*) {
    m_pressed = false;
    setFrameShadow(QFrame::Raised);
    paintAs(QColor());
}

FunctionButtonStrip::FunctionButtonStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FunctionButtons"));
    for (int i = 1; i <= Count; ++i) {
        auto* b = new FunctionButton(i, this);
        m_buttons[static_cast<std::size_t>(i - 1)] = b;
        connect(b, &FunctionButton::clicked, this, &FunctionButtonStrip::clicked);
    }
    setMinimumHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize FunctionButtonStrip::sizeHint() const { return {16 + Count * 80, kHeight}; }

void FunctionButtonStrip::resizeEvent(QResizeEvent*) { EingabePanelResize(); }

void FunctionButtonStrip::EingabePanelResize() {
    const int w = (width() - 16) / Count;
    for (int i = 1; i <= Count; ++i)
        button(i)->setGeometry(8 + (i - 1) * w, 0, w, height());
}
