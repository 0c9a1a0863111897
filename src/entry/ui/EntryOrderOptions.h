#pragma once

#include "settings/ui/OptionsPage.h"
#include <array>

#include "entry/FieldBindings.h"

class QCheckBox;
class QComboBox;
class Session;

// The "Ordnung Eingabe" options: which function key each mask item sits on
// and which optional fields show at start.
class EntryOrderOptions : public OptionsPage {
    Q_OBJECT
public:
    EntryOrderOptions(Session& session, FieldBindings& bindings, QWidget* parent = nullptr);

    // Shows the stored bindings and start-up visibility; writes nothing.
    void applySettings() override;
    QComboBox* comboOf(int item) const { return m_combos[static_cast<std::size_t>(item)]; }

Q_SIGNALS:
    // The bindings changed: the button captions follow.
    void bindingsChanged();

private:
    void DateComboBoxChange(int item);

    Session& m_session;
    FieldBindings& m_bindings;
    std::array<QComboBox*, MaskItem::Count> m_combos{};
    std::array<QCheckBox*, MaskItem::Count> m_showBoxes{};
};
