#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <cstdio>

namespace {
void toErrorStream(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }
} // namespace

void QtDialogs::error(const QString& text) {
    if (m_unattended)
        return toErrorStream(text);
    QMessageBox::critical(m_parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

void QtDialogs::info(const QString& text) {
    if (m_unattended)
        return toErrorStream(text);
    QMessageBox::information(m_parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool QtDialogs::question(const QString& text) {
    if (m_unattended) {
        toErrorStream(text);
        return false;
    }
    return QMessageBox::question(m_parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::inputText(const QString& title, const QString& prompt, const QString& preset) {
    if (m_unattended)
        return std::nullopt;
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogs::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        if (!description.contains(u'('))
            description += QStringLiteral(" (") + patterns + u')';
        out << description;
    }
    if (out.isEmpty() && !filter.isEmpty())
        out << filter;
    return out.join(QStringLiteral(";;"));
}

QString QtDialogs::openFileName(const QString& title, const QString& folder, const QString& filter) {
    if (m_unattended)
        return {};
    return QFileDialog::getOpenFileName(m_parent, title, folder, qtFilter(filter));
}

QString QtDialogs::saveFileName(const QString& title, const QString& folder, const QString& filter,
                                const QString& defaultSuffix) {
    if (m_unattended)
        return {};
    QFileDialog dialog(m_parent, title, folder, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::folderName(const QString& title, const QString& folder) {
    if (m_unattended)
        return {};
    return QFileDialog::getExistingDirectory(m_parent, title, folder);
}
