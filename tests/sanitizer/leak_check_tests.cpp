// LeakSanitizer matches a suppression against every frame of a leak's stack, so
// a suppression that names a Qt library hides any leak made under Qt's event
// dispatch: every screen's handlers and timers. With the project's suppressions
// in force, the leaks planted in a screen's hooks must still be reported.
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{

// The blocks of a LeakSanitizer report, each a "Direct leak of ..." line and
// the frames of its allocation.
QStringList leaks_in(QString const& report)
{
    QStringList leaks;
    for (QString const& block : report.split("\n\n"))
    {
        int const start = block.indexOf("Direct leak of ");
        if (start >= 0) leaks << block.mid(start);
    }
    return leaks;
}

// The leak of `bytes` whose stack runs through `function` of the planted leaks.
QString leak_made_in(QStringList const& leaks, QString const& bytes, QString const& function)
{
    for (QString const& leak : leaks)
    {
        if (leak.startsWith("Direct leak of " + bytes + " byte") &&
            leak.contains(QRegularExpression("[ :]" + function + "\\b[^\\n]*planted_leaks\\.cpp:")))
            return leak;
    }
    return {};
}

} // namespace

TEST(Leak_check, leaks_made_in_a_screens_handlers_under_qt_dispatch_are_reported)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
    {
        if (qEnvironmentVariableIsSet("CI")) FAIL() << "no X display under CI";
        GTEST_SKIP() << "no X display";
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LSAN_OPTIONS", "suppressions=" LEAK_SUPPRESSIONS ":print_suppressions=0");
    QProcess planted;
    planted.setProcessEnvironment(environment);
    planted.start(PLANTED_LEAKS, QStringList());
    ASSERT_TRUE(planted.waitForFinished(120000)) << "the planted leaks did not finish";
    QString const output = QString::fromLocal8Bit(planted.readAllStandardOutput());
    QString const report = QString::fromLocal8Bit(planted.readAllStandardError());

    // The tests themselves passed: only the leak check fails the run.
    EXPECT_THAT(output.toStdString(), HasSubstr("[  PASSED  ] 2 tests."));
    EXPECT_EQ(planted.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(planted.exitCode(), 0);
    QStringList const leaks = leaks_in(report);
    for (auto const& [bytes, function] : {std::pair{"12288", "keyPressEvent"}, std::pair{"24576", "update"}})
    {
        QString const leak = leak_made_in(leaks, bytes, function);
        EXPECT_FALSE(leak.isEmpty()) << "the leak in the screen's " << function << " went unreported:\n"
                                     << report.toStdString();
        // Made under Qt's dispatch, where a line naming a Qt library would hide it.
        EXPECT_THAT(leak.toStdString(), HasSubstr("libQt5")) << function;
    }
}
