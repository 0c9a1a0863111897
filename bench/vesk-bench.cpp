// vesk-bench: writes big, lifelike logs and measures what a user waits for
// with them. It only prints figures; whether they are good enough is for the
// reader to judge, since timings vary too much between machines to assert on.
//
//   vesk-bench make-log N FILE [SEED]
//   vesk-bench run [N]
//   vesk-bench load-only FILE

#include "app/ui/MainWindow.h"
#include "entry/ui/EntryArea.h"
#include "entry/ui/ReferenceListController.h"
#include "session/Session.h"
#include "converter/LogConverter.h"
#include "entry/ui/EditPage.h"
#include "entry/ReferenceLogs.h"
#include "entry/ui/SearchPage.h"
#include "evaluations/AwardEvaluations.h"
#include "evaluations/EvaluationFilter.h"
#include "evaluations/LocatorEvaluation.h"
#include "evaluations/QsoCounts.h"
#include "evaluations/ui/DxccPage.h"
#include "evaluations/ui/QsoCountsPage.h"
#include "entry/SearchQuery.h"
#include "entry/ui/LogGridView.h"
#include "qsl/QslSettings.h"
#include "qsl/ui/OutstandingModel.h"
#include "qsl/ui/QslArea.h"
#include "qsl/ui/QslOptions.h"
#include "qsl/ui/QslPage.h"
#include "logstore/Codepage.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "logstore/QsoRecord.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "refdata/Dxcc.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTableWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <vector>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

void report(const char* name, double value, const char* unit) {
    out() << name << ": " << QString::number(value, 'f', 1) << ' ' << unit << Qt::endl;
}

// The same line with the figure the user should not have to wait longer than.
void report(const char* name, double value, const char* unit, double limit) {
    out() << name << ": " << QString::number(value, 'f', 1) << ' ' << unit << " (limit "
          << QString::number(limit, 'f', 0) << ' ' << unit << ')' << Qt::endl;
}

// ---- a lifelike log ------------------------------------------------------

struct Region {
    QStringList prefixes;
    QStringList locatorFields;
    QStringList cities;
    bool german;
};

const std::vector<Region>& regions() {
    // Germany comes first and is drawn far more often than the rest (see
    // record()): the logs this program keeps are mostly German stations
    // working their neighbours, and only German calls carry a DOK. City names
    // stay within Windows-1252, as anything else is stored as '?'.
    static const std::vector<Region> list = {
        {{"DL", "DK", "DO", "DJ", "DF", "DH", "DB", "DG"},
         {"JO", "JN"},
         {"München", "Köln", "Düsseldorf", "Nürnberg", "Würzburg", "Lübeck", "Göttingen", "Saarbrücken",
          "Berlin", "Hamburg", "Dresden", "Freiburg", "Osnabrück", "Fürth"},
         true},
        {{"G", "M", "2E"}, {"IO", "JO"}, {"London", "Leeds", "Bristol", "York", "Norwich"}, false},
        {{"F"}, {"JN", "IN"}, {"Paris", "Lyon", "Strasbourg", "Nantes"}, false},
        {{"I", "IK", "IZ"}, {"JN"}, {"Milano", "Torino", "Bologna", "Firenze"}, false},
        {{"EA"}, {"IN", "IM", "JN"}, {"Madrid", "Valencia", "Sevilla", "Zaragoza"}, false},
        {{"OK"}, {"JO", "JN"}, {"Praha", "Brno", "Plzen"}, false},
        {{"SP"}, {"JO", "KO"}, {"Warszawa", "Kraków", "Gdansk", "Poznan"}, false},
        {{"PA", "PD"}, {"JO"}, {"Utrecht", "Den Haag", "Groningen"}, false},
        {{"ON"}, {"JO"}, {"Bruxelles", "Liège", "Gent"}, false},
        {{"OE"}, {"JN"}, {"Wien", "Graz", "Linz", "Klagenfurt"}, false},
        {{"HB9"}, {"JN"}, {"Zürich", "Bern", "Genève", "Basel"}, false},
        {{"W", "K", "N", "AA"}, {"FN", "EM", "DM", "CN"}, {"Boston", "Dallas", "Denver", "Seattle"}, false},
        {{"JA"}, {"PM", "QM"}, {"Tokyo", "Osaka", "Sapporo"}, false},
        {{"VK"}, {"QF", "QG"}, {"Sydney", "Melbourne", "Perth"}, false},
        {{"UA", "RA", "RW"}, {"KO", "LO"}, {"Moskva", "Kazan", "Samara"}, false},
    };
    return list;
}

