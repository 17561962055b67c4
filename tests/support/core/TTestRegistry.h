#pragma once
#include <QObject>
#include <memory>

// The Qt Test classes of one layer link into one program; each class registers itself by
// name and the program runs the class named by its first argument (CTest gives each class
// its own test). Without a known name it lists the classes and fails.
using TTestFactory = std::unique_ptr<QObject> (*)();

bool RegisterTestClass(const char* name, TTestFactory factory);

// Runs the class named by argv[1] with the remaining arguments handed to Qt Test.
int RunTestClass(int argc, char** argv);

#define VANTOREL_TEST(Class)                                                                                           \
    [[maybe_unused]] static const bool registered##Class                                                               \
        = RegisterTestClass(#Class, [] { return std::unique_ptr<QObject>(new Class); });
