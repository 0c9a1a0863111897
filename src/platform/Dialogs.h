#pragma once

#include <QString>
#include <optional>

// Everything that asks the user something or tells them something. The real
// implementation shows Qt dialogs; tests answer from a script and keep every
// text the user would have seen.
class Dialogs {
public:
    virtual ~Dialogs();

    virtual void error(const QString& text) = 0;
    virtual void info(const QString& text) = 0;
    // Yes/No question; No leaves everything unchanged.
    virtual bool question(const QString& text) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& preset) = 0;
    // File and folder dialogs; an empty text when cancelled. Filters use the
    // "Description (*.ext)|*.ext|..." form of the language files.
    virtual QString openFileName(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    virtual QString folderName(const QString& title, const QString& folder) = 0;
};
