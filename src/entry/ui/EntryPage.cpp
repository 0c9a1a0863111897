#include "entry/ui/EntryPage.h"

#include "platform/ui/ElidingLabel.h"
#include "platform/ui/LinkLabel.h"

#include "platform/ProgramTexts.h"
#include "session/Session.h"
#include "entry/ui/CheckedDateEdit.h"
#include "entry/ui/FunctionButtonStrip.h"
#include "entry/EntryMask.h"
#include "entry/EntrySettings.h"
#include "entry/InfoLabels.h"
#include "entry/ui/LogGridView.h"
#include "entry/ui/TxPowerEdit.h"
#include "entry/UpperCaseValidator.h"
#include "logstore/BandList.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "logstore/QsoRecord.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

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
#include <QSignalBlocker>
#include <QTimer>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QColor kCaptionActive(Qt::red);
const QColor kCaptionLeft(0x00, 0x80, 0x00);
const QColor kInvalid(0xFF, 0x60, 0x60);

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

// Colours of the mask are for a page in use: a disabled page (no log open)
// keeps the grey of the style, so that nothing there looks editable.
void setEnabledColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Active, role, colour);
    p.setColor(QPalette::Inactive, role, colour);
    widget->setPalette(p);
}

void paintText(QLabel* label, const QColor& colour) { setEnabledColour(label, QPalette::WindowText, colour); }

// Call, RST and the other upper-case fields: letters typed in lower case
// become capitals.
void keepUpperCase(QLineEdit* edit) { edit->setValidator(new UpperCaseValidator(edit)); }

bool isReturn(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

} // namespace

