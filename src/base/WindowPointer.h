#pragma once

// The main window's pointer setting. Its value doubles as the busy flag.
namespace MousePointer {
constexpr int Default = 0;
constexpr int Arrow = 1;
constexpr int Hourglass = 11;
constexpr int Custom = 99;
}  // namespace MousePointer

class WindowPointer {
public:
    virtual ~WindowPointer() = default;
    virtual int mousePointer() const = 0;
    virtual void setMousePointer(int value) = 0;
    bool isBusy() const { return mousePointer() == MousePointer::Hourglass; }
};
