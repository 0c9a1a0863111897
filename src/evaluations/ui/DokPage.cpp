#include "evaluations/ui/DokPage.h"

#include "entry/SearchQuery.h"
#include "entry/ui/EntryArea.h"
#include "evaluations/ui/FilterRow.h"
#include "platform/Dialogs.h"
#include "refdata/DokDirectory.h"
#include "session/Session.h"
#include "session/Shell.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kWorked(0, 128, 0);
const QColor kConfirmed(255, 0, 0);

QListWidget* dokList(const char* name, const QColor& colour, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    QPalette palette = list->palette();
    palette.setColor(QPalette::Text, colour);
    list->setPalette(palette);
    return list;
}

QLabel* caption(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

void setTextColour(QPlainTextEdit* memo, const QColor& colour) {
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Text, colour);
    memo->setPalette(palette);
}

} // namespace

DokPage::DokPage(Shell& shell, EntryArea& entry, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_session(shell.session()), m_entry(entry),
      m_filter(new FilterRow({"dok",
                              "dokOkBtn",
                              {"Memo7", "Label74", "Label75", "Label76", "Label77", "Label78"},
                              QStringLiteral("Alle DOKs aus den QSOs auf den Bändern")},
                             this)),
      m_resultLabel(caption("dokResultLabel", QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"),
                            this)),
      m_worked(dokList("dokGearbeitetListBox", kWorked, this)),
      m_confirmed(dokList("dokBestaetigtListBox", kConfirmed, this)), m_info(new QPlainTextEdit(this)) {
    m_info->setObjectName(QStringLiteral("dokInfoMemo"));
    m_info->setReadOnly(true);
    auto* lists = new QGridLayout;
    lists->addWidget(caption("Label93", QStringLiteral("Gearbeitete DOKs:"), this), 0, 0);
    lists->addWidget(caption("Label94", QStringLiteral("Bestätigte DOKs:"), this), 0, 1);
    lists->addWidget(caption("Label79", QStringLiteral("DOK-Info:"), this), 0, 2);
    lists->addWidget(m_worked, 1, 0);
    lists->addWidget(m_confirmed, 1, 1);
    lists->addWidget(m_info, 1, 2);
    lists->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_resultLabel);
    layout->addLayout(lists, 1);

    connect(m_filter->button(), &QPushButton::clicked, this, &DokPage::dokOkBtnClick);
    for (QListWidget* list : {m_worked, m_confirmed}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list] { dokGearbeitetListBoxClick(list); });
    }
}

void DokPage::dokOkBtnClick() {
    const auto result = m_filter->evaluate<DokResult>(
        m_session, EvaluationFilter::Dates::DateOnly,
        [](LogFile& log, const EvaluationFilter& filter) { return runDokEvaluation(log, filter); });
    if (!result)
        return;
    m_worked->clear();
    m_confirmed->clear();
    m_worked->addItems(result->worked);
    m_confirmed->addItems(result->confirmed);
    m_resultLabel->setText(result->resultLine(m_session.texts()));
}

void DokPage::dokGearbeitetListBoxClick(QListWidget* list) {
    m_info->clear();
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    if (chosen.isEmpty()) {
        setTextColour(m_info, Qt::black);
        return;
    }
    setTextColour(m_info, list == m_worked ? kWorked : kConfirmed);
    m_info->setPlainText(m_session.dokDirectory().describe(chosen.first()->text()).join(u'\n'));
}

void DokPage::dokGearbeitetListBoxExit(QListWidget* list) {
    list->clearSelection();
    m_info->clear();
}

void DokPage::dokGearbeitetListBoxMouseUp(QListWidget* list, const QPoint& at) {
    // Ctrl on a selected entry would take its selection away: the entry
    // under the mouse is the one meant.
    QListWidgetItem* item = list->itemAt(at);
    if (!item)
        return;
    item->setSelected(true);
    QVector<SearchCondition> conditions{{true, SearchField::Dok, SearchOperator::Is, item->text()}};
    // The confirmed list: the contacts that brought a card.
    if (list == m_confirmed)
        conditions.push_back({true, SearchField::QslIn, SearchOperator::IsNot, QString()});
    if (m_entry.search(conditions))
        m_shell.showPage(Page::Search);
}

bool DokPage::eventFilter(QObject* watched, QEvent* event) {
    for (QListWidget* list : {m_worked, m_confirmed}) {
        if (watched == list && event->type() == QEvent::FocusOut)
            dokGearbeitetListBoxExit(list);
        if (watched != list->viewport() || event->type() != QEvent::MouseButtonRelease)
            continue;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->modifiers() & Qt::ControlModifier)
            dokGearbeitetListBoxMouseUp(list, mouse->position().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}
