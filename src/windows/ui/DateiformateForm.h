#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class Session;

// The data files beside the program (logs, comma and text files): their
// extension changed so that another program takes them, or opened.
class DateiformateForm : public QDialog {
    Q_OBJECT
public:
    // openLog makes a log of the program folder the current one, as the
    // log-file menu does.
    DateiformateForm(Session& session, std::function<void(const QString&)> openLog, QWidget* parent = nullptr);

    void FillDateien();
    void OpenBtnClick();
    // extension: "csv", "txt" or "log".
    void CsvBtnClick(const QString& extension);
    QStringList listed() const;
    QString helpText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void showHelp(QPushButton* over);

    Session& m_session;
    std::function<void(const QString&)> m_openLog;
    QListWidget* m_files;
    QLabel* m_help;
    QPushButton* m_csv;
    QPushButton* m_txt;
    QPushButton* m_log;
};