EntryPage::EntryPage(Session& session, EntryMask& mask, QWidget* parent)
    : QWidget(parent), m_session(session), m_mask(mask) {
    buildMask();
    bindModel();
    // The key hints come from the language texts.
    ProgramTexts::follow(this, [this] { NewButtonCaption(); });
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
    const QList<std::tuple<QString, QString, int>> shown = {
        {QStringLiteral("#"), QStringLiteral("NumberLabel"), QsoRecord::Number},
        {QStringLiteral("Date"), QStringLiteral("DateLabel"), QsoRecord::Date},
        {QStringLiteral("UTC"), QStringLiteral("UtcLabel"), QsoRecord::Utc},
        {QStringLiteral("Band"), QStringLiteral("BandLabel"), QsoRecord::Band},
        {QStringLiteral("Mode"), QStringLiteral("ModeLabel"), QsoRecord::Mode},
        {QStringLiteral("TX Pwr"), QStringLiteral("TxPwrLabel"), QsoRecord::TxPwr}};
    for (int i = 0; i < shown.size(); ++i) {
        const auto& [title, name, field] = shown[i];
        QLabel* label = valueLabel(name, QString(), mask);
        m_valueLabels[static_cast<std::size_t>(field)] = label;
        values->addWidget(new QLabel(title, mask), 0, i);
        values->addWidget(label, 1, i);
        if (field != QsoRecord::Number) {
            label->installEventFilter(this);
            ProgramTexts::follow(label, [label] { label->setToolTip(msgText(Msg::ValueLabelHint)); });
        }
    }
    m_valueLabels[QsoRecord::Date]->setMinimumWidth(120);
    m_valueLabels[QsoRecord::Utc]->setMinimumWidth(90);
    values->setColumnStretch(static_cast<int>(shown.size()), 1);
    m_itemWidgets[MaskItem::TxPwr] = {};
    outer->addLayout(values, 1, 0);

    m_userMemo = new QPlainTextEdit(mask);
    m_userMemo->setObjectName(QStringLiteral("UserMemo"));
    m_userMemo->setMinimumWidth(220);
    m_userMemo->setMaximumWidth(320);
    m_userMemo->setMaximumHeight(150);
    outer->addWidget(m_userMemo, 1, 1, 3, 1);

    // The stepping fields, each caption above its control, in two rows of
    // cells. A hidden field's cell takes no room: the shown ones close up in
    // their order. The rows keep their height, so showing or hiding a field
    // never moves the other row or the list below.
    m_callEdit = lineEdit(QStringLiteral("CallEdit"), mask, 120);
    m_rstTxEdit = lineEdit(QStringLiteral("RstTxEdit"), mask, 100);
    m_rstRxEdit = lineEdit(QStringLiteral("RstRxEdit"), mask, 100);
    m_dokEdit = lineEdit(QStringLiteral("DokEdit"), mask, 70);
    m_locatorEdit = lineEdit(QStringLiteral("LocatorEdit"), mask, 80);
    m_locatorEdit->setMaxLength(6);
    // Short values get short fields; QTH and Name share the rest of the row.
    for (QLineEdit* e : {m_callEdit, m_rstTxEdit, m_rstRxEdit, m_dokEdit, m_locatorEdit})
        e->setFixedWidth(e->minimumWidth());
    m_qthEdit = lineEdit(QStringLiteral("QthEdit"), mask, 120);
    m_nameEdit = lineEdit(QStringLiteral("NameEdit"), mask, 100);
    m_commentsMemo = new QPlainTextEdit(mask);
    m_commentsMemo->setObjectName(QStringLiteral("CommentsMemo"));
    m_commentsMemo->setTabChangesFocus(true);
    m_commentsMemo->setFixedHeight(m_callEdit->sizeHint().height() * 2);
    m_commentsMemo->setMinimumWidth(200);
    m_qslOutPicker = new CheckedDateEdit(QStringLiteral("QslOutPicker"), mask);
    m_qslInPicker = new CheckedDateEdit(QStringLiteral("QslInPicker"), mask);
    m_qslOutPicker->setMinimumWidth(190);
    m_qslInPicker->setMinimumWidth(190);
    for (QLineEdit* e : {m_callEdit, m_rstTxEdit, m_rstRxEdit, m_dokEdit, m_locatorEdit})
        keepUpperCase(e);

    struct Column {
        QWidget* widget;
        QString captionName;
        QString caption;
        int field;
        int step;
        int item;
        int stretch; // 0: the cell keeps its width
    };
    const QList<Column> row1 = {
        {m_callEdit, QStringLiteral("CallCaptionLabel"), QStringLiteral("Call"), QsoRecord::Call, 0, -1, 0},
        {m_rstTxEdit, QStringLiteral("RstTxCaptionLabel"), QStringLiteral("RST (+Nr) TX"), QsoRecord::RstTx, 2, -1, 0},
        {m_rstRxEdit, QStringLiteral("RstRxCaptionLabel"), QStringLiteral("RST (+Nr) RX"), QsoRecord::RstRx, 3, -1, 0},
        {m_dokEdit, QStringLiteral("DokCaptionLabel"), QStringLiteral("DOK"), QsoRecord::Dok, 4, MaskItem::Dok, 0},
        {m_locatorEdit, QStringLiteral("LocatorCaptionLabel"), QStringLiteral("Locator"), QsoRecord::Locator, 5,
         MaskItem::Locator, 0},
        {m_qthEdit, QStringLiteral("QthCaptionLabel"), QStringLiteral("QTH"), QsoRecord::Qth, 6, MaskItem::Qth, 3},
        {m_nameEdit, QStringLiteral("NameCaptionLabel"), QStringLiteral("Name"), QsoRecord::Name, 7, MaskItem::Name,
         2}};
    const QList<Column> row2 = {{m_commentsMemo, QStringLiteral("CommentsCaptionLabel"), QStringLiteral("Comments"),
                                 QsoRecord::Comments, 8, MaskItem::Comments, 1},
                                {m_qslOutPicker, QStringLiteral("QslOutCaptionLabel"), QStringLiteral("QSL Out"),
                                 QsoRecord::QslOut, 9, MaskItem::QslOut, 0},
                                {m_qslInPicker, QStringLiteral("QslInCaptionLabel"), QStringLiteral("QSL In"),
                                 QsoRecord::QslIn, 10, MaskItem::QslIn, 0}};
    auto place = [&](const Column& c, QHBoxLayout* row) {
        auto* cell = new QWidget(mask);
        auto* stack = new QVBoxLayout(cell);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->setSpacing(2);
        QLabel* caption = namedLabel(c.captionName, c.caption, cell);
        c.widget->setParent(cell);
        stack->addWidget(caption);
        stack->addWidget(c.widget);
        stack->addStretch(1);
        if (c.stretch == 0)
            cell->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        row->addWidget(cell, c.stretch);
        m_fields.append({c.widget, caption, c.field, c.step, c.item});
        if (c.item >= 0)
            m_itemWidgets[static_cast<std::size_t>(c.item)] << cell;
        if (auto* picker = qobject_cast<CheckedDateEdit*>(c.widget)) {
            picker->checkBox()->installEventFilter(this);
            picker->dateEdit()->installEventFilter(this);
        } else {
            c.widget->installEventFilter(this);
        }
        return cell;
    };
    auto fieldRow = [&](const QList<Column>& columns) {
        auto* band = new QWidget(mask);
        auto* row = new QHBoxLayout(band);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        int height = 0;
        bool anyStretch = false;
        for (const Column& c : columns) {
            height = std::max(height, place(c, row)->sizeHint().height());
            anyStretch = anyStretch || c.stretch > 0;
        }
        // Takes the room the stretching cells leave when they are hidden.
        row->addStretch(anyStretch ? 0 : 1);
        band->setMinimumHeight(height);
        band->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        return band;
    };
    auto* fields = new QVBoxLayout;
    fields->setSpacing(6);
    fields->addWidget(fieldRow(row1));
    fields->addWidget(fieldRow(row2));
    m_rstTxCaption = m_fields[1].caption;
    m_rstRxCaption = m_fields[2].caption;
    outer->addLayout(fields, 2, 0);

    // What the program knows about the station being logged.
    auto* info = new QHBoxLayout;
    info->setSpacing(10);
    // Long names shorten with "…" rather than push the callbook link away.
    auto eliding = [mask](const QString& name) {
        auto* label = new ElidingLabel(mask);
        label->setObjectName(name);
        return label;
    };
    m_dxccValueLabel = eliding(QStringLiteral("DxccValueLabel"));
    m_ovValueLabel = eliding(QStringLiteral("OvValueLabel"));
    m_distriktValueLabel = eliding(QStringLiteral("DistriktValueLabel"));
    QLabel* bearingCaption = namedLabel(QStringLiteral("BearingLabel"), QStringLiteral("Richtung"), mask);
    m_bearingValueLabel = eliding(QStringLiteral("BearingValueLabel"));
    QLabel* distanceCaption = namedLabel(QStringLiteral("DistanceLabel"), QStringLiteral("Entfernung"), mask);
    m_distanceValueLabel = eliding(QStringLiteral("DistanceValueLabel"));
    auto* callbook = namedLabel(QStringLiteral("CallbookLabel"), QStringLiteral("Im Callbook suchen ([Strg]+[B]ook)"), mask);
    for (QLabel* l : {m_dxccValueLabel, m_distriktValueLabel, callbook}) {
        LinkLabel::style(l);
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
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

void EntryPage::bindModel() {
    for (int f = QsoRecord::Number; f <= QsoRecord::QslIn; ++f)
        showField(f);
    connect(&m_mask, &EntryMask::fieldChanged, this, &EntryPage::showField);
    connect(&m_mask, &EntryMask::markChanged, this, &EntryPage::showMark);
    connect(&m_mask, &EntryMask::shownChanged, this, &EntryPage::setItemShown);
    connect(&m_mask, &EntryMask::rstAppendTextChanged, this, &EntryPage::setRstCaptions);
    connect(&m_mask, &EntryMask::memoChanged, this, [this](const QString& text) {
        if (m_userMemo->toPlainText() != text)
            m_userMemo->setPlainText(text);
    });
    connect(m_userMemo, &QPlainTextEdit::textChanged, this, [this] { m_mask.setMemo(m_userMemo->toPlainText()); });
    for (const StepField& f : m_fields) {
        const int field = f.field;
        if (auto* edit = qobject_cast<QLineEdit*>(f.widget))
            connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) { m_mask.setField(field, text); });
        else if (auto* picker = qobject_cast<CheckedDateEdit*>(f.widget))
            connect(picker, &CheckedDateEdit::changed, this, [this, field, picker] { m_mask.setField(field, picker->fieldText()); });
    }
    connect(m_commentsMemo, &QPlainTextEdit::textChanged, this,
            [this] { m_mask.setField(QsoRecord::Comments, m_commentsMemo->toPlainText()); });
    for (int item = 0; item < MaskItem::Count; ++item)
        setItemShown(item, m_mask.isShown(item));
    setRstCaptions(m_mask.rstAppendText());
}

