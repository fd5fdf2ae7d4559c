#pragma once

// A small test harness for the routines that carry no Qt, so that the same tests
// run natively under CTest and, cross-built, under Wine. Each test is a function
// registered with PV_TEST; checks record failures and let the test go on.

#include <functional>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "FailureOf.h"

namespace portable_test {

struct Case {
    const char* name;
    std::function<void()> body;
};

std::vector<Case>& registry();
void fail(const char* file, int line, const std::string& what);
// A check that cannot run here: reported with its reason, and counted apart.
void skip(const char* file, int line, const std::string& why);

// Thrown by PV_SKIP: the case cannot run here, for the reason given.
struct Skipped {
    explicit Skipped(std::string why) : reason(std::move(why)) {}
    std::string reason;
};

struct Registrar {
    Registrar(const char* name, std::function<void()> body) { registry().push_back({name, std::move(body)}); }
};

// How a checked value is shown when a check fails: texts quoted, containers
// as {a, b, c}, anything without a printed form as "(no printed form)".
template <typename T, typename = void> constexpr bool isPrintable = false;
template <typename T>
constexpr bool isPrintable<T, std::void_t<decltype(std::declval<std::ostream&>() << std::declval<const T&>())>> = true;
template <typename T, typename = void> constexpr bool isContainer = false;
template <typename T>
constexpr bool isContainer<T, std::void_t<decltype(std::begin(std::declval<const T&>())),
                                          decltype(std::end(std::declval<const T&>()))>> = true;

template <typename T> void show(std::ostream& out, const T& value)
{
    if constexpr (std::is_same_v<T, bool>) {
        out << (value ? "true" : "false");
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
        out << '"' << std::string_view(value) << '"';
    } else if constexpr (isPrintable<T> && !std::is_array_v<T>) {
        out << value;
    } else if constexpr (isContainer<T>) {
        out << '{';
        const char* separator = "";
        for (const auto& element : value) {
            out << separator;
            show(out, element);
            separator = ", ";
        }
        out << '}';
    } else {
        out << "(no printed form)";
    }
}

template <typename A, typename B>
void checkEqual(const A& actual, const B& expected, const char* actualText, const char* expectedText, const char* file,
                int line)
{
    if (actual == expected)
        return;
    std::ostringstream out;
    out << actualText << " == " << expectedText << "\n      actual:   ";
    show(out, actual);
    out << "\n      expected: ";
    show(out, expected);
    fail(file, line, out.str());
}

}  // namespace portable_test

#define PV_TEST(name)                                                                                                  \
    static void name();                                                                                                \
    static const portable_test::Registrar registrar_##name(#name, name);                                               \
    static void name()
#define PV_CHECK(condition)                                                                                            \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            portable_test::fail(__FILE__, __LINE__, #condition);                                                       \
    } while (0)
// Ends the case as skipped, with the real reason; the program then exits with
// the status that CTest reports as skipped (77) unless a case failed.
#define PV_SKIP(reason) throw portable_test::Skipped(reason)
#define PV_CHECK_EQ(actual, expected)                                                                                  \
    portable_test::checkEqual((actual), (expected), #actual, #expected, __FILE__, __LINE__)
