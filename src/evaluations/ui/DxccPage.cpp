#include "evaluations/ui/DxccPage.h"

#include "entry/SearchQuery.h"
#include "entry/ui/EntryArea.h"
#include "evaluations/ui/FilterRow.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "session/Shell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const QColor kWorked(0, 128, 0);
const QColor kConfirmed(255, 0, 0);

QLabel* caption(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QTextEdit* view(const char* name, QWidget* parent) {
    auto* edit = new QTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    return edit;
}

// One entity per line, so that a click finds the line of its entity.
void fill(QTextEdit* view, const QVector<DxccState>& states) {
    view->clear();
    QTextCursor cursor(view->document());
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < states.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        QTextCharFormat format;
        const int state = states[i].state;
        format.setForeground(state == DxccState::Confirmed ? kConfirmed
                             : state == DxccState::Worked  ? kWorked
                                                           : QColor(Qt::black));
        format.setFontWeight(state == DxccState::NotWorked ? QFont::Normal : QFont::Bold);
        cursor.insertText(states[i].country, format);
    }
    cursor.endEditBlock();
}

} // namespace

DxccPage::DxccPage(Shell& shell, EntryArea& entry, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_session(shell.session()), m_entry(entry),
      m_filter(new FilterRow({"dxcc",
                              "dxccStartBtn",
                              {"Label66", "Label80", "Label81", "Label82", "Label83", "Label84"},
                              QStringLiteral("Alle DXCCs aus den QSOs auf den Bändern")},
                             this)),
      m_resultLabel(caption("dxccResultLabel",
                            QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"), this)) {
    auto* legend = new QHBoxLayout;
    const std::pair<QColor, QLabel*> keys[] = {
        {kWorked, caption("Label98", QStringLiteral("gearbeitet"), this)},
        {kConfirmed, caption("Label96", QStringLiteral("gearbeitet und bestätigt"), this)},
        {Qt::black, caption("Label97", QStringLiteral("noch nicht gearbeitet"), this)}};
    for (const auto& [colour, text] : keys) {
        text->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(colour.name()));
        legend->addWidget(text);
        legend->addSpacing(12);
    }
    legend->addStretch(1);

    auto* views = new QTabWidget(this);
    views->setObjectName(QStringLiteral("dxccPageControl"));
    auto* allPage = new QWidget(views);
    allPage->setObjectName(QStringLiteral("dxccAllTS"));
    auto* workedPage = new QWidget(views);
    workedPage->setObjectName(QStringLiteral("dxccWorkedTS"));
    m_all = view("dxccAllRichEdit", allPage);
    m_worked = view("dxccWorkedRichEdit", workedPage);
    (new QVBoxLayout(allPage))->addWidget(m_all);
    (new QVBoxLayout(workedPage))->addWidget(m_worked);
    views->addTab(allPage, QStringLiteral("alle DXCCs"));
    views->addTab(workedPage, QStringLiteral("nur gearbeitete DXCCs"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addLayout(legend);
    layout->addWidget(m_resultLabel);
    layout->addWidget(views, 1);

    connect(m_filter->button(), &QPushButton::clicked, this, &DxccPage::dxccStartBtnClick);
    for (QTextEdit* v : {m_all, m_worked})
        v->viewport()->installEventFilter(this);
}

void DxccPage::dxccStartBtnClick() {
    const auto result = m_filter->evaluate<DxccResult>(
        m_session, EvaluationFilter::Dates::DateOnly, [this](LogFile& log, const EvaluationFilter& filter) {
            return runDxccEvaluation(log, filter, m_session.dxcc(), m_session.texts());
        });
    if (!result)
        return;
    fill(m_worked, result->worked);
    fill(m_all, result->all);
    m_resultLabel->setText(result->resultLine(m_session.texts()));
    const QString shortCalls = result->shortCallsMessage();
    if (!shortCalls.isEmpty())
        m_session.dialogs().error(shortCalls);
}

void DxccPage::dxccAllRichEditMouseUp(QTextEdit* view, const QPoint& at) {
    QTextCursor line = view->cursorForPosition(at);
    line.movePosition(QTextCursor::StartOfBlock);
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    const QString country = line.selectedText();
    if (country.isEmpty())
        return;
    // The format after the cursor's first step is the line's own.
    QTextCursor first = line;
    first.setPosition(line.selectionStart() + 1);
    const bool confirmed = first.charFormat().foreground().color() == kConfirmed;
    view->setTextCursor(line);
    QVector<SearchCondition> conditions{{true, SearchField::Dxcc, SearchOperator::Is, country}};
    // A confirmed entity: the contacts that brought a card.
    if (confirmed)
        conditions.push_back({true, SearchField::QslIn, SearchOperator::IsNot, QString()});
    if (m_entry.search(conditions))
        m_shell.showPage(Page::Search);
    QTextCursor plain = view->textCursor();
    plain.clearSelection();
    view->setTextCursor(plain);
}

bool DxccPage::eventFilter(QObject* watched, QEvent* event) {
    for (QTextEdit* v : {m_all, m_worked}) {
        if (watched != v->viewport() || event->type() != QEvent::MouseButtonRelease)
            continue;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->modifiers() & Qt::ControlModifier)
            dxccAllRichEditMouseUp(v, mouse->position().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}
