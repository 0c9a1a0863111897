#pragma once

#include "links/CallBookAccess.h"
#include "settings/ui/OptionsPage.h"

#include <array>

class QCheckBox;
class QLineEdit;
class Session;

// The options tab "RAC": the callbook database file and the fields a lookup
// takes over into the mask. A new database file takes effect at the next
// start; the boxes at once.
class CallbookOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit CallbookOptions(Session& session, QWidget* parent = nullptr);
    void applySettings() override;

    void CallBookEditChange();
    void NameCallBookChkBoxClick();
    void CallBookBtnClick();

    CallbookSelection selection() const;

private:
    Session& m_session;
    QLineEdit* m_fileName;
    std::array<QCheckBox*, 7> m_boxes{};
    bool m_applying = false;
};
