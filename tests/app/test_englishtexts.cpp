#include "cli/BatchCommands.h"
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
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {

// Every text a user reads on the main window and the windows it owns, keyed by
// the control's place, so that the same text can be found in either language.
QMap<QString, QString> shownTexts(QWidget& window) {
    QMap<QString, QString> texts;
    auto add = [&](const QObject* o, const QString& what, QString text) {
        text.remove(QRegularExpression(QStringLiteral("&(?=\\S)"))); // mnemonics
        text = text.trimmed();
        if (text.isEmpty())
            return;
        // An unnamed control is told from its siblings by its position.
        auto name = [](const QObject* x) {
            if (!x->objectName().isEmpty() || !x->parent())
                return x->objectName();
            return u'#' + QString::number(x->parent()->children().indexOf(const_cast<QObject*>(x)));
        };
        QString place = name(o);
        for (const QObject* p = o->parent(); p; p = p->parent())
            place = name(p) + u'/' + place;
        texts.insert(place + u'[' + what + u']', text);
    };
    const QList<QObject*> all = window.findChildren<QObject*>();
    for (QObject* o : all) {
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
            if (a->toolTip() != QString(a->text()).remove(u'&').remove(QStringLiteral("...")))
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
// radio abbreviations and the program's name.
bool languageNeutral(const QString& text) {
    static const QSet<QString> words = [] {
        QSet<QString> s{QStringLiteral("DOK"),  QStringLiteral("QTH"),   QStringLiteral("Call"),  QStringLiteral("UTC"),
                        QStringLiteral("Locator"), QStringLiteral("DXCC"), QStringLiteral("QSL"),   QStringLiteral("Vesk"),
                        QStringLiteral("PLE"),  QStringLiteral("RST"),   QStringLiteral("TX"),    QStringLiteral("RX"),
                        QStringLiteral("Nr"),   QStringLiteral("Name"),  QStringLiteral("Band"),  QStringLiteral("Mode"),
                        QStringLiteral("Log"),  QStringLiteral("Logs"),  QStringLiteral("ADIF"),  QStringLiteral("HTML"),
                        QStringLiteral("OK"),   QStringLiteral("English"), QStringLiteral("Deutsch"),
                        QStringLiteral("Import"), QStringLiteral("Export"), QStringLiteral("Cabrillo"),
                        QStringLiteral("LogConverter"), QStringLiteral("Info"), QStringLiteral("Tools"),
                        QStringLiteral("Contest"), QStringLiteral("CW"), QStringLiteral("SSB"), QStringLiteral("cm"),
                        QStringLiteral("RAC"), QStringLiteral("StatusBar"), QStringLiteral("Format"),
                        QStringLiteral("Text"), QStringLiteral("Rx"), QStringLiteral("Tx")};
        for (const QString& title : QsoRecord::gridTitles() + QsoRecord::headerTitles()) {
            for (const QString& word : title.split(u' '))
                s.insert(word);
        }
        return s;
    }();
    static const QRegularExpression word(QStringLiteral("[A-Za-zÄÖÜäöüß]{2,}"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        if (!words.contains(it.next().captured()))
            return false;
    }
    return true;
}

} // namespace

class TestEnglishTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each test starts from German, whatever the one before left behind.
    void init() { ProgramTexts::useBuiltInGerman(); }
    void noGermanLeftAfterSwitching();
    void coreErrorsFollowTheLanguage();
    void brokenSupplementIsReportedOnce();
    void batchCommandsSpeakTheChosenLanguage_data();
    void batchCommandsSpeakTheChosenLanguage();
};

void TestEnglishTexts::noGermanLeftAfterSwitching() {
    TestFolder dir;
    dir.installLanguageFiles();
    StartedProgram program(dir, false);
    const QMap<QString, QString> german = shownTexts(program.w);
    program.find<QAction>("EnglishMenu")->trigger();
    const QMap<QString, QString> english = shownTexts(program.w);

    QStringList stillGerman;
    int compared = 0;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        if (!german.contains(it.key()))
            continue;
        ++compared;
        if (german[it.key()] == it.value() && !languageNeutral(it.value()))
            stillGerman << it.key() + QStringLiteral(": ") + it.value();
    }
    for (const QString& text : std::as_const(stillGerman))
        qWarning().noquote() << "unchanged in English:" << text;
    QVERIFY2(stillGerman.isEmpty(), qPrintable(QString::number(stillGerman.size()) + " texts unchanged in English"));
    // The walk reached the pages, not just the menu bar.
    QVERIFY2(compared > 200, qPrintable(QString::number(compared)));
    QVERIFY(program.dialogs.errors.isEmpty());
}

// A message built far from any window, in the log reader, reaches the box in
// the language chosen last.
void TestEnglishTexts::coreErrorsFollowTheLanguage() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.writeLog("2026.log", {"1;06.12.2026;18:00:00;20m;CW;DL1ABC;599;599;;;;;;;;;zu viel"});
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\n");
    StartedProgram program(dir, false);
    auto& errors = program.dialogs.errors;
    const QString where = QDir::toNativeSeparators(dir.file("2026.log"));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0], "Formatfehler in \"" + where +
                            "\", Zeile 2: mehr als 15 Trennzeichen \";\" - diese Zeile kann kein Kontakt sein. "
                            "Das Log wurde nicht verändert.");

    program.find<QAction>("EnglishMenu")->trigger();
    program.find<QAction>("Listenneuladen1")->trigger();
    QCOMPARE(errors.size(), 2);
    QCOMPARE(errors[1], "Format error in \"" + where +
                            "\", line 2: more than 15 separators \";\" - this line cannot be a contact. "
                            "The log has not been changed.");
}

