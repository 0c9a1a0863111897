#include "evaluations/ui/LocatorPage.h"

#include "entry/SearchQuery.h"
#include "entry/ui/EntryArea.h"
#include "evaluations/EvaluationFilter.h"
#include "evaluations/ui/FilterRow.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/GeneralSettings.h"
#include "settings/LanguageTexts.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

// Either view of a result: the list (one column) or the table. The table's
// texts are asked of the result cell by cell, as the view needs them.
class SquareModel : public QAbstractTableModel {
public:
    enum class View { List, Table };
    SquareModel(View view, QObject* parent) : QAbstractTableModel(parent), m_view(view) {}

    void show(const LocatorResult* result) {
        beginResetModel();
        m_result = result;
        endResetModel();
    }
    SquareCell cell(const QModelIndex& index) const {
        if (!m_result || !index.isValid())
            return {};
        return m_view == View::List ? m_result->squares.value(index.row()) : m_result->cell(index.column(), index.row());
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        if (parent.isValid() || !m_result)
            return 0;
        return m_view == View::List ? static_cast<int>(m_result->squares.size()) : m_result->rows();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        if (parent.isValid() || !m_result)
            return 0;
        return m_view == View::List ? 1 : m_result->columns();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const SquareCell c = cell(index);
        if (role == Qt::DisplayRole)
            return c.text;
        if (role == Qt::BackgroundRole && c.colour != SquareColour::None)
            return QColor(squareRgb(c.colour));
        return {};
    }

private:
    View m_view;
    const LocatorResult* m_result = nullptr;
};

namespace {

// A square as the grids have always shown it: its colour filled in, the
// text black and centred; uncoloured cells take the window's background.
class SquareDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QVariant fill = index.data(Qt::BackgroundRole);
        painter->fillRect(option.rect,
                          fill.isValid() ? fill.value<QColor>() : option.palette.color(QPalette::Window));
        painter->setPen(Qt::black);
        painter->drawText(option.rect, Qt::AlignCenter, index.data().toString());
    }
};

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(const char* name, const QString& text, QWidget* parent) { return named(new QLabel(text, parent), name); }

QTableView* squareGrid(const char* name, SquareModel* model, int width, int height, bool lines, QWidget* parent) {
    auto* grid = named(new QTableView(parent), name);
    grid->setModel(model);
    grid->setItemDelegate(new SquareDelegate(grid));
    grid->setShowGrid(lines);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    grid->horizontalHeader()->setDefaultSectionSize(width);
    grid->verticalHeader()->setDefaultSectionSize(height);
    return grid;
}

QLabel* swatch(SquareColour colour, QWidget* parent) {
    auto* box = new QLabel(parent);
    box->setFixedSize(14, 14);
    box->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;").arg(htmlColour(colour)));
    return box;
}

} // namespace