const QStringList kNames = {"Hans",   "Klaus",   "Jürgen", "Uwe",    "Günter", "Wolfgang", "Peter",  "Jörg",
                            "Stefan", "Andrea",  "Birgit", "Monika", "John",   "Mike",     "David",  "Paul",
                            "Susan",  "Richard", "Tom",    "Frank",  "Bernd",  "Sabine",   "Dieter", "Rolf"};
const QStringList kComments = {
    "Tnx fer QSO", "Contest",          "Fieldday", "QRM",        "Erstes QSO",     "via Relais",  "QSB stark",
    "Neues DXCC",  "über Bake gehört", "Sked",     "Fone patch", "Antenne: Dipol", "Gutes Signal"};
const QStringList kPowers = {"100W", "100W", "100W", "50W", "5W", "10W", "25W", "750W"};

struct Band {
    const char* name;
    int weight;
    bool vhf;
};
const Band kBands[] = {{"2m", 18, true},   {"70cm", 8, true},  {"10m", 7, false},
                       {"15m", 8, false},  {"20m", 20, false}, {"40m", 18, false},
                       {"80m", 12, false}, {"160m", 3, false}, {"6m", 6, true}};

class LogMaker {
public:
    explicit LogMaker(unsigned seed) : m_rng(seed) {}

    QsoRecord record(int number, int count);

private:
    // The standard distributions differ between library implementations; a
    // plain modulo keeps the same seed giving the same file everywhere.
    int below(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QString pick(const QStringList& list) { return list[below(static_cast<int>(list.size()))]; }
    QChar letter(char from = 'A', int span = 26) { return QChar(from + below(span)); }

    QString call(const Region& region);
    QString locator(const Region& region);
    QDate later(const QDate& date) { return date.addDays(3 + below(300)); }

    std::mt19937 m_rng;
    int m_serial = 0;
};

QString LogMaker::call(const Region& region) {
    QString c = pick(region.prefixes);
    if (!c.back().isDigit()) c += QChar('0' + below(10));
    const int letters = 1 + below(3);
    for (int i = 0; i < letters; ++i)
        c += letter();
    if (chance(5))
        c += QStringLiteral("/P");
    else if (chance(3))
        c += QStringLiteral("/M");
    return c;
}

QString LogMaker::locator(const Region& region) {
    QString l = pick(region.locatorFields);
    l += QChar('0' + below(10));
    l += QChar('0' + below(10));
    l += letter('A', 24);
    l += letter('A', 24);
    return l;
}

QsoRecord LogMaker::record(int number, int count) {
    // Contacts spread evenly from 2000 to the end of 2026, each at a random
    // second inside its own slot, so that date and time never go backwards.
    static const QDate first(2000, 1, 1);
    static const qint64 span = qint64(first.daysTo(QDate(2027, 1, 1))) * 86400;
    const qint64 slot = std::max<qint64>(1, span / std::max(count, 1));
    const qint64 at =
        (number - 1) * span / std::max(count, 1) + below(static_cast<int>(std::min<qint64>(slot, 1 << 30)));
    const QDate date = first.addDays(at / 86400);
    const QTime time = QTime(0, 0).addSecs(static_cast<int>(at % 86400));

    int total = 0;
    for (const Band& b : kBands)
        total += b.weight;
    int roll = below(total);
    const Band* band = kBands;
    while (roll >= band->weight)
        roll -= band++->weight;

    QString mode;
    if (band->vhf) {
        mode = pick({"FM", "FM", "FM", "SSB", "CW"});
    } else {
        mode = pick({"SSB", "SSB", "CW", "CW", "RTTY", "FT8", "FT8", "PSK"});
        if (mode == "FT8" && date.year() < 2017) // the mode did not exist before
            mode = QStringLiteral("PSK");
    }

    // About four contacts in ten with German stations.
    const int regionCount = static_cast<int>(regions().size());
    const int r = below(regionCount + 9);
    const Region& region = regions()[static_cast<std::size_t>(r < regionCount ? r : 0)];

    const bool phone = mode == "SSB" || mode == "FM";
    const QStringList reports = phone ? QStringList{"59", "59", "57"} : QStringList{"599"};
    QString sent = pick(reports);
    QString received = pick(reports);
    if (chance(8)) { // contest contacts carry serial numbers
        sent += QStringLiteral(" %1").arg(++m_serial % 1000, 3, 10, QChar('0'));
        received += QStringLiteral(" %1").arg(1 + below(999), 3, 10, QChar('0'));
    }

    QString comment;
    const int kind = below(10);
    if (kind >= 5 && kind < 9)
        comment = pick(kComments);
    else if (kind == 9)
        comment = pick(kComments) + QStringLiteral("\n") + pick(kComments);

    QsoRecord q;
    q[QsoRecord::Number] = QString::number(number);
    q[QsoRecord::Date] = DateText::formatDate(date);
    q[QsoRecord::Utc] = DateText::formatTime(time);
    q[QsoRecord::Band] = QString::fromLatin1(band->name);
    q[QsoRecord::Mode] = mode;
    q[QsoRecord::Call] = call(region);
    q[QsoRecord::RstTx] = sent;
    q[QsoRecord::RstRx] = received;
    if (region.german && chance(80))
        q[QsoRecord::Dok] = QString(letter('A', 26)) + QString::number(below(100)).rightJustified(2, '0');
    if (chance(85)) q[QsoRecord::Name] = pick(kNames);
    if (chance(75)) q[QsoRecord::Qth] = pick(region.cities);
    if (chance(70)) q[QsoRecord::Locator] = locator(region);
    q[QsoRecord::TxPwr] = pick(kPowers);
    q[QsoRecord::Comments] = comment;
    if (chance(40)) {
        const QDate sentOn = later(date);
        q[QsoRecord::QslOut] = DateText::formatDate(sentOn);
        if (chance(60)) q[QsoRecord::QslIn] = DateText::formatDate(later(sentOn));
    }
    return q;
}

void makeLog(int count, const QString& fileName, unsigned seed) {
    LogFile log(fileName);
    log.WriteHeader();
    // One write for the whole body: AppendRecord syncs the disk each time,
    // which would make a 100 000-contact log take minutes.
    LogMaker maker(seed);
    QByteArray body;
    body.reserve(qsizetype(count) * 140);
    for (int n = 1; n <= count; ++n) {
        Codepage::encodeAppend(maker.record(n, count).encodeLine(), body);
        body += "\r\n";
    }
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(body) != body.size())
        throw IoError(QStringLiteral("%1: %2").arg(fileName, file.errorString()));
}

