#pragma once
// Errors that reach the top-level handler, which shows their text in an error box.
#include <QString>
#include <stdexcept>

class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// The database engine refused a statement or could not be reached.
class DbError : public AppError {
public:
    using AppError::AppError;
};

// A text that should be a number (or a date) is not one.
class ConversionError : public AppError {
public:
    using AppError::AppError;
};
