#include "PortableTest.h"

#include <string>
#include <vector>

#include "base/Failure.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePrinters.h"
#include "fakes/FakeSettings.h"
#include "printing/PrinterOptions.h"
#include "printing/Selector.h"

namespace {

class FakeSelector final : public Selector {
public:
    void clear() override
    {
        items.clear();
        index = -1;
    }
    void addItem(const std::string& text) override { items.push_back(text); }
    int count() const override { return static_cast<int>(items.size()); }
    void select(int position) override
    {
        if (position < -1 || position >= count())
            throw Failure("Invalid property value");
        index = position;
        selections.push_back(position);
    }
    int currentIndex() const override { return index; }
    std::string text() const override { return index < 0 ? std::string() : items[index]; }

    std::vector<std::string> items;
    std::vector<int> selections;
    int index = -1;
};

// Fills the selector from three printers (default "Beta") with a stored value;
// returns the failure's description, empty when none.
std::string fill(FakeSelector& combo, const char* stored, const std::string& defaultPrinter = "Beta")
{
    FakePrinters printers;
    printers.printers = {"Alpha", "Beta", "Gamma"};
    printers.defaultPrinter = defaultPrinter;
    FakeSettings settings;
    if (stored)
        settings.set("Combo1", stored);
    const std::string failure
        = portable_test::failureOf([&] { PrinterOptions::fillPrinterList(printers, settings, combo); });
    return failure == "(no failure)" ? std::string() : failure;
}

}  // namespace

PV_TEST(storedPositionOrDefaultPrinterIsSelected)
{
    const struct {
        const char* stored;  // nullptr: nothing stored
        const char* defaultPrinter;
        int selected;
        const char* failure;
    } cases[] = {
        {nullptr, "Beta", 1, ""},
        {"", "Gamma", 2, ""},
        {nullptr, "", -1, ""},
        {nullptr, "Delta", -1, ""},
        {"0", "Beta", 0, ""},
        {"2", "Beta", 2, ""},
        {" 2 ", "Beta", 2, ""},
        {"-1", "Beta", -1, ""},
        {"3", "Beta", -1, "Invalid property value"},
        {"99", "Beta", -1, "Invalid property value"},
        {"-2", "Beta", -1, "Invalid property value"},
        {"abc", "Beta", -1, "Type mismatch"},
        {"1x", "Beta", -1, "Type mismatch"},
        {"-", "Beta", -1, "Type mismatch"},
        {"70000", "Beta", -1, "Overflow"},
        {"99999999999999999999", "Beta", -1, "Overflow"},
    };
    for (const auto& c : cases) {
        FakeSelector combo;
        const std::string failure = fill(combo, c.stored, c.defaultPrinter);
        PV_CHECK_EQ(failure, std::string(c.failure));
        PV_CHECK_EQ(combo.items, (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
        PV_CHECK_EQ(combo.currentIndex(), c.selected);
        // One selection at most, so the saved choice is written once.
        PV_CHECK(combo.selections.size() <= 1);
    }
}

PV_TEST(noPrinterAtAllLeavesTheListEmpty)
{
    FakePrinters printers;
    FakeSettings settings;
    FakeSelector combo;
    PV_CHECK_EQ(portable_test::failureOf([&] { PrinterOptions::fillPrinterList(printers, settings, combo); }),
                std::string("No printers are installed"));
    PV_CHECK(combo.items.empty());
    PV_CHECK_EQ(printers.reads, 0);
}

PV_TEST(questionMarkExplainsThePause)
{
    FakeDialogs dialogs;
    FakeLifetime lifetime;
    dialogs.setApplicationTitle("Plotvane Batch Print");
    PrinterOptions::explainPause(dialogs, lifetime);
    PV_CHECK_EQ(dialogs.texts(),
                std::vector<std::string>{
                    "Please use this pause feature if blank pages are being printed or if files are being skipped."
                    "\r\n\r\nBy pausing, you will give time for the print jobs to queue properly with the physical "
                    "printer."});
    PV_CHECK(dialogs.messages[0].buttons == MessageButtons::Ok && dialogs.messages[0].icon == MessageIcon::None);
    PV_CHECK_EQ(dialogs.messages[0].title, std::string("Plotvane Batch Print"));
}
