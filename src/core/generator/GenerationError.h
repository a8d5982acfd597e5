#pragma once

#include <QString>

#include <stdexcept>

// An album build cannot go on: a file could not be created, read or decoded. The message
// names the file and is shown to the user as it is.
class GenerationError : public std::runtime_error {
public:
    explicit GenerationError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
