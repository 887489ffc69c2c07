// main() of every test executable: runs the tests of the file named by the
// first argument, with the remaining arguments for QTest.

#include "testmain.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace zamtest {
namespace {
struct TestFile {
    std::string name;
    Run run;
};
std::vector<TestFile> &files()
{
    static std::vector<TestFile> all;
    return all;
}
} // namespace

bool add(const char *file, Run run)
{
    std::string name = file;
    if (const auto slash = name.find_last_of('/'); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.find('.'); dot != std::string::npos)
        name.erase(dot);
    files().push_back({name, run});
    return true;
}
} // namespace zamtest

int main(int argc, char **argv)
{
    if (argc >= 2) {
        for (const zamtest::TestFile &f : zamtest::files()) {
            if (f.name == argv[1]) {
                argv[1] = argv[0]; // the test sees the program first, then its options
                return f.run(argc - 1, argv + 1);
            }
        }
    }
    std::fprintf(stderr, "usage: %s TEST [QTest options]\nTEST is one of:\n", argv[0]);
    for (const zamtest::TestFile &f : zamtest::files())
        std::fprintf(stderr, "  %s\n", f.name.c_str());
    return 2;
}