// ---- measuring ------------------------------------------------------------

double peakRssMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0; // given in kB
    }
    return -1;
}

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(const std::function<void()>& step, int times) {
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(msSince(t));
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Answers like a user who says No to everything, so that a start which would
// ask something cannot hang the measurement; what would have been shown goes
// to stderr so that it is not lost.
class QuietDialogs : public Dialogs {
public:
    void error(const QString& text) override { err() << "[error] " << text << Qt::endl; }
    void info(const QString& text) override { err() << "[info] " << text << Qt::endl; }
    bool question(const QString& text) override {
        if (sayYes)
            return true;
        err() << "[question, answered No] " << text << Qt::endl;
        return false;
    }
    bool sayYes = false; // for a measurement that needs the question answered
    std::optional<QString> inputText(const QString&, const QString& prompt, const QString&) override {
        err() << "[input, cancelled] " << prompt << Qt::endl;
        return std::nullopt;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString folderName(const QString&, const QString&) override { return {}; }
};

int loadOnly(const QString& fileName) {
    LogFile log(fileName);
    LogTableModel model;
    QElapsedTimer t;
    t.start();
    model.load(log);
    report("model_load_ms", msSince(t), "ms");
    report("model_load_peak_rss_mb", peakRssMb(), "MB");
    if (model.recordCount() == 0) err() << "warning: the log holds no contacts" << Qt::endl;
    return 0;
}

// The peak resident size only means something for a process that has done
// nothing but the load, so that part runs in a child of its own.
bool loadInChild(const QString& fileName) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("load-only"), fileName});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        err() << "load-only failed: " << child.errorString() << Qt::endl;
        return false;
    }
    out() << QString::fromUtf8(child.readAllStandardOutput()) << Qt::flush;
    return true;
}

bool copyTo(const QString& from, const QString& to) {
    QFile::remove(to);
    if (QFile::copy(from, to)) return true;
    err() << "cannot copy " << from << " to " << to << Qt::endl;
    return false;
}

