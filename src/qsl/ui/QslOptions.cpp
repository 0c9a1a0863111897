#include "qsl/ui/QslOptions.h"

#include "session/Session.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

QslOptions::QslOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session),
      m_everyQso(control<QRadioButton>("qslQsoRadioBtn", QStringLiteral("QSO"), this)),
      m_firstQso(control<QRadioButton>("qslFirstQsoRadioBtn", QStringLiteral("erste QSO mit dem Call"), this)),
      m_band(control<QCheckBox>("qslBandChkBox", QStringLiteral("auf dem Band"), this)),
      m_mode(control<QCheckBox>("qslModeChkBox", QStringLiteral("in dem Mode"), this)),
      m_day(control<QCheckBox>("qslDayChkBox", QStringLiteral("an dem Tag"), this)),
      m_year(control<QCheckBox>("qslYearChkBox", QStringLiteral("in dem Jahr"), this)) {
    auto* caption = control<QLabel>("Label91", QStringLiteral("Eine QSL-Karte erhält von mir jedes"), this);
    m_everyQso->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(caption);
    layout->addSpacing(4);
    layout->addWidget(m_everyQso, 0, Qt::AlignLeft);
    layout->addWidget(m_firstQso, 0, Qt::AlignLeft);
    // The boxes refine the radio button above them, so they stand indented.
    auto* boxes = new QVBoxLayout;
    boxes->setContentsMargins(24, 0, 0, 0);
    for (QCheckBox* box : {m_band, m_mode, m_day, m_year}) {
        boxes->addWidget(box, 0, Qt::AlignLeft);
        connect(box, &QCheckBox::clicked, this, &QslOptions::qslQsoRadioBtnClick);
    }
    layout->addLayout(boxes);
    layout->addStretch(1);
    for (QRadioButton* radio : {m_everyQso, m_firstQso})
        connect(radio, &QRadioButton::clicked, this, &QslOptions::qslQsoRadioBtnClick);
    enableBoxes();
}

CardRule QslOptions::rule() const {
    return {m_firstQso->isChecked(), m_band->isChecked(), m_mode->isChecked(), m_day->isChecked(),
            m_year->isChecked()};
}

void QslOptions::applySettings() {
    const CardRule r = QslSettings::cardRule(m_session.settings());
    (r.firstQso ? m_firstQso : m_everyQso)->setChecked(true);
    m_band->setChecked(r.band);
    m_mode->setChecked(r.mode);
    m_day->setChecked(r.day);
    m_year->setChecked(r.year);
    enableBoxes();
}

void QslOptions::qslQsoRadioBtnClick() {
    QslSettings::setCardRule(m_session.settings(), rule());
    m_session.saveSettings();
    enableBoxes();
}

void QslOptions::enableBoxes() {
    for (QCheckBox* box : {m_band, m_mode, m_day, m_year})
        box->setEnabled(m_firstQso->isChecked());
}
