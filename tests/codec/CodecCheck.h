// A test runner for the codec's tests, which use nothing but the standard library: checks
// that report the file, line and expression, and a closing line of passed and failed tests.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace CodecCheck {

struct Test {
    const char* name;
    std::function<void()> run;
};

inline std::vector<Test>& Tests()
{
    static std::vector<Test> tests;
    return tests;
}

inline int& Failures()
{
    static int failures = 0;
    return failures;
}

struct Register {
    Register(const char* name, std::function<void()> run) { Tests().push_back({name, std::move(run)}); }
};

inline void Report(const char* file, int line, const std::string& what)
{
    std::printf("FAIL %s:%d: %s\n", file, line, what.c_str());
    ++Failures();
}

// Runs every test; each failed check is reported, and a test with any counts as failed.
inline int RunAll()
{
    int passed = 0;
    int failed = 0;
    for (const Test& test : Tests()) {
        const int before = Failures();
        test.run();
        if (Failures() == before) {
            ++passed;
            std::printf("PASS %s\n", test.name);
        } else {
            ++failed;
            std::printf("FAIL %s\n", test.name);
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace CodecCheck

#define CODEC_TEST(name)                                                   \
    static void name();                                                    \
    static const CodecCheck::Register name##_registered(#name, name);      \
    static void name()

#define CHECK(condition)                                                   \
    do {                                                                   \
        if (!(condition))                                                  \
            CodecCheck::Report(__FILE__, __LINE__, #condition);            \
    } while (0)

#define CHECK_EQ(actual, expected)                                                                      \
    do {                                                                                                \
        if (!((actual) == (expected)))                                                                  \
            CodecCheck::Report(__FILE__, __LINE__, #actual " == " #expected);                           \
    } while (0)
