#pragma once

#include "platform/Dialogs.h"

#include <QStringList>
#include <algorithm>
#include <QVector>
#include <optional>

// Answers from a script and keeps every text the user would have seen.
class ScriptedDialogs : public Dialogs {
public:
    QStringList errors;
    QStringList infos;
    QStringList questions;
    QStringList prompts; // "title|prompt|preset" of each input box
    struct FileDialog {
        QString title;
        QString folder;
        QString filter;
        QString suffix; // of a save dialog
    };
    QVector<FileDialog> fileDialogs; // every file or folder dialog shown

    QVector<std::optional<QString>> inputAnswers; // taken from the front; empty: cancelled
    QVector<bool> questionAnswers;                // empty: No
    QStringList fileAnswers;                      // empty: cancelled

    void error(const QString& text) override { errors << text; }
    void info(const QString& text) override { infos << text; }
    bool question(const QString& text) override;
    // Exactly one error came up, and it holds every part.
    bool oneErrorWith(const QStringList& parts) const {
        return errors.size() == 1 && std::all_of(parts.begin(), parts.end(), [&](const QString& p) { return errors[0].contains(p); });
    }
    std::optional<QString> inputText(const QString& title, const QString& prompt, const QString& preset) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString folderName(const QString& title, const QString& folder) override;

private:
    QString nextFile();
};
