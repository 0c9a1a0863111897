#include "qsl/ui/QslArea.h"

#include "entry/ui/EntryArea.h"
#include "logstore/IoError.h"
#include "platform/Dialogs.h"
#include "qsl/CardFolder.h"
#include "qsl/ui/QslInShowForm.h"
#include "qsl/ui/QslOptions.h"
#include "qsl/ui/QslPage.h"
#include "qsl/ui/QslPresentationForm.h"
#include "refdata/Dxcc.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/GeneralSettings.h"
#include "settings/LanguageTexts.h"

#include <QAction>
#include <QDir>

QslArea::QslArea(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry), m_options(new QslOptions(shell.session())),
      m_page(new QslPage(shell, entry, [this] { return m_options->rule(); })),
      m_viewer(new QslInShowForm(shell.window())), m_slideShow(new QslPresentationForm(shell.window())) {
    m_shell.addOptionsPage(m_options, QStringLiteral("QslTS"), QStringLiteral("QSL"));
    m_page->setObjectName(QStringLiteral("TabSheet1"));
    m_shell.addEvaluationPage(m_page, QStringLiteral("QSL"));
    m_entry.setCardHandlers({[this](const QString& call) { return cardFolder().hasCards(call); },
                             [this](const QString& call, const QString& title) { eQslInAddBtnClick(call, title); },
                             [this](const QString& call) { eQslInShowBtnClick(call); }});
    if (QAction* menu = m_shell.menuEntry(QStringLiteral("QslPresentationMenu"))) {
        menu->setEnabled(true);
        connect(menu, &QAction::triggered, this, &QslArea::QslPresentationMenuClick);
    }
}

CardFolder QslArea::cardFolder() const {
    Session& session = m_shell.session();
    return CardFolder(GeneralSettings::qslPath(session.settings(), session.folder()));
}

void QslArea::eQslInAddBtnClick(const QString& call, const QString& dialogTitle) {
    Session& session = m_shell.session();
    const QString chosen =
        session.dialogs().openFileName(dialogTitle, QString(), session.texts()[LanguageTexts::ScanFileFilter]);
    if (chosen.isEmpty())
        return;
    try {
        const QString target = cardFolder().moveIn(chosen, call);
        session.dialogs().info(QDir::toNativeSeparators(chosen) + QStringLiteral(" --> ") +
                               QDir::toNativeSeparators(target));
    } catch (const IoError& e) {
        session.dialogs().error(e.message());
    }
}

void QslArea::eQslInShowBtnClick(const QString& call) {
    const QStringList cards = cardFolder().cardsOf(call);
    if (cards.isEmpty())
        return;
    m_viewer->showCards(cards);
}

void QslArea::QslPresentationMenuClick() {
    const QVector<CardFolder::Card> cards = cardFolder().allCards();
    if (cards.isEmpty())
        return;
    Session& session = m_shell.session();
    QStringList countries;
    for (const CardFolder::Card& card : cards)
        countries << session.dxcc().GetDxccCountry(card.call);
    m_slideShow->present(GeneralSettings::ownCall(session.settings()), cards, countries);
}
