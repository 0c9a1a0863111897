#pragma once

#include <QString>
#include <stdexcept>

// A failed file operation. The operation in progress stops where it failed and
// the message, which names the file (and the line where there is one), reaches
// the user in a message box; whatever was on disk before stays as it was.
class IoError : public std::runtime_error {
public:
    explicit IoError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
