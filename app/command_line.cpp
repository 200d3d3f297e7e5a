#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

#include "platform/paths.h"

namespace kestrun {
namespace {

// Without an application object (there is none yet when the command line is read) the parser
// cannot name the program in its usage line.
std::string HelpText(const QCommandLineParser& parser, const std::vector<std::string>& arguments) {
    const std::string name(arguments.empty() ? "kestrun" : BaseNameOf(arguments.front()));
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QString::fromStdString(name));
    return text.toStdString();
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             const std::string& version) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kestrun, a launcher for the MAME arcade emulator."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption showVersion(
        QStringList{QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Show the version and end."));
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QStringLiteral("Keep the games in DIR (with roms/ and snap/) from now on, instead of "
                       "~/mame. Only an installed Kestrun has such a folder."),
        QStringLiteral("DIR"));
    parser.addOption(help);
    parser.addOption(showVersion);
    parser.addOption(folder);
    parser.addPositionalArgument(
        QStringLiteral("game"),
        QStringLiteral("A game name or a ROM set file to show in the game box at start."),
        QStringLiteral("[game]"));

    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    CommandLine result;
    const auto refuse = [&](const QString& reason) {
        result.action = CommandLine::Action::Refuse;
        result.message = reason.toStdString() + "\n\n" + HelpText(parser, arguments);
        return result;
    };
    if (!parser.parse(list)) {
        return refuse(parser.errorText());
    }
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::ShowHelp;
        result.message = HelpText(parser, arguments);
        return result;
    }
    if (parser.isSet(showVersion)) {
        result.action = CommandLine::Action::ShowVersion;
        result.message = "Kestrun " + version + "\n";
        return result;
    }
    const QStringList games = parser.positionalArguments();
    if (games.size() > 1) {
        return refuse(QStringLiteral("Only one game can be given."));
    }
    if (parser.isSet(folder)) {
        if (parser.value(folder).isEmpty()) {
            return refuse(QStringLiteral("The folder given with --folder is empty."));
        }
        result.folder = parser.value(folder).toStdString();
    }
    if (!games.isEmpty()) {
        result.game = games.front().toStdString();
    }
    return result;
}

int AnswerCommandLine(const CommandLine& commandLine) {
    const bool refused = commandLine.action == CommandLine::Action::Refuse;
    std::FILE* stream = refused ? stderr : stdout;
    std::fputs(commandLine.message.c_str(), stream);
    std::fflush(stream);
    return refused ? 2 : 0;
}

}  // namespace kestrun
