#pragma once

#include "session/Shell.h"

#include "entry/EditRules.h"
#include "logstore/QsoRecord.h"

#include <QWidget>
#include <array>
#include <functional>

class CheckedDateEdit;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimeEdit;
class Session;
class TextForm;

// The "Editieren" tab: one contact of the current log with all its fields,
// written back in place by "&Daten Speichern". It never writes over a contact
// other than the one it showed: when the log was changed outside Vesk (the
// list no longer matches the file), it says so and asks for a reload instead.
class EditPage : public QWidget {
    Q_OBJECT
public:
    // Where the main window goes after saving: the tab the contact came from.

    EditPage(Session& session, TextForm& textForm, QWidget* parent = nullptr);

    // Loads record recordNumber (1-based) of the current log; 0 (the empty
    // row of the list) empties the tab.
    void EditierenTSShow(int recordNumber);
    // Record number being edited; 0 when there is nothing the tab may save.
    int recordNumber() const { return m_recordNumber; }
    // The number as the tab shows it (empty while it shows no contact).
    QString numberText() const;
    // The contact as the controls show it now.
    QsoRecord currentRecord() const;

    ReturnTarget returnTarget() const { return m_returnTarget; }
    void setReturnTarget(ReturnTarget target) { m_returnTarget = target; }

    // Card images belong to the QSL subsystem: it tells whether a call has
    // one, and renames a scan into the card folder or shows the cards.
    struct CardHandlers {
        std::function<bool(const QString& call)> hasCards;
        std::function<void(const QString& call, const QString& dialogTitle)> renameScan;
        std::function<void(const QString& call)> showCards;
    };
    void setCardHandlers(CardHandlers handlers);
    // "QSL in" ticked and set to date, unless it is ticked already.
    void markCardReceived(const QDate& date);

    void eChange(QObject* changed);
    void eCommentsBtnClick();
    void eOkBtnClick();
    void eDeleteBtnClick();

Q_SIGNALS:
    // The contact is in the file; returnTarget is the target it was opened
    // with (the page's own target is back at the list).
    void saved(int recordNumber, ReturnTarget returnTarget);
    // The file no longer matches the list: the lists must be read again.
    void logChangedOutside();
    // "Kontakt löschen": the contact the tab shows (shown: as the file held
    // it when the tab opened) is to be deleted.
    void deleteRequested(int recordNumber, const QsoRecord& shown);
    // The DXCC label was clicked while it names an entity.
    void dxccInfoRequested(const QString& call);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOut();
    void clearControls();
    void loadControls(int recordNumber, const QsoRecord& record);
    void reportChangedOutside(int recordNumber, EditRules::OutsideChange when);
    void setSavable(int recordNumber);
    void updateCaptions();
    void updateQslButtons();
    // Filled once the DXCC table, the DOK directory and the locator
    // geometry are built in; until then they stay empty.
    void showDxcc();
    void showClubAndDistrict();
    void showBearingAndDistance();
    void appendWattUnit();

    Session& m_session;
    TextForm& m_textForm;

    std::array<QLabel*, QsoRecord::FieldCount + 1> m_captions{}; // by field, [0] unused
    QLabel* m_numberLabel = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QTimeEdit* m_utcPicker = nullptr;
    QComboBox* m_bandBox = nullptr;
    QComboBox* m_modeBox = nullptr;
    QLineEdit* m_callEdit = nullptr;
    QLineEdit* m_rstTxEdit = nullptr;
    QLineEdit* m_rstRxEdit = nullptr;
    QLineEdit* m_dokEdit = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_qthEdit = nullptr;
    QLineEdit* m_locatorEdit = nullptr;
    QLineEdit* m_txPwrEdit = nullptr;
    QPlainTextEdit* m_commentsMemo = nullptr;
    CheckedDateEdit* m_qslOutPicker = nullptr;
    CheckedDateEdit* m_qslInPicker = nullptr;
    QLabel* m_bearingValue = nullptr;
    QLabel* m_distanceValue = nullptr;
    QLabel* m_dxccValue = nullptr;
    QLabel* m_ovValue = nullptr;
    QLabel* m_distriktValue = nullptr;
    QPushButton* m_commentsBtn = nullptr;
    QPushButton* m_okBtn = nullptr;
    QPushButton* m_deleteBtn = nullptr;
    QPushButton* m_qslInAddBtn = nullptr;
    QPushButton* m_qslInShowBtn = nullptr;

    CardHandlers m_cards;
    ReturnTarget m_returnTarget = ReturnTarget::List;
    int m_recordNumber = 0;
    QsoRecord m_loaded; // record m_recordNumber as the file held it when the tab opened
};
