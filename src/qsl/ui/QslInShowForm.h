#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QMenuBar;

// The card viewer: the scanned cards of one callsign, one at a time, the
// window sized to the card (or the card scaled down to the screen).
class QslInShowForm : public QDialog {
    Q_OBJECT
public:
    explicit QslInShowForm(QWidget* parent);

    // Shows files modally from the first; returns when the window is closed.
    void showCards(const QStringList& files);

    int cardIndex() const { return m_index; }

    void BackMenuClick();  // from the first card to the last
    void NextMenuClick();  // from the last card to the first
    void CloseMenuClick();
    void ImageClick();     // closes on the last card, else the next one

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCard(int index);
    QSize imageBox() const;

    QStringList m_files;
    int m_index = 0;
    QMenuBar* m_bar;
    QLabel* m_image;
};
