#include "links/ui/RigLink.h"

#include "entry/EntryMask.h"
#include "links/RigBands.h"
#include "links/RigPoller.h"
#include "links/RigSettings.h"
#include "links/ui/RigOptions.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/LanguageTexts.h"

#include <QAction>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int kNoRigText = 89;
} // namespace

RigLink::RigLink(Shell& shell, QObject* parent)
    : QObject(parent), m_shell(shell), m_mask(shell.entryMask()), m_poller(new RigPoller(this)),
      m_options(new RigOptions(shell.session())), m_button(new QToolButton),
      m_menu(shell.menuEntry(QStringLiteral("HrdDdeMenu"))) {
    m_shell.addOptionsPage(m_options, QStringLiteral("RigTS"), msgText(Msg::RigOptionsTab));
    // The tab's caption is no line of the language file: it follows the
    // program texts.
    if (QWidget* tab = m_options->parentWidget()) {
        ProgramTexts::follow(tab, [tab] {
            for (QWidget* w = tab->parentWidget(); w; w = w->parentWidget()) {
                if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                    tabs->setTabText(tabs->indexOf(tab), msgText(Msg::RigOptionsTab));
                    return;
                }
            }
        });
    }
    m_button->setObjectName(QStringLiteral("HrdDdeSpeedButton"));
    m_button->setCheckable(true);
    m_button->setIcon(m_button->style()->standardIcon(QStyle::SP_DriveNetIcon));
    m_shell.addSpeedButton(m_button);
    connect(m_button, &QToolButton::clicked, this, &RigLink::HrdDdeSpeedButtonClick);
    if (m_menu) {
        m_menu->setCheckable(true);
        m_menu->setEnabled(true);
        connect(m_menu, &QAction::triggered, this, &RigLink::HrdDdeSpeedButtonClick);
    }
    connect(m_poller, &RigPoller::opened, this, &RigLink::HrdDdeClientConvOpen);
    connect(m_poller, &RigPoller::closed, this, &RigLink::linkFailed);
    connect(m_poller, &RigPoller::hertzChanged, this, &RigLink::HrdHertzDdeClientItemChange);
    connect(m_poller, &RigPoller::modeChanged, this, &RigLink::HrdModeDdeClientItemChange);
    showState();
}

void RigLink::HrdDdeSpeedButtonClick() {
    if (m_connected || m_poller->isOpening()) {
        m_poller->close();
        HrdDdeClientConvClose();
        return;
    }
    const Settings& settings = m_shell.session().settings();
    m_host = RigSettings::host(settings);
    m_port = static_cast<quint16>(RigSettings::port(settings));
    m_poller->open(m_host, m_port);
    showState();
}

void RigLink::HrdDdeClientConvOpen() {
    m_connected = true;
    showState();
}

void RigLink::HrdDdeClientConvClose() {
    m_connected = false;
    showState();
}

void RigLink::linkFailed(const QString& reason) {
    const bool wasOpen = m_connected;
    HrdDdeClientConvClose();
    const QString text = wasOpen ? msgText(Msg::RigLinkEnded).arg(where(reason))
                                 : m_shell.session().texts()[kNoRigText] + u'\n' + where(reason);
    // Told after the socket's handling has run to its end, so that the
    // message box does not wait inside it.
    QTimer::singleShot(0, this, [this, text] { m_shell.session().dialogs().error(text); });
}

QString RigLink::where(const QString& reason) const { return msgText(Msg::RigWhere).arg(m_host).arg(m_port).arg(reason); }

void RigLink::showState() {
    m_button->setChecked(m_connected);
    if (m_menu)
        m_menu->setChecked(m_connected);
}

void RigLink::HrdHertzDdeClientItemChange(const QString& hertzText) {
    if (hertzText.isEmpty())
        return;
    const std::optional<qint64> hz = RigBands::hertzOfText(hertzText);
    if (!hz)
        return; // not a frequency: nothing changes
    const QString band = RigBands::bandOfHertz(*hz);
    if (!band.isEmpty())
        m_mask.setField(QsoRecord::Band, band);
    if (m_mask.isShown(MaskItem::Comments))
        m_mask.setField(QsoRecord::Comments,
                        RigRules::commentsWithFrequency(m_mask.field(QsoRecord::Comments), QString::number(*hz)));
}

void RigLink::HrdModeDdeClientItemChange(const QString& rigMode) {
    if (!rigMode.isEmpty())
        m_mask.setField(QsoRecord::Mode, RigModes::fromRig(rigMode));
}

void RigLink::HrdDdeSendBand(const QString& band) {
    if (!m_connected)
        return;
    for (const QString& command : RigRules::bandCommands(band, m_mask.field(QsoRecord::Mode)))
        HrdDdeSendMacro(command);
}

void RigLink::HrdDdeSendMode(const QString& mode) {
    if (!m_connected)
        return;
    for (const QString& command : RigRules::modeCommands(mode, m_poller->hertzText()))
        HrdDdeSendMacro(command);
}

void RigLink::HrdDdeSendMacro(const QString& command) { m_poller->send(command); }
