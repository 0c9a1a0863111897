#pragma once

#include <QDialog>
#include <QString>

class Dialogs;
class QAction;
class QPlainTextEdit;

// The plain text editor window: long comments of the edit tab and the about
// box's credits are shown in it. It lives as long as the program and keeps
// the folder of the last file it loaded or saved.
class TextForm : public QDialog {
    Q_OBJECT
public:
    explicit TextForm(Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows text modally and returns the text as the window is closed, changed or not.
    QString editModally(const QString& text);

    QPlainTextEdit* memo() const { return m_memo; }
    bool wordWrap() const;

    static QString fileFilter(); // "Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*"

    // The memo's text with "\n" between lines; unlike toPlainText() it keeps
    // non-breaking spaces, which belong to the user's text.
    static QString plainText(const QPlainTextEdit* memo);

    // A file that cannot be read or written is reported; the text stays.
    void Laden1Click();
    void Speichern1Click();
    void Zeilenumbruch1Click();

private:
    void applyWordWrap(bool on);
    QString dialogTitle(const QAction* item) const;
    void rememberFolder(const QString& path);

    Dialogs& m_dialogs;
    QPlainTextEdit* m_memo;
    QAction* m_loadItem;
    QAction* m_saveItem;
    QAction* m_wrapItem;
    QString m_folder;
};
