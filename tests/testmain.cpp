#include "tests/testmain.h"

#ifdef ROCKPILE_TEST_GUI
#include <QApplication>
#else
#include <QCoreApplication>
#endif
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace testing_support {

namespace {
std::vector<std::pair<const char*, TestFactory>>& registry()
{
    static std::vector<std::pair<const char*, TestFactory>> tests;
    return tests;
}

QStringList registeredNames()
{
    QStringList names;
    for (const auto& entry : registry())
        names << QLatin1String(entry.first);
    return names;
}

// The build registers one CTest test per class it finds in the sources; this check fails
// when the executable holds a class that list does not name, or the list a class that
// does not exist, so that no class silently drops out of the run.
int checkExpectedClasses(QStringList expected)
{
    QStringList registered = registeredNames();
    registered.sort();
    expected.sort();
    if (registered == expected)
        return 0;
    std::printf("registered test classes: %s\nclasses CTest runs:      %s\n",
        qPrintable(registered.join(QLatin1Char(' '))), qPrintable(expected.join(QLatin1Char(' '))));
    return 1;
}
} // namespace

bool registerTest(const char* name, TestFactory factory)
{
    registry().emplace_back(name, std::move(factory));
    return true;
}

} // namespace testing_support

// Runs every registered class, or only those named on the command line
// (`test_ui CalculationTest`); the remaining arguments go to Qt Test.
int main(int argc, char** argv)
{
#ifdef ROCKPILE_TEST_GUI
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--expect-classes"))
        return testing_support::checkExpectedClasses(args.mid(2));

    const QStringList names = testing_support::registeredNames();
    QStringList only;
    QStringList qtestArgs{args.value(0)};
    for (int i = 1; i < args.size(); ++i)
        (names.contains(args[i]) ? only : qtestArgs) << args[i];

    int classes = 0;
    int failedClasses = 0;
    int failedFunctions = 0;
    for (const auto& [name, factory] : testing_support::registry()) {
        if (!only.isEmpty() && !only.contains(QLatin1String(name)))
            continue;
        auto test = factory();
        // qExec returns the number of failed test functions (capped by Qt at 127).
        const int failures = QTest::qExec(test.get(), qtestArgs);
        ++classes;
        failedClasses += failures > 0 ? 1 : 0;
        failedFunctions += std::max(failures, 0);
    }
    std::printf("%d test classes run, %d failed (%d failed test functions)\n", classes,
        failedClasses, failedFunctions);
    return failedClasses == 0 ? 0 : 1;
}