// A supplement with a bad line is named with file and line, and German applies
// to its texts while the language file's own lines stay English.
void TestEnglishTexts::brokenSupplementIsReportedOnce() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.write("english.msg", "FieldColumn=Field\r\nno key here\r\n");
    dir.write("Vesk.ini", "[Language]\r\nLanguage=english.lng\r\n");
    StartedProgram program(dir, false);
    const QStringList& errors = program.dialogs.errors;
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0], "Die Ergänzung der Sprachdatei \"" + QDir::toNativeSeparators(dir.file("english.msg")) +
                            "\", Zeile 2: keine Angabe Schlüssel=Text\nEs gelten die eingebauten deutschen Texte.");
    QCOMPARE(msgText(Msg::FieldColumn), QStringLiteral("Feld"));
    QCOMPARE(program.find<QAction>("Datei1")->text(), QStringLiteral("&File"));
}

void TestEnglishTexts::batchCommandsSpeakTheChosenLanguage_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("unknownCommand");
    QTest::addColumn<QString>("missingFile");
    QTest::newRow("english") << QByteArray("[Language]\r\nLanguage=english.lng\r\n")
                             << "Unknown command \"frobnicate\".\nHelp: vesk --help\n" << ": file not found.\n";
    QTest::newRow("no Vesk.ini") << QByteArray() << "Unbekannter Befehl \"frobnicate\".\nHilfe: vesk --help\n"
                                 << ": Datei nicht gefunden.\n";
}

void TestEnglishTexts::batchCommandsSpeakTheChosenLanguage() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, unknownCommand);
    QFETCH(QString, missingFile);
    TestFolder dir;
    dir.installLanguageFiles();
    if (!settings.isEmpty())
        dir.write("Vesk.ini", settings);
    ProgramTexts::loadFor(dir.file("english.lng")); // what a window left behind must not count
    QString loadErrors;
    QTextStream loadErr(&loadErrors);
    BatchCommands::loadLanguage(dir.path(), loadErr);
    QCOMPARE(loadErrors, QString());
    auto run = [&](const QStringList& args, QString& err) {
        FakeClock clock;
        QString out;
        QTextStream o(&out), e(&err);
        return BatchCommands::run(CommandLine::parse(QStringList{"--folder", dir.path()} + args), clock, o, e);
    };
    QString err1, err2;
    const int unknown = run({"frobnicate"}, err1);
    const int missing = run({"normalize", dir.file("none.log")}, err2);
    ProgramTexts::useBuiltInGerman();
    QCOMPARE(unknown, 2);
    QCOMPARE(err1, unknownCommand);
    QCOMPARE(missing, 1);
    QCOMPARE(err2, QDir::toNativeSeparators(dir.file("none.log")) + missingFile);
}

QTEST_MAIN(TestEnglishTexts)
#include "test_englishtexts.moc"
