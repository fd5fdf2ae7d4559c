#include "PortableTest.h"

#include "base/Failure.h"
#include "settings/StoredNumber.h"

namespace {
std::string outcome(const std::string& text)
{
    std::string read;
    const std::string failure = portable_test::failureOf([&] { read = std::to_string(toInteger16(text)); });
    return read.empty() ? failure : read;
}
}  // namespace

PV_TEST(storedPositionsReadBackAsSixteenBitIntegers)
{
    const struct {
        const char* stored;
        const char* expected;
    } cases[] = {
        {"5", "5"},
        {"-1", "-1"},
        {" 9 ", "9"},
        {"+3", "3"},
        {"32767", "32767"},
        {"-32768", "-32768"},
        {"32768", "Overflow"},
        {"70000", "Overflow"},
        {"-32769", "Overflow"},
        {"abc", "Type mismatch"},
        {"", "Type mismatch"},
        {"-", "Type mismatch"},
        {"5 seconds", "Type mismatch"},
        {"1.5", "Type mismatch"},
        {"99999x", "Type mismatch"},
        {"40000 1", "Type mismatch"},
        {"-99999999999999999999", "Overflow"},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(outcome(c.stored), std::string(c.expected));
}
