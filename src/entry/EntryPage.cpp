#include "entry/EntryPage.h"

#include "app/Session.h"
#include "entry/CheckedDateEdit.h"
#include "entry/EntryRules.h"
#include "entry/FunctionButtonStrip.h"
#include "entry/InfoLabels.h"
#include "entry/LogGridView.h"
#include "entry/TxPowerEdit.h"
#include "entry/UpperCaseValidator.h"
#include "logstore/BandList.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "logstore/QsoRecord.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor kCaptionActive(Qt::red);
const QColor kCaptionLeft(0x00, 0x80, 0x00);
const QColor kInvalid(0xFF, 0x60, 0x60);
const char* const kInvalidProperty = "veskInvalid";

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLabel* valueLabel(const QString& name, const QString& text, QWidget* parent) {
    QLabel* label = namedLabel(name, text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    label->setFont(f);
    label->setMinimumWidth(60);
    return label;
}

QLineEdit* lineEdit(const QString& name, QWidget* parent, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMinimumWidth(width);
    return e;
}

void paintText(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

// Call, RST and the other upper-case fields: letters typed in lower case
// become capitals.
void keepUpperCase(QLineEdit* edit) { edit->setValidator(new UpperCaseValidator(edit)); }

bool isReturn(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

} // namespace

EntryPage::EntryPage(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    m_shown.fill(true);
    buildMask();
    m_clock = new QTimer(this);
    m_clock->setInterval(500);
    connect(m_clock, &QTimer::timeout, this, &EntryPage::AutoDateTimeTimerTimer);
    m_clock->start();
    AutoDateTimeTimerTimer();
    const QDate today = m_session.clock().localNow().date();
    m_qslOutPicker->setFieldText(QString(), today);
    m_qslInPicker->setFieldText(QString(), today);
    NewButtonCaption();
}

void EntryPage::buildMask() {
    auto* mask = new QWidget(this);
    mask->setObjectName(QStringLiteral("EingabePanel"));
    auto* outer = new QGridLayout(mask);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setVerticalSpacing(6);

    m_buttons = new FunctionButtonStrip(mask);
    connect(m_buttons, &FunctionButtonStrip::clicked, this, [this](int n) { handleFunctionKey(n, true); });
    outer->addWidget(m_buttons, 0, 0, 1, 2);

    // The values a contact takes over: number, date, time, band, mode, power.
    auto* values = new QGridLayout;
    values->setHorizontalSpacing(18);
    m_numberLabel = valueLabel(QStringLiteral("NumberLabel"), QStringLiteral("1"), mask);
    m_dateLabel = valueLabel(QStringLiteral("DateLabel"), QString(), mask);
    m_utcLabel = valueLabel(QStringLiteral("UtcLabel"), QString(), mask);
    m_bandLabel = valueLabel(QStringLiteral("BandLabel"), QStringLiteral("70cm"), mask);
    m_modeLabel = valueLabel(QStringLiteral("ModeLabel"), QStringLiteral("SSB"), mask);
    m_txPwrLabel = valueLabel(QStringLiteral("TxPwrLabel"), QStringLiteral("100W"), mask);
    const QList<std::pair<QString, QLabel*>> shown = {{QStringLiteral("#"), m_numberLabel},
                                                      {QStringLiteral("Date"), m_dateLabel},
                                                      {QStringLiteral("UTC"), m_utcLabel},
                                                      {QStringLiteral("Band"), m_bandLabel},
                                                      {QStringLiteral("Mode"), m_modeLabel},
                                                      {QStringLiteral("TX Pwr"), m_txPwrLabel}};
    for (int i = 0; i < shown.size(); ++i) {
        values->addWidget(new QLabel(shown[i].first, mask), 0, i);
        values->addWidget(shown[i].second, 1, i);
    }
    m_dateLabel->setMinimumWidth(120);
    m_utcLabel->setMinimumWidth(90);
    values->setColumnStretch(static_cast<int>(shown.size()), 1);
    for (QLabel* l : {m_dateLabel, m_utcLabel, m_bandLabel, m_modeLabel, m_txPwrLabel}) {
        l->installEventFilter(this);
        l->setToolTip(QStringLiteral("Doppelklick: ändern"));
    }
    m_itemWidgets[MaskItem::TxPwr] = {};
    outer->addLayout(values, 1, 0);

    m_userMemo = new QPlainTextEdit(mask);
    m_userMemo->setObjectName(QStringLiteral("UserMemo"));
    m_userMemo->setMinimumWidth(220);
    m_userMemo->setMaximumWidth(320);
    m_userMemo->setMaximumHeight(150);
    outer->addWidget(m_userMemo, 1, 1, 3, 1);

    // The stepping fields, each caption above its control.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    m_callEdit = lineEdit(QStringLiteral("CallEdit"), mask, 110);
    m_rstTxEdit = lineEdit(QStringLiteral("RstTxEdit"), mask, 70);
    m_rstRxEdit = lineEdit(QStringLiteral("RstRxEdit"), mask, 70);
    m_dokEdit = lineEdit(QStringLiteral("DokEdit"), mask, 60);
    m_locatorEdit = lineEdit(QStringLiteral("LocatorEdit"), mask, 70);
    m_locatorEdit->setMaxLength(6);
    m_qthEdit = lineEdit(QStringLiteral("QthEdit"), mask, 120);
    m_nameEdit = lineEdit(QStringLiteral("NameEdit"), mask, 100);
    m_commentsMemo = new QPlainTextEdit(mask);
    m_commentsMemo->setObjectName(QStringLiteral("CommentsMemo"));
    m_commentsMemo->setTabChangesFocus(true);
    m_commentsMemo->setFixedHeight(m_callEdit->sizeHint().height() * 2);
    m_qslOutPicker = new CheckedDateEdit(QStringLiteral("QslOutPicker"), mask);
    m_qslInPicker = new CheckedDateEdit(QStringLiteral("QslInPicker"), mask);
    for (QLineEdit* e : {m_callEdit, m_rstTxEdit, m_rstRxEdit, m_dokEdit, m_locatorEdit})
        keepUpperCase(e);
    connect(m_callEdit, &QLineEdit::textChanged, this, &EntryPage::CallEditChange);
    connect(m_locatorEdit, &QLineEdit::textChanged, this, &EntryPage::LocatorEditChange);
    connect(m_dokEdit, &QLineEdit::textChanged, this, &EntryPage::DokEditChange);

    struct Column {
        QWidget* widget;
        QString captionName;
        QString caption;
        int step;
        int item;
    };
    const QList<Column> row1 = {{m_callEdit, QStringLiteral("CallCaptionLabel"), QStringLiteral("Call"), 0, -1},
                                {m_rstTxEdit, QStringLiteral("RstTxCaptionLabel"), QStringLiteral("RST (+Nr) TX"), 2, -1},
                                {m_rstRxEdit, QStringLiteral("RstRxCaptionLabel"), QStringLiteral("RST (+Nr) RX"), 3, -1},
                                {m_dokEdit, QStringLiteral("DokCaptionLabel"), QStringLiteral("DOK"), 4, MaskItem::Dok},
                                {m_locatorEdit, QStringLiteral("LocatorCaptionLabel"), QStringLiteral("Locator"), 5,
                                 MaskItem::Locator},
                                {m_qthEdit, QStringLiteral("QthCaptionLabel"), QStringLiteral("QTH"), 6, MaskItem::Qth},
                                {m_nameEdit, QStringLiteral("NameCaptionLabel"), QStringLiteral("Name"), 7, MaskItem::Name}};
    const QList<Column> row2 = {
        {m_commentsMemo, QStringLiteral("CommentsCaptionLabel"), QStringLiteral("Comments"), 8, MaskItem::Comments},
        {m_qslOutPicker, QStringLiteral("QslOutCaptionLabel"), QStringLiteral("QSL Out"), 9, MaskItem::QslOut},
        {m_qslInPicker, QStringLiteral("QslInCaptionLabel"), QStringLiteral("QSL In"), 10, MaskItem::QslIn}};
    auto place = [&](const Column& c, int row, int column, int span) {
        QLabel* caption = namedLabel(c.captionName, c.caption, mask);
        fields->addWidget(caption, row, column, 1, span);
        fields->addWidget(c.widget, row + 1, column, 1, span);
        m_fields.append({c.widget, caption, c.step, c.item});
        if (c.item >= 0)
            m_itemWidgets[static_cast<std::size_t>(c.item)] << c.widget << caption;
        if (auto* picker = qobject_cast<CheckedDateEdit*>(c.widget)) {
            picker->checkBox()->installEventFilter(this);
            picker->dateEdit()->installEventFilter(this);
        } else {
            c.widget->installEventFilter(this);
        }
    };
    for (int i = 0; i < row1.size(); ++i)
        place(row1[i], 0, i, 1);
    place(row2[0], 2, 0, 3);
    place(row2[1], 2, 3, 2);
    place(row2[2], 2, 5, 2);
    fields->setColumnStretch(6, 1);
    fields->setColumnStretch(5, 1);
    m_rstTxCaption = m_fields[1].caption;
    m_rstRxCaption = m_fields[2].caption;
    outer->addLayout(fields, 2, 0);

    // What the program knows about the station being logged.
    auto* info = new QHBoxLayout;
    info->setSpacing(10);
    m_dxccValueLabel = namedLabel(QStringLiteral("DxccValueLabel"), QString(), mask);
    m_ovValueLabel = namedLabel(QStringLiteral("OvValueLabel"), QString(), mask);
    m_distriktValueLabel = namedLabel(QStringLiteral("DistriktValueLabel"), QString(), mask);
    QLabel* bearingCaption = namedLabel(QStringLiteral("BearingLabel"), QStringLiteral("Richtung"), mask);
    m_bearingValueLabel = namedLabel(QStringLiteral("BearingValueLabel"), QString(), mask);
    QLabel* distanceCaption = namedLabel(QStringLiteral("DistanceLabel"), QStringLiteral("Entfernung"), mask);
    m_distanceValueLabel = namedLabel(QStringLiteral("DistanceValueLabel"), QString(), mask);
    auto* callbook = namedLabel(QStringLiteral("CallbookLabel"), QStringLiteral("Im Callbook suchen ([Strg]+[B]ook)"), mask);
    QPalette link = callbook->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    for (QLabel* l : {m_dxccValueLabel, m_distriktValueLabel, callbook})
        l->setPalette(link);
    for (QLabel* l : {m_dxccValueLabel, m_distriktValueLabel, callbook}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_dxccValueLabel, m_ovValueLabel, m_distriktValueLabel,
                                                      bearingCaption, m_bearingValueLabel, distanceCaption,
                                                      m_distanceValueLabel})
        info->addWidget(w);
    info->addStretch(1);
    info->addWidget(callbook);
    m_itemWidgets[MaskItem::Dok] << m_ovValueLabel << m_distriktValueLabel;
    m_itemWidgets[MaskItem::Locator] << bearingCaption << m_bearingValueLabel << distanceCaption
                                     << m_distanceValueLabel;
    outer->addLayout(info, 3, 0);

    auto* shortcuts = namedLabel(QStringLiteral("ShortCutLabel"),
                                 QStringLiteral("[RT] = nächstes Feld bzw Eintragen    [ESC] = Eingabemaske löschen    "
                                                "[Ctrl] + [L] zur Liste unten springen"),
                                 mask);
    outer->addWidget(shortcuts, 4, 0, 1, 2);
    outer->setColumnStretch(0, 1);

    buildEditors(mask);

    m_lowerList = new LogGridView(QStringLiteral("Liste2StringGrid"), this);
    m_lowerList->setModel(&m_session.model());
    m_lowerList->installEventFilter(this);
    m_lowerList->viewport()->installEventFilter(this);
    connect(m_lowerList, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT lowerListActivated(index.row()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(mask);
    layout->addWidget(m_lowerList, 1);
}

void EntryPage::buildEditors(QWidget* mask) {
    m_datePicker = new QDateEdit(mask);
    m_datePicker->setObjectName(QStringLiteral("DatePicker"));
    m_datePicker->setDisplayFormat(QStringLiteral("dddd, dd. MMMM yyyy"));
    m_datePicker->setLocale(QLocale(QLocale::German, QLocale::Germany));
    m_datePicker->setFixedWidth(230);
    m_utcPicker = new QTimeEdit(mask);
    m_utcPicker->setObjectName(QStringLiteral("UtcPicker"));
    m_utcPicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_utcPicker->setFixedWidth(110);
    m_bandListBox = new QListWidget(mask);
    m_bandListBox->setObjectName(QStringLiteral("BandListBox"));
    m_bandListBox->addItems(BandList::texts());
    m_bandListBox->addItem(QStringLiteral("..."));
    m_modeListBox = new QListWidget(mask);
    m_modeListBox->setObjectName(QStringLiteral("ModeListBox"));
    m_modeListBox->addItems(ModeList::matchTexts());
    m_modeListBox->addItem(QStringLiteral("..."));
    for (QListWidget* list : {m_bandListBox, m_modeListBox}) {
        list->setFixedSize(90, list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth() + 2);
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, list] { confirmEditor(list == m_bandListBox ? MaskItem::Band : MaskItem::Mode); });
    }
    m_txPwrEdit = new TxPowerEdit(mask);
    m_txPwrEdit->setFixedWidth(90);
    connect(m_txPwrEdit, &TxPowerEdit::confirmed, this, [this] { confirmEditor(MaskItem::TxPwr); });
    connect(m_txPwrEdit, &TxPowerEdit::unitHint, this, [this](QChar unit) {
        const int text = unit == u'm' ? LanguageTexts::PowerMilliwatt
                         : unit == u'k' ? LanguageTexts::PowerKilowatt
                                        : LanguageTexts::PowerMegawatt;
        m_session.dialogs().info(m_session.texts()[text]);
    });
    for (QWidget* editor : std::initializer_list<QWidget*>{m_datePicker, m_utcPicker, m_bandListBox, m_modeListBox,
                                                           m_txPwrEdit}) {
        editor->hide();
        editor->installEventFilter(this);
    }
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

QString EntryPage::callText() const { return m_callEdit->text(); }
QString EntryPage::dokText() const { return m_dokEdit->text(); }
QString EntryPage::locatorText() const { return m_locatorEdit->text(); }

int EntryPage::nextNumber() const {
    bool ok = false;
    const int number = m_numberLabel->text().toInt(&ok);
    return ok ? number : m_session.model().recordCount() + 1;
}

void EntryPage::setReferenceFields(const QsoRecord& record) {
    m_locatorEdit->setText(record[QsoRecord::Locator]);
    m_dokEdit->setText(record[QsoRecord::Dok]);
    m_nameEdit->setText(record[QsoRecord::Name]);
    m_qthEdit->setText(record[QsoRecord::Qth]);
}

void EntryPage::copyFromReference(const QsoRecord& record) {
    m_callEdit->setText(record[QsoRecord::Call]);
    m_dokEdit->setText(record[QsoRecord::Dok]);
    m_nameEdit->setText(record[QsoRecord::Name]);
    m_qthEdit->setText(record[QsoRecord::Qth]);
    m_locatorEdit->setText(record[QsoRecord::Locator]);
    focusCall();
}
QString EntryPage::bandText() const { return m_bandLabel->text(); }
QString EntryPage::modeText() const { return m_modeLabel->text(); }
QString EntryPage::dateText() const { return m_dateLabel->text(); }

void EntryPage::applyVisibility(const Settings& settings) {
    for (int item : {MaskItem::Dok, MaskItem::Locator, MaskItem::Qth, MaskItem::Name, MaskItem::Comments,
                     MaskItem::QslOut, MaskItem::QslIn})
        setItemShown(item, settings.readBool(QStringLiteral("ShowAtStartUp"), QString(MaskItem::letter(item)), true));
}

void EntryPage::setItemShown(int item, bool shown) {
    m_shown[static_cast<std::size_t>(item)] = shown;
    for (QWidget* w : m_itemWidgets[static_cast<std::size_t>(item)])
        w->setVisible(shown);
}

void EntryPage::NewButtonCaption() {
    for (int b = 1; b <= FieldBindings::ButtonCount; ++b) {
        m_buttons->button(b)->setText(m_bindings.caption(b));
        m_buttons->button(b)->setToolTip(m_bindings.hint(b, m_session.texts()));
    }
}

void EntryPage::setUtcOffset(bool automatic, int hours) {
    m_utcAutomatic = automatic;
    m_utcOffsetHours = hours;
    AutoDateTimeTimerTimer();
}

void EntryPage::setRstCaptions(const QString& appendText) {
    if (appendText.isEmpty()) {
        m_rstTxCaption->setText(QStringLiteral("RST (+Nr) TX"));
        m_rstRxCaption->setText(QStringLiteral("RST (+Nr) RX"));
    } else {
        m_rstTxCaption->setText(QStringLiteral("RST + ") + appendText + QStringLiteral(" TX"));
        m_rstRxCaption->setText(QStringLiteral("RST + Nr RX"));
    }
}

void EntryPage::AutoDateTimeTimerTimer() {
    if (!m_clockRunning)
        return;
    const QDateTime utc = MaskClock::utcNow(m_session.clock(), m_utcAutomatic, m_utcOffsetHours);
    m_dateLabel->setText(DateText::formatDate(utc.date()));
    m_utcLabel->setText(DateText::formatTime(utc.time()));
}

void EntryPage::ClearMask() {
    // An editor left open would keep the focus from the call field.
    const int open = shownEditor();
    if (open >= 0)
        editorOf(open)->hide();
    m_clockRunning = true;
    AutoDateTimeTimerTimer();
    const Settings& s = m_session.settings();
    const QString section = QStringLiteral("Vorgaben");
    m_callEdit->setText(s.readString(section, QStringLiteral("Call")));
    m_rstTxEdit->setText(s.readString(section, QStringLiteral("RstTx")));
    m_rstRxEdit->setText(s.readString(section, QStringLiteral("RstRx")));
    m_dokEdit->setText(s.readString(section, QStringLiteral("Dok")));
    m_locatorEdit->setText(s.readString(section, QStringLiteral("Locator")));
    m_qthEdit->setText(s.readString(section, QStringLiteral("Qth")));
    m_nameEdit->setText(s.readString(section, QStringLiteral("Name")));
    m_commentsMemo->setPlainText(Settings::decodeMultiLine(s.readString(section, QStringLiteral("Comments"))));
    const QDate today = m_session.clock().localNow().date();
    m_qslOutPicker->setFieldText(QString(), today);
    m_qslInPicker->setFieldText(QString(), today);
    m_skip = false;
    focusCall();
    markInvalid(m_callEdit, false);
    markInvalid(m_rstTxEdit, false);
    markInvalid(m_rstRxEdit, false);
}

void EntryPage::focusCall() { m_callEdit->setFocus(Qt::OtherFocusReason); }

QsoRecord EntryPage::maskRecord() const {
    QsoRecord r;
    r[QsoRecord::Number] = m_numberLabel->text();
    r[QsoRecord::Date] = m_dateLabel->text();
    r[QsoRecord::Utc] = m_utcLabel->text();
    r[QsoRecord::Band] = m_bandLabel->text();
    r[QsoRecord::Mode] = m_modeLabel->text();
    r[QsoRecord::Call] = m_callEdit->text();
    r[QsoRecord::RstTx] = m_rstTxEdit->text();
    r[QsoRecord::RstRx] = m_rstRxEdit->text();
    r[QsoRecord::Dok] = m_dokEdit->text();
    r[QsoRecord::Name] = m_nameEdit->text();
    r[QsoRecord::Qth] = m_qthEdit->text();
    r[QsoRecord::Locator] = m_locatorEdit->text();
    r[QsoRecord::TxPwr] = m_txPwrLabel->text();
    r[QsoRecord::Comments] = m_commentsMemo->toPlainText();
    r[QsoRecord::QslOut] = m_qslOutPicker->fieldText();
    r[QsoRecord::QslIn] = m_qslInPicker->fieldText();
    return r;
}

const EntryPage::StepField* EntryPage::stepFieldOf(QObject* object) const {
    for (const StepField& f : m_fields) {
        if (f.widget == object)
            return &f;
        if (auto* picker = qobject_cast<CheckedDateEdit*>(f.widget)) {
            if (picker->checkBox() == object || picker->dateEdit() == object)
                return &f;
        }
    }
    return nullptr;
}

bool EntryPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (const StepField* field = stepFieldOf(watched)) {
        if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (isReturn(key)) {
                if (field->widget == m_commentsMemo && (key->modifiers() & Qt::ControlModifier)) {
                    m_commentsMemo->insertPlainText(QStringLiteral("\n"));
                    return true;
                }
                return EditKeyPress(*field);
            }
            // Only the first letter of a name is capitalised; the rest
            // stays as typed ("de la Cruz" is typed as such after the "D").
            if (field->widget == m_nameEdit && m_nameEdit->text().isEmpty() && key->text().size() == 1 &&
                key->text()[0].isLower()) {
                m_nameEdit->insert(key->text().toUpper());
                return true;
            }
        } else if (type == QEvent::FocusIn) {
            fieldEntered(*field);
        } else if (type == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // A dialog or menu taking the focus for a moment is no leaving.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                fieldLeft(*field);
        }
        return false;
    }

    if (type == QEvent::MouseButtonDblClick) {
        const QList<std::pair<QLabel*, int>> labels = {{m_dateLabel, MaskItem::Date},
                                                       {m_utcLabel, MaskItem::Utc},
                                                       {m_bandLabel, MaskItem::Band},
                                                       {m_modeLabel, MaskItem::Mode},
                                                       {m_txPwrLabel, MaskItem::TxPwr}};
        for (const auto& [label, item] : labels) {
            if (watched == label && shownEditor() < 0) {
                openEditor(item);
                return true;
            }
        }
    }
    if (type == QEvent::MouseButtonRelease) {
        if (watched == m_lowerList->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex at = m_lowerList->indexAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier) && at.isValid())
                Q_EMIT lowerListCtrlClicked(at.row());
            return false;
        }
        if (watched->objectName() == QLatin1String("CallbookLabel")) {
            Q_EMIT callbookRequested();
            return true;
        }
        if (watched == m_distriktValueLabel) {
            InfoLabels::openDistrict(m_session, m_distriktValueLabel->text(), m_dokEdit->text());
            return true;
        }
        if (watched == m_dxccValueLabel && !m_dxccValueLabel->text().isEmpty()) {
            Q_EMIT dxccInfoRequested();
            return true;
        }
    }

    for (int item : {MaskItem::Date, MaskItem::Utc, MaskItem::Band, MaskItem::Mode, MaskItem::TxPwr}) {
        QWidget* editor = editorOf(item);
        if (watched != editor)
            continue;
        if (type == QEvent::KeyPress && isReturn(static_cast<QKeyEvent*>(event)) && item != MaskItem::TxPwr) {
            confirmEditor(item);
            return true;
        }
        if (type == QEvent::FocusOut && editor->isVisible() && !m_refocusing) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                // An open editor holds the focus until it is confirmed.
                QApplication::beep();
                m_refocusing = true;
                QTimer::singleShot(0, editor, [this, editor] {
                    if (editor->isVisible())
                        editor->setFocus(Qt::OtherFocusReason);
                    m_refocusing = false;
                });
            }
        }
        return false;
    }

    if (watched == m_lowerList && type == QEvent::KeyPress && isReturn(static_cast<QKeyEvent*>(event))) {
        const QModelIndex current = m_lowerList->currentIndex();
        if (current.isValid())
            Q_EMIT lowerListActivated(current.row());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void EntryPage::fieldEntered(const StepField& field) {
    paintText(field.caption, kCaptionActive);
    if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) {
        edit->deselect();
        edit->end(false);
        if (edit == m_callEdit || edit == m_rstTxEdit || edit == m_rstRxEdit)
            markInvalid(edit, false);
    } else if (field.widget == m_commentsMemo) {
        m_commentsMemo->moveCursor(QTextCursor::End);
    }
}

