#pragma once

#include "evaluations/EvaluationFilter.h"

#include <QWidget>
#include <array>
#include <optional>

class QDateTimeEdit;
class QLineEdit;
class QPushButton;
class Session;

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

private:
    QLineEdit* m_bands;
    QLineEdit* m_modes;
    QDateTimeEdit* m_start;
    QDateTimeEdit* m_stop;
    QLineEdit* m_first;
    QLineEdit* m_last;
    QPushButton* m_button;
};