// The search tab on the whole log: a typical three-row search, and a DXCC
// search, which has to find the entity of every call of the log.
void measureSearch(const QString& logName) {
    const int year = QDate::currentDate().year();
    auto search = [&](const QVector<SearchCondition>& conditions, SearchQuery::EntityOf entityOf, int& hits) {
        return median(
            [&] {
                // A fresh query each time, as every click on the search button makes one.
                const SearchQuery query(conditions, year, entityOf);
                LogFile log(logName);
                hits = static_cast<int>(query.run(log).size());
            },
            5);
    };
    int hits = 0;
    const double threeRows =
        search({{true, SearchField::Band, SearchOperator::Is, QStringLiteral("20m")},
                {true, SearchField::Mode, SearchOperator::Is, QStringLiteral("SSB")},
                {true, SearchField::Call, SearchOperator::Contains, QStringLiteral("dl")}},
               {}, hits);
    report("search_3_conditions_ms", threeRows, "ms", 300);
    out() << "search_3_conditions_hits: " << hits << Qt::endl;

    // The program keeps its DXCC tables loaded; so does this measurement.
    DxccAccess dxcc(QCoreApplication::applicationDirPath());
    if (dxcc.GetDxccCountry(QStringLiteral("DL1ABC")).isEmpty())
        err() << "warning: no DXCC tables beside the program" << Qt::endl;
    // As the search tab does: the tables are checked once per search.
    const DxccAccess::Hold hold(dxcc);
    const double entity = search(
        {{true, SearchField::Dxcc, SearchOperator::Is, QStringLiteral("fed. rep. of germany")}},
        [&](const QString& call) { return dxcc.GetDxccCountry(call); }, hits);
    report("search_dxcc_ms", entity, "ms", 300);
    out() << "search_dxcc_hits: " << hits << Qt::endl;
}

// The evaluations on the whole log, each reading it from the first record as
// the pages do, and the pie of the percentage view.
void measureEvaluations(const QString& logName) {
    const LanguageTexts texts = LanguageTexts::builtInGerman();
    const int year = QDate::currentDate().year();
    const auto withTime = *EvaluationFilter::make({}, EvaluationFilter::Dates::WithTime, year, nullptr);
    const auto dateOnly = *EvaluationFilter::make({}, EvaluationFilter::Dates::DateOnly, year, nullptr);

    LocatorResult squares;
    report("locator_run_ms", median([&] {
        LogFile log(logName);
        squares = runLocatorEvaluation(log, withTime, QStringLiteral("JN58TD"), texts);
    }, 5), "ms", 300);
    out() << "locator_squares: " << squares.worked << " worked, " << squares.confirmed << " confirmed, table "
          << squares.columns() << " x " << squares.rows() << Qt::endl;

    DokResult doks;
    report("dok_run_ms", median([&] {
        LogFile log(logName);
        doks = runDokEvaluation(log, dateOnly);
    }, 5), "ms", 300);
    out() << "dok_counts: " << doks.worked.size() << " worked, " << doks.confirmed.size() << " confirmed"
          << Qt::endl;

    // The program keeps its DXCC tables loaded; so does this measurement.
    DxccAccess dxcc(QCoreApplication::applicationDirPath());
    dxcc.GetDxccCountry(QStringLiteral("DL1ABC"));
    DxccResult entities;
    report("dxcc_run_ms", median([&] {
        LogFile log(logName);
        entities = runDxccEvaluation(log, dateOnly, dxcc, texts);
    }, 5), "ms", 300);
    out() << "dxcc_counts: " << entities.workedCount << " worked, " << entities.confirmedCount << " confirmed, "
          << entities.all.size() << " in all, " << entities.shortCalls.size() << " short calls" << Qt::endl;
    if (!entities.error.isEmpty()) err() << "warning: " << entities.error << Qt::endl;

    QsoCounts counts;
    report("qso_counts_ms", median([&] {
        LogFile log(logName);
        counts = QsoCounts::count(log);
        for (int view = 0; view < 5; ++view)
            counts.table(QsoCounts::View(view), texts);
    }, 5), "ms", 200);
    out() << "qso_counts: " << counts.bands().size() << " bands, " << counts.modes().size() << " modes, "
          << counts.all(int(counts.bands().size()), int(counts.modes().size())) << " contacts" << Qt::endl;
    int share = 0;
    report("qso_pie_ms", median([&] {
        share = (share + 7) % 101;
        paintQsoPie(share, share / 2, QColor(255, 255, 225));
    }, 21), "ms", 5);
}

