#pragma once

#include "settings/ui/OptionsPage.h"

class QTableWidget;
class Session;

// The "Vorgaben Eingabe" options: what the mask holds after each clear.
class EntryDefaultsOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit EntryDefaultsOptions(Session& session, QWidget* parent = nullptr);
    void applySettings() override;
    QTableWidget* table() const { return m_table; }

private:
    void PreValueListEditorExit();

    Session& m_session;
    QTableWidget* m_table;
};
