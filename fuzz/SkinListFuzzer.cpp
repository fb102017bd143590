// The skin list file: any bytes give one name per line by the line rules (CR LF, a lone CR or a lone
// LF ends a line), and no name holds a line end.
// The file lives in memory (a memfd), so each input costs no disk.
#include "Fuzz.h"
#include "core/SkinList.h"

#include <algorithm>
#include <sys/mman.h>
#include <unistd.h>

using namespace zendrix;
using namespace zendrix::fuzz;

namespace {

int memoryFile = -1;
QString memoryFilePath;

// Where the line that starts at `start` ends: at CR LF, a lone CR or a lone LF.
qsizetype lineEnd(const QByteArray& bytes, qsizetype start)
{
    const qsizetype cr = bytes.indexOf('\r', start);
    const qsizetype lf = bytes.indexOf('\n', start);
    if (cr < 0)
        return lf;
    return lf < 0 ? cr : std::min(cr, lf);
}

// How many names the line rules give; a last line without an end counts when it holds anything.
qsizetype expectedCount(const QByteArray& bytes)
{
    qsizetype count = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = lineEnd(bytes, start);
        ++count;
        if (end < 0)
            break;
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceQtMessages();
    memoryFile = memfd_create("skins.lst", 0);
    check(memoryFile >= 0, "a memory file can be made");
    memoryFilePath = QStringLiteral("/proc/self/fd/%1").arg(memoryFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(ftruncate(memoryFile, 0) == 0, "the memory file empties");
    check(pwrite(memoryFile, data, size, 0) == static_cast<ssize_t>(size), "the memory file fills");

    QString error;
    const std::optional<QStringList> names = readSkinList(memoryFilePath, &error);
    check(names.has_value(), "a readable file always gives a list");
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(names->size() == expectedCount(bytes), "one name per line");
    for (const QString& name : *names)
        check(!name.contains(QLatin1Char('\r')) && !name.contains(QLatin1Char('\n')),
              "no name holds a line end");
    if (!names->isEmpty()) {
        const qsizetype end = lineEnd(bytes, 0);
        check(names->first() == QString::fromLocal8Bit(end < 0 ? bytes : bytes.first(end)),
              "the first line is the first name");
    }
    return 0;
}
