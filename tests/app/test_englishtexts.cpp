#include "cli/BatchCommands.h"
#include "evaluations/ContestExpression.h"
#include "logstore/QsoRecord.h"
#include "platform/ProgramTexts.h"
#include "StartedProgram.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QtTest>

// Every text a user reads on the main window and the windows it owns, keyed by
// the control's place, so that the same text can be found in either language.
static QMap<QString, QString> shownTexts(QWidget& window) {
    QMap<QString, QString> texts;
    auto add = [&](const QObject* o, const QString& what, QString text) {
        text = text.remove(QRegularExpression(QStringLiteral("&(?=\\S)"))).trimmed(); // without mnemonics
        if (text.isEmpty())
            return;
        // An unnamed control is told from its siblings by its position.
        auto name = [](const QObject* x) -> QString {
            return !x->objectName().isEmpty() || !x->parent()
                       ? x->objectName()
                       : u'#' + QString::number(x->parent()->children().indexOf(const_cast<QObject*>(x)));
        };
        QString place = name(o);
        for (const QObject* p = o->parent(); p; p = p->parent())
            place = name(p) + u'/' + place;
        texts.insert(place + u'[' + what + u']', text);
    };
    for (QObject* o : window.findChildren<QObject*>()) {
        if (auto* w = qobject_cast<QWidget*>(o)) {
            add(w, QStringLiteral("tooltip"), w->toolTip());
            if (w->isWindow())
                add(w, QStringLiteral("title"), w->windowTitle());
        }
        if (auto* l = qobject_cast<QLabel*>(o))
            add(l, QStringLiteral("text"), l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(o))
            add(b, QStringLiteral("text"), b->text());
        else if (auto* g = qobject_cast<QGroupBox*>(o))
            add(g, QStringLiteral("title"), g->title());
        else if (auto* m = qobject_cast<QMenu*>(o))
            add(m, QStringLiteral("title"), m->title());
        else if (auto* e = qobject_cast<QPlainTextEdit*>(o); e && e->isReadOnly())
            add(e, QStringLiteral("text"), e->toPlainText());
        else if (auto* a = qobject_cast<QAction*>(o); a && !a->isSeparator()) {
            add(a, QStringLiteral("text"), a->text());
            add(a, QStringLiteral("tooltip"), a->toolTip());
        } else if (auto* t = qobject_cast<QTabBar*>(o)) {
            for (int i = 0; i < t->count(); ++i) {
                add(t, QStringLiteral("tab %1").arg(i), t->tabText(i));
                add(t, QStringLiteral("tab tooltip %1").arg(i), t->tabToolTip(i));
            }
        } else if (auto* h = qobject_cast<QHeaderView*>(o); h && h->model() && h->parent()) {
            // Named after its table, which has the name.
            const QString side = h->orientation() == Qt::Horizontal ? QStringLiteral("column") : QStringLiteral("row");
            for (int i = 0; i < h->count(); ++i)
                add(h->parent(), side + QStringLiteral(" heading %1").arg(i),
                    h->model()->headerData(i, h->orientation()).toString());
        }
    }
    return texts;
}

// Texts that read the same in German and English: the log's field names, the
// radio abbreviations, the program's name, the log file's extension and the
// variable names of the contest rules.
static bool languageNeutral(const QString& text) {
    static const QStringList words =
        QStringLiteral("DOK QTH Call UTC Locator DXCC QSL Vesk PLE RST TX RX Nr Name Band Mode Log Logs ADIF HTML OK "
                       "English Deutsch Import Export Cabrillo LogConverter Info Tools Contest CW SSB cm RAC StatusBar "
                       "Format Text Rx Tx log QSO CSV TXT LOG Version Cancel Hz km")
            .split(u' ') +
        (QsoRecord::gridTitles() + QsoRecord::headerTitles() + ContestColumn::names()).join(u' ').split(u' ');
    static const QRegularExpression word(QStringLiteral("[A-Za-zÄÖÜäöüß]{2,}"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        if (!words.contains(it.next().captured()))
            return false;
    }
    return true;
}

class TestEnglishTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each test starts from German, whatever the one before left behind.
    void init() { ProgramTexts::useBuiltInGerman(); }
    void noGermanLeftAfterSwitching();
    void brokenSupplementIsReportedOnce();
    void batchCommandsSpeakTheChosenLanguage_data();
    void batchCommandsSpeakTheChosenLanguage();
};

