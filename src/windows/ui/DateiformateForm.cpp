#include "windows/ui/DateiformateForm.h"

#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "settings/LanguageTexts.h"
#include "windows/DataFiles.h"

#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

DateiformateForm::DateiformateForm(Session& session, std::function<void(const QString&)> openLog, QWidget* parent)
    : QDialog(parent), m_session(session), m_openLog(std::move(openLog)), m_files(new QListWidget(this)),
      m_help(new QLabel(this)), m_csv(button("CsvBtn", QStringLiteral("CSV"), this)),
      m_txt(button("TxtBtn", QStringLiteral("TXT"), this)), m_log(button("LogBtn", QStringLiteral("LOG"), this)) {
    setObjectName(QStringLiteral("DateiformateForm"));
    setWindowTitle(QStringLiteral("Dateiformate"));
    setModal(true);
    setMouseTracking(true);
    m_files->setObjectName(QStringLiteral("DateienListBox"));
    m_help->setObjectName(QStringLiteral("StaticText"));
    m_help->setWordWrap(true);
    m_help->setMinimumHeight(m_help->fontMetrics().height() * 2);
    auto* open = button("OpenBtn", QStringLiteral("Datei öffnen"), this);
    auto* close = button("CloseBtn", QStringLiteral("Beenden"), this);

    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu"));
    QAction* openItem = menu->addAction(QStringLiteral("Datei öffnen"));
    openItem->setObjectName(QStringLiteral("OpenMenu"));
    connect(openItem, &QAction::triggered, this, &DateiformateForm::OpenBtnClick);
    for (const char* extension : {"csv", "txt", "log"}) {
        const QString ext = QLatin1String(extension);
        QAction* item = menu->addAction(ext.toUpper());
        item->setObjectName(ext.toUpper().left(1) + ext.mid(1) + QStringLiteral("Menu"));
        connect(item, &QAction::triggered, this, [this, ext] { CsvBtnClick(ext); });
    }
    m_files->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_files, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->popup(m_files->viewport()->mapToGlobal(at)); });
    connect(m_files, &QListWidget::itemDoubleClicked, this, &DateiformateForm::OpenBtnClick);
    connect(open, &QPushButton::clicked, this, &DateiformateForm::OpenBtnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    const std::pair<QPushButton*, const char*> changes[] = {{m_csv, "csv"}, {m_txt, "txt"}, {m_log, "log"}};
    for (const auto& [b, extension] : changes) {
        const QString ext = QLatin1String(extension);
        connect(b, &QPushButton::clicked, this, [this, ext] { CsvBtnClick(ext); });
        b->setMouseTracking(true);
        b->installEventFilter(this);
    }

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(open);
    buttons->addSpacing(12);
    buttons->addWidget(m_csv);
    buttons->addWidget(m_txt);
    buttons->addWidget(m_log);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* top = new QHBoxLayout;
    top->addWidget(m_files, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_help);
    resize(460, 360);
    FillDateien();
}

void DateiformateForm::FillDateien() {
    m_files->clear();
    m_files->addItems(DataFiles::list(m_session.folder()));
}

QStringList DateiformateForm::listed() const {
    QStringList names;
    for (int i = 0; i < m_files->count(); ++i)
        names << m_files->item(i)->text();
    return names;
}

QString DateiformateForm::helpText() const { return m_help->text(); }

void DateiformateForm::OpenBtnClick() {
    const QListWidgetItem* item = m_files->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString extension = name.mid(name.lastIndexOf(u'.') + 1).toLower();
    if (extension == u"log") {
        m_openLog(name);
        accept();
    } else if (extension == u"txt" || extension == u"csv") {
        m_session.desktop().open(QDir(m_session.folder()).filePath(name));
    }
}

void DateiformateForm::CsvBtnClick(const QString& extension) {
    const int row = m_files->currentRow();
    if (row < 0)
        return;
    const QString from = m_files->item(row)->text();
    const QString to = DataFiles::withExtension(from, extension);
    const QString error = DataFiles::rename(m_session.folder(), from, to);
    FillDateien();
    // The renamed file stays selected wherever the new name sorts.
    const QList<QListWidgetItem*> found = m_files->findItems(error.isEmpty() ? to : from, Qt::MatchExactly);
    if (!found.isEmpty())
        m_files->setCurrentItem(found.first());
    else if (row < m_files->count())
        m_files->setCurrentRow(row);
    if (!error.isEmpty())
        m_session.dialogs().error(error);
}

// The button under the mouse turns red and says what it does.
void DateiformateForm::showHelp(QPushButton* over) {
    const std::pair<QPushButton*, int> helps[] = {{m_csv, 70}, {m_txt, 71}, {m_log, 72}};
    m_help->clear();
    for (const auto& [b, text] : helps) {
        b->setStyleSheet(b == over ? QStringLiteral("color: red;") : QString());
        if (b == over)
            m_help->setText(m_session.texts()[text]);
    }
}

bool DateiformateForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        for (QPushButton* b : {m_csv, m_txt, m_log})
            if (watched == b)
                showHelp(b);
    }
    return QDialog::eventFilter(watched, event);
}

void DateiformateForm::mouseMoveEvent(QMouseEvent* event) {
    showHelp(nullptr);
    QDialog::mouseMoveEvent(event);
}
