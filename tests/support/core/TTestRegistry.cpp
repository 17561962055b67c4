#include "TTestRegistry.h"

#include <QTest>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {
std::map<std::string, TTestFactory>& Registry()
{
    static std::map<std::string, TTestFactory> registry;
    return registry;
}
}

bool RegisterTestClass(const char* name, TTestFactory factory) { return Registry().emplace(name, factory).second; }

int RunTestClass(int argc, char** argv)
{
    const auto found = argc >= 2 ? Registry().find(argv[1]) : Registry().end();
    if (found == Registry().end()) {
        std::fprintf(stderr, "usage: %s TEST_CLASS [Qt Test options]\nclasses:\n", argv[0]);
        for (const auto& entry : Registry())
            std::fprintf(stderr, "  %s\n", entry.first.c_str());
        return 1;
    }
    std::vector<char*> args { argv[0] };
    args.insert(args.end(), argv + 2, argv + argc);
    const std::unique_ptr<QObject> test = found->second();
    return QTest::qExec(test.get(), int(args.size()), args.data());
}
