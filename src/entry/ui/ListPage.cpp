#include "entry/ui/ListPage.h"

#include "session/Session.h"
#include "entry/ui/LogGridView.h"

#include <QVBoxLayout>

ListPage::ListPage(Session& session, QWidget* parent) : QWidget(parent) {
    m_grid = new LogGridView(QStringLiteral("ListeStringGrid"), this);
    m_grid->setModel(&session.model());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
}
