#include "app/ui/LanguageApplier.h"

#include "settings/LanguageTargets.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

namespace {

using Kind = LanguageTargets::Kind;

bool ownWindow(const QObject* o) {
    const auto* w = qobject_cast<const QWidget*>(o);
    return w && w->isWindow() && !qobject_cast<const QMenu*>(w);
}

QObject* findIn(QObject* parent, const QString& name) {
    for (QObject* child : parent->children()) {
        if (ownWindow(child))
            continue;
        if (child->objectName() == name)
            return child;
    }
    for (QObject* child : parent->children()) {
        if (ownWindow(child))
            continue;
        if (QObject* found = findIn(child, name))
            return found;
    }
    return nullptr;
}

// A tab page sits in the stacked widget of its QTabWidget.
QTabWidget* tabWidgetOf(QWidget* page) {
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

bool setCaption(QObject* o, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(text);
        return true;
    }
    if (auto* m = qobject_cast<QMenu*>(o)) {
        m->setTitle(text);
        return true;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        b->setText(text);
        return true;
    }
    if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(text);
        return true;
    }
    if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(text);
        return true;
    }
    if (auto* w = qobject_cast<QWidget*>(o)) {
        if (QTabWidget* tabs = tabWidgetOf(w)) {
            tabs->setTabText(tabs->indexOf(w), text);
            return true;
        }
    }
    return false;
}

bool setLines(QObject* o, const QString& text) {
    if (auto* e = qobject_cast<QPlainTextEdit*>(o)) {
        e->setPlainText(text);
        return true;
    }
    if (auto* e = qobject_cast<QTextEdit*>(o)) {
        e->setPlainText(text);
        return true;
    }
    if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(text);
        return true;
    }
    return false;
}

bool setItems(QObject* o, const QString& text) {
    auto* box = qobject_cast<QComboBox*>(o);
    if (!box)
        return false;
    const QStringList items = text.split(u'\n');
    // Searches keep the chosen operator by its position, so the choice
    // survives a change of language.
    const int current = box->currentIndex();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(current < box->count() ? current : -1);
    return true;
}

// Only the keys change with the language: the values are the user's data
// (defaults of the mask, fields of a contact) and stay as they are.
bool setRows(QObject* o, const QString& text) {
    auto* grid = qobject_cast<QTableWidget*>(o);
    if (!grid || grid->columnCount() < 2)
        return false;
    const QStringList rows = text.split(u'\n');
    const int oldRows = grid->rowCount();
    // A language file with fewer rows must not take rows, and the values in
    // them, away from the window that owns the table.
    grid->setRowCount(std::max(oldRows, static_cast<int>(rows.size())));
    for (int r = 0; r < rows.size(); ++r) {
        const qsizetype eq = rows[r].indexOf(u'=');
        const QString key = eq < 0 ? rows[r] : rows[r].left(eq);
        const QString value = eq < 0 ? QString() : rows[r].mid(eq + 1);
        QTableWidgetItem* keyItem = grid->item(r, 0);
        if (!keyItem) {
            keyItem = new QTableWidgetItem;
            keyItem->setFlags(keyItem->flags() & ~Qt::ItemIsEditable);
            grid->setItem(r, 0, keyItem);
        }
        keyItem->setText(key);
        if (r >= oldRows || !grid->item(r, 1))
            grid->setItem(r, 1, new QTableWidgetItem(value));
    }
    return true;
}

bool setTabs(QObject* o, const QString& text) {
    const QStringList captions = text.split(u'\n');
    if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        for (int i = 0; i < tabs->count(); ++i)
            tabs->setTabText(i, i < captions.size() ? captions[i] : QString());
        return true;
    }
    if (auto* bar = qobject_cast<QTabBar*>(o)) {
        for (int i = 0; i < bar->count(); ++i)
            bar->setTabText(i, i < captions.size() ? captions[i] : QString());
        return true;
    }
    return false;
}

bool setHint(QObject* o, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(o)) {
        a->setToolTip(text);
        return true;
    }
    if (auto* w = qobject_cast<QWidget*>(o)) {
        w->setToolTip(text);
        return true;
    }
    return false;
}

bool applyTo(QObject* o, Kind kind, const QString& text) {
    switch (kind) {
    case Kind::Caption: return setCaption(o, text);
    case Kind::Lines: return setLines(o, text);
    case Kind::Items: return setItems(o, text);
    case Kind::Rows: return setRows(o, text);
    case Kind::Tabs: return setTabs(o, text);
    case Kind::Hint: return setHint(o, text);
    case Kind::Text:
    case Kind::Message: return true;
    }
    return false;
}

} // namespace

QWidget* LanguageApplier::window(const QString& name) const {
    for (QWidget* w : m_windows) {
        if (w && w->objectName() == name)
            return w;
    }
    return nullptr;
}

QObject* LanguageApplier::control(QWidget* window, const QString& name) { return findIn(window, name); }

QStringList LanguageApplier::apply(const QStringList& lines) const {
    QStringList missing;
    for (const LanguageTargets::Target& t : LanguageTargets::all()) {
        if (t.kind == Kind::Message)
            continue;
        const QString text = t.line <= lines.size() ? lines[t.line - 1] : QString();
        QWidget* w = window(t.window);
        if (!w) {
            missing << t.describe() + QStringLiteral(" (no such window)");
            continue;
        }
        // A window's own texts are read by the window from the session.
        if (t.kind == Kind::Text)
            continue;
        if (t.control.isEmpty()) {
            w->setWindowTitle(text);
            continue;
        }
        QObject* o = control(w, t.control);
        if (!o)
            missing << t.describe() + QStringLiteral(" (no such control)");
        else if (!applyTo(o, t.kind, text))
            missing << t.describe() + QStringLiteral(" (a %1 does not take this kind of text)")
                                          .arg(QString::fromLatin1(o->metaObject()->className()));
    }
    return missing;
}
