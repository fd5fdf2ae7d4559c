#include <cstdio>
#include <exception>

#include "PortableTest.h"

namespace portable_test {

namespace {
int g_failuresInCase = 0;
int g_skippedChecks = 0;
}  // namespace

std::vector<Case>& registry()
{
    static std::vector<Case> cases;
    return cases;
}

void fail(const char* file, int line, const std::string& what)
{
    ++g_failuresInCase;
    std::printf("    FAIL %s:%d: %s\n", file, line, what.c_str());
}

void skip(const char* file, int line, const std::string& why)
{
    ++g_skippedChecks;
    std::printf("    SKIP %s:%d: %s\n", file, line, why.c_str());
}

}  // namespace portable_test

int main()
{
    int passed = 0;
    int failed = 0;
    int skipped = 0;
    for (const auto& testCase : portable_test::registry()) {
        portable_test::g_failuresInCase = 0;
        try {
            testCase.body();
        } catch (const portable_test::Skipped& skip) {
            if (portable_test::g_failuresInCase == 0) {
                ++skipped;
                std::printf("SKIP %s: %s\n", testCase.name, skip.reason.c_str());
                continue;
            }
        } catch (const std::exception& error) {
            portable_test::fail(__FILE__, __LINE__, std::string("exception: ") + error.what());
        }
        if (portable_test::g_failuresInCase == 0) {
            ++passed;
            std::printf("PASS %s\n", testCase.name);
        } else {
            ++failed;
            std::printf("FAIL %s\n", testCase.name);
        }
    }
    std::printf("%d passed, %d failed", passed, failed);
    if (skipped > 0)
        std::printf(", %d skipped", skipped);
    if (portable_test::g_skippedChecks > 0)
        std::printf(" (%d checks skipped, each with its reason above)", portable_test::g_skippedChecks);
    std::printf("\n");
    std::fflush(stdout);
    if (failed > 0)
        return 1;
    return skipped > 0 ? 77 : 0;
}