// The reference list and Ctrl+R with a current log and four reference logs
// of perLog contacts each. Only the rules part is timed: filling the grid of
// the visible rows comes on top in the program.
void measureReferenceLogs(const QTemporaryDir& dir, int perLog) {
    const QString current = dir.filePath(QStringLiteral("ref-current.log"));
    makeLog(perLog, current, 21);
    QStringList paths;
    for (int slot = 1; slot <= ReferenceLogs::SlotCount; ++slot) {
        paths << dir.filePath(QStringLiteral("ref%1.log").arg(slot));
        makeLog(perLog, paths.last(), 21 + unsigned(slot));
    }
    out() << "reference_logs: 5 x " << perLog << " contacts" << Qt::endl;
    LogTableModel model;
    {
        LogFile log(current);
        model.load(log); // the program has the current log loaded already
    }

    // The first keystroke in the call field: every log read, then filtered.
    ReferenceListModel list;
    auto build = [&] {
        list.clear();
        ReferenceData& data = list.data();
        data.appendCurrent(model);
        for (const QString& path : ReferenceLogs::existingLogs(paths, current, true)) {
            LogFile log(path);
            data.appendLog(log);
        }
        list.setRows(data.filter(QStringLiteral("D"), {}, {}));
    };
    report("reference_list_build_ms", median(build, 5), "ms", 500);
    if (list.data().size() != 5 * perLog)
        err() << "warning: " << list.data().size() << " rows in the reference data" << Qt::endl;

    // Typing on, letter by letter: a call of the log, one that is in no log,
    // and a DOK narrowing a prefix that fits many.
    const QString known = model.recordCount() > 0 ? model.field(model.recordCount() / 3, QsoRecord::Call)
                                                  : QStringLiteral("DL1ABC");
    std::vector<double> steps;
    auto type = [&](const QString& call, const QString& dok) {
        for (qsizetype n = 1; n <= call.size(); ++n) {
            QElapsedTimer t;
            t.start();
            list.setRows(list.data().filter(call.left(n), {}, {}));
            steps.push_back(msSince(t));
        }
        for (qsizetype n = 1; n <= dok.size(); ++n) {
            QElapsedTimer t;
            t.start();
            list.setRows(list.data().filter(call, dok.left(n), {}));
            steps.push_back(msSince(t));
        }
    };
    type(known, {});
    type(QStringLiteral("ZZ9ZZZ"), {});
    type(QStringLiteral("DL"), QStringLiteral("B05"));
    report("reference_refilter_worst_ms", *std::max_element(steps.begin(), steps.end()), "ms", 30);
    report("reference_refilter_mean_ms",
           std::accumulate(steps.begin(), steps.end(), 0.0) / double(steps.size()), "ms", 30);
    out() << "reference_refilter_keystrokes: " << steps.size() << Qt::endl;

    // Ctrl+R for a station worked in none of the logs: all five read to the end.
    bool found = false;
    report(
        "ctrl_r_miss_ms",
        median(
            [&] { found = ReferenceLogs::findFirst(current, paths, QStringLiteral("ZZ9ZZZ")).has_value(); },
            5),
        "ms", 500);
    if (found) err() << "warning: ZZ9ZZZ was found" << Qt::endl;
}

// What the operator waits for while logging: Return on the last field until
// the contact is on disk and in both grids, the duplicate check on leaving
// Call, and a contact opened in the edit tab and saved.
void measureQsl(MainWindow& window, Session& session);
void measureEvaluationPages(MainWindow& window);