// The log's bad line also shows that a message built far from any window, in
// the log reader, reaches the box in the language chosen last.
void TestEnglishTexts::noGermanLeftAfterSwitching() {
    TestFolder dir;
    dir.prepareProgram({"1;06.12.2026;18:00:00;20m;CW;DL1ABC;599;599;;;;;;;;;zu viel"});
    StartedProgram program(dir, false);
    const QMap<QString, QString> german = shownTexts(program.w);
    program.find<QAction>("EnglishMenu")->trigger();
    const QMap<QString, QString> english = shownTexts(program.w);

    QStringList stillGerman;
    int compared = 0;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        if (german.contains(it.key()) && ++compared && german[it.key()] == it.value() && !languageNeutral(it.value()))
            stillGerman << it.key() + QStringLiteral(": ") + it.value();
    }
    QVERIFY2(stillGerman.isEmpty(), qPrintable("unchanged in English:\n" + stillGerman.join(u'\n')));
    // The walk reached the pages, not just the menu bar.
    QVERIFY2(compared > 200, qPrintable(QString::number(compared)));

    program.find<QAction>("Listenneuladen1")->trigger();
    const QString where = QDir::toNativeSeparators(dir.file("2026.log"));
    QCOMPARE(program.dialogs.errors.size(), 2); // the German one came at the start
    QCOMPARE(program.dialogs.errors[1], "Format error in \"" + where +
                                            "\", line 2: more than 15 separators \";\" - this line cannot be a "
                                            "contact. The log has not been changed.");
}

// A supplement with a bad line is named with file and line, and German applies
// to its texts while the language file's own lines stay English.
void TestEnglishTexts::brokenSupplementIsReportedOnce() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.write("english.msg", "FieldColumn=Field\r\nno key here\r\n");
    dir.write("Vesk.ini", "[Language]\r\nLanguage=english.lng\r\n");
    StartedProgram program(dir, false);
    QCOMPARE(program.dialogs.errors,
             QStringList("Die Ergänzung der Sprachdatei \"" + QDir::toNativeSeparators(dir.file("english.msg")) +
                         "\", Zeile 2: keine Angabe Schlüssel=Text\nEs gelten die eingebauten deutschen Texte."));
    QCOMPARE(msgText(Msg::FieldColumn), QStringLiteral("Feld"));
    QCOMPARE(program.find<QAction>("Datei1")->text(), QStringLiteral("&File"));
}

void TestEnglishTexts::batchCommandsSpeakTheChosenLanguage_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("errors");
    QTest::newRow("english") << QByteArray("[Language]\r\nLanguage=english.lng\r\n")
                             << "Unknown command \"frobnicate\".\nHelp: vesk --help\n%1: file not found.\n";
    QTest::newRow("no Vesk.ini") << QByteArray()
                                 << "Unbekannter Befehl \"frobnicate\".\nHilfe: vesk --help\n%1: Datei nicht gefunden.\n";
}

void TestEnglishTexts::batchCommandsSpeakTheChosenLanguage() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, errors);
    TestFolder dir;
    dir.installLanguageFiles();
    if (!settings.isEmpty())
        dir.write("Vesk.ini", settings);
    ProgramTexts::loadFor(dir.file("english.lng")); // what a window left behind must not count
    QString err, out;
    QTextStream o(&out), e(&err); // loading the language must add nothing to the errors
    BatchCommands::loadLanguage(dir.path(), e);
    FakeClock clock;
    for (const QStringList& args : {QStringList{"frobnicate"}, QStringList{"normalize", dir.file("none.log")}})
        BatchCommands::run(CommandLine::parse(QStringList{"--folder", dir.path()} + args), clock, o, e);
    QCOMPARE(err, errors.arg(QDir::toNativeSeparators(dir.file("none.log"))));
}

QTEST_MAIN(TestEnglishTexts)
#include "test_englishtexts.moc"
