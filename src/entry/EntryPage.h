#pragma once

#include <QWidget>

class LogGridView;
class QLabel;
class QPlainTextEdit;
class Session;

// The "Eingabe" tab: the values the next contact carries over, the note pad
// and, below, the lower list of all contacts of the current log.
class EntryPage : public QWidget {
    Q_OBJECT
public:
    explicit EntryPage(Session& session, QWidget* parent = nullptr);

    LogGridView* lowerList() const { return m_lowerList; }

    void setNextNumber(int number);
    // Band, mode and power of the last contact; empty texts leave a label as it is.
    void carryOver(const QString& band, const QString& mode, const QString& power);

    QString userMemoText() const;
    void setUserMemoText(const QString& text);

private:
    Session& m_session;
    QLabel* m_numberLabel;
    QLabel* m_bandLabel;
    QLabel* m_modeLabel;
    QLabel* m_txPwrLabel;
    QPlainTextEdit* m_userMemo;
    LogGridView* m_lowerList;
};
