#pragma once

#include <QString>
#include <stdexcept>

// A value typed in a form that does not convert (a date, a number).
class TConversionError : public std::runtime_error {
public:
    explicit TConversionError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};

// A value outside what its type can hold.
class TRangeError : public std::runtime_error {
public:
    explicit TRangeError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};

// Stops an operation after the window has said why; nothing more is shown.
class TSilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operation abandoned"; }
};
