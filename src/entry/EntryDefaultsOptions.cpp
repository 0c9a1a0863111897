#include "entry/EntryDefaultsOptions.h"

#include "app/Session.h"
#include "settings/Settings.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString kDefaults = QStringLiteral("Vorgaben");
// Shown field name and settings key, in the order of the table.
const std::pair<const char*, const char*> kRows[] = {{"Call", "Call"}, {"RST TX", "RstTx"}, {"RST RX", "RstRx"},
                                                     {"DOK", "Dok"},   {"Locator", "Locator"}, {"QTH", "Qth"},
                                                     {"Name", "Name"}, {"Comments", "Comments"}};
constexpr int kRowCount = static_cast<int>(std::size(kRows));
} // namespace

EntryDefaultsOptions::EntryDefaultsOptions(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_table(new QTableWidget(kRowCount, 2, this)) {
    setObjectName(QStringLiteral("EntryDefaultsOptions"));
    auto* text = new QLabel(QStringLiteral("Diese Werte werden nach jedem Löschen in die Eingabemaske eingetragen:"), this);
    text->setObjectName(QStringLiteral("Label4"));
    m_table->setObjectName(QStringLiteral("PreValueListEditor"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Feld"), QStringLiteral("Vorgabe")});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 110);
    for (int r = 0; r < kRowCount; ++r) {
        auto* key = new QTableWidgetItem(QString::fromLatin1(kRows[r].first));
        key->setFlags(key->flags() & ~Qt::ItemIsEditable);
        m_table->setItem(r, 0, key);
        m_table->setItem(r, 1, new QTableWidgetItem);
    }
    m_table->setFixedWidth(420);
    m_table->setFixedHeight(m_table->horizontalHeader()->height() + kRowCount * m_table->rowHeight(0) + 4);
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
    const Settings& s = m_session.settings();
    for (int r = 0; r < kRowCount; ++r)
        m_table->item(r, 1)->setText(s.readString(kDefaults, QString::fromLatin1(kRows[r].second)));
}

void EntryDefaultsOptions::PreValueListEditorExit() {
    if (!m_session.formReady())
        return;
    Settings& s = m_session.settings();
    for (int r = 0; r < kRowCount; ++r)
        s.writeString(kDefaults, QString::fromLatin1(kRows[r].second), m_table->item(r, 1)->text());
    m_session.saveSettings();
}
