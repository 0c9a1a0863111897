#include "links/ui/PropagationWindow.h"

#include "links/PropagationSettings.h"
#include "links/ui/PropagationViews.h"
#include "platform/ProgramTexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

PropagationWindow::PropagationWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("PropagationForm"));
    auto* sunspotLabel = new QLabel(this);
    sunspotLabel->setObjectName(QStringLiteral("SunspotLabel"));
    m_sunspots = new QSpinBox(this);
    m_sunspots->setObjectName(QStringLiteral("SunspotSpinBox"));
    m_sunspots->setRange(0, PropagationSettings::MaxSunspotNumber);
    m_sunspots->setValue(PropagationSettings::DefaultSunspotNumber);
    sunspotLabel->setBuddy(m_sunspots);
    connect(m_sunspots, &QSpinBox::valueChanged, this, &PropagationWindow::sunspotNumberChanged);

    m_chart = new MufChartView(this);
    m_chartText = new QLabel(this);
    m_chartText->setObjectName(QStringLiteral("ChartText"));
    auto* chartPage = new QWidget(this);
    chartPage->setObjectName(QStringLiteral("ChartPage"));
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->addWidget(m_chart, 1);
    chartLayout->addWidget(m_chartText);

    m_map = new AreaMapView(this);
    m_areaText = new QLabel(this);
    m_areaText->setObjectName(QStringLiteral("AreaText"));
    auto* legend = new QLabel(this);
    legend->setObjectName(QStringLiteral("AreaLegend"));
    auto* areaPage = new QWidget(this);
    areaPage->setObjectName(QStringLiteral("AreaPage"));
    auto* areaLayout = new QVBoxLayout(areaPage);
    areaLayout->addWidget(m_areaText);
    areaLayout->addWidget(m_map, 1);
    areaLayout->addWidget(legend);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PropagationPages"));
    m_pages->addTab(chartPage, QString());
    m_pages->addTab(areaPage, QString());

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("ProblemLabel"));
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->setWordWrap(true);
    m_problem->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(sunspotLabel);
    top->addWidget(m_sunspots);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_problem);
    layout->addWidget(m_pages, 1);
    resize(940, 600);
    // The captions follow a switch of the language while the window is open;
    // the texts of a prediction follow with the next one.
    ProgramTexts::follow(this, [this, sunspotLabel, legend] {
        setWindowTitle(msgText(Msg::PropagationCaption));
        sunspotLabel->setText(msgText(Msg::PropagationSunspots));
        legend->setText(msgText(Msg::PropagationLegend));
        m_pages->setTabText(0, msgText(Msg::PropagationChartTab));
        m_pages->setTabText(1, msgText(Msg::PropagationAreaTab));
    });
}

void PropagationWindow::showPage(int page) { m_pages->setCurrentIndex(page == 2 ? 1 : 0); }

int PropagationWindow::page() const { return m_pages->currentIndex() + 1; }

void PropagationWindow::setSunspotNumber(int number) {
    const QSignalBlocker quiet(m_sunspots);
    m_sunspots->setValue(number);
}

int PropagationWindow::sunspotNumber() const { return m_sunspots->value(); }

void PropagationWindow::setChartText(const QString& text) { m_chartText->setText(text); }

void PropagationWindow::setAreaText(const QString& text) { m_areaText->setText(text); }

void PropagationWindow::setProblem(const QString& text) {
    m_problem->setText(text);
    m_problem->setVisible(!text.isEmpty());
}

void PropagationWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}
