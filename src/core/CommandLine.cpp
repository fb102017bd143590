#include "CommandLine.h"

#include "InstallInfo.h"

namespace zendrix {

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine result;
    bool options = true;
    for (const QString& argument : arguments) {
        if (!options || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            result.arguments.append(argument);
        } else if (argument == QLatin1String("--")) {
            options = false;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            return {CommandLine::Action::Help, {}, {}};
        } else if (argument == QLatin1String("--version")) {
            return {CommandLine::Action::Version, {}, {}};
        } else {
            return {CommandLine::Action::Unknown, {}, argument};
        }
    }
    return result;
}

QString helpText()
{
    return QStringLiteral(
        "Usage: zendrix [OPTION]... [FILE|URI]...\n"
        "Play audio and video files, folders, playlists, streams and DVDs.\n"
        "\n"
        "Files and the media files of folders are added to the playlist, and the first of them\n"
        "starts. A Zendrix playlist (.zdx) given alone opens as the playlist window's Open does;\n"
        "the entries of other playlists (.m3u, .m3u8, .pls, .xspf) are added. Addresses may be\n"
        "file://, http://, https://, rtsp:// and mms:// URIs. When the player already runs, it\n"
        "takes the arguments and comes to the front.\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "      --version  show the version and exit\n"
        "      --         take every argument after it as a file name\n"
        "\n"
        "Settings are kept in Data/config.ini in the program's folder when that folder can be\n"
        "written, else in $XDG_CONFIG_HOME/Zendrix/config.ini (~/.config/Zendrix/config.ini).\n");
}

QString versionText()
{
    return QStringLiteral("Zendrix %1.%2.%3\n").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

QString usageText(const QString& unknownOption)
{
    return QStringLiteral("zendrix: unknown option '%1'\n"
                          "Usage: zendrix [OPTION]... [FILE|URI]...\n"
                          "Try 'zendrix --help' for more information.\n")
        .arg(unknownOption);
}

} // namespace zendrix
