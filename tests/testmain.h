#pragma once

// Every test class of a folder registers itself here; the folder's one executable
// runs them all and fails when any of them fails.

#include <QObject>

#include <functional>
#include <memory>

namespace testing_support {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
bool registerTest(const char* name, TestFactory factory);

} // namespace testing_support

#define ROCKPILE_TEST(Class)                                                                       \
    static const bool rockpileRegistered_##Class                                                   \
        = testing_support::registerTest(#Class, [] { return std::make_unique<Class>(); });
