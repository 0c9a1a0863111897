#include "entry/ui/EntryDefaultsOptions.h"

#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "entry/EntrySettings.h"
#include "logstore/QsoRecord.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
int rowCount() { return static_cast<int>(EntrySettings::defaultFields().size()); }
} // namespace

EntryDefaultsOptions::EntryDefaultsOptions(Session& session, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_table(new QTableWidget(rowCount(), 2, this)) {
    setObjectName(QStringLiteral("EntryDefaultsOptions"));
    auto* text = new QLabel(QStringLiteral("Diese Werte werden nach jedem Löschen in die Eingabemaske eingetragen:"), this);
    text->setObjectName(QStringLiteral("Label4"));
    m_table->setObjectName(QStringLiteral("PreValueListEditor"));
    ProgramTexts::follow(m_table, [table = m_table] {
        table->setHorizontalHeaderLabels({msgText(Msg::FieldHeading), msgText(Msg::DefaultHeading)});
    });
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 110);
    for (int r = 0; r < rowCount(); ++r) {
        auto* key = new QTableWidgetItem(QsoRecord::headerTitles()[EntrySettings::defaultFields()[r] - 1]);
        key->setFlags(key->flags() & ~Qt::ItemIsEditable);
        m_table->setItem(r, 0, key);
        m_table->setItem(r, 1, new QTableWidgetItem);
    }
    m_table->setFixedWidth(420);
    m_table->setFixedHeight(m_table->horizontalHeader()->height() + rowCount() * m_table->rowHeight(0) + 4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_table);
    layout->addStretch(1);
    // Stored at each change, not only when the table is left, so that a
    // default typed just before the program ends is not lost.
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 1)
            PreValueListEditorExit();
    });
}

void EntryDefaultsOptions::applySettings() {
    const QSignalBlocker block(m_table);
    for (int r = 0; r < rowCount(); ++r)
        m_table->item(r, 1)->setText(EntrySettings::defaultText(m_session.settings(), EntrySettings::defaultFields()[r]));
}

void EntryDefaultsOptions::PreValueListEditorExit() {
    if (!m_session.formReady())
        return;
    for (int r = 0; r < rowCount(); ++r)
        EntrySettings::setDefaultText(m_session.settings(), EntrySettings::defaultFields()[r], m_table->item(r, 1)->text());
    m_session.saveSettings();
}