LocatorPage::LocatorPage(Shell& shell, EntryArea& entry, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_session(shell.session()), m_entry(entry),
      m_filter(new FilterRow({"loc",
                              "locAuswertenBtn",
                              {"Label19", "Label20", "Label21", "Label24", "Label25", "Label26"},
                              QStringLiteral("Alle Locator aus den OSOs auf den Bändern")},
                             this)),
      m_resultLabel(label("locResultLabel",
                          QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"), this)),
      m_listModel(new SquareModel(SquareModel::View::List, this)),
      m_tableModel(new SquareModel(SquareModel::View::Table, this)) {
    auto* legend = new QHBoxLayout;
    const std::pair<SquareColour, QLabel*> keys[] = {
        {SquareColour::Worked, label("Label63", QStringLiteral("gearbeitet"), this)},
        {SquareColour::Confirmed, label("Label72", QStringLiteral("gearbeitet und bestätigt"), this)},
        {SquareColour::Own, label("Label73", QStringLiteral("eigener Locator"), this)}};
    for (const auto& [colour, text] : keys) {
        legend->addWidget(swatch(colour, this));
        legend->addWidget(text);
        legend->addSpacing(12);
    }
    legend->addStretch(1);

    auto* views = named(new QTabWidget(this), "locPageControl");
    auto* listPage = named(new QWidget(views), "locListeTS");
    auto* tablePage = named(new QWidget(views), "locTabelleTS");
    auto* exportPage = named(new QWidget(views), "locSpeichernDruckenTS");
    m_listGrid = squareGrid("locListeDrawGrid", m_listModel, 200, 18, false, listPage);
    m_tableGrid = squareGrid("locTabelleDrawGrid", m_tableModel, 30, 30, true, tablePage);
    // Four characters of the default font are wider than a 30-pixel cell.
    QFont small = m_tableGrid->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    m_tableGrid->setFont(small);
    (new QVBoxLayout(listPage))->addWidget(m_listGrid);
    (new QVBoxLayout(tablePage))->addWidget(m_tableGrid);
    m_exportList = named(new QCheckBox(QStringLiteral("Liste"), exportPage), "locExportListe");
    m_exportTable = named(new QCheckBox(QStringLiteral("Tabelle"), exportPage), "locExportTabelle");
    m_exportList->setChecked(true);
    m_exportTable->setChecked(true);
    auto* save = named(new QPushButton(QStringLiteral("Speichern"), exportPage), "locSpeichernBtn");
    auto* print = named(new QPushButton(QStringLiteral("Drucken"), exportPage), "locDruckenBtn");
    auto* exportLayout = new QGridLayout(exportPage);
    exportLayout->addWidget(
        label("Label70", QStringLiteral("Auswertung als HTML-Datei speichern oder über den Webbrowser drucken"), exportPage),
        0, 0, 1, 3);
    exportLayout->addWidget(label("Label65", QStringLiteral("Folgende Ansichten ausgeben:"), exportPage), 1, 0, 1, 3);
    exportLayout->addWidget(m_exportList, 2, 0);
    exportLayout->addWidget(m_exportTable, 3, 0);
    exportLayout->addWidget(save, 4, 0);
    exportLayout->addWidget(print, 4, 1);
    exportLayout->setColumnStretch(2, 1);
    exportLayout->setRowStretch(5, 1);
    views->addTab(listPage, QStringLiteral("Liste"));
    views->addTab(tablePage, QStringLiteral("Tabelle"));
    views->addTab(exportPage, QStringLiteral("Speichern / Drucken"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addLayout(legend);
    layout->addWidget(m_resultLabel);
    layout->addWidget(views, 1);

    for (QTableView* grid : {m_listGrid, m_tableGrid})
        grid->viewport()->installEventFilter(this);
    connect(m_filter->button(), &QPushButton::clicked, this, &LocatorPage::locAuswertenBtnClick);
    connect(save, &QPushButton::clicked, this, &LocatorPage::locSpeichernBtnClick);
    connect(print, &QPushButton::clicked, this, &LocatorPage::locDruckenBtnClick);
}

void LocatorPage::locAuswertenBtnClick() {
    const QString own = GeneralSettings::ownLocator(m_session.settings());
    auto result = m_filter->evaluate<LocatorResult>(
        m_session, EvaluationFilter::Dates::WithTime, [&](LogFile& log, const EvaluationFilter& filter) {
            return runLocatorEvaluation(log, filter, own, m_session.texts());
        });
    if (!result)
        return;
    m_result = std::move(*result);
    m_listModel->show(&m_result);
    m_tableModel->show(&m_result);
    m_resultLabel->setText(m_result.resultLine(m_session.texts()));
    const QString invalid = m_result.invalidSquaresMessage();
    if (!invalid.isEmpty())
        m_session.dialogs().error(invalid);
}

bool LocatorPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (QTableView* grid : {m_listGrid, m_tableGrid}) {
            if (watched != grid->viewport() || !(mouse->modifiers() & Qt::ControlModifier))
                continue;
            const QModelIndex index = grid->indexAt(mouse->position().toPoint());
            if (index.isValid())
                locListeDrawGridMouseUp(static_cast<const SquareModel*>(grid->model())->cell(index));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LocatorPage::locListeDrawGridMouseUp(const SquareCell& cell) {
    QVector<SearchCondition> conditions{{true, SearchField::Locator, SearchOperator::Contains, cell.text}};
    // A confirmed square: the contacts whose card is still missing.
    if (cell.colour == SquareColour::Confirmed)
        conditions.push_back({true, SearchField::QslIn, SearchOperator::IsNot, QString()});
    if (m_entry.search(conditions))
        m_shell.showPage(Page::Search);
}

QByteArray LocatorPage::html(bool print) const {
    LocatorHtmlOptions options;
    options.list = m_exportList->isChecked();
    options.table = m_exportTable->isChecked();
    options.print = print;
    return locatorHtmlFile(m_result, GeneralSettings::ownCall(m_session.settings()), m_session.texts(), options);
}

bool LocatorPage::write(const QString& path, const QByteArray& bytes) {
    try {
        AtomicFile file(path);
        file.open();
        file.write(bytes);
        file.commit();
        return true;
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
        return false;
    }
}

void LocatorPage::locSpeichernBtnClick() {
    const LanguageTexts& texts = m_session.texts();
    const QString path =
        m_session.dialogs().saveFileName(texts[LanguageTexts::LocatorSaveTitle], m_session.pathOf(QStringLiteral("locator.htm")),
                                         texts[LanguageTexts::LocatorSaveFilter], QStringLiteral("htm"));
    if (!path.isEmpty())
        write(path, html(false));
}

void LocatorPage::locDruckenBtnClick() {
    const QString path = m_session.pathOf(QStringLiteral("~$print.htm"));
    if (write(path, html(true)))
        m_session.desktop().open(path);
}
