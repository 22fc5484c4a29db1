#pragma once
// Unexpected failures inside a command: raised as RuntimeError with a description text, caught by
// the command's handler and shown as the standard failure report.

#include <QString>
#include <stdexcept>

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const QString& description)
        : std::runtime_error(description.toStdString()), description_(description) {}
    const QString& description() const { return description_; }

private:
    QString description_;
};

// The failure's description text, CR LF, "Please report this error"; style 16; title "Error".
void ReportFailure(const QString& description);
void ReportFailure(const std::exception& failure);

// An index outside the entries, as the runtime reports it.
[[noreturn]] void RaiseSubscriptOutOfRange();
