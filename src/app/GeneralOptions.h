#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class Session;

// The "Allgemein" options: the own callsign and locator, the difference
// between UTC and the system clock, and the folder of the QSL card scans.
class GeneralOptions : public QWidget {
    Q_OBJECT
public:
    explicit GeneralOptions(Session& session, QWidget* parent = nullptr);
    void applySettings();

    bool utcAutomatic() const;
    // The whole hours the mask adds to local time when not automatic.
    int utcOffsetHours() const;

Q_SIGNALS:
    void utcOffsetChanged(bool automatic, int hours);

private:
    void EigEditChange();
    void UtcDiffAutoCheckBoxClick();
    void fillAutomaticDifference();
    void QslPathBtnClick();

    Session& m_session;
    QLineEdit* m_call;
    QLineEdit* m_locator;
    QLineEdit* m_utcDiff;
    QCheckBox* m_utcAuto;
    QLineEdit* m_qslPath;
    bool m_filling = false;
};
