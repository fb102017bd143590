#pragma once

#include <QString>
#include <QStringList>

namespace zendrix {

// The player's command line: `zendrix [OPTION]... [FILE|URI]...`. Options: -h and --help, --version,
// and "--", after which every argument is a file name even if it starts with "-". A lone "-" is a file
// name. Any other argument that starts with "-" is an unknown option. The first option met decides:
// help and version are printed at once, without looking further.
struct CommandLine
{
    enum class Action { Run, Help, Version, Unknown };
    Action action = Action::Run;
    QStringList arguments; // the files and URIs, in order, for Run
    QString unknownOption; // for Unknown
};

// `arguments` without the program's name.
CommandLine parseCommandLine(const QStringList& arguments);

// What the program prints: the help and the version to standard output, the usage with the unknown
// option to standard error. Each ends with a line end.
QString helpText();
QString versionText();
QString usageText(const QString& unknownOption);

} // namespace zendrix
