#include "entry/ui/ReferenceListController.h"

#include "entry/EntryMask.h"
#include "entry/ReferenceLogs.h"
#include "entry/ui/LogGridView.h"
#include "logstore/IoError.h"
#include "platform/Dialogs.h"
#include "session/Session.h"

#include <QApplication>

ReferenceListController::ReferenceListController(Session& session, EntryMask& mask, LogGridView& lowerList,
                                                 const LogGridView& grid, QObject* parent)
    : QObject(parent), m_session(session), m_mask(mask), m_lowerList(lowerList), m_grid(grid),
      m_model(new ReferenceListModel(this)) {
    connect(&m_mask, &EntryMask::fieldChanged, this, [this](int field) {
        if (field == QsoRecord::Call)
            CallEditChange();
        else if (m_shown && (field == QsoRecord::Dok || field == QsoRecord::Locator))
            ChangeRefListe();
    });
    // The reference list holds the contacts of the log it was built for.
    connect(&m_session, &Session::currentLogChanged, this, [this] {
        if (m_shown)
            leave();
    });
}

void ReferenceListController::StandartfunktionReferenzLogs() {
    const QString key = ReferenceLogs::ExtractCall(m_mask.field(QsoRecord::Call));
    // An empty call would match the first contact logged without one.
    if (key.isEmpty() || !m_session.log())
        return;
    const ReferenceLogs::Options options = ReferenceLogs::readOptions(m_session.settings());
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto found = ReferenceLogs::findFirst(m_session.log()->fileName(), options.paths, key);
        QApplication::restoreOverrideCursor();
        if (found)
            m_mask.takeReferenceFields(*found);
    } catch (const IoError& e) {
        QApplication::restoreOverrideCursor();
        m_session.dialogs().error(e.message());
    }
}

void ReferenceListController::CallEditChange() {
    const QString& call = m_mask.field(QsoRecord::Call);
    if (!m_shown) {
        if (!call.isEmpty() && m_session.log() && ReferenceLogs::readOptions(m_session.settings()).luxus)
            BuildRefListe();
        return;
    }
    if (call.isEmpty())
        leave();
    else
        ChangeRefListe();
}

void ReferenceListController::leave() {
    m_shown = false;
    m_model->clear();
    Liste2NeuFuellen();
}

void ReferenceListController::BuildRefListe() {
    m_model->clear();
    ReferenceData& data = m_model->data();
    data.appendCurrent(m_session.model());
    const QString current = m_session.log() ? m_session.log()->fileName() : QString();
    const ReferenceLogs::Options options = ReferenceLogs::readOptions(m_session.settings());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList failures;
    for (const QString& path : ReferenceLogs::existingLogs(options.paths, current, true)) {
        LogFile log(path);
        try {
            data.appendLog(log);
        } catch (const IoError& e) {
            // The list still shows what could be read; the message comes
            // once, not with every keystroke.
            failures << e.message();
        }
    }
    QApplication::restoreOverrideCursor();
    m_shown = true;
    setLowerListModel(m_model);
    QPalette yellow = m_grid.palette();
    yellow.setColor(QPalette::Base, QColor(255, 255, 160));
    m_lowerList.setPalette(yellow);
    ChangeRefListe();
    if (!failures.isEmpty())
        m_session.dialogs().error(failures.join(u'\n'));
}

void ReferenceListController::ChangeRefListe() {
    m_model->setRows(m_model->data().filter(m_mask.field(QsoRecord::Call), m_mask.field(QsoRecord::Dok),
                                            m_mask.field(QsoRecord::Locator)));
    // The best matches, the current log's first, stand at the top.
    m_lowerList.scrollToTop();
}

void ReferenceListController::Liste2NeuFuellen() {
    if (m_lowerList.model() != &m_session.model())
        setLowerListModel(&m_session.model());
    m_lowerList.setPalette(m_grid.palette());
    m_lowerList.scrollToLastRow();
}

void ReferenceListController::setLowerListModel(QAbstractItemModel* model) {
    if (m_lowerList.model() == model)
        return;
    const QVector<int> widths = m_lowerList.columnWidths();
    // The view makes a new selection model and leaves the old one behind.
    QItemSelectionModel* old = m_lowerList.selectionModel();
    m_lowerList.setModel(model);
    delete old;
    m_lowerList.setColumnWidths(widths);
    Q_EMIT lowerListModelChanged();
}

bool ReferenceListController::takeRow(int row) {
    if (!m_shown)
        return false;
    if (row < m_model->hitCount())
        m_mask.takeReferenceRow(m_model->record(row));
    return true;
}

int ReferenceListController::logRowOf(int row) const {
    if (!m_shown)
        return row;
    // Rows of reference logs have no number: they are not in this log.
    bool ok = false;
    const int number = m_model->record(row)[QsoRecord::Number].toInt(&ok);
    return ok && number >= 1 && number <= m_session.model().recordCount() ? number - 1 : -1;
}