void measureWindow(MainWindow& window, Session& session, const QStringList& referenceLogs) {
    auto* call = window.findChild<QLineEdit*>(QStringLiteral("CallEdit"));
    auto* rstTx = window.findChild<QLineEdit*>(QStringLiteral("RstTxEdit"));
    auto* rstRx = window.findChild<QLineEdit*>(QStringLiteral("RstRxEdit"));
    if (!call || !rstTx || !rstRx) {
        err() << "warning: the mask fields were not found" << Qt::endl;
        return;
    }
    int serial = 0;
    const int before = session.model().recordCount();
    report("save_contact_ms", median([&] {
               call->setText(QStringLiteral("DL%1BEN").arg(++serial));
               rstTx->setText(QStringLiteral("599"));
               rstRx->setText(QStringLiteral("599"));
               QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
               QApplication::sendEvent(rstRx, &enter);
               QApplication::processEvents();
           }, 20),
           "ms");
    if (session.model().recordCount() != before + 20)
        err() << "warning: " << session.model().recordCount() - before << " contacts saved instead of 20" << Qt::endl;

    if (auto* list = window.findChild<LogGridView*>(QStringLiteral("ListeStringGrid"))) {
        QList<int> all;
        for (int c = 0; c < QsoRecord::FieldCount; ++c)
            all << c;
        // What a first start without stored widths adds: every column fitted.
        report("fit_columns_first_show_ms", median([&] { list->fitColumnsQuickly(all); }, 5), "ms", 50);
    }

    call->setText(QStringLiteral("ZZ9ZZZ")); // not in the log: every row is compared
    report("duplicate_check_ms", median([&] { window.entryArea().CallEditExit(); }, 20), "ms");

    auto* name = window.findChild<QLineEdit*>(QStringLiteral("eNameEdit"));
    const int middle = session.model().recordCount() / 2;
    report("edit_open_save_ms", median([&] {
               window.openForEdit(middle, ReturnTarget::List);
               if (name)
                   name->setText(name->text() == QLatin1String("Bench") ? QStringLiteral("Mark") : QStringLiteral("Bench"));
               if (auto* edit = window.findChild<EditPage*>(QStringLiteral("EditierenTS")))
                   edit->eOkBtnClick();
               QApplication::processEvents();
           }, 5),
           "ms");

    // Del and Yes on the middle contact, then its undo: each a rewrite of the
    // whole log and a reload of the lists.
    if (auto* quiet = dynamic_cast<QuietDialogs*>(&session.dialogs())) {
        quiet->sayYes = true;
        const int contacts = session.model().recordCount();
        std::vector<double> deleted, restored;
        QElapsedTimer t;
        for (int i = 0; i < 5; ++i) {
            t.start();
            window.entryArea().deleteContact(middle + 1, session.model().record(middle));
            QApplication::processEvents();
            deleted.push_back(msSince(t));
            t.start();
            window.entryArea().undoDeletion();
            QApplication::processEvents();
            restored.push_back(msSince(t));
        }
        quiet->sayYes = false;
        std::sort(deleted.begin(), deleted.end());
        std::sort(restored.begin(), restored.end());
        report("delete_contact_ms", deleted[deleted.size() / 2], "ms");
        report("undo_delete_ms", restored[restored.size() / 2], "ms");
        if (session.model().recordCount() != contacts)
            err() << "warning: delete and undo left " << session.model().recordCount() << " contacts" << Qt::endl;
    }

    // The same figures through the window, with the grid the operator sees:
    // the current log of this run and the four reference logs.
    Settings& settings = session.settings();
    ReferenceLogs::writePaths(settings, referenceLogs);
    ReferenceLogs::writeLuxus(settings, true);
    call->clear();
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    call->setText(QStringLiteral("D"));
    QApplication::processEvents();
    report("window_reference_first_key_ms", msSince(t), "ms", 500);
    double worst = 0;
    for (const QString& typed : {QStringLiteral("DL"), QStringLiteral("DL1"), QStringLiteral("DL1A"),
                                 QStringLiteral("DL1AB"), QStringLiteral("DL1ABC")}) {
        t.start();
        call->setText(typed);
        QApplication::processEvents();
        worst = std::max(worst, msSince(t));
    }
    report("window_reference_refilter_worst_ms", worst, "ms", 30);
    if (!window.entryArea().referenceList().shown())
        err() << "warning: the reference list did not appear" << Qt::endl;
    call->setText(QStringLiteral("ZZ9ZZZ"));
    report("window_ctrl_r_miss_ms", median([&] { window.entryArea().referenceList().StandartfunktionReferenzLogs(); }, 5), "ms", 500);
    call->clear();
    QApplication::processEvents();
    ReferenceLogs::writeLuxus(settings, false);

    auto* search = window.findChild<SearchPage*>(QStringLiteral("SucheTS"));
    search->setCondition(1, true, SearchField::Band, SearchOperator::Is, QStringLiteral("20m"));
    search->setCondition(2, true, SearchField::Mode, SearchOperator::Is, QStringLiteral("SSB"));
    search->setCondition(3, true, SearchField::Call, SearchOperator::Contains, QStringLiteral("dl"));
    report("window_search_3_conditions_ms", median([&] {
               search->SearchBtnClick();
               QApplication::processEvents();
           }, 5),
           "ms", 300);
    measureQsl(window, session);
    measureEvaluationPages(window);
}

