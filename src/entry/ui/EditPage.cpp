#include "entry/ui/EditPage.h"

#include "platform/ui/LinkLabel.h"

#include "entry/InfoLabels.h"

#include "session/Session.h"
#include "entry/ui/CheckedDateEdit.h"
#include "logstore/BandList.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "windows/ui/TextForm.h"
#include "platform/ProgramTexts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

using Field = QsoRecord::Field;

// What an empty date or time picker shows: the zero of the date type.
const QDate kZeroDate(1899, 12, 30);

QLineEdit* lineEdit(const QString& name, int widthChars, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(widthChars, u'M')) + 12);
    return e;
}

QComboBox* comboBox(const QString& name, const QStringList& items, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    // Return in the box must not add what was typed to the fixed items.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    return c;
}

QLabel* valueLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// The DXCC and district labels act as links (they open more about the entity
// or the district's web site).
QGroupBox* groupBox(const QString& name, const QString& title, QWidget* parent) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(name);
    return g;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

EditPage::EditPage(Session& session, TextForm& textForm, QWidget* parent)
    : QWidget(parent), m_session(session), m_textForm(textForm) {
    setObjectName(QStringLiteral("EditPage"));
    buildControls();
    layOut();
    clearControls();
}

void EditPage::buildControls() {
    const QStringList& titles = QsoRecord::gridTitles();
    static const char* const kCaptionNames[] = {
        "eNumberCaption", "eDateCaption",     "eUtcCaption",      "eBandCaption",
        "eModeCaption",   "eCallCaption",     "eRstTxCaption",    "eRstRxCaption",
        "eDokCaption",    "eNameCaption",     "eQthCaption",      "eLocatorCaption",
        "eTxPwrCaption",  "eCommentsCaption", "eQslOutCaption",   "eQslInCaption"};
    for (int f = 1; f <= QsoRecord::FieldCount; ++f) {
        m_captions[f] = new QLabel(titles[f - 1], this);
        m_captions[f]->setObjectName(QString::fromLatin1(kCaptionNames[f - 1]));
    }

    m_numberLabel = valueLabel(QStringLiteral("eNumberLabel"), this);
    QFont bold = m_numberLabel->font();
    bold.setBold(true);
    m_numberLabel->setFont(bold);

    m_datePicker = new QDateEdit(this);
    m_datePicker->setObjectName(QStringLiteral("eDatePicker"));
    m_datePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setMinimumDate(EditRules::earliestDate());
    m_utcPicker = new QTimeEdit(this);
    m_utcPicker->setObjectName(QStringLiteral("eUtcPicker"));
    m_utcPicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));

    m_bandBox = comboBox(QStringLiteral("eBandComboBox"), BandList::texts(), this);
    m_modeBox = comboBox(QStringLiteral("eModeComboBox"),
                         {QStringLiteral("CW"), QStringLiteral("SSB"), QStringLiteral("FM"),
                          QStringLiteral("AM"), QStringLiteral("SSTV")},
                         this);
    m_callEdit = lineEdit(QStringLiteral("eCallEdit"), 11, this);
    m_rstTxEdit = lineEdit(QStringLiteral("eRstTxEdit"), 7, this);
    m_rstRxEdit = lineEdit(QStringLiteral("eRstRxEdit"), 7, this);
    m_dokEdit = lineEdit(QStringLiteral("eDokEdit"), 7, this);
    m_nameEdit = lineEdit(QStringLiteral("eNameEdit"), 24, this);
    m_qthEdit = lineEdit(QStringLiteral("eQthEdit"), 24, this);
    m_locatorEdit = lineEdit(QStringLiteral("eLocatorEdit"), 7, this);
    m_txPwrEdit = lineEdit(QStringLiteral("eTxPwrEdit"), 7, this);
    m_commentsMemo = new QPlainTextEdit(this);
    m_commentsMemo->setObjectName(QStringLiteral("eCommentsMemo"));
    m_commentsMemo->setTabChangesFocus(true);
    m_qslOutPicker = new CheckedDateEdit(QStringLiteral("eQslOutPicker"), this);
    m_qslInPicker = new CheckedDateEdit(QStringLiteral("eQslInPicker"), this);
    for (CheckedDateEdit* picker : {m_qslOutPicker, m_qslInPicker})
        picker->dateEdit()->setMinimumDate(EditRules::earliestDate());

    m_bearingValue = valueLabel(QStringLiteral("eBearingValueLabel"), this);
    m_distanceValue = valueLabel(QStringLiteral("eDistanceValueLabel"), this);
    m_dxccValue = valueLabel(QStringLiteral("eDxccLabel"), this);
    m_ovValue = valueLabel(QStringLiteral("eOvLabel"), this);
    m_distriktValue = valueLabel(QStringLiteral("eDistriktLabel"), this);
    LinkLabel::style(m_dxccValue);
    LinkLabel::style(m_distriktValue);
    m_distriktValue->installEventFilter(this);
    m_dxccValue->installEventFilter(this);

    m_commentsBtn = button(QStringLiteral("eCommentsBtn"), QStringLiteral("Texteditor"), this);
    m_okBtn = button(QStringLiteral("eOkBtn"), QStringLiteral("&Daten Speichern"), this);
    m_deleteBtn = button(QStringLiteral("eDeleteBtn"), QString(), this);
    ProgramTexts::follow(m_deleteBtn, [b = m_deleteBtn] { b->setText(msgText(Msg::DeleteContactButton)); });
    m_qslInAddBtn = button(QStringLiteral("eQslInAddBtn"), QStringLiteral("QSL umbenennen"), this);
    m_qslInShowBtn = button(QStringLiteral("eQslInShowBtn"), QStringLiteral("QSL anzeigen"), this);

    for (QLineEdit* e : {m_callEdit, m_rstTxEdit, m_rstRxEdit, m_dokEdit, m_locatorEdit, m_txPwrEdit})
        e->installEventFilter(this);
    connect(m_qslInAddBtn, &QPushButton::clicked, this, [this] {
        if (m_cards.renameScan)
            m_cards.renameScan(m_callEdit->text(), m_qslInAddBtn->text().remove(u'&'));
        updateQslButtons();
    });
    connect(m_qslInShowBtn, &QPushButton::clicked, this, [this] {
        if (m_cards.showCards)
            m_cards.showCards(m_callEdit->text());
    });

    const auto changes = [this](QObject* control) { return [this, control] { eChange(control); }; };
    connect(m_datePicker, &QDateEdit::dateChanged, this, changes(m_datePicker));
    connect(m_utcPicker, &QTimeEdit::timeChanged, this, changes(m_utcPicker));
    for (QComboBox* c : {m_bandBox, m_modeBox})
        connect(c, &QComboBox::currentTextChanged, this, changes(c));
    for (QLineEdit* e :
         {m_callEdit, m_rstTxEdit, m_rstRxEdit, m_dokEdit, m_nameEdit, m_qthEdit, m_locatorEdit, m_txPwrEdit})
        connect(e, &QLineEdit::textChanged, this, changes(e));
    connect(m_commentsMemo, &QPlainTextEdit::textChanged, this, changes(m_commentsMemo));
    for (CheckedDateEdit* picker : {m_qslOutPicker, m_qslInPicker})
        connect(picker, &CheckedDateEdit::changed, this, changes(picker));

    connect(m_commentsBtn, &QPushButton::clicked, this, &EditPage::eCommentsBtnClick);
    connect(m_okBtn, &QPushButton::clicked, this, &EditPage::eOkBtnClick);
    connect(m_deleteBtn, &QPushButton::clicked, this, &EditPage::eDeleteBtnClick);
}

