#pragma once

#include "entry/FieldBindings.h"

#include <QWidget>
#include <array>

class CheckedDateEdit;
class EntryMask;
class FunctionButtonStrip;
class LogGridView;
class QDateEdit;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTimeEdit;
class Session;
class TxPowerEdit;

// The "Eingabe" tab: the keyboard-driven mask in which the operator logs one
// contact after the other, and below it the lower list of the current log.
// It shows the entry-mask model and turns keys into changes of it.
class EntryPage : public QWidget {
    Q_OBJECT
public:
    EntryPage(Session& session, EntryMask& mask, QWidget* parent = nullptr);

    LogGridView* lowerList() const { return m_lowerList; }

    void NewButtonCaption();
    // Empties the mask (the defaults come back) and puts the caret in Call.
    void ClearMask();
    void focusCall();
    // The keys the whole window sees on the entry tab (on release); true
    // when the key was one of them.
    bool FormKeyUp(QKeyEvent* event);
    // The letters that make a Ctrl chord of the mask (Ctrl+B, D, L, R).
    static bool isCtrlChord(int key);
    // A function key or button: handles the items bound to it.
    void handleFunctionKey(int number, bool fromButton);
    // Closes an open pop-up editor without taking its value.
    void closeEditor();
    bool editorOpen() const { return shownEditor() >= 0; }

Q_SIGNALS:
    // Call was left for another field of the mask: the duplicate check runs.
    void callLeft();
    // A contact was written to the log; number is its "#".
    void contactSaved(int number);
    // Double click or Return on a row of the lower list.
    void lowerListActivated(int row);
    // Ctrl+click on a row of the lower list.
    void lowerListCtrlClicked(int row);
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
        QWidget* widget; // the control that gets the focus
        QLabel* caption;
        int field;       // the QsoRecord field it edits
        int step;
        int item; // the toggle item that shows or hides it, -1 for none
    };

    void buildMask();
    void buildEditors(QWidget* mask);
    void bindModel();
    void showField(int field);
    void showMark(int field, bool marked);
    void setRstCaptions(const QString& appendText);
    QLineEdit* lineEditOf(int field) const;

    // The event filter by concern.
    bool stepFieldEvent(const StepField& field, QEvent* event);
    bool valueLabelEvent(QObject* watched, QEvent* event);
    bool linkLabelEvent(QObject* watched, QEvent* event);
    bool lowerListEvent(QObject* watched, QEvent* event);
    bool editorEvent(QWidget* editor, int item, QEvent* event);

    bool EditKeyPress(const StepField& field);
    void saveContact();
    void fieldEntered(const StepField& field);
    void fieldLeft(const StepField& field);
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
    void offerFreeTexts(QListWidget* list, int field, int (*indexOf)(const QString&), int other);

    Session& m_session;
    EntryMask& m_mask;
    FunctionButtonStrip* m_buttons = nullptr;
    // "#", Date, UTC, Band, Mode and TX Pwr by their QsoRecord field.
    std::array<QLabel*, 16 + 1> m_valueLabels{};
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
    bool m_skip = false;
    bool m_clearing = false;
    bool m_refocusing = false;
};
