#include "entry/ui/DoppeltForm.h"

#include "logstore/QsoRecord.h"
#include "platform/ProgramTexts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kValueColumnWidth = 300;
}

const QStringList& DoppeltForm::fieldKeys() {
    static const QStringList keys{"#",      "Date",   "UTC", "Band", "Mode",    "Call",     "RST TX",  "RST RX",
                                  "DOK",    "Name",   "QTH", "Locator", "TX Pwr", "Comments", "QSL Out", "QSL In"};
    return keys;
}

DoppeltForm::DoppeltForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_label(new QLabel(QStringLiteral("Dieses Call wurde bereits geloggt!"), this)),
      m_table(new QTableWidget(QsoRecord::FieldCount, 2, this)) {
    setObjectName(QStringLiteral("DoppeltForm"));
    setWindowTitle(QStringLiteral("Vesk"));
    setModal(true);

    m_label->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);

    m_table->setObjectName(QStringLiteral("ValueListEditor"));
    ProgramTexts::follow(this, [this] {
        m_table->setHorizontalHeaderLabels({msgText(Msg::FieldColumn), msgText(Msg::ValueColumn)});
    });
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    for (int r = 0; r < QsoRecord::FieldCount; ++r) {
        auto* key = new QTableWidgetItem(fieldKeys()[r]);
        key->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(r, 0, key);
    }
    m_table->resizeColumnToContents(0);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Tall enough for every field of a contact without scrolling.
    const int frame = 2 * m_table->frameWidth();
    m_table->setMinimumWidth(m_table->columnWidth(0) + kValueColumnWidth + frame);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() +
                            QsoRecord::FieldCount * m_table->verticalHeader()->defaultSectionSize() + frame);

    const QString captions[3] = {QStringLiteral("1 = egal, mach weiter"), QStringLiteral("2 = Eingabe verwerfen"),
                                 QStringLiteral("3 = Eingabe korriegieren")};
    auto* buttonRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new QPushButton(captions[i], this);
        m_buttons[i]->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        buttonRow->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { done(i + 1); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_table);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The digits must answer even while the table or a button has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

int DoppeltForm::ask(const QStringList& fields) {
    // A language file may have changed the number of rows; the values are
    // ours to fill either way.
    if (m_table->rowCount() < QsoRecord::FieldCount)
        m_table->setRowCount(QsoRecord::FieldCount);
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const QString value = fields.value(r);
        QTableWidgetItem* item = m_table->item(r, 1);
        if (!item) {
            item = new QTableWidgetItem;
            m_table->setItem(r, 1, item);
        }
        item->setFlags(Qt::ItemIsEnabled);
        item->setText(value);
        item->setToolTip(value);
    }
    m_table->scrollToTop();
    m_buttons[0]->setFocus();
    const int result = exec();
    return result == Discard || result == Correct ? result : Continue;
}

bool DoppeltForm::FormKeyPress(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_1: done(Continue); return true;
    case Qt::Key_2: done(Discard); return true;
    case Qt::Key_3: done(Correct); return true;
    default: return false;
    }
}

bool DoppeltForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void DoppeltForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyPress(event))
        QDialog::keyPressEvent(event);
}
