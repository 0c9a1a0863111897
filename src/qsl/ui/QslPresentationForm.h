#pragma once

#include "qsl/CardFolder.h"
#include "qsl/CardImage.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <future>

class QLabel;
struct SlideLayout;

// The slide show of the whole card collection: full screen, one card after
// the other without end, the next one decoded on a worker thread while the
// current one is shown.
class QslPresentationForm : public QDialog {
    Q_OBJECT
public:
    explicit QslPresentationForm(QWidget* parent);
    ~QslPresentationForm() override;

    // countries[i] is the country of cards[i]. Shows modally until a key is pressed.
    void present(const QString& ownCall, const QVector<CardFolder::Card>& cards, const QStringList& countries);

    void setSlideInterval(int msecs) { m_timer.setInterval(msecs); }
    int cardIndex() const { return m_index; }

    // The timer's handler: the next card, after the last the first again.
    void nextCard();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    SlideLayout layout() const;
    void decodeAhead(int index);
    void placeWidgets();

    QTimer m_timer;
    QVector<CardFolder::Card> m_cards;
    QStringList m_countries;
    int m_index = -1;
    int m_aheadIndex = -1;
    std::future<CardImage::Loaded> m_ahead;
    QLabel* m_topBand;
    QLabel* m_bottomBand;
    QLabel* m_title;
    QLabel* m_call;
    QLabel* m_country;
    QLabel* m_number;
    QLabel* m_info;
    QLabel* m_image;
};
