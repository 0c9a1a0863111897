#include "ScriptedDialogs.h"

bool ScriptedDialogs::question(const QString& text) {
    questions << text;
    return questionAnswers.isEmpty() ? false : questionAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::inputText(const QString& title, const QString& prompt,
                                                  const QString& preset) {
    prompts << title + u'|' + prompt + u'|' + preset;
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
}

QString ScriptedDialogs::nextFile() { return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst(); }

QString ScriptedDialogs::openFileName(const QString& title, const QString& folder, const QString& filter) {
    fileDialogs.push_back({title, folder, filter, {}});
    return nextFile();
}

QString ScriptedDialogs::saveFileName(const QString& title, const QString& folder, const QString& filter,
                                      const QString& defaultSuffix) {
    fileDialogs.push_back({title, folder, filter, defaultSuffix});
    return nextFile();
}

QString ScriptedDialogs::folderName(const QString& title, const QString& folder) {
    fileDialogs.push_back({title, folder, {}, {}});
    return nextFile();
}
