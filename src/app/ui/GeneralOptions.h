#pragma once

#include "settings/ui/OptionsPage.h"

class QCheckBox;
class QLineEdit;
class Session;
class Settings;

// The "Allgemein" options: the own callsign and locator, the difference
// between UTC and the system clock, and the folder of the QSL card scans.
class GeneralOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit GeneralOptions(Session& session, QWidget* parent = nullptr);
    void applySettings() override;
    // The sun's zenith angle for sunrise and sunset, in degrees.
    static double sunZenith(const Settings& settings);

    bool utcAutomatic() const;
    // The whole hours the mask adds to local time when not automatic.
    int utcOffsetHours() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    void utcOffsetChanged(bool automatic, int hours);

private:
    void EigEditChange();
    void UtcDiffAutoCheckBoxClick();
    void fillAutomaticDifference();
    void QslPathBtnClick();
    void SunEditChange();
    void Sun90BtnClick(int angle);

    Session& m_session;
    QLineEdit* m_call;
    QLineEdit* m_locator;
    QLineEdit* m_utcDiff;
    QCheckBox* m_utcAuto;
    QLineEdit* m_qslPath;
    QLineEdit* m_sunEdit = nullptr;
    bool m_filling = false;
};
