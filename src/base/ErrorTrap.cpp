#include "base/ErrorTrap.h"

#include <exception>
#include <new>

#include "base/ErrorReport.h"
#include "base/Lifetime.h"
#include "base/MessageBoxes.h"

ErrorTrap::ErrorTrap(MessageBoxes& boxes, const Lifetime& lifetime, std::string location)
    : m_boxes(boxes), m_lifetime(lifetime), m_location(std::move(location))
{
}

bool ErrorTrap::stopped() const
{
    return m_lifetime.ended();
}

void ErrorTrap::report(int line, const std::string& description)
{
    if (stopped())
        return;
    MessageRequest box;
    box.text = ErrorReport::text(description, m_location, line);
    box.title = ErrorReport::Title;
    box.icon = MessageIcon::Warning;
    m_boxes.message(box);
}

void ErrorTrap::onFailure(std::function<void(int, const std::string&)> hook)
{
    m_onFailure = std::move(hook);
}

bool ErrorTrap::guarded(int line, const std::function<void()>& body)
{
    std::string description;
    try {
        body();
        return true;
    } catch (const std::bad_alloc&) {
        description = "Out of memory";
    } catch (const std::exception& failure) {
        description = failure.what();
    } catch (...) {
        description = "Unknown failure";
    }
    if (m_onFailure)
        m_onFailure(line, description);
    report(line, description);
    return false;
}

void ErrorTrap::step(int line, const std::function<void()>& body)
{
    if (stopped())
        return;
    guarded(line, body);
}

bool ErrorTrap::test(int line, const std::function<bool()>& condition)
{
    if (stopped())
        return false;
    bool result = true;  // a failing test enters the body
    guarded(line, [&] { result = condition(); });
    return result && !stopped();
}
