#pragma once

#include "qsl/QslSettings.h"
#include "settings/ui/OptionsPage.h"

class QCheckBox;
class QRadioButton;
class Session;

// The options tab "QSL": which contacts get a card from the operator.
class QslOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit QslOptions(Session& session, QWidget* parent = nullptr);
    void applySettings() override;
    CardRule rule() const;

    // Any of the six controls was clicked: stores the rule; the four boxes
    // only count for the first contact with a call.
    void qslQsoRadioBtnClick();

private:
    void enableBoxes();

    Session& m_session;
    QRadioButton* m_everyQso;
    QRadioButton* m_firstQso;
    QCheckBox* m_band;
    QCheckBox* m_mode;
    QCheckBox* m_day;
    QCheckBox* m_year;
};
