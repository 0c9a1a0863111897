#include "evaluations/ContestWorkbook.h"

#include "evaluations/ContestEngine.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "platform/Desktop.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace {

// A spreadsheet program reads a typed "599" as a number, and the sums below
// the table only add numbers; so integers go in as numbers. "05" or "+5"
// would not come back as the same text and stay text, as do numbers longer
// than a double holds exactly.
bool isPlainInteger(const QString& text, double& value) {
    if (text.isEmpty() || text.size() > 15)
        return false;
    qsizetype i = text[0] == u'-' ? 1 : 0;
    if (i == text.size() || (text[i] == u'0' && text.size() > i + 1) || (i == 1 && text == QLatin1String("-0")))
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    value = text.toDouble();
    return true;
}

class Book {
public:
    Book(const QString& scratch, const QString& target) : m_target(target) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE; // a big log's table would otherwise sit in memory twice
        m_tmpdir = QFile::encodeName(QFileInfo(scratch).absolutePath());
        options.tmpdir = m_tmpdir.data();
        m_book = workbook_new_opt(QFile::encodeName(scratch).constData(), &options);
        if (!m_book)
            fail(QStringLiteral("workbook_new"));
        m_sheet = workbook_add_worksheet(m_book, "Tabelle1");
        m_font = workbook_add_format(m_book);
        if (!m_sheet || !m_font)
            fail(QStringLiteral("workbook_add_worksheet"));
        format_set_font_name(m_font, "Courier New");
    }
    ~Book() {
        if (m_book)
            workbook_close(m_book); // only after a failure: the scratch file is thrown away
    }
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    // Returns the number written, when the text went in as a number.
    double write(int row, int column, QString text) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        double value = 0.0;
        lxw_error e;
        if (isPlainInteger(text, value)) {
            e = worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, m_font);
        } else {
            value = 0.0;
            e = worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), text.toUtf8().constData(), m_font);
        }
        check(e, row, column);
        return value;
    }
    void formula(int row, int column, const QString& formula, double value) {
        check(worksheet_write_formula_num(m_sheet, lxw_row_t(row), lxw_col_t(column), formula.toLatin1().constData(),
                                          m_font, value),
              row, column);
    }
    void close() {
        const lxw_error e = workbook_close(m_book);
        m_book = nullptr;
        if (e != LXW_NO_ERROR)
            fail(QString::fromUtf8(lxw_strerror(e)));
    }

private:
    void check(lxw_error e, int row, int column) {
        if (e != LXW_NO_ERROR) {
            // The cell as a spreadsheet names it, e.g. "R7"; the table has 19 columns.
            const QString cell = QChar(u'A' + column) + QString::number(row + 1);
            fail(cell + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(e)));
        }
    }
    [[noreturn]] void fail(const QString& reason) {
        throw IoError(msgText(Msg::ContestWorkbookNotWritten).arg(QDir::toNativeSeparators(m_target), reason));
    }

    QString m_target;
    QByteArray m_tmpdir;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_font = nullptr;
};

} // namespace

namespace ContestWorkbook {

void write(const ContestResult& result, const QString& path) {
    // The library writes a file of its own; it is built aside and then put
    // in place in one step, so that an older workbook stays whole until the
    // new one is complete.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw IoError(msgText(Msg::ContestWorkbookNotWritten).arg(QDir::toNativeSeparators(path), scratch.errorString()));
    const QString built = scratch.filePath(QStringLiteral("book.xlsx"));
    {
        Book book(built, path);
        const QStringList& names = ContestColumn::names();
        for (int c = 0; c < names.size(); ++c)
            book.write(0, c, names[c]);
        double points = 0.0, multipliers = 0.0;
        for (qsizetype r = 0; r < result.rows.size(); ++r) {
            const ContestRow& row = result.rows[r];
            for (int c = 0; c < ContestColumn::Count; ++c) {
                const double v = book.write(int(r + 1), c, row.cells[c]);
                if (c == ContestColumn::Points)
                    points += v;
                else if (c == ContestColumn::Multipliers)
                    multipliers += v;
            }
        }
        // n counts the header; a log without contacts still sums one (empty) row.
        const int n = int(qMax<qsizetype>(result.rows.size() + 1, 2));
        book.formula(n, ContestColumn::Points, QStringLiteral("=SUM(R2:R%1)").arg(n), points);
        book.formula(n, ContestColumn::Multipliers, QStringLiteral("=SUM(S2:S%1)").arg(n), multipliers);
        book.formula(n + 1, ContestColumn::Multipliers, QStringLiteral("=R%1*S%1").arg(n + 1), points * multipliers);
        book.close();
    }
    QFile file(built);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(msgText(Msg::ContestWorkbookNotWritten).arg(QDir::toNativeSeparators(path), file.errorString()));
    AtomicFile target(path);
    target.open();
    target.write(file.readAll());
    target.commit();
}

QString exportAndOpen(const ContestResult& result, const QString& folder, Desktop& desktop) {
    const QString path = QDir(folder).filePath(FileName);
    try {
        write(result, path);
    } catch (const IoError& e) {
        return e.message();
    }
    if (!desktop.open(path))
        return msgText(Msg::ContestWorkbookNotOpened).arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace ContestWorkbook