QLineEdit* EntryPage::lineEditOf(int field) const {
    for (const StepField& f : m_fields) {
        if (f.field == field)
            return qobject_cast<QLineEdit*>(f.widget);
    }
    return nullptr;
}

// The controls follow the model; a control that already shows the text is
// left alone so that typing keeps its caret.
void EntryPage::showField(int field) {
    const QString& text = m_mask.field(field);
    if (QLabel* label = m_valueLabels[static_cast<std::size_t>(field)]) {
        label->setText(text);
        return;
    }
    if (QLineEdit* edit = lineEditOf(field)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (field == QsoRecord::Comments) {
        if (m_commentsMemo->toPlainText() != text)
            m_commentsMemo->setPlainText(text);
    } else if (field == QsoRecord::QslOut || field == QsoRecord::QslIn) {
        CheckedDateEdit* picker = field == QsoRecord::QslOut ? m_qslOutPicker : m_qslInPicker;
        if (picker->fieldText() != text || text.isEmpty()) {
            const QSignalBlocker block(picker);
            picker->setFieldText(text, m_session.clock().localNow().date());
        }
    }
    switch (field) {
    case QsoRecord::Call: CallEditChange(); break;
    case QsoRecord::Dok: DokEditChange(); break;
    case QsoRecord::Locator: LocatorEditChange(); break;
    default: break;
    }
}

void EntryPage::showMark(int field, bool marked) {
    QLineEdit* edit = lineEditOf(field);
    if (!edit)
        return;
    setEnabledColour(edit, QPalette::Base, marked ? kInvalid : palette().color(QPalette::Active, QPalette::Base));
}

void EntryPage::setItemShown(int item, bool shown) {
    for (QWidget* w : m_itemWidgets[static_cast<std::size_t>(item)])
        w->setVisible(shown);
}

void EntryPage::NewButtonCaption() {
    for (int b = 1; b <= FieldBindings::ButtonCount; ++b) {
        m_buttons->button(b)->setCaption(m_mask.bindings().caption(b), m_mask.bindings().hint(b, m_session.texts()));
    }
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

void EntryPage::ClearMask() {
    // An editor left open would keep the focus from the call field.
    const int open = shownEditor();
    if (open >= 0)
        editorOf(open)->hide();
    m_mask.clear(EntrySettings::defaults(m_session.settings()));
    m_skip = false;
    // Leaving RST TX now is no entry of a report: the append text would
    // land in the emptied field and could be saved with the next contact.
    m_clearing = true;
    focusCall();
    m_clearing = false;
}

void EntryPage::focusCall() { m_callEdit->setFocus(Qt::OtherFocusReason); }

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
    // Controls already send events while the mask is still being built.
    if (!m_lowerList)
        return QWidget::eventFilter(watched, event);
    if (const StepField* field = stepFieldOf(watched))
        return stepFieldEvent(*field, event);
    if (valueLabelEvent(watched, event) || linkLabelEvent(watched, event) || lowerListEvent(watched, event))
        return true;
    for (int item : {MaskItem::Date, MaskItem::Utc, MaskItem::Band, MaskItem::Mode, MaskItem::TxPwr}) {
        if (watched == editorOf(item))
            return editorEvent(editorOf(item), item, event);
    }
    return QWidget::eventFilter(watched, event);
}

// Return steps on, Ctrl+Return breaks the comment's line, the name starts
// with a capital; entering and leaving colour the caption and check the field.
bool EntryPage::stepFieldEvent(const StepField& field, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isReturn(key)) {
            if (field.widget == m_commentsMemo && (key->modifiers() & Qt::ControlModifier)) {
                m_commentsMemo->insertPlainText(QStringLiteral("\n"));
                return true;
            }
            return EditKeyPress(field);
        }
        if (field.widget == m_nameEdit) {
            const QString typed = EntryMask::nameKey(m_nameEdit->text(), key->text());
            if (typed != key->text()) {
                m_nameEdit->insert(typed);
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusIn) {
        fieldEntered(field);
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A dialog or menu taking the focus for a moment is no leaving.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            fieldLeft(field);
    }
    return false;
}

// A double click on Date, UTC, Band, Mode or TX Pwr opens its editor.
bool EntryPage::valueLabelEvent(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick || shownEditor() >= 0)
        return false;
    const QList<std::pair<int, int>> labels = {{QsoRecord::Date, MaskItem::Date},
                                               {QsoRecord::Utc, MaskItem::Utc},
                                               {QsoRecord::Band, MaskItem::Band},
                                               {QsoRecord::Mode, MaskItem::Mode},
                                               {QsoRecord::TxPwr, MaskItem::TxPwr}};
    for (const auto& [field, item] : labels) {
        if (watched == m_valueLabels[static_cast<std::size_t>(field)]) {
            openEditor(item);
            return true;
        }
    }
    return false;
}