// The evaluation pages as the operator meets them: "anzeigen!" on the DXCC
// page (the run plus both views, "alle DXCCs" with every entity), the page
// "Anzahl QSOs" coming to the front, and the pie following the mouse.
void measureEvaluationPages(MainWindow& window) {
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    auto* evaluations = window.findChild<QTabWidget*>(QStringLiteral("AuswertungenPageControl"));
    auto* dxcc = window.findChild<DxccPage*>();
    auto* counts = window.findChild<QsoCountsPage*>();
    if (!tabs || !evaluations || !dxcc || !counts) {
        err() << "warning: the evaluation pages were not found" << Qt::endl;
        return;
    }
    tabs->setCurrentWidget(window.findChild<QWidget*>(QStringLiteral("AuswertungenTS")));
    evaluations->setCurrentWidget(dxcc);
    QApplication::processEvents();
    report("dxcc_page_run_and_fill_ms", median([&] {
               dxcc->dxccStartBtnClick();
               QApplication::processEvents();
           }, 5),
           "ms", 500);
    if (auto* all = window.findChild<QTextEdit*>(QStringLiteral("dxccAllRichEdit")))
        out() << "dxcc_page_all_lines: " << all->document()->blockCount() << Qt::endl;

    evaluations->setCurrentWidget(counts);
    QApplication::processEvents();
    report("qso_counts_page_show_ms", median([&] {
               counts->AnzahlQsosTSShow();
               QApplication::processEvents();
           }, 5),
           "ms", 200);

    auto* views = window.findChild<QTabBar*>(QStringLiteral("AnzahlQsosTabControl"));
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("AnzahlQsosStringGrid"));
    if (!views || !grid || grid->rowCount() < 3 || grid->columnCount() < 3) {
        err() << "warning: the counts grid is not filled" << Qt::endl;
        return;
    }
    views->setCurrentIndex(1); // "Übersicht %"
    QApplication::processEvents();
    const int rows = grid->rowCount() - 1;
    const int columns = grid->columnCount() - 1;
    int step = 0;
    report("qso_pie_follow_mouse_ms", median([&] {
               // A different cell each time, so every move redraws the pie.
               ++step;
               QTableWidgetItem* cell = grid->item(1 + step % rows, 1 + (step / rows) % columns);
               const QPoint at = grid->visualItemRect(cell).center();
               QMouseEvent move(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton, {}, {});
               QApplication::sendEvent(grid->viewport(), &move);
               QApplication::processEvents();
           }, 41),
           "ms", 5);
}

// "Liste erstellen" under the strictest card rule, and marking one card
// (which rewrites the log).
void measureQsl(MainWindow& window, Session& session) {
    QslSettings::setCardRule(session.settings(), CardRule{true, true, true});
    auto* options = window.findChild<QslOptions*>();
    options->applySettings();
    QslPage& page = window.qslArea().page();
    report("qsl_list_first_band_mode_ms", median([&] { page.qslCreateListBtnClick(); }, 5), "ms", 300);
    report("qsl_listed", page.outstanding().listedCount(), "contacts");
    page.outstandingGrid()->selectRecord(page.outstanding().listedCount() / 2);
    report("qsl_mark_card_ms", median([&] {
               page.qslStringGridDblClick();
               page.outstandingGrid()->selectRecord(page.outstanding().listedCount() / 2);
           }, 6),
           "ms", 50);
}

