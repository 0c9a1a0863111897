#pragma once

#include "platform/Dialogs.h"

class QWidget;

// Dialogs as the user meets them: Qt message, input and file dialogs.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    // Nobody is there to answer (a screenshot from the command line): a
    // message goes to the error stream, a question is answered No, every
    // input or file dialog is cancelled, so nothing waits for a click.
    void setUnattended(bool unattended) { m_unattended = unattended; }

    void error(const QString& text) override;
    void info(const QString& text) override;
    bool question(const QString& text) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt, const QString& preset) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString folderName(const QString& title, const QString& folder) override;

    // "Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*" -> "Text (*.txt);;Alle Dateien (*.*)"
    static QString qtFilter(const QString& filter);

private:
    QWidget* m_parent;
    bool m_unattended = false;
};
