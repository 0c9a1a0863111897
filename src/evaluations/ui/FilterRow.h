#pragma once

#include "evaluations/EvaluationFilter.h"
#include "logstore/IoError.h"
#include "session/Session.h"

#include <QWidget>
#include <array>
#include <optional>

class QDateTimeEdit;
class QLineEdit;
class QPushButton;

// The filter inputs every award evaluation page starts with (bands, modes,
// date range, number range) and its "anzeigen!" button. The controls are
// named after the page's prefix: "<prefix>BandEdit", "<prefix>StartDatePicker" ...
class FilterRow : public QWidget {
    Q_OBJECT
public:
    struct Names {
        const char* prefix;
        const char* button;
        std::array<const char*, 6> labels; // bands, modes, from, to, from #, to #
        QString bandsCaption;              // the first label's text
    };
    FilterRow(const Names& names, QWidget* parent);

    QPushButton* button() const { return m_button; }
    // Nothing, after a message naming the field, when an input cannot be read.
    std::optional<EvaluationFilter> filter(Session& session, EvaluationFilter::Dates dates) const;

    // Runs an evaluation on the current log under the hour-glass cursor.
    // Nothing when there is no log, an input cannot be read, the log cannot
    // be read or the run reports an error; the messages are shown.
    template <typename Result, typename Run>
    std::optional<Result> evaluate(Session& session, EvaluationFilter::Dates dates, Run run) const {
        LogFile* log = session.log();
        const auto made = log ? filter(session, dates) : std::nullopt;
        if (!made)
            return std::nullopt;
        Result result;
        setBusy(true);
        try {
            result = run(*log, *made);
        } catch (const IoError& e) {
            result.error = e.message();
        }
        setBusy(false);
        if (!result.error.isEmpty()) {
            showError(session, result.error);
            return std::nullopt;
        }
        return result;
    }

private:
    static void setBusy(bool busy);
    static void showError(Session& session, const QString& text);

    QLineEdit* m_bands;
    QLineEdit* m_modes;
    QDateTimeEdit* m_start;
    QDateTimeEdit* m_stop;
    QLineEdit* m_first;
    QLineEdit* m_last;
    QPushButton* m_button;
};
