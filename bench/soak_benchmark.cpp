// The game played for a long time, as a player plays it, on its own timers in
// a shown window: campaign levels, the menus, the pause and result screens and
// the sandbox editor, round and round. Reports the resident memory over time,
// the GL errors, what the game logged and printed about failures, and how well
// the physics kept pace with the wall clock. See bench/README.md.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./bench/soak_benchmark --minutes 30
#include "bench/Played_game.h"
#include "bench/Soak_gauges.h"

#include "app/Memory_policy.h"
#include "app/My_viewer.h"
#include "foundation/Logger.h"
#include "simulation/Core.h"
#include "tools/campaign/Campaign.h"

#include "support/Scratch_data_tree.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace
{

double minutes_asked(QStringList const& arguments)
{
    int const at = arguments.indexOf("--minutes");
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toDouble() : 30.0;
}

QStringList read_lines(QString const& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(file.readAll()).split('\n');
}

// Lines that match, with how often each came.
std::map<QString, int> matching_lines(QStringList const& lines, QRegularExpression const& pattern)
{
    std::map<QString, int> found;
    for (QString const& line : lines)
        if (pattern.match(line).hasMatch()) ++found[line.left(200)];
    return found;
}

// Each warning, critical or fatal entry of the game's log, with its context line.
std::map<QString, int> logged_problems(QStringList const& lines)
{
    std::map<QString, int> found;
    QRegularExpression const opening(R"(^\*\*\* (Warning|Critical|Fatal) \*\*\*$)");
    std::optional<QString> entry;
    for (QString const& line : lines)
    {
        if (opening.match(line).hasMatch())
            entry = line;
        else if (entry && line.endsWith(" Complete ***"))
        {
            ++found[entry->left(300)];
            entry.reset();
        }
        else if (entry)
            *entry += " | " + line;
    }
    return found;
}

int report_lines(std::ostream& out, char const* heading, std::map<QString, int> const& lines)
{
    int total = 0;
    for (auto const& [line, times] : lines) total += times;
    out << heading << ": " << total << '\n';
    int shown = 0;
    for (auto const& [line, times] : lines)
        if (shown++ < 20) out << "  " << times << " x " << line.toStdString() << '\n';
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    // As the game's own main does.
    return_large_blocks_to_the_system();
    QApplication application(argc, argv);
    double const minutes = minutes_asked(application.arguments());
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
    {
        std::cerr << "soak_benchmark needs an X display" << std::endl;
        return 2;
    }

    // The game writes its progress, settings and levels into a copy of data/
    // and its working directory beside it, never into the repository.
    Scratch_data_tree data;
    data.copy_all_from_game();
    QString const working_directory = QDir(data.data_directory() + "/..").absolutePath();
    QDir::setCurrent(working_directory);
    std::ofstream printed((working_directory + "/printed.txt").toStdString());
    std::streambuf* const terminal = std::cout.rdbuf(printed.rdbuf());
    Logger::instance()->init("log.txt");

    Played_game game;
    Soak_gauges gauges(game.viewer, game.core);
    Soak_player& player = game.player;
    std::vector<std::string> levels;
    for (Campaign_level const& level : campaign())
        if (level.solve) levels.push_back(level.name);

    std::optional<std::string> failure;
    try
    {
        for (size_t round = 0; gauges.minutes() < minutes; ++round)
        {
            player.play_campaign_level(levels[round % levels.size()]);
            if (round % 2 == 1) player.edit_in_sandbox();
            player.settle_on_main_menu();
            gauges.sample_memory_at_main_menu();
            std::cerr << "round " << round + 1 << " done at " << gauges.minutes() << " min, resident "
                      << resident_kb() / 1024 << " MB" << std::endl;
        }
    }
    catch (std::exception const& error)
    {
        failure = error.what();
    }
    printed.flush();
    std::cout.rdbuf(terminal);

    gauges.report(std::cout);
    std::cout << "done:\n";
    for (auto const& [what, times] : player.get_counts()) std::cout << "  " << times << " x " << what << '\n';
    std::cout << "longest waits for a button (s):\n";
    for (auto const& [what, seconds] : player.get_longest_waits()) std::cout << "  " << what << ": " << seconds << '\n';
    int const logged =
        report_lines(std::cout, "warnings and criticals in log.txt", logged_problems(read_lines("log.txt")));
    report_lines(
        std::cout, "printed lines about errors or failures",
        matching_lines(read_lines("printed.txt"), QRegularExpression("error|fail|warning|could not|cannot|incomplete",
                                                                     QRegularExpression::CaseInsensitiveOption)));
    if (failure)
    {
        std::cout << "the soak stopped: " << *failure << "\nthe last lines printed:\n";
        QStringList const lines = read_lines("printed.txt");
        for (int i = std::max(0, int(lines.size()) - 15); i < lines.size(); ++i)
            std::cout << "  " << lines[i].toStdString() << '\n';
    }
    std::cout.flush();
    return failure || gauges.gl_errors() > 0 || logged > 0 ? 1 : 0;
}
