#pragma once

#include <QObject>
#include <QString>

class EntryMask;
class QAction;
class QToolButton;
class RigOptions;
class RigPoller;
class Shell;

// The link to the rig through rigctld: the speed button and the menu entry
// "HRD-Verbindung" connect and disconnect; while the link is open the
// rig's frequency and mode flow into the mask (band, mode, first line of
// the comments), and a band or mode the operator confirms in the mask goes
// to the rig. The button is pressed and the menu entry checked exactly
// while the link is open.
class RigLink : public QObject {
    Q_OBJECT
public:
    RigLink(Shell& shell, QObject* parent = nullptr);

    bool connected() const { return m_connected; }
    RigPoller& poller() const { return *m_poller; }
    RigOptions& options() const { return *m_options; }

    // Button and menu entry: connect or disconnect. Connecting goes on in
    // the background; a second click while it does gives up.
    void HrdDdeSpeedButtonClick();
    // The link opened / ended (by rigctld or the operator).
    void HrdDdeClientConvOpen();
    void HrdDdeClientConvClose();
    // New frequency (Hz as text) and new mode (rigctld's name) from the rig.
    void HrdHertzDdeClientItemChange(const QString& hertzText);
    void HrdModeDdeClientItemChange(const QString& rigMode);
    // The operator confirmed a band or a mode in the mask.
    void HrdDdeSendBand(const QString& band);
    void HrdDdeSendMode(const QString& mode);
    // One rigctld command, not waiting for its answer.
    void HrdDdeSendMacro(const QString& command);

private:
    void showState();
    // Connecting failed or the open link ended by itself.
    void linkFailed(const QString& reason);
    QString where(const QString& reason) const;

    Shell& m_shell;
    EntryMask& m_mask;
    RigPoller* m_poller;
    RigOptions* m_options;
    QToolButton* m_button;
    QAction* m_menu;
    bool m_connected = false;
    QString m_host;
    quint16 m_port = 0;
};
