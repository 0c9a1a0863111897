#pragma once

#include <QObject>

class EntryMask;
class LogGridView;
class QAbstractItemModel;
class ReferenceListModel;
class Session;

// The lower list of the entry tab while a call is typed: with "Luxusfunktion"
// it turns yellow and lists the contacts of the current log and of the
// reference logs whose call begins with the typed one, narrowed by DOK and
// locator. Ctrl+R (StandartfunktionReferenzLogs) fills the mask from the
// first contact with the call.
class ReferenceListController : public QObject {
    Q_OBJECT
public:
    // grid is the list tab's grid, whose colours the lower list takes back.
    ReferenceListController(Session& session, EntryMask& mask, LogGridView& lowerList, const LogGridView& grid,
                            QObject* parent = nullptr);

    bool shown() const { return m_shown; }
    const ReferenceListModel& model() const { return *m_model; }

    void StandartfunktionReferenzLogs();
    // The call in the mask changed: the lower list switches to the reference
    // list (when chosen in the options), is refiltered, or returns to the log.
    void CallEditChange();
    void BuildRefListe();
    void ChangeRefListe();
    // The lower list shows the current log again.
    void Liste2NeuFuellen();
    // Back to the white list of the current log; the reference data goes.
    void leave();

    // A row of the reference list was activated: its station goes into the
    // mask. False when the list shows the log (the caller opens the contact).
    bool takeRow(int row);
    // The contact of the current log that a Ctrl+click on row means, or -1.
    int logRowOf(int row) const;

Q_SIGNALS:
    // The lower list got a fresh selection model, to be followed again.
    void lowerListModelChanged();

private:
    void setLowerListModel(QAbstractItemModel* model);

    Session& m_session;
    EntryMask& m_mask;
    LogGridView& m_lowerList;
    const LogGridView& m_grid;
    ReferenceListModel* m_model;
    bool m_shown = false;
};
