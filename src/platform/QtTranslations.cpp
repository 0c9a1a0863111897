#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace QtTranslations {
namespace {

std::unique_ptr<QTranslator>& installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

QString& inUse() {
    static QString language;
    return language;
}

} // namespace

bool use(const QString& language) {
    if (language == inUse() && (installed() || language.isEmpty()))
        return true;
    if (installed()) {
        QCoreApplication::removeTranslator(installed().get());
        installed().reset();
    }
    inUse().clear();
    if (language.isEmpty() || language == QLatin1String("en"))
        return true;
    auto translator = std::make_unique<QTranslator>();
    // "qt_LANG" pulls in the catalogues of every Qt module that has one.
    if (!translator->load(QStringLiteral("qt_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed() = std::move(translator);
    inUse() = language;
    return true;
}

QString current() { return inUse(); }

} // namespace QtTranslations
