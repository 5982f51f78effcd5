#include "tests/testmain.h"

#include <QApplication>
#include <QTest>

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
} // namespace

bool registerTest(const char* name, TestFactory factory)
{
    registry().emplace_back(name, std::move(factory));
    return true;
}

} // namespace testing_support

// Runs every registered class, or only those named on the command line
// (`test_ui FormTest`); the remaining arguments go to Qt Test.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    QStringList only;
    QStringList qtestArgs{args.value(0)};
    for (int i = 1; i < args.size(); ++i) {
        bool isClass = false;
        for (const auto& entry : testing_support::registry())
            isClass = isClass || args[i] == QLatin1String(entry.first);
        (isClass ? only : qtestArgs) << args[i];
    }
    int failures = 0;
    int classes = 0;
    for (const auto& [name, factory] : testing_support::registry()) {
        if (!only.isEmpty() && !only.contains(QLatin1String(name)))
            continue;
        auto test = factory();
        failures += QTest::qExec(test.get(), qtestArgs);
        ++classes;
    }
    std::printf("%d test classes run, %d failed\n", classes, failures ? 1 : 0);
    return failures == 0 ? 0 : 1;
}
