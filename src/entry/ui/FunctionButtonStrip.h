#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

// One of the twelve clickable labels F1..F12 across the top of the mask.
// It takes no focus, so a click never leaves the field being typed in.
class FunctionButton : public QLabel {
    Q_OBJECT
public:
    FunctionButton(int number, QWidget* parent);
    int number() const { return m_number; }
    // The caption ("F6: Cmnts., QSL Out") and the hint. A caption too wide
    // for the button keeps its key and loses the end of the fields; the
    // whole caption then heads the tooltip.
    void setCaption(const QString& caption, const QString& hint);
    QString caption() const { return m_caption; }

Q_SIGNALS:
    void clicked(int number);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintAs(const QColor& colour);
    void fitCaption();
    int m_number;
    QString m_caption;
    QString m_hint;
    bool m_pressed = false;
};

// The row of function buttons; lays them out in twelve equal widths.
class FunctionButtonStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int Count = 12;
    explicit FunctionButtonStrip(QWidget* parent);
    FunctionButton* button(int number) const { return m_buttons[static_cast<std::size_t>(number - 1)]; }
    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked(int number);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void EingabePanelResize();
    std::array<FunctionButton*, Count> m_buttons{};
};
