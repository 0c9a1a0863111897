#include "windows/ui/TextForm.h"

#include "logstore/IoError.h"
#include "platform/Dialogs.h"
#include "windows/TextFile.h"
#include "platform/ProgramTexts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

QMenu* menu(QMenuBar* bar, const QString& name, const QString& title) {
    QMenu* m = bar->addMenu(title);
    m->menuAction()->setObjectName(name);
    return m;
}

QAction* menuItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

} // namespace

TextForm::TextForm(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_memo(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("TextForm"));
    setWindowTitle(QStringLiteral("Texteditor"));
    resize(600, 440);

    auto* bar = new QMenuBar(this);
    QMenu* text = menu(bar, QStringLiteral("ext1"), QStringLiteral("Text"));
    m_loadItem = menuItem(text, QStringLiteral("Laden1"), QStringLiteral("Laden..."));
    m_saveItem = menuItem(text, QStringLiteral("Speichern1"), QStringLiteral("Speichern..."));
    QMenu* format = menu(bar, QStringLiteral("Format1"), QStringLiteral("Format"));
    m_wrapItem = menuItem(format, QStringLiteral("Zeilenumbruch1"), QStringLiteral("Zeilenumbruch"));
    m_wrapItem->setCheckable(true);

    m_memo->setObjectName(QStringLiteral("Memo"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(bar);
    layout->addWidget(m_memo);

    connect(m_loadItem, &QAction::triggered, this, &TextForm::Laden1Click);
    connect(m_saveItem, &QAction::triggered, this, &TextForm::Speichern1Click);
    connect(m_wrapItem, &QAction::toggled, this, &TextForm::applyWordWrap);
    applyWordWrap(false);
}

QString TextForm::fileFilter() {
    return msgText(Msg::TextFileFilter);
}

QString TextForm::plainText(const QPlainTextEdit* memo) {
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QString TextForm::editModally(const QString& text) {
    m_memo->setPlainText(text);
    m_memo->setFocus();
    exec();
    return plainText(m_memo);
}

bool TextForm::wordWrap() const { return m_wrapItem->isChecked(); }

void TextForm::Zeilenumbruch1Click() { m_wrapItem->toggle(); }

void TextForm::applyWordWrap(bool on) {
    m_memo->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

// The menu item's caption, which follows the language, names the dialog.
QString TextForm::dialogTitle(const QAction* item) const {
    QString title = item->text();
    title.remove(u'&');
    while (title.endsWith(u'.'))
        title.chop(1);
    return title;
}

void TextForm::rememberFolder(const QString& path) { m_folder = QFileInfo(path).absolutePath(); }

void TextForm::Laden1Click() {
    const QString path = m_dialogs.openFileName(dialogTitle(m_loadItem), m_folder, fileFilter());
    if (path.isEmpty())
        return;
    rememberFolder(path);
    try {
        m_memo->setPlainText(TextFile::read(path));
    } catch (const IoError& e) {
        m_dialogs.error(e.message());
    }
}

void TextForm::Speichern1Click() {
    const QString path =
        m_dialogs.saveFileName(dialogTitle(m_saveItem), m_folder, fileFilter(), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    rememberFolder(path);
    try {
        TextFile::write(path, plainText(m_memo));
    } catch (const IoError& e) {
        m_dialogs.error(e.message());
    }
}
