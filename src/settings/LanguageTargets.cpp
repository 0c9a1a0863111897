#include "settings/LanguageTargets.h"

#include <QHash>

namespace {

using Kind = LanguageTargets::Kind;
using Target = LanguageTargets::Target;

const QString kMain = QStringLiteral("MainForm");
const QString kDuplicate = QStringLiteral("DoppeltForm");
const QString kShortcuts = QStringLiteral("HotKeyForm");
const QString kTextEditor = QStringLiteral("TextForm");
const QString kConverter = QStringLiteral("LogConverterForm");
const QString kFileFormats = QStringLiteral("DateiformateForm");
const QString kCardViewer = QStringLiteral("QslInShowForm");
const QString kCardShow = QStringLiteral("QslPresentationForm");
const QString kMap = QStringLiteral("MapForm");

class TableBuilder {
public:
    std::vector<Target> targets;

    void add(const QString& window, std::initializer_list<const char*> controls, Kind kind = Kind::Caption) {
        for (const char* c : controls)
            targets.push_back({next(), window, QString::fromLatin1(c), kind, -1});
    }
    void one(const QString& window, const char* control, Kind kind) { add(window, {control}, kind); }
    void windowCaption(const QString& window) { targets.push_back({next(), window, QString(), Kind::Caption, -1}); }
    void messages(int first, int last) {
        for (int i = first; i <= last; ++i)
            targets.push_back({next(), QString(), QString(), Kind::Message, i});
    }
    void numbered(const QString& window, const char* prefix, int first, int last) {
        for (int i = first; i <= last; ++i)
            targets.push_back({next(), window, QString::fromLatin1(prefix) + QString::number(i), Kind::Caption, -1});
    }

private:
    int next() const { return static_cast<int>(targets.size()) + 1; }
};

std::vector<Target> buildTable() {
    TableBuilder t;
    t.add(kMain, {"Datei1", "Listenneuladen1", "Beenden1", "Hilfe1", "Hilfe2", "LinklistezuAFU1", "astaturkrzel1",
                  "WebPageMenu"});
    t.add(kMain, {"EingabeTS", "ListeTS", "EditierenTS", "SucheTS", "AuswertungenTS", "OptionenTS"});
    t.add(kMain, {"ShortCutLabel", "CallbookLabel", "BearingLabel", "DistanceLabel", "eOkBtn", "GroupBox1",
                  "eCommentsBtn"});
    t.one(kMain, "Memo1", Kind::Lines);
    t.add(kMain, {"SearchBtn"});
    t.add(kMain, {"sOperatorComboBox1", "sOperatorComboBox2", "sOperatorComboBox3", "sOperatorComboBox4",
                  "sOperatorComboBox5"},
          Kind::Items);
    t.add(kMain, {"TabSheet1", "LocatorGrossfelderTS", "TabSheet3", "TabSheet4", "AnzahlQsosTS", "TabSheet5"});
    t.add(kMain, {"Label92", "qslInBtn", "Label67", "Label99", "Label100", "Label19", "Label20", "Label21", "Label24",
                  "Label25", "Label26", "locAuswertenBtn", "locListeTS", "locSpeichernDruckenTS", "locSpeichernBtn",
                  "Label70", "locDruckenBtn", "Label65", "locExportListe", "locExportTabelle", "locTabelleTS",
                  "Label63"});
    t.numbered(kMain, "Label", 72, 79);
    t.one(kMain, "Memo7", Kind::Lines);
    t.add(kMain, {"dokOkBtn", "Label93", "Label94", "Label66"});
    t.numbered(kMain, "Label", 80, 84);
    t.add(kMain, {"dxccStartBtn", "Label98", "Label96", "Label97", "dokResultLabel", "dxccResultLabel",
                  "locResultLabel", "dxccAllTS", "dxccWorkedTS"});
    t.add(kMain, {"AllgemeinTS", "OrdnungEingabeTS", "VorgabenEingabeTS", "AutoNrTS", "DoppelCheckTS",
                  "ReferenzLogsTS", "CallBookTS", "ClockTS", "QslTS"});
    t.add(kMain, {"Label5", "Label6", "Label8", "UtcDiffAutoCheckBox", "Label40", "Label41", "Label4"});
    t.one(kMain, "PreValueListEditor", Kind::Rows);
    t.add(kMain, {"Label12", "ErgRstTxNummerCheckBox", "Label10", "dcCallCheckBox", "dcBandCheckBox",
                  "dcModeCheckBox", "dcDateCheckBox", "rStandartRadioBtn", "rLuxusRadioBtn", "Label71"});
    t.one(kMain, "Memo6", Kind::Lines);
    t.add(kMain, {"Label14", "GroupBox4", "NameCallBookChkBox", "AdresseCallBookChkBox", "LicenceCallBookChkBox",
                  "CommentCallBookChkBox", "FaxNrCallBookChkBox", "EmailCallBookChkBox", "clockShowChkBtn",
                  "clockSystemRadioBtn", "clockUtcRadioBtn", "clockFormatLabel", "Label91", "qslQsoRadioBtn",
                  "qslFirstQsoRadioBtn", "qslBandChkBox", "qslModeChkBox", "qslDayChkBox", "qslYearChkBox"});
    t.add(kDuplicate, {"Label1", "Button1", "Button2", "Button3"});
    t.one(kDuplicate, "ValueListEditor", Kind::Rows);
    t.windowCaption(kShortcuts);
    t.windowCaption(kTextEditor);
    t.add(kTextEditor, {"ext1", "Format1", "Laden1", "Speichern1", "Zeilenumbruch1"});
    t.messages(0, 66);
    t.add(kConverter,
          {"PageTitle1", "PageTitle2", "PageTitle3", "PageTitle4", "PageTitle5", "PageTitle6", "PageTitle7",
           "PageTitle8", "PageTitle9", "PageTitle10", "PageTitle11", "PageTitle12", "PageTitle13", "PageTitle14",
           "ImportAdifTitle", "ImportAdifFilter", "ImportTitle", "AllFilesFilter", "ExportAdifTitle",
           "ExportAdifFilter", "FileMissing", "NoLogChosen", "OverwriteBefore", "OverwriteAfter", "NoExportFile",
           "ChooseOneLog", "NewLogExistsBefore", "NewLogExistsAfter", "AbortQuestion"},
          Kind::Text);
    t.add(kConverter, {"BackBtn", "CancelBtn", "NextBtn", "CloseBtn", "GotoStartBtn", "ExportRadioBtn",
                       "ImportRadioBtn", "RepairRadioBtn", "TrennenRadioBtn", "VerbindenRadioBtn", "ExportLabel",
                       "ImportLabel", "RepairLabel", "VerbindenLabel"});
    t.add(kConverter, {"ExportHtmlTitle", "ExportHtmlFilter", "ExportTxtTitle", "ExportTxtFilter"}, Kind::Text);
    t.add(kConverter, {"ExpAdifRadioBtn", "ExpHtmlRadioBtn", "ExpTxtFestRadioBtn", "ImpAdifRadioBtn",
                       "ImpCabrilloRadioBtn", "ImpHtmlRadioBtn", "ImpTxtFestRadioBtn"});
    t.one(kConverter, "CreatedWith", Kind::Text);
    t.add(kMain, {"qslCreateListBtn"});
    t.add(kConverter, {"ImportHtmlTitle", "ImportHtmlFilter"}, Kind::Text);
    t.add(kConverter, {"Label1", "Label2"});
    t.add(kMain, {"eQslInAddBtn", "eQslInShowBtn", "QslPathLabel"});
    t.messages(67, 69);
    t.add(kMain, {"PleTS", "pleCaptionPanel", "pleRangeSetBtn"});
    t.one(kMain, "pleFormatMemo", Kind::Lines);
    t.add(kMain, {"cwGroupBox", "cwFelderGroupBox", "cwFrqLabel", "cwWpMLabel", "cwWpM2Label", "cwVolumeLabel",
                  "cwOutputLabel", "cwSoundkarteRadioBtn", "cwPcSpeakerRadioBtn", "cwTestBtn", "cwOkBtn",
                  "cwCancelBtn", "cwDefaultBtn"});
    t.windowCaption(kFileFormats);
    t.add(kFileFormats, {"OpenBtn", "CloseBtn", "OpenMenu"});
    t.add(kMain, {"CwMenu", "DateiformateMenu", "LogConverterMenu"});
    t.messages(70, 72);
    t.add(kMain, {"VornameCallBookChkBox"});
    t.add(kCardViewer, {"BackMenu", "NextMenu", "CloseMenu"});
    t.add(kMain, {"QslPresentationMenu"});
    t.add(kCardShow, {"TitleLabel"});
    t.messages(73, 89);
    t.add(kMain, {"MapMenu"});
    t.windowCaption(kMap);
    t.add(kMap, {"Label1", "Label2", "Label3", "HamCapBtn", "Label16", "Label17", "KontinenteChkBox",
                 "ItuRegionenChkBox", "CqZonenChkBox", "ItuZonenChkBox", "BlinkenChkBox"});
    t.messages(90, 93);
    t.add(kMain, {"HamCapMenu", "HrdDdeMenu"});
    t.add(kMain, {"HrdDdeMenu", "HrdDdeSpeedButton"}, Kind::Hint);
    t.add(kMain, {"tstErgTS", "tstRegelnTS", "tstNewRule", "tstDeleteRule", "tstLoadBtn", "tstSaveBtn", "tstErgBtn",
                  "tstExcelBtn", "Label30", "Label31", "Label17", "Label28"});
    t.one(kMain, "AnzahlQsosTabControl", Kind::Tabs);
    t.messages(94, 98);
    t.add(kMain, {"AnzahlQsosAllLabel", "AnzahlQsosOutLabel", "AnzahlQsosInLabel", "SunGroupBox", "SunLabel",
                  "Sun90Btn", "Sun96Btn", "Sun102Btn", "Sun108Btn"});
    Q_ASSERT(t.targets.size() == LanguageTargets::LineCount);
    return t.targets;
}

} // namespace

QString LanguageTargets::Target::describe() const {
    QString where;
    if (kind == Kind::Message)
        where = QStringLiteral("language text %1").arg(messageIndex);
    else if (control.isEmpty())
        where = window + QStringLiteral(" (window caption)");
    else
        where = window + u'/' + control;
    return QStringLiteral("line %1: %2").arg(line).arg(where);
}

const std::vector<LanguageTargets::Target>& LanguageTargets::all() {
    static const std::vector<Target> table = buildTable();
    return table;
}

int LanguageTargets::lineOf(const QString& window, const QString& control) {
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (const Target& t : all()) {
            if (t.kind != Kind::Message && t.kind != Kind::Hint)
                h.insert(t.window + u'/' + t.control, t.line);
        }
        return h;
    }();
    return index.value(window + u'/' + control, 0);
}

int LanguageTargets::lineOfMessage(int index) {
    static const std::vector<int> lines = [] {
        std::vector<int> v;
        for (const Target& t : all()) {
            if (t.kind == Kind::Message)
                v.push_back(t.line);
        }
        return v;
    }();
    return index >= 0 && index < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(index)] : 0;
}
