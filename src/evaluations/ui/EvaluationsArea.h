#pragma once

#include <QObject>

class ContestPage;
class DokPage;
class DxccPage;
class EntryArea;
class LocatorPage;
class QsoCountsPage;
class Shell;

// The award evaluations in the main window: the pages of the evaluations tab
// that show which squares, DOKs and entities were worked and confirmed, the
// contacts counted, and the contest scored by the operator's rules.
class EvaluationsArea : public QObject {
    Q_OBJECT
public:
    EvaluationsArea(Shell& shell, EntryArea& entry, QObject* parent = nullptr);

    LocatorPage& locatorPage() const { return *m_locator; }

private:
    LocatorPage* m_locator;
    DokPage* m_dok;
    DxccPage* m_dxcc;
    QsoCountsPage* m_counts;
    ContestPage* m_contest;
};
