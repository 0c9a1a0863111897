#include "entry/EntryPage.h"

#include "app/Session.h"
#include "entry/LogGridView.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
QLabel* valueLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    label->setFont(f);
    label->setMinimumWidth(70);
    return label;
}
} // namespace

EntryPage::EntryPage(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    auto* mask = new QWidget(this);
    auto* grid = new QGridLayout(mask);
    const QStringList captions = {QStringLiteral("#"), QStringLiteral("Band"), QStringLiteral("Mode"),
                                  QStringLiteral("TX Pwr")};
    m_numberLabel = valueLabel(QStringLiteral("NumberLabel"), QStringLiteral("1"), mask);
    m_bandLabel = valueLabel(QStringLiteral("BandLabel"), QStringLiteral("80m"), mask);
    m_modeLabel = valueLabel(QStringLiteral("ModeLabel"), QStringLiteral("SSB"), mask);
    m_txPwrLabel = valueLabel(QStringLiteral("TxPwrLabel"), QStringLiteral("100W"), mask);
    const QList<QLabel*> values = {m_numberLabel, m_bandLabel, m_modeLabel, m_txPwrLabel};
    for (int i = 0; i < values.size(); ++i) {
        grid->addWidget(new QLabel(captions[i], mask), 0, i);
        grid->addWidget(values[i], 1, i);
    }
    m_userMemo = new QPlainTextEdit(mask);
    m_userMemo->setObjectName(QStringLiteral("UserMemo"));
    m_userMemo->setMaximumHeight(110);
    m_userMemo->setMinimumWidth(220);
    grid->addWidget(m_userMemo, 0, static_cast<int>(values.size()) + 1, 2, 1);
    grid->setColumnStretch(static_cast<int>(values.size()), 1);

    m_lowerList = new LogGridView(QStringLiteral("Liste2StringGrid"), this);
    m_lowerList->setModel(&m_session.model());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mask);
    layout->addWidget(m_lowerList, 1);
}

void EntryPage::setNextNumber(int number) { m_numberLabel->setText(QString::number(number)); }

void EntryPage::carryOver(const QString& band, const QString& mode, const QString& power) {
    if (!band.isEmpty())
        m_bandLabel->setText(band);
    if (!mode.isEmpty())
        m_modeLabel->setText(mode);
    if (!power.isEmpty())
        m_txPwrLabel->setText(power);
}

QString EntryPage::userMemoText() const { return m_userMemo->toPlainText(); }

void EntryPage::setUserMemoText(const QString& text) { m_userMemo->setPlainText(text); }
