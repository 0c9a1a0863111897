#include "qsl/ui/QslArea.h"

#include "qsl/ui/QslOptions.h"
#include "qsl/ui/QslPage.h"
#include "session/Shell.h"

QslArea::QslArea(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry), m_options(new QslOptions(shell.session())),
      m_page(new QslPage(shell, entry, [this] { return m_options->rule(); })) {
    m_shell.addOptionsPage(m_options, QStringLiteral("QslTS"), QStringLiteral("QSL"));
    m_page->setObjectName(QStringLiteral("TabSheet1"));
    m_shell.addEvaluationPage(m_page, QStringLiteral("QSL"));
}
