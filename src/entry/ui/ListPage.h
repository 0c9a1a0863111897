#pragma once

#include <QWidget>

class LogGridView;
class Session;

// The "Liste" tab: every contact of the current log.
class ListPage : public QWidget {
    Q_OBJECT
public:
    explicit ListPage(Session& session, QWidget* parent = nullptr);
    LogGridView* grid() const { return m_grid; }

private:
    LogGridView* m_grid;
};
