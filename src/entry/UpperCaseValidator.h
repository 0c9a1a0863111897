#pragma once

#include <QValidator>

// Turns letters into capitals as they are typed or pasted, before the field
// reports a change: a callsign or locator never shows up in lower case, not
// even for one change notification.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
