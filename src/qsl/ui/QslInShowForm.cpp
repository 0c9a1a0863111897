#include "qsl/ui/QslInShowForm.h"

#include "qsl/CardFolder.h"
#include "qsl/CardImage.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Title bar and borders of a window that has not been shown yet.
const QSize kFrameGuess(16, 40);

} // namespace

QslInShowForm::QslInShowForm(QWidget* parent) : QDialog(parent), m_bar(new QMenuBar(this)), m_image(new QLabel(this)) {
    setObjectName(QStringLiteral("QslInShowForm"));
    setWindowTitle(QStringLiteral("QSL"));
    const auto item = [this](const char* name, const QString& caption, void (QslInShowForm::*handler)()) {
        QAction* a = m_bar->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    item("BackMenu", QStringLiteral("Zurück"), &QslInShowForm::BackMenuClick);
    item("NextMenu", QStringLiteral("Weiter"), &QslInShowForm::NextMenuClick);
    item("CloseMenu", QStringLiteral("Schließen"), &QslInShowForm::CloseMenuClick);

    m_image->setObjectName(QStringLiteral("CardImage"));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setCursor(Qt::PointingHandCursor);
    m_image->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(m_bar);
    layout->addWidget(m_image);
    // The window follows the card's size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void QslInShowForm::showCards(const QStringList& files) {
    m_files = files;
    m_bar->setVisible(m_files.size() > 1);
    showCard(0);
    exec();
}

void QslInShowForm::BackMenuClick() { showCard(m_index > 0 ? m_index - 1 : int(m_files.size()) - 1); }

void QslInShowForm::NextMenuClick() { showCard(m_index + 1 < m_files.size() ? m_index + 1 : 0); }

void QslInShowForm::CloseMenuClick() { close(); }

void QslInShowForm::ImageClick() {
    if (m_index + 1 >= m_files.size())
        close();
    else
        NextMenuClick();
}

bool QslInShowForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_image && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ImageClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QSize QslInShowForm::imageBox() const {
    const QScreen* where = screen();
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : kFrameGuess;
    const int menu = m_bar->isVisibleTo(this) ? m_bar->sizeHint().height() : 0;
    return where->availableGeometry().size() - frame - QSize(0, menu);
}

void QslInShowForm::showCard(int index) {
    if (m_files.isEmpty())
        return;
    m_index = index;
    const QString& file = m_files.at(index);
    const CardImage::Loaded card = CardImage::load(file, imageBox());
    if (card.image.isNull()) {
        m_image->setPixmap(QPixmap());
        m_image->setWordWrap(true);
        m_image->setMinimumSize(400, 200);
        m_image->setText(card.error);
    } else {
        m_image->setWordWrap(false);
        m_image->setMinimumSize(0, 0);
        m_image->setPixmap(QPixmap::fromImage(card.image));
    }
    setWindowTitle(CardFolder::viewerCaption(file));
    adjustSize();
    // A larger card must not push the window off the screen.
    if (isVisible()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
}
