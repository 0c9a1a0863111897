#pragma once

#include <QWidget>

class AreaMapView;
class MufChartView;
class QLabel;
class QSpinBox;
class QTabWidget;

// "Ausbreitungsvorhersage": the page "Verbindung" with the MUF chart towards
// one station and the page "Gebiet" with the area map from home. The
// sunspot number above both belongs to the prediction, not to one page.
class PropagationWindow : public QWidget {
    Q_OBJECT
public:
    explicit PropagationWindow(QWidget* parent = nullptr);

    MufChartView& chart() const { return *m_chart; }
    AreaMapView& map() const { return *m_map; }
    // 1 = chart, 2 = map.
    void showPage(int page);
    int page() const;
    void setSunspotNumber(int number);
    int sunspotNumber() const;
    void setChartText(const QString& text);
    void setAreaText(const QString& text);
    // A line naming what went wrong; empty hides it.
    void setProblem(const QString& text);

Q_SIGNALS:
    void sunspotNumberChanged(int number);
    // The operator closed the window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTabWidget* m_pages = nullptr;
    MufChartView* m_chart = nullptr;
    AreaMapView* m_map = nullptr;
    QSpinBox* m_sunspots = nullptr;
    QLabel* m_chartText = nullptr;
    QLabel* m_areaText = nullptr;
    QLabel* m_problem = nullptr;
};