void EntryPage::fieldLeft(const StepField& field) {
    paintText(field.caption, kCaptionLeft);
    auto* edit = qobject_cast<QLineEdit*>(field.widget);
    if (edit != m_callEdit && edit != m_rstTxEdit && edit != m_rstRxEdit)
        return;
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (QApplication::focusWidget() == m_lowerList)
        return;
    if (edit == m_rstTxEdit)
        RstTxEditExit();
    markInvalid(edit, edit->text().size() < 2);
    if (edit == m_callEdit)
        Q_EMIT callLeft();
}

void EntryPage::RstTxEditExit() {
    const QString append = m_session.settings().readString(QStringLiteral("ErgRstTx"), QStringLiteral("Text"));
    const QString extended = RstTxAppend::apply(m_rstTxEdit->text(), append);
    if (extended != m_rstTxEdit->text())
        m_rstTxEdit->setText(extended);
}

void EntryPage::markInvalid(QLineEdit* edit, bool invalid) {
    edit->setProperty(kInvalidProperty, invalid);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, invalid ? kInvalid : palette().color(QPalette::Base));
    edit->setPalette(p);
}

bool EntryPage::isInvalid(QLineEdit* edit) const { return edit->property(kInvalidProperty).toBool(); }

bool EntryPage::EditKeyPress(const StepField& field) {
    for (const StepField& next : m_fields) {
        if (next.step > field.step && (next.item < 0 || isShown(next.item))) {
            next.widget->setFocus(Qt::TabFocusReason);
            m_clockRunning = false;
            return true;
        }
    }
    // The field being left when saving has not been checked yet.
    for (QLineEdit* edit : {m_callEdit, m_rstTxEdit, m_rstRxEdit}) {
        if (field.widget == edit) {
            if (edit == m_rstTxEdit)
                RstTxEditExit();
            markInvalid(edit, edit->text().size() < 2);
        }
    }
    for (QLineEdit* edit : {m_callEdit, m_rstTxEdit, m_rstRxEdit}) {
        if (isInvalid(edit)) {
            edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    saveContact();
    return true;
}

void EntryPage::saveContact() {
    if (!m_session.hasLog())
        return;
    const QsoRecord record = maskRecord();
    try {
        m_session.appendContact(record);
    } catch (const IoError& e) {
        // The mask keeps the contact, so the operator can save it again.
        m_session.dialogs().error(e.message());
        return;
    }
    LogTableModel& model = m_session.model();
    bool isNumber = false;
    const int n = record[QsoRecord::Number].toInt(&isNumber);
    const int number = isNumber ? n : model.recordCount();
    setNextNumber(number + 1);
    ClearMask();
    const QModelIndex last = model.index(model.recordCount() - 1, 0);
    m_lowerList->selectRecord(last.row());
    m_lowerList->scrollTo(last, QAbstractItemView::PositionAtBottom);
    Q_EMIT contactSaved(number);
}

void EntryPage::CallEditChange() {
    m_dxccValueLabel->setText(InfoLabels::dxccLabel(m_session, m_callEdit->text()));
    Q_EMIT callChanged();
}

void EntryPage::DokEditChange() {
    const DokDirectory::Labels labels = InfoLabels::dokLabels(m_session, m_dokEdit->text());
    m_ovValueLabel->setText(labels.club);
    if (labels.districtSet)
        m_distriktValueLabel->setText(labels.district);
    Q_EMIT dokChanged();
}

void EntryPage::LocatorEditChange() {
    const Locator::BearingDistance result = InfoLabels::bearingDistance(m_session, m_locatorEdit->text());
    m_bearingValueLabel->setText(result.bearing);
    m_distanceValueLabel->setText(result.distance);
    if (!result.message.isEmpty())
        m_session.dialogs().error(result.message);
    Q_EMIT locatorChanged();
}

QWidget* EntryPage::editorOf(int item) const {
    switch (item) {
    case MaskItem::Date: return m_datePicker;
    case MaskItem::Utc: return m_utcPicker;
    case MaskItem::Band: return m_bandListBox;
    case MaskItem::Mode: return m_modeListBox;
    case MaskItem::TxPwr: return m_txPwrEdit;
    default: return nullptr;
    }
}

int EntryPage::shownEditor() const {
    for (int item : {MaskItem::Date, MaskItem::Utc, MaskItem::Band, MaskItem::Mode, MaskItem::TxPwr}) {
        if (!editorOf(item)->isHidden())
            return item;
    }
    return -1;
}

void EntryPage::placeEditor(QWidget* editor, QLabel* below) {
    const QPoint at = below->mapTo(editor->parentWidget(), QPoint(0, below->height()));
    editor->move(at);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void EntryPage::openEditor(int item) {
    Dialogs& dialogs = m_session.dialogs();
    switch (item) {
    case MaskItem::Date: {
        placeEditor(m_datePicker, m_dateLabel);
        const auto date = DateText::parseDate(m_dateLabel->text(), m_session.clock().localNow().date().year());
        if (date)
            m_datePicker->setDate(*date);
        else
            dialogs.error(QStringLiteral("\"%1\" ist kein gültiges Datum.").arg(m_dateLabel->text()));
        break;
    }
    case MaskItem::Utc: {
        placeEditor(m_utcPicker, m_utcLabel);
        const auto time = DateText::parseTime(m_utcLabel->text());
        if (time)
            m_utcPicker->setTime(*time);
        else
            dialogs.error(QStringLiteral("\"%1\" ist keine gültige Uhrzeit.").arg(m_utcLabel->text()));
        break;
    }
    case MaskItem::Band:
        m_bandListBox->setCurrentRow(BandList::TextToBandIndex(m_bandLabel->text()));
        placeEditor(m_bandListBox, m_bandLabel);
        break;
    case MaskItem::Mode:
        m_modeListBox->setCurrentRow(ModeList::TextToModeIndex(m_modeLabel->text()));
        placeEditor(m_modeListBox, m_modeLabel);
        break;
    case MaskItem::TxPwr:
        m_txPwrEdit->setText(m_txPwrLabel->text());
        m_txPwrEdit->selectAll();
        placeEditor(m_txPwrEdit, m_txPwrLabel);
        break;
    default: break;
    }
}

void EntryPage::confirmEditor(int item) {
    QWidget* editor = editorOf(item);
    if (!editor || editor->isHidden())
        return;
    // Hidden first: the free band or mode text is asked in a dialog, and an
    // open editor would pull the focus back from it.
    editor->hide();
    Dialogs& dialogs = m_session.dialogs();
    const LanguageTexts& texts = m_session.texts();
    switch (item) {
    case MaskItem::Date:
        m_dateLabel->setText(DateText::formatDate(m_datePicker->date()));
        m_clockRunning = false;
        break;
    case MaskItem::Utc:
        m_utcLabel->setText(DateText::formatTime(m_utcPicker->time()));
        m_clockRunning = false;
        break;
    case MaskItem::Band:
        if (m_bandListBox->currentRow() >= 0) {
            m_bandLabel->setText(BandList::BandIndexToText(m_bandListBox->currentRow(), m_bandLabel->text(), dialogs,
                                                           texts[LanguageTexts::BandPrompt]));
            Q_EMIT bandConfirmed(m_bandLabel->text());
        }
        break;
    case MaskItem::Mode:
        if (m_modeListBox->currentRow() >= 0) {
            m_modeLabel->setText(ModeList::ModeIndexToText(m_modeListBox->currentRow(), m_modeLabel->text(), dialogs,
                                                           texts[LanguageTexts::ModePrompt]));
            Q_EMIT modeConfirmed(m_modeLabel->text());
        }
        break;
    case MaskItem::TxPwr: m_txPwrLabel->setText(m_txPwrEdit->text()); break;
    default: break;
    }
    focusCall();
}

void EntryPage::handleFunctionKey(int number, bool fromButton) {
    for (const QChar c : m_bindings.letters(number)) {
        const int item = MaskItem::fromLetter(c);
        const int open = shownEditor();
        if (fromButton && open >= 0 && open != item)
            break;
        if (!MaskItem::isEditor(item)) {
            setItemShown(item, !isShown(item));
        } else if (open == item) {
            confirmEditor(item);
        } else if (open < 0) {
            m_skip = true;
            openEditor(item);
        }
    }
}

bool EntryPage::FormKeyUp(QKeyEvent* event) {
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12 && !ctrl) {
        handleFunctionKey(key - Qt::Key_F1 + 1, false);
        return true;
    }
    if (key == Qt::Key_Escape) {
        ClearMask();
        const int last = m_lowerList->model()->rowCount() - 1;
        m_lowerList->selectRecord(last);
        m_lowerList->scrollToLastRow();
        return true;
    }
    if (!ctrl)
        return false;
    switch (key) {
    case Qt::Key_B: Q_EMIT callbookRequested(); return true;
    case Qt::Key_D:
        if (!m_dxccValueLabel->text().isEmpty())
            Q_EMIT dxccInfoRequested();
        return true;
    case Qt::Key_L:
        if (m_lowerList->hasFocus())
            focusCall();
        else
            m_lowerList->setFocus(Qt::ShortcutFocusReason);
        return true;
    case Qt::Key_R: Q_EMIT referenceLogsRequested(); return true;
    default: return false;
    }
}
