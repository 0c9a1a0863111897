// Search values: each of the first two lines of the input is a value typed
// into a search row, compared by every field and operator with a typical
// text of the field (and as the field's text itself), then a search of a
// few of these rows run over a few contacts.
#include "FuzzSupport.h"

#include "entry/SearchQuery.h"
#include "logstore/PackedRecord.h"
#include "logstore/QsoRecord.h"

namespace {

QsoRecord contact(const char* line) {
    QsoRecord record;
    QsoRecord::decodeLine(QString::fromUtf8(line), record);
    return record;
}

// For each search field a text as a log holds it, for the comparisons.
const QStringList& typicalTexts() {
    static const QStringList texts = {
        QStringLiteral("12"),    QStringLiteral("01.05.2024"), QStringLiteral("12:00:00"),   QStringLiteral("20m"),
        QStringLiteral("CW"),    QStringLiteral("DL1ABC/P"),   QStringLiteral("599"),        QStringLiteral("57"),
        QStringLiteral("B01"),   QStringLiteral("Hans"),       QStringLiteral("Berlin"),     QStringLiteral("JO62QM"),
        QStringLiteral("1,5kW"), QStringLiteral("a#13#10b"),   QStringLiteral("01.01.1901"), QString(),
        QStringLiteral("Germany")};
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QVector<PackedRecord> contacts = {
        PackedRecord::fromRecord(contact("1;01.05.2024;1200;20m;CW;DL1ABC;599;579;B01;Hans;Berlin;JO62QM;100W;gut;;")),
        PackedRecord::fromRecord(contact("2;31.12.1999;2359;2m;FM;K1XYZ/P;59;59;;;;FN42;0,5W;a#13#10b;01.01.1901;02.02.2000")),
        PackedRecord::fromRecord(contact("10;1.1.00;0;;;;;;;;;;5mW;;;")),
    };
    // The search tab has few rows; more lines would only slow the run.
    const QStringList values = FuzzSupport::text(data, size).split(u'\n').mid(0, 2);
    for (const QString& value : values) {
        QVector<SearchCondition> conditions;
        for (int field = 0; field < SearchField::Count; ++field) {
            for (int op = 0; op < SearchOperator::Count; ++op) {
                const int shown = SearchQuery::fieldAfterSelection(field, op);
                VESK_FUZZ_CHECK(shown >= 0 && shown < SearchField::Count);
                (void)SearchQuery::holds(op, shown, typicalTexts()[shown], value, 2024);
                // The value as a field's text: log fields are typed too.
                (void)SearchQuery::holds(op, shown, value, typicalTexts()[shown], 2024);
                (void)SearchQuery::holds(op, shown, value, value, 2024);
                if ((field + op) % 7 == value.size() % 7)
                    conditions.append({true, shown, op, value});
            }
        }
        const SearchQuery query(conditions, 2024, [](const QString& call) { return call.left(2); });
        for (const PackedRecord& record : contacts)
            (void)query.matches(record);
    }
    return 0;
}
