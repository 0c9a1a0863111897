#include "evaluations/ui/EvaluationsArea.h"

#include "evaluations/ui/ContestPage.h"
#include "evaluations/ui/DokPage.h"
#include "evaluations/ui/DxccPage.h"
#include "evaluations/ui/LocatorPage.h"
#include "evaluations/ui/QsoCountsPage.h"
#include "session/Shell.h"

EvaluationsArea::EvaluationsArea(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_locator(new LocatorPage(shell, entry)), m_dok(new DokPage(shell, entry)),
      m_dxcc(new DxccPage(shell, entry)),
      m_counts(new QsoCountsPage(shell, entry)), m_contest(new ContestPage(shell)) {
    m_locator->setObjectName(QStringLiteral("LocatorGrossfelderTS"));
    shell.addEvaluationPage(m_locator, QStringLiteral("Locator-Großfelder"));
    m_dok->setObjectName(QStringLiteral("TabSheet3"));
    shell.addEvaluationPage(m_dok, QStringLiteral("DOK"));
    m_dxcc->setObjectName(QStringLiteral("TabSheet4"));
    shell.addEvaluationPage(m_dxcc, QStringLiteral("DXCC"));
    m_counts->setObjectName(QStringLiteral("AnzahlQsosTS"));
    shell.addEvaluationPage(m_counts, QStringLiteral("Anzahl QSOs"));
    m_contest->setObjectName(QStringLiteral("TabSheet5"));
    shell.addEvaluationPage(m_contest, QStringLiteral("Contest"));
}
