#pragma once

#include "entry/FieldBindings.h"

#include <QWidget>
#include <array>

class CheckedDateEdit;
class FunctionButtonStrip;
class LogGridView;
class QDateEdit;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTimeEdit;
class QTimer;
class QsoRecord;
class Session;
class Settings;
class TxPowerEdit;

// The "Eingabe" tab: the keyboard-driven mask in which the operator logs one
// contact after the other, and below it the lower list of the current log.
class EntryPage : public QWidget {
    Q_OBJECT
public:
    explicit EntryPage(Session& session, QWidget* parent = nullptr);

    LogGridView* lowerList() const { return m_lowerList; }

    void setNextNumber(int number);
    int nextNumber() const;
    // Band, mode and power of the last contact; empty texts leave a label as it is.
    void carryOver(const QString& band, const QString& mode, const QString& power);

    QString userMemoText() const;
    void setUserMemoText(const QString& text);

    // Start-up: which optional fields show, which items sit on which key.
    void applyVisibility(const Settings& settings);
    FieldBindings& bindings() { return m_bindings; }
    void NewButtonCaption();

    // Whole hours added to local time; automatic takes UTC from the system.
    void setUtcOffset(bool automatic, int hours);
    // The RST captions tell the operator what is appended to RST TX.
    void setRstCaptions(const QString& appendText);

    void ClearMask();
    void focusCall();
    // The keys the whole window sees on the entry tab (on release); true
    // when the key was one of them.
    bool FormKeyUp(QKeyEvent* event);
    // A function key or button: handles the items bound to it.
    void handleFunctionKey(int number, bool fromButton);

    // The contact as the mask would save it now.
    QsoRecord maskRecord() const;
    QString callText() const;
    QString bandText() const;
    QString modeText() const;
    QString dateText() const;
    QString dokText() const;
    QString locatorText() const;
    // Ctrl+R found the station: its locator, DOK, name and QTH.
    void setReferenceFields(const QsoRecord& record);
    // A row of the reference list taken over: call, DOK, name, QTH and
    // locator; the operator goes on at the call.
    void copyFromReference(const QsoRecord& record);
    bool isShown(int item) const { return m_shown[static_cast<std::size_t>(item)]; }
    bool clockRunning() const { return m_clockRunning; }

Q_SIGNALS:
    // Call was left for another field of the mask: the duplicate check runs.
    void callLeft();
    // A contact was written to the log; number is its "#".
    void contactSaved(int number);
    // Double click or Return on a row of the lower list.
    void lowerListActivated(int row);
    // Ctrl+click on a row of the lower list.
    void lowerListCtrlClicked(int row);
    // The call, DOK or locator field changed (after the mask's own labels).
    void callChanged();
    void dokChanged();
    void locatorChanged();
    // The operator chose a band or mode: a rig link follows it.
    void bandConfirmed(const QString& band);
    void modeConfirmed(const QString& mode);
    void callbookRequested();
    void dxccInfoRequested();
    void referenceLogsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct StepField {
        QWidget* widget;   // the control that gets the focus
        QLabel* caption;
        int step;
        int item; // the toggle item that shows or hides it, -1 for none
    };

    void buildMask();
    void buildEditors(QWidget* mask);
    void AutoDateTimeTimerTimer();
    bool EditKeyPress(const StepField& field);
    void saveContact();
    void fieldEntered(const StepField& field);
    void fieldLeft(const StepField& field);
    void RstTxEditExit();
    void markInvalid(QLineEdit* edit, bool invalid);
    bool isInvalid(QLineEdit* edit) const;
    void CallEditChange();
    void LocatorEditChange();
    void DokEditChange();
    void setItemShown(int item, bool shown);
    const StepField* stepFieldOf(QObject* object) const;

    // The pop-up editors of the items Date, UTC, Band, Mode and TX Pwr.
    QWidget* editorOf(int item) const;
    int shownEditor() const; // the item whose editor is open, -1 for none
    void openEditor(int item);
    void confirmEditor(int item);
    void placeEditor(QWidget* editor, QLabel* below);

    Session& m_session;
    FieldBindings m_bindings;
    FunctionButtonStrip* m_buttons = nullptr;
    QLabel* m_numberLabel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_utcLabel = nullptr;
    QLabel* m_bandLabel = nullptr;
    QLabel* m_modeLabel = nullptr;
    QLabel* m_txPwrLabel = nullptr;
    QLineEdit* m_callEdit = nullptr;
    QLineEdit* m_rstTxEdit = nullptr;
    QLineEdit* m_rstRxEdit = nullptr;
    QLineEdit* m_dokEdit = nullptr;
    QLineEdit* m_locatorEdit = nullptr;
    QLineEdit* m_qthEdit = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QPlainTextEdit* m_commentsMemo = nullptr;
    CheckedDateEdit* m_qslOutPicker = nullptr;
    CheckedDateEdit* m_qslInPicker = nullptr;
    QLabel* m_rstTxCaption = nullptr;
    QLabel* m_rstRxCaption = nullptr;
    QLabel* m_dxccValueLabel = nullptr;
    QLabel* m_ovValueLabel = nullptr;
    QLabel* m_distriktValueLabel = nullptr;
    QLabel* m_bearingValueLabel = nullptr;
    QLabel* m_distanceValueLabel = nullptr;
    QPlainTextEdit* m_userMemo = nullptr;
    LogGridView* m_lowerList = nullptr;

    QDateEdit* m_datePicker = nullptr;
    QTimeEdit* m_utcPicker = nullptr;
    QListWidget* m_bandListBox = nullptr;
    QListWidget* m_modeListBox = nullptr;
    TxPowerEdit* m_txPwrEdit = nullptr;

    QList<StepField> m_fields;
    std::array<QList<QWidget*>, MaskItem::Count> m_itemWidgets;
    std::array<bool, MaskItem::Count> m_shown{};
    QTimer* m_clock = nullptr;
    bool m_clockRunning = true;
    bool m_utcAutomatic = true;
    int m_utcOffsetHours = 0;
    bool m_skip = false;
    bool m_refocusing = false;
};