// The blue labels: callbook, district web page, DXCC information.
bool EntryPage::linkLabelEvent(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    if (watched->objectName() == QLatin1String("CallbookLabel")) {
        Q_EMIT callbookRequested();
        return true;
    }
    if (watched == m_distriktValueLabel) {
        InfoLabels::openDistrict(m_session, m_distriktValueLabel->text(), m_mask.field(QsoRecord::Dok));
        return true;
    }
    if (watched == m_dxccValueLabel && !m_dxccValueLabel->text().isEmpty()) {
        Q_EMIT dxccInfoRequested();
        return true;
    }
    return false;
}

// Ctrl+click and Return on the lower list.
bool EntryPage::lowerListEvent(QObject* watched, QEvent* event) {
    if (watched == m_lowerList->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex at = m_lowerList->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier) && at.isValid())
            Q_EMIT lowerListCtrlClicked(at.row());
        return false;
    }
    if (watched == m_lowerList && event->type() == QEvent::KeyPress && isReturn(static_cast<QKeyEvent*>(event))) {
        const QModelIndex current = m_lowerList->currentIndex();
        if (current.isValid())
            Q_EMIT lowerListActivated(current.row());
        return true;
    }
    return false;
}

// Return confirms a pop-up editor; an open editor keeps the focus.
bool EntryPage::editorEvent(QWidget* editor, int item, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isReturn(static_cast<QKeyEvent*>(event)) && item != MaskItem::TxPwr) {
        confirmEditor(item);
        return true;
    }
    if (event->type() == QEvent::FocusOut && editor->isVisible() && !m_refocusing) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
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

