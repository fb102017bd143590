#pragma once

#include <QString>
#include <stdexcept>

namespace zendrix {

// A failure inside a handler step, carrying the description a user is shown after "Error!".
// Handlers that guard themselves catch it at their edge and show it; handlers that ignore failures
// catch it around each step.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description)
    {
    }
    const QString& description() const { return m_description; }

private:
    QString m_description;
};

class EngineError : public Failure
{
public:
    using Failure::Failure;
};

}  // namespace zendrix