void EditPage::layOut() {
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    const auto add = [&](int row, int column, int field, QWidget* control, int span = 1) {
        form->addWidget(m_captions[field], row, column);
        form->addWidget(control, row, column + 1, 1, span);
        m_captions[field]->setBuddy(control);
    };
    // Left: when and how; right: who. The pairs that belong together (date
    // and time, the two reports) stand side by side.
    add(0, 0, Field::Number, m_numberLabel);
    add(1, 0, Field::Date, m_datePicker);
    add(1, 2, Field::Utc, m_utcPicker);
    add(2, 0, Field::Band, m_bandBox);
    add(2, 2, Field::Mode, m_modeBox);
    add(3, 0, Field::RstTx, m_rstTxEdit);
    add(3, 2, Field::RstRx, m_rstRxEdit);
    add(4, 0, Field::TxPwr, m_txPwrEdit);
    add(5, 0, Field::QslOut, m_qslOutPicker);
    add(6, 0, Field::QslIn, m_qslInPicker);
    auto* qslButtons = new QHBoxLayout;
    qslButtons->addWidget(m_qslInAddBtn);
    qslButtons->addWidget(m_qslInShowBtn);
    qslButtons->addStretch(1);
    form->addLayout(qslButtons, 6, 2, 1, 2);

    add(0, 5, Field::Call, m_callEdit);
    add(1, 5, Field::Dok, m_dokEdit);
    add(2, 5, Field::Name, m_nameEdit);
    add(3, 5, Field::Qth, m_qthEdit);
    add(4, 5, Field::Locator, m_locatorEdit);
    form->setColumnMinimumWidth(4, 24);

    auto* comments = new QGridLayout;
    comments->addWidget(m_captions[Field::Comments], 0, 0, Qt::AlignTop);
    comments->addWidget(m_commentsMemo, 0, 1, 2, 1);
    comments->addWidget(m_commentsBtn, 1, 0, Qt::AlignBottom);
    m_captions[Field::Comments]->setBuddy(m_commentsMemo);
    m_commentsMemo->setFixedHeight(m_commentsMemo->fontMetrics().lineSpacing() * 5 + 12);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addSpacing(6);
    left->addLayout(comments);
    auto* save = new QHBoxLayout;
    // Far from the save button, which Return and a quick click aim at.
    save->addWidget(m_deleteBtn);
    save->addStretch(1);
    save->addWidget(m_okBtn);
    left->addLayout(save);
    left->addStretch(1);

    auto* dxcc = groupBox(QStringLiteral("eDxccGroupBox"), QStringLiteral("DXCC"), this);
    (new QVBoxLayout(dxcc))->addWidget(m_dxccValue);
    auto* club = groupBox(QStringLiteral("eDokGroupBox"), QString(), this);
    ProgramTexts::follow(club, [club] { club->setTitle(msgText(Msg::DokGroupTitle)); });
    {
        auto* l = new QVBoxLayout(club);
        l->addWidget(m_ovValue);
        l->addWidget(m_distriktValue);
    }
    auto* bearing =
        groupBox(QStringLiteral("GroupBox1"), QStringLiteral("Antennenrichtung/Entfernung"), this);
    {
        auto* l = new QHBoxLayout(bearing);
        l->addWidget(m_bearingValue);
        l->addWidget(m_distanceValue);
    }
    for (QLabel* l : {m_dxccValue, m_ovValue, m_distriktValue, m_bearingValue, m_distanceValue})
        l->setMinimumHeight(l->fontMetrics().height());
    auto* right = new QVBoxLayout;
    right->addWidget(dxcc);
    right->addWidget(club);
    right->addWidget(bearing);
    right->addStretch(1);
    for (QGroupBox* g : {dxcc, club, bearing})
        g->setFixedWidth(260);

    auto* page = new QHBoxLayout(this);
    page->addLayout(left);
    page->addSpacing(16);
    page->addLayout(right);
    page->addStretch(1);

    // Tab follows the fields' order in the log.
    QWidget* previous = m_datePicker;
    for (QWidget* next : std::initializer_list<QWidget*>{
             m_utcPicker, m_bandBox, m_modeBox, m_callEdit, m_rstTxEdit, m_rstRxEdit, m_dokEdit, m_nameEdit,
             m_qthEdit, m_locatorEdit, m_txPwrEdit, m_commentsMemo, m_commentsBtn, m_qslOutPicker,
             m_qslInPicker, m_qslInAddBtn, m_qslInShowBtn, m_okBtn, m_deleteBtn}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void EditPage::clearControls() {
    const QDate today = m_session.clock().localNow().date();
    m_numberLabel->clear();
    m_datePicker->setDate(kZeroDate);
    m_utcPicker->setTime(QTime(0, 0));
    for (QComboBox* c : {m_bandBox, m_modeBox})
        c->setEditText(QString());
    for (QLineEdit* e :
         {m_callEdit, m_rstTxEdit, m_rstRxEdit, m_dokEdit, m_nameEdit, m_qthEdit, m_locatorEdit, m_txPwrEdit})
        e->clear();
    m_commentsMemo->clear();
    for (CheckedDateEdit* picker : {m_qslOutPicker, m_qslInPicker})
        picker->setFieldText(QString(), today);
    showDxcc();
    showClubAndDistrict();
    showBearingAndDistance();
    updateCaptions();
    updateQslButtons();
    setSavable(0);
}

void EditPage::setSavable(int recordNumber) {
    m_recordNumber = recordNumber;
    m_okBtn->setEnabled(recordNumber > 0);
    m_deleteBtn->setEnabled(recordNumber > 0);
}

void EditPage::EditierenTSShow(int recordNumber) {
    clearControls();
    if (recordNumber < 1 || !m_session.hasLog())
        return;
    QsoRecord inFile;
    bool found = false;
    try {
        found = m_session.log()->ReadRecord(inFile, recordNumber);
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
        return;
    }
    const LogTableModel& rows = m_session.model();
    if (!found || recordNumber > rows.recordCount() ||
        !EditRules::sameContact(inFile, rows.record(recordNumber - 1))) {
        reportChangedOutside(recordNumber, EditRules::OutsideChange::BeforeOpening);
        return;
    }
    loadControls(recordNumber, inFile);
}

// Loads in the fields' order and stops at the first date or time the
// controls cannot show; the tab then must not save, or the fields not loaded
// would overwrite the contact.
void EditPage::loadControls(int recordNumber, const QsoRecord& r) {
    const QDate today = m_session.clock().localNow().date();
    const int unreadable = EditRules::firstUnreadableField(r, today.year());
    const auto stopsAt = [&](int field) {
        if (unreadable != field)
            return false;
        m_session.dialogs().error(EditRules::unreadableFieldMessage(m_session.currentLogName(), recordNumber,
                                                                    field, r[field]));
        return true;
    };

    m_numberLabel->setText(r[Field::Number]);
    if (stopsAt(Field::Date))
        return;
    m_datePicker->setDate(*EditRules::readDate(r[Field::Date], today.year()));
    if (stopsAt(Field::Utc))
        return;
    m_utcPicker->setTime(*DateText::parseTime(r[Field::Utc]));
    m_bandBox->setEditText(r[Field::Band]);
    m_modeBox->setEditText(r[Field::Mode]);
    const std::pair<QLineEdit*, int> texts[] = {
        {m_callEdit, Field::Call}, {m_rstTxEdit, Field::RstTx}, {m_rstRxEdit, Field::RstRx},
        {m_dokEdit, Field::Dok},   {m_nameEdit, Field::Name},   {m_qthEdit, Field::Qth},
        {m_locatorEdit, Field::Locator}, {m_txPwrEdit, Field::TxPwr}};
    for (const auto& [edit, field] : texts)
        edit->setText(r[field]);
    m_commentsMemo->setPlainText(r[Field::Comments]);
    if (stopsAt(Field::QslOut))
        return;
    m_qslOutPicker->setFieldText(r[Field::QslOut], today);
    if (stopsAt(Field::QslIn))
        return;
    m_qslInPicker->setFieldText(r[Field::QslIn], today);

    m_loaded = r;
    setSavable(recordNumber);
}

QString EditPage::numberText() const { return m_numberLabel->text(); }

QsoRecord EditPage::currentRecord() const {
    QsoRecord r;
    r[Field::Number] = m_numberLabel->text();
    r[Field::Date] = DateText::formatDate(m_datePicker->date());
    r[Field::Utc] = DateText::formatTime(m_utcPicker->time());
    r[Field::Band] = m_bandBox->currentText();
    r[Field::Mode] = m_modeBox->currentText();
    r[Field::Call] = m_callEdit->text();
    r[Field::RstTx] = m_rstTxEdit->text();
    r[Field::RstRx] = m_rstRxEdit->text();
    r[Field::Dok] = m_dokEdit->text();
    r[Field::Name] = m_nameEdit->text();
    r[Field::Qth] = m_qthEdit->text();
    r[Field::Locator] = m_locatorEdit->text();
    r[Field::TxPwr] = m_txPwrEdit->text();
    r[Field::Comments] = TextForm::plainText(m_commentsMemo);
    r[Field::QslOut] = m_qslOutPicker->fieldText();
    r[Field::QslIn] = m_qslInPicker->fieldText();
    return r;
}

void EditPage::reportChangedOutside(int recordNumber, EditRules::OutsideChange when) {
    setSavable(0);
    m_session.dialogs().error(
        EditRules::changedOutsideMessage(m_session.currentLogName(), recordNumber, when));
    Q_EMIT logChangedOutside();
}

void EditPage::eOkBtnClick() {
    const int n = m_recordNumber;
    if (n < 1 || !m_session.hasLog())
        return;
    const QsoRecord record = currentRecord();
    LogFile& log = *m_session.log();
    try {
        // Another program may have rewritten the log while the tab was open;
        // record n would then be some other contact.
        const auto stillShown = [this](const QsoRecord& inFile) { return EditRules::sameContact(inFile, m_loaded); };
        if (!log.ReplaceRecordIf(n, stillShown, record)) {
            reportChangedOutside(n, EditRules::OutsideChange::WhileEditing);
            return;
        }
    } catch (const IoError& e) {
        m_session.dialogs().error(e.message());
        return;
    }
    m_loaded = record;
    const ReturnTarget target = m_returnTarget;
    m_returnTarget = ReturnTarget::List;
    Q_EMIT saved(n, target);
}

void EditPage::eDeleteBtnClick() {
    if (m_recordNumber < 1 || !m_session.hasLog())
        return;
    Q_EMIT deleteRequested(m_recordNumber, m_loaded);
}

void EditPage::eCommentsBtnClick() {
    m_commentsMemo->setPlainText(m_textForm.editModally(TextForm::plainText(m_commentsMemo)));
}

void EditPage::eChange(QObject* changed) {
    updateCaptions();
    if (changed == m_callEdit)
        showDxcc();
    else if (changed == m_dokEdit)
        showClubAndDistrict();
    else if (changed == m_locatorEdit)
        showBearingAndDistance();
    else if (changed == m_txPwrEdit)
        appendWattUnit();
    updateQslButtons();
}

void EditPage::updateCaptions() {
    const std::pair<int, QString> fields[] = {
        {Field::Band, m_bandBox->currentText()}, {Field::Mode, m_modeBox->currentText()},
        {Field::Call, m_callEdit->text()},       {Field::RstTx, m_rstTxEdit->text()},
        {Field::RstRx, m_rstRxEdit->text()},     {Field::Locator, m_locatorEdit->text()},
        {Field::TxPwr, m_txPwrEdit->text()}};
    for (const auto& [field, text] : fields) {
        QPalette p;
        if (EditRules::captionWarns(field, text))
            p.setColor(QPalette::WindowText, Qt::red);
        m_captions[field]->setPalette(p);
    }
}

void EditPage::appendWattUnit() {
    const QString text = m_txPwrEdit->text();
    const QString withUnit = EditRules::withWattUnit(text);
    if (withUnit == text)
        return;
    const int caret = m_txPwrEdit->cursorPosition();
    m_txPwrEdit->setText(withUnit);
    m_txPwrEdit->setCursorPosition(caret);
}

void EditPage::updateQslButtons() {
    m_qslInAddBtn->setVisible(m_qslInPicker->isChecked());
    m_qslInShowBtn->setVisible(m_cards.hasCards && m_cards.hasCards(m_callEdit->text()));
}

void EditPage::setCardHandlers(CardHandlers handlers) {
    m_cards = std::move(handlers);
    updateQslButtons();
}

void EditPage::markCardReceived(const QDate& date) {
    if (m_qslInPicker->isChecked())
        return;
    m_qslInPicker->setChecked(true);
    m_qslInPicker->setDate(date);
}

void EditPage::showDxcc() {
    const QString call = m_callEdit->text();
    m_dxccValue->setText(call.size() >= 3 ? InfoLabels::dxccCountry(m_session, call) : QString());
}

void EditPage::showClubAndDistrict() {
    const DokDirectory::Labels labels = InfoLabels::dokLabels(m_session, m_dokEdit->text());
    m_ovValue->setText(labels.club);
    if (labels.districtSet)
        m_distriktValue->setText(labels.district);
}

void EditPage::showBearingAndDistance() {
    const Locator::BearingDistance result = InfoLabels::bearingDistance(m_session, m_locatorEdit->text());
    m_bearingValue->setText(result.bearing);
    m_distanceValue->setText(result.distance);
    if (!result.message.isEmpty())
        m_session.dialogs().error(result.message);
}

// Call, reports, DOK and locator are written in capitals; the power takes
// digits and the decimal comma only (its unit is added). Editing keys and
// shortcuts carry no printable text and pass.
bool EditPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_distriktValue && event->type() == QEvent::MouseButtonRelease) {
        InfoLabels::openDistrict(m_session, m_distriktValue->text(), m_dokEdit->text());
        return true;
    }
    if (watched == m_dxccValue && event->type() == QEvent::MouseButtonRelease) {
        if (!m_dxccValue->text().isEmpty())
            Q_EMIT dxccInfoRequested(m_callEdit->text());
        return true;
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    if (edit == m_txPwrEdit)
        return !std::all_of(text.cbegin(), text.cend(), EditRules::powerCharAllowed);
    const QString upper = EditRules::upperLetters(text);
    if (upper == text)
        return false;
    edit->insert(upper);
    return true;
}
