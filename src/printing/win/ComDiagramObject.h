#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <memory>

#include "printing/DiagramApp.h"

// One automation object of the diagram application behind IDispatch. Every
// member is looked up by name (GetIDsOfNames) at the moment of the call and then
// invoked; nothing is cached. The object owns one reference and releases it when
// dropped.
class ComDiagramObject final : public DiagramObject {
public:
    // Takes over the caller's reference. onQuit runs after a successful Quit.
    explicit ComDiagramObject(IDispatch* dispatch, std::function<void()> onQuit = {});
    ~ComDiagramObject() override;
    ComDiagramObject(const ComDiagramObject&) = delete;
    ComDiagramObject& operator=(const ComDiagramObject&) = delete;

    std::unique_ptr<DiagramObject> getObject(const std::string& member) override;
    std::string getText(const std::string& member) override;
    void putText(const std::string& member, const std::string& value) override;
    void call(const std::string& member, const std::vector<DiagramValue>& positional,
              const std::vector<NamedArgument>& named) override;

private:
    IDispatch* m_dispatch;
    std::function<void()> m_onQuit;
};
