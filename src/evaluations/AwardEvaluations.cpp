#include "evaluations/AwardEvaluations.h"

#include "evaluations/EvaluationFilter.h"
#include "logstore/LogFile.h"
#include "platform/ProgramTexts.h"
#include "refdata/Dxcc.h"
#include "settings/LanguageTexts.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

// Case ignored first, so that "b01" stands beside "B01"; exact text second
// keeps the order the same on every run.
bool alphabetical(const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

QString resultLine(const LanguageTexts& texts, int worked, int middle, int confirmed) {
    return texts[LanguageTexts::ResultStart] + QString::number(worked) + texts[middle] + QString::number(confirmed) +
           texts[LanguageTexts::ResultEnd];
}

// The working list of the DXCC run: one entry per country, whatever the
// letter case of the name, in the order entries were added.
class WorkingList {
public:
    int stateOf(const QString& country) const {
        const auto it = m_index.constFind(country.toCaseFolded());
        return it == m_index.constEnd() ? -1 : m_entries[*it].state;
    }
    void set(const QString& country, int state) {
        const QString key = country.toCaseFolded();
        const auto it = m_index.constFind(key);
        if (it != m_index.constEnd()) {
            m_entries[*it] = {country, state};
            return;
        }
        m_index.insert(key, m_entries.size());
        m_entries.push_back({country, state});
    }
    QVector<DxccState> sorted() const {
        QVector<DxccState> list = m_entries;
        std::stable_sort(list.begin(), list.end(), [](const DxccState& a, const DxccState& b) {
            return alphabetical(a.country, b.country);
        });
        return list;
    }

private:
    QHash<QString, qsizetype> m_index;
    QVector<DxccState> m_entries;
};

} // namespace

QString DokResult::resultLine(const LanguageTexts& texts) const {
    return ::resultLine(texts, static_cast<int>(worked.size() + confirmed.size()), LanguageTexts::ResultDoks,
                        static_cast<int>(confirmed.size()));
}

DokResult runDokEvaluation(LogFile& log, const EvaluationFilter& filter) {
    DokResult result;
    QSet<QString> worked;
    QSet<QString> confirmed;
    int position = 0;
    log.scanPacked([&](const QString&, const PackedRecord& record) {
        ++position;
        const QStringView dok = record.rawField(QsoRecord::Dok);
        if (dok.isEmpty())
            return false;
        const auto verdict = filter.test(record, position, &result.error);
        if (verdict != EvaluationFilter::Verdict::Pass)
            return verdict == EvaluationFilter::Verdict::Unreadable;
        const QString text = dok.toString();
        if (record.rawField(QsoRecord::QslIn).isEmpty()) {
            if (!confirmed.contains(text))
                worked.insert(text);
        } else {
            worked.remove(text);
            confirmed.insert(text);
        }
        return false;
    });
    if (!result.error.isEmpty())
        return result;
    result.worked = QStringList(worked.cbegin(), worked.cend());
    result.confirmed = QStringList(confirmed.cbegin(), confirmed.cend());
    std::sort(result.worked.begin(), result.worked.end(), alphabetical);
    std::sort(result.confirmed.begin(), result.confirmed.end(), alphabetical);
    return result;
}

QString DxccResult::resultLine(const LanguageTexts& texts) const {
    return ::resultLine(texts, workedCount + confirmedCount, LanguageTexts::ResultDxccs, confirmedCount);
}

QString DxccResult::shortCallsMessage() const { return collectedMessage(shortCalls); }

DxccResult runDxccEvaluation(LogFile& log, const EvaluationFilter& filter, DxccAccess& dxcc,
                             const LanguageTexts& texts) {
    DxccResult result;
    WorkingList list;
    // Calls repeat a lot in a log; each is looked up once per run.
    QHash<QString, QString> countries;
    const DxccAccess::Hold hold(dxcc);
    int position = 0;
    log.scanPacked([&](const QString&, const PackedRecord& record) {
        ++position;
        const auto verdict = filter.test(record, position, &result.error);
        if (verdict != EvaluationFilter::Verdict::Pass)
            return verdict == EvaluationFilter::Verdict::Unreadable;
        const QString call = record.rawField(QsoRecord::Call).toString();
        if (call.size() < 3) {
            result.shortCalls << texts[LanguageTexts::ShortCallStart] + call + texts[LanguageTexts::ShortCallMiddle] +
                                     record.rawField(QsoRecord::Number).toString() + texts[LanguageTexts::ShortCallEnd];
            return false;
        }
        auto it = countries.constFind(call);
        if (it == countries.constEnd())
            it = countries.insert(call, dxcc.GetDxccCountry(call));
        const QString& country = *it;
        if (country.isEmpty())
            return false;
        const int state = list.stateOf(country);
        if (record.rawField(QsoRecord::QslIn).isEmpty()) {
            if (state < DxccState::Worked)
                list.set(country, DxccState::Worked);
        } else if (state != DxccState::Confirmed) {
            list.set(country, DxccState::Confirmed);
        }
        return false;
    });
    if (!result.error.isEmpty()) {
        result.shortCalls.clear();
        return result;
    }
    result.worked = list.sorted();

    const auto names = dxcc.countryNames();
    if (!names) {
        result.error = msgText(Msg::FileMissing).arg(QDir::toNativeSeparators(dxcc.tableFileName()));
        return result;
    }
    for (const QString& name : *names) {
        if (list.stateOf(name) < 0)
            list.set(name, DxccState::NotWorked);
    }
    result.all = list.sorted();
    for (const DxccState& s : result.worked)
        (s.state == DxccState::Confirmed ? result.confirmedCount : result.workedCount) += 1;
    return result;
}