void EntryPage::fieldEntered(const StepField& field) {
    paintText(field.caption, kCaptionActive);
    if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) {
        edit->deselect();
        edit->end(false);
        if (EntryMask::isChecked(field.field))
            m_mask.unmark(field.field);
    } else if (field.widget == m_commentsMemo) {
        m_commentsMemo->moveCursor(QTextCursor::End);
    }
}

void EntryPage::fieldLeft(const StepField& field) {
    paintText(field.caption, kCaptionLeft);
    if (!EntryMask::isChecked(field.field))
        return;
    if (m_skip) {
        m_skip = false;
        return;
    }
    if (m_clearing || QApplication::focusWidget() == m_lowerList)
        return;
    m_mask.leaveField(field.field);
    if (field.field == QsoRecord::Call)
        Q_EMIT callLeft();
}

bool EntryPage::EditKeyPress(const StepField& field) {
    for (const StepField& next : m_fields) {
        if (next.step > field.step && (next.item < 0 || m_mask.isShown(next.item))) {
            // Not as Tab: a line edit entered by Tab selects all its text,
            // and the operator goes on typing behind what is there.
            next.widget->setFocus(Qt::OtherFocusReason);
            m_mask.stopClock();
            return true;
        }
    }
    // The field being left when saving has not been checked yet.
    m_mask.leaveField(field.field);
    if (const int marked = m_mask.firstMarked()) {
        lineEditOf(marked)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    saveContact();
    return true;
}

void EntryPage::saveContact() {
    if (!m_session.hasLog())
        return;
    QsoRecord record = m_mask.record();
    try {
        m_session.appendContact(record);
    } catch (const IoError& e) {
        // The mask keeps the contact, so the operator can save it again.
        m_session.dialogs().error(e.message());
        return;
    }
    // Renumbered when another program had added contacts meanwhile.
    m_mask.setField(QsoRecord::Number, record[QsoRecord::Number]);
    const LogTableModel& model = m_session.model();
    const int number = m_mask.contactSaved(model.recordCount());
    ClearMask();
    const QModelIndex last = model.index(model.recordCount() - 1, 0);
    m_lowerList->selectRecord(last.row());
    m_lowerList->scrollTo(last, QAbstractItemView::PositionAtBottom);
    Q_EMIT contactSaved(number);
}

void EntryPage::CallEditChange() {
    m_dxccValueLabel->setText(InfoLabels::dxccLabel(m_session, m_mask.field(QsoRecord::Call)));
}

void EntryPage::DokEditChange() {
    const DokDirectory::Labels labels = InfoLabels::dokLabels(m_session, m_mask.field(QsoRecord::Dok));
    m_ovValueLabel->setText(labels.club);
    if (labels.districtSet)
        m_distriktValueLabel->setText(labels.district);
}

void EntryPage::LocatorEditChange() {
    const Locator::BearingDistance result = InfoLabels::bearingDistance(m_session, m_mask.field(QsoRecord::Locator));
    m_bearingValueLabel->setText(result.bearing);
    m_distanceValueLabel->setText(result.distance);
    if (!result.message.isEmpty())
        m_session.dialogs().error(result.message);
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

void EntryPage::closeEditor() {
    const int item = shownEditor();
    if (item >= 0)
        editorOf(item)->hide();
}

int EntryPage::shownEditor() const {
    for (int item : {MaskItem::Date, MaskItem::Utc, MaskItem::Band, MaskItem::Mode, MaskItem::TxPwr}) {
        if (!editorOf(item)->isHidden())
            return item;
    }
    return -1;
}

// The fixed items and "..." keep their rows (their indexes are what the
// operator learnt); the log's free texts follow below them.
void EntryPage::offerFreeTexts(QListWidget* list, int field, int (*indexOf)(const QString&), int other) {
    while (list->count() > other + 1)
        delete list->takeItem(list->count() - 1);
    const QStringList free = FreeTexts::inUse(m_session.model(), field, indexOf, other);
    list->addItems(free);
    const QString current = m_mask.field(field);
    const int fixed = indexOf(current);
    const qsizetype offered = free.indexOf(current);
    list->setCurrentRow(fixed != other || offered < 0 ? fixed : other + 1 + static_cast<int>(offered));
}

void EntryPage::placeEditor(QWidget* editor, QLabel* below) {
    const QPoint at = below->mapTo(editor->parentWidget(), QPoint(0, below->height()));
    if (auto* list = qobject_cast<QListWidget*>(editor)) {
        // Measured when shown, with the style and font in use: every item
        // visible, none cut, no scrolling for the few there are.
        list->ensurePolished();
        int height = 2 * list->frameWidth();
        for (int row = 0; row < list->count(); ++row)
            height += list->sizeHintForRow(row);
        const int width = list->sizeHintForColumn(0) + 2 * list->frameWidth() + 4;
        list->setFixedSize(std::max(width, 90), height);
    }
    editor->move(at);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void EntryPage::openEditor(int item) {
    Dialogs& dialogs = m_session.dialogs();
    switch (item) {
    case MaskItem::Date: {
        placeEditor(m_datePicker, m_valueLabels[QsoRecord::Date]);
        const QString text = m_mask.field(QsoRecord::Date);
        const auto date = DateText::parseDate(text, m_session.clock().localNow().date().year());
        if (date)
            m_datePicker->setDate(*date);
        else
            dialogs.error(msgText(Msg::MaskDateInvalid).arg(text));
        // The weekday comes first in the editor but cannot be typed: the
        // day (the second section, the weekday counting as a day section
        // too) starts selected, so that digits change the date at once.
        m_datePicker->setCurrentSectionIndex(1);
        if (auto* edit = m_datePicker->findChild<QLineEdit*>())
            edit->setSelection(edit->cursorPosition(), 2);
        break;
    }
    case MaskItem::Utc: {
        placeEditor(m_utcPicker, m_valueLabels[QsoRecord::Utc]);
        const QString text = m_mask.field(QsoRecord::Utc);
        const auto time = DateText::parseTime(text);
        if (time)
            m_utcPicker->setTime(*time);
        else
            dialogs.error(msgText(Msg::MaskTimeInvalid).arg(text));
        break;
    }
    case MaskItem::Band:
        offerFreeTexts(m_bandListBox, QsoRecord::Band, BandList::TextToBandIndex, BandList::Other);
        placeEditor(m_bandListBox, m_valueLabels[QsoRecord::Band]);
        break;
    case MaskItem::Mode:
        offerFreeTexts(m_modeListBox, QsoRecord::Mode, ModeList::TextToModeIndex, ModeList::Other);
        placeEditor(m_modeListBox, m_valueLabels[QsoRecord::Mode]);
        break;
    case MaskItem::TxPwr:
        m_txPwrEdit->setText(m_mask.field(QsoRecord::TxPwr));
        m_txPwrEdit->selectAll();
        placeEditor(m_txPwrEdit, m_valueLabels[QsoRecord::TxPwr]);
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
        m_mask.stopClock();
        m_mask.setField(QsoRecord::Date, DateText::formatDate(m_datePicker->date()));
        break;
    case MaskItem::Utc:
        m_mask.stopClock();
        m_mask.setField(QsoRecord::Utc, DateText::formatTime(m_utcPicker->time()));
        break;
    case MaskItem::Band:
        if (m_bandListBox->currentRow() > BandList::Other) { // a free text of the log
            m_mask.setField(QsoRecord::Band, m_bandListBox->currentItem()->text());
            Q_EMIT bandConfirmed(m_mask.field(QsoRecord::Band));
        } else if (m_bandListBox->currentRow() >= 0) {
            m_mask.setField(QsoRecord::Band,
                            BandList::BandIndexToText(m_bandListBox->currentRow(), m_mask.field(QsoRecord::Band),
                                                      dialogs, texts[LanguageTexts::BandPrompt]));
            Q_EMIT bandConfirmed(m_mask.field(QsoRecord::Band));
        }
        break;
    case MaskItem::Mode:
        if (m_modeListBox->currentRow() > ModeList::Other) { // a free text of the log
            m_mask.setField(QsoRecord::Mode, m_modeListBox->currentItem()->text());
            Q_EMIT modeConfirmed(m_mask.field(QsoRecord::Mode));
        } else if (m_modeListBox->currentRow() >= 0) {
            m_mask.setField(QsoRecord::Mode,
                            ModeList::ModeIndexToText(m_modeListBox->currentRow(), m_mask.field(QsoRecord::Mode),
                                                      dialogs, texts[LanguageTexts::ModePrompt]));
            Q_EMIT modeConfirmed(m_mask.field(QsoRecord::Mode));
        }
        break;
    case MaskItem::TxPwr: m_mask.setField(QsoRecord::TxPwr, m_txPwrEdit->text()); break;
    default: break;
    }
    focusCall();
}

void EntryPage::handleFunctionKey(int number, bool fromButton) {
    for (const QChar c : m_mask.bindings().letters(number)) {
        const int item = MaskItem::fromLetter(c);
        const int open = shownEditor();
        if (fromButton && open >= 0 && open != item)
            break;
        if (!MaskItem::isEditor(item)) {
            m_mask.setShown(item, !m_mask.isShown(item));
        } else if (open == item) {
            confirmEditor(item);
        } else if (open < 0) {
            m_skip = true;
            openEditor(item);
        }
    }
}

bool EntryPage::isCtrlChord(int key) {
    return key == Qt::Key_B || key == Qt::Key_D || key == Qt::Key_L || key == Qt::Key_R;
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
