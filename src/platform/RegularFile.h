#pragma once

#include <QString>

class QFile;

namespace zendrix {

// Opens a file for reading only when it is a regular file. A pipe, a device or a socket named like a
// playlist could block the opening thread before the first byte or be read without end, so the test is
// made on the opened descriptor itself, not on the name beforehand: the opening never waits for a writer,
// and what is read is what was tested.
struct RegularFileOpening
{
    enum class Result { Opened, Missing, NotRegularFile, Failed };
    Result result = Result::Failed;
    QString error; // the system's description when the file could not be opened
    bool opened() const { return result == Result::Opened; }
};

// On success `file` is open for reading and owns the descriptor.
[[nodiscard]] RegularFileOpening openRegularFile(const QString& path, QFile& file);

} // namespace zendrix
