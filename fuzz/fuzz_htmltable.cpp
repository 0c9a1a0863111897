// HTML tables: the import's decoding of the file and its reading of the
// first table into the column grid.
#include "FuzzSupport.h"

#include "converter/ForeignText.h"
#include "converter/HtmlTable.h"
#include "converter/StringGrid.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString html = ForeignText::decode(ForeignText::utf16AsUtf8(FuzzSupport::bytes(data, size)));
    StringGrid grid;
    if (HtmlTable::readFirstTable(html, grid)) {
        grid.assignByHeadings();
        const QList<int> assigned = grid.assignedColumns();
        for (const int column : assigned) {
            VESK_FUZZ_CHECK(column >= 0 && column < grid.columnCount());
            const int field = grid.assignment(column);
            VESK_FUZZ_CHECK(field >= 1 && field <= 16);
            for (int row = 1; row < grid.rowCount(); ++row)
                (void)grid.cell(column, row);
        }
    }
    (void)HtmlTable::cellText(html);
    // What the export escapes, the import reads back as it was.
    const QString plain = FuzzSupport::text(data, size).remove(u'\r').remove(u'\n');
    VESK_FUZZ_CHECK(HtmlTable::decodeReferences(HtmlTable::escape(plain)) == plain);
    return 0;
}