int run(int count) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        err() << "no temporary folder: " << dir.errorString() << Qt::endl;
        return 1;
    }
    const QString logName = dir.filePath(QStringLiteral("bench.log"));
    makeLog(count, logName, 1);
    out() << "contacts: " << count << Qt::endl;
    report("log_size_mb", double(QFileInfo(logName).size()) / (1024.0 * 1024.0), "MB");

    {
        QElapsedTimer t;
        t.start();
        QFile file(logName);
        if (!file.open(QIODevice::ReadOnly)) return 1;
        const qsizetype lines = file.readAll().count('\n');
        report("plain_read_ms", msSince(t), "ms");
        if (lines != count + 1) err() << "warning: " << lines << " lines read" << Qt::endl;
    }

    if (!loadInChild(logName)) return 1;

    // The writes go to copies so that the start below sees exactly N contacts.
    const QString workName = dir.filePath(QStringLiteral("work.log"));
    if (!copyTo(logName, workName)) return 1;
    {
        LogFile log(workName);
        LogMaker maker(2);
        int number = count;
        report("append_ms", median([&] { log.AppendRecord(maker.record(++number, count + 20)); }, 20), "ms");
        const int middle = std::max(1, count / 2);
        const QsoRecord replacement = maker.record(middle, count);
        report("replace_middle_ms", median([&] { log.ReplaceRecord(middle, replacement); }, 5), "ms");
    }
    if (!copyTo(logName, workName)) return 1;
    {
        LogFile log(workName);
        QElapsedTimer t;
        t.start();
        log.Normalize(QDateTime::currentDateTime());
        report("normalize_ms", msSince(t), "ms");
    }

    measureSearch(logName);
    measureEvaluations(logName);
    measureReferenceLogs(dir, std::max(1, count / 4));

    // A program folder as installed: the language file and the DXCC tables
    // lie beside the log.
    for (const char* data : {"deutsch.lng", "DXCC.csv", "DXCC.ini"})
        copyTo(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(data),
               dir.filePath(QLatin1String(data)));
    QFile ini(dir.filePath(QStringLiteral("Vesk.ini")));
    // Optional fields hidden: Return in RST RX saves, the quickest way an
    // operator logs a contest contact.
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[Allgemein]\r\nLastLogFileName=bench.log\r\n"
                  "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=0\r\nj=0\r\nk=0\r\nl=0\r\n") < 0)
        return 1;
    ini.close();
    {
        SystemClock clock;
        QuietDialogs dialogs;
        QElapsedTimer t;
        t.start();
        Session session(dir.path(), clock, dialogs);
        MainWindow window(session);
        window.show();
        QApplication::processEvents();
        report("startup_ms", msSince(t), "ms");
        if (session.model().recordCount() != count)
            err() << "warning: the window shows " << session.model().recordCount() << " contacts" << Qt::endl;
        QStringList referenceLogs;
        for (int slot = 1; slot <= ReferenceLogs::SlotCount; ++slot)
            referenceLogs << dir.filePath(QStringLiteral("ref%1.log").arg(slot));
        measureWindow(window, session, referenceLogs);
        window.close();
    }

    // The log converter on the same log (now with the contacts saved above):
    // the three exports, and the ADIF file read back into a new log
    // including the closing Normalize.
    {
        SystemClock clock;
        LogConverter converter(clock);
        const QString adif = dir.filePath(QStringLiteral("bench.adi"));
        QElapsedTimer t;
        t.start();
        const ConverterResult exported = converter.ExportAdif({logName}, adif);
        report("export_adif_ms", msSince(t), "ms");
        t.start();
        const QString imported = dir.filePath(QStringLiteral("imported.log"));
        const int total = converter.ImportAdif(adif, imported).total;
        report("import_adif_ms", msSince(t), "ms");
        if (total != exported.written)
            err() << "warning: " << total << " of " << exported.written << " contacts imported" << Qt::endl;
        t.start();
        converter.ExportHtml({logName}, dir.filePath(QStringLiteral("bench.htm")));
        report("export_html_ms", msSince(t), "ms");
        t.start();
        converter.ExportTxtFest({logName}, dir.filePath(QStringLiteral("bench.txt")));
        report("export_txt_ms", msSince(t), "ms");
    }
    return 0;
}

int usage() {
    err() << "usage: vesk-bench make-log N FILE [SEED]\n"
             "       vesk-bench run [N]\n"
             "       vesk-bench load-only FILE"
          << Qt::endl;
    return 2;
}

bool readCount(const QString& text, int& count) {
    bool ok = false;
    count = text.toInt(&ok);
    return ok && count >= 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    try {
        if (command == "make-log" && (argc == 4 || argc == 5)) {
            QCoreApplication app(argc, argv);
            int count = 0;
            bool seedOk = true;
            const unsigned seed = argc == 5 ? QString::fromLocal8Bit(argv[4]).toUInt(&seedOk) : 1u;
            if (!readCount(QString::fromLocal8Bit(argv[2]), count) || !seedOk) return usage();
            makeLog(count, QString::fromLocal8Bit(argv[3]), seed);
            return 0;
        }
        if (command == "load-only" && argc == 3) {
            QCoreApplication app(argc, argv);
            return loadOnly(QString::fromLocal8Bit(argv[2]));
        }
        if (command == "run" && argc <= 3) {
            int count = 100000;
            if (argc == 3 && (!readCount(QString::fromLocal8Bit(argv[2]), count) || count < 1))
                return usage();
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
                qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            QApplication app(argc, argv);
            return run(count);
        }
    } catch (const IoError& e) {
        err() << e.message() << Qt::endl;
        return 1;
    }
    return usage();
}
