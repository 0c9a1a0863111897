#include "windows/ui/DxccInfoForm.h"

#include "windows/DxccInfoText.h"

#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

DxccInfoForm::DxccInfoForm(QWidget* parent)
    : QDialog(parent), m_scroll(new QScrollArea(this)), m_memo(new QPlainTextEdit), m_image(new QLabel) {
    setObjectName(QStringLiteral("DxccInfoForm"));
    setModal(true);
    auto* canvas = new QWidget;
    canvas->setObjectName(QStringLiteral("ScrollBox"));
    QPalette white = canvas->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    canvas->setPalette(white);
    canvas->setAutoFillBackground(true);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    canvas->setFont(font);
    m_memo->setParent(canvas);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setReadOnly(true);
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->document()->setDocumentMargin(0);
    // A tab reaches as far as the fourteen hyphens the box was measured with.
    m_memo->setTabStopDistance(m_memo->fontMetrics().horizontalAdvance(QStringLiteral("--------------")));
    m_image->setParent(canvas);
    m_image->setObjectName(QStringLiteral("Image"));
    m_scroll->setWidget(canvas);
    m_scroll->setWidgetResizable(false);
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(status);
    resize(560, 640);
}

void DxccInfoForm::fill(const QString& country, const QStringList& lines, const QString& mapFile) {
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
    setWindowTitle(country);
    m_memo->setPlainText(lines.join(u'\n'));
    const QSize box = DxccInfoText::boxSize(lines, m_memo->fontMetrics());
    m_memo->setGeometry(10, 10, box.width(), box.height());
    const QPixmap map(mapFile);
    if (map.isNull()) {
        m_image->clear();
        m_image->setGeometry(10, m_memo->geometry().bottom() + 1 + 5, 10, 10);
    } else {
        m_image->setPixmap(map);
        m_image->setGeometry(10, m_memo->geometry().bottom() + 1 + 5, map.width(), map.height());
    }
    m_scroll->widget()->resize(std::max(m_memo->geometry().right(), m_image->geometry().right()) + 10,
                               m_image->geometry().bottom() + 10);
}

QString DxccInfoForm::text() const { return m_memo->toPlainText(); }
bool DxccInfoForm::hasMap() const { return !m_image->pixmap().isNull(); }
QRect DxccInfoForm::textBox() const { return m_memo->geometry(); }
QRect DxccInfoForm::mapBox() const { return m_image->geometry(); }
