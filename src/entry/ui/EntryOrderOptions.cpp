#include "entry/ui/EntryOrderOptions.h"

#include "platform/ProgramTexts.h"
#include "entry/EntrySettings.h"

#include "session/Session.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

struct Row {
    const char* caption;
    const char* name; // prefix of the control names
    int step;         // place in the Return order, 0 when it is no stepping field
    int item;         // -1: always shown, never on a key
};
// Stepping fields first, in their Return order, then the other items.
constexpr Row kRows[] = {{"Call", "Call", 1, -1},
                         {"RST TX", "RstTx", 2, -1},
                         {"RST RX", "RstRx", 3, -1},
                         {"DOK", "Dok", 4, MaskItem::Dok},
                         {"Locator", "Locator", 5, MaskItem::Locator},
                         {"QTH", "Qth", 6, MaskItem::Qth},
                         {"Name", "Name", 7, MaskItem::Name},
                         {"Comments", "Comments", 0, MaskItem::Comments},
                         {"QSL Out", "QslOut", 0, MaskItem::QslOut},
                         {"QSL In", "QslIn", 0, MaskItem::QslIn},
                         {"Date", "Date", 0, MaskItem::Date},
                         {"UTC", "Utc", 0, MaskItem::Utc},
                         {"Band", "Band", 0, MaskItem::Band},
                         {"Mode", "Mode", 0, MaskItem::Mode},
                         {"TX Pwr", "TxPwr", 0, MaskItem::TxPwr}};
} // namespace

EntryOrderOptions::EntryOrderOptions(Session& session, FieldBindings& bindings, QWidget* parent)
    : OptionsPage(parent), m_session(session), m_bindings(bindings) {
    setObjectName(QStringLiteral("EntryOrderOptions"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    auto* fieldTitle = new QLabel(this);
    auto* orderTitle = new QLabel(this);
    ProgramTexts::follow(this, [fieldTitle, orderTitle] {
        fieldTitle->setText(msgText(Msg::FieldHeading));
        orderTitle->setText(msgText(Msg::OrderHeading));
    });
    grid->addWidget(fieldTitle, 0, 0);
    grid->addWidget(orderTitle, 0, 1);
    auto* keyTitle = new QLabel(QStringLiteral("Ein/Aus Taste/Button"), this);
    keyTitle->setObjectName(QStringLiteral("Label40"));
    grid->addWidget(keyTitle, 0, 2);
    auto* showTitle = new QLabel(QStringLiteral("bei Start anzeigen"), this);
    showTitle->setObjectName(QStringLiteral("Label41"));
    grid->addWidget(showTitle, 0, 3);

    QStringList keys{QStringLiteral("---")};
    for (int b = 1; b <= FieldBindings::ButtonCount; ++b)
        keys << QStringLiteral("B%1").arg(b);
    int r = 1;
    for (const Row& row : kRows) {
        grid->addWidget(new QLabel(QString::fromLatin1(row.caption), this), r, 0);
        if (row.step > 0)
            grid->addWidget(new QLabel(QString::number(row.step), this), r, 1);
        if (row.item >= 0) {
            auto* combo = new QComboBox(this);
            combo->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("ComboBox"));
            combo->addItems(keys);
            m_combos[static_cast<std::size_t>(row.item)] = combo;
            grid->addWidget(combo, r, 2);
            const int item = row.item;
            connect(combo, &QComboBox::currentIndexChanged, this, [this, item] { DateComboBoxChange(item); });
            if (!MaskItem::isEditor(row.item)) {
                auto* box = new QCheckBox(this);
                box->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("ShowCheckBox"));
                box->setChecked(true);
                m_showBoxes[static_cast<std::size_t>(row.item)] = box;
                grid->addWidget(box, r, 3, Qt::AlignHCenter);
                connect(box, &QCheckBox::toggled, this, [this] { DateComboBoxChange(-1); });
            }
        }
        ++r;
    }
    grid->setRowStretch(r, 1);
    grid->setColumnStretch(4, 1);
}

void EntryOrderOptions::applySettings() {
    const Settings& s = m_session.settings();
    for (int item = 0; item < MaskItem::Count; ++item) {
        const QSignalBlocker block(m_combos[static_cast<std::size_t>(item)]);
        m_combos[static_cast<std::size_t>(item)]->setCurrentIndex(m_bindings.button(item));
        if (QCheckBox* box = m_showBoxes[static_cast<std::size_t>(item)]) {
            const QSignalBlocker blockBox(box);
            box->setChecked(EntrySettings::shownAtStart(s, item));
        }
    }
}

void EntryOrderOptions::DateComboBoxChange(int item) {
    if (!m_session.formReady())
        return;
    if (item >= 0) {
        for (int unbound : m_bindings.bind(item, m_combos[static_cast<std::size_t>(item)]->currentIndex())) {
            const QSignalBlocker block(m_combos[static_cast<std::size_t>(unbound)]);
            m_combos[static_cast<std::size_t>(unbound)]->setCurrentIndex(0);
        }
    }
    Settings& s = m_session.settings();
    m_bindings.store(s);
    for (int i = 0; i < MaskItem::Count; ++i) {
        if (QCheckBox* box = m_showBoxes[static_cast<std::size_t>(i)])
            EntrySettings::setShownAtStart(s, i, box->isChecked());
    }
    m_session.saveSettings();
    Q_EMIT bindingsChanged();
}
