#pragma once

#include "links/RigProbe.h"
#include "settings/ui/OptionsPage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class Session;

// The options tab "Rig": where rigctld listens (host and port, stored as
// soon as a box is left), and a test that asks it once and shows what
// answered: the rig model, frequency and mode, or why nothing did.
class RigOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit RigOptions(Session& session, QWidget* parent = nullptr);
    void applySettings() override;

    // Stores the boxes; a port that is no port number is refused with a
    // message and the stored one comes back into its box.
    void storeHost();
    void storePort();
    void RigTestBtnClick();

    RigProbe& probe() const { return *m_probe; }

Q_SIGNALS:
    void testFinished(const QString& result);

private:
    void showResult(const RigStatus& status);

    Session& m_session;
    QLineEdit* m_host;
    QLineEdit* m_port;
    QPushButton* m_testButton;
    QLabel* m_result;
    RigProbe* m_probe;
    QString m_testedHost;
    int m_testedPort = 0;
};
