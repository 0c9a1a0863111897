#pragma once

#include <QLabel>

// A one-line label that gives way when its row is short of room: it may
// shrink below its text, which it then ends with "…", and the whole text
// becomes its tooltip. text() stays the full text.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    // What is painted at the present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateTip();
    QString m_ownTip;
    bool m_settingTip = false;
};
