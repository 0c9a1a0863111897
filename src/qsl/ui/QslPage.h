#pragma once

#include <QWidget>
#include <functional>

class EntryArea;
class LogGridView;
class OutstandingModel;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Session;
class Shell;
struct CardRule;

// The evaluation page "QSL": the contacts that still need a card of the
// operator (marked as sent by a double click or Return, "n" for "no QSL"),
// and the search for the contact of a card that has arrived.
class QslPage : public QWidget {
    Q_OBJECT
public:
    QslPage(Shell& shell, EntryArea& entry, std::function<CardRule()> rule, QWidget* parent = nullptr);

    void qslCreateListBtnClick();
    // Marks the selected contact's card as sent today, or takes the mark back.
    void qslStringGridDblClick();
    // "n": the selected contact gets "no QSL" in Comments, or loses it.
    void toggleDeclined();
    void qslInBtnClick();
    void qslSearchStringGridDblClick();

    LogGridView* outstandingGrid() const { return m_grid; }
    const OutstandingModel& outstanding() const { return *m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Change> void markSelected(Change change);
    void fitColumns();
    void addMissingContact(const QString& call, const QString& date, const QString& utc);

    Shell& m_shell;
    Session& m_session;
    EntryArea& m_entry;
    std::function<CardRule()> m_rule;
    OutstandingModel* m_model;
    LogGridView* m_grid;
    QPushButton* m_createButton;
    QLineEdit* m_callEdit;
    QLineEdit* m_dateEdit;
    QLineEdit* m_utcEdit;
    QDateEdit* m_receivedPicker;
    QPushButton* m_searchButton;
    QWidget* m_searchPanel;
    QTableWidget* m_searchGrid;
};
