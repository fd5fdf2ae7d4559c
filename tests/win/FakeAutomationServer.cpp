#include "FakeAutomationServer.h"

#include "platform/win/SystemMessage.h"

#include <objbase.h>
#include <oleauto.h>

#include <atomic>
#include <cwctype>
#include <map>
#include <mutex>

#include "platform/win/WideText.h"
#include "printing/win/ComObject.h"

namespace {

// Marks a class name registered by this fake, so that one left behind by an
// interrupted run is recognised as ours.
const wchar_t* const MarkerValue = L"PlotvaneTestServer";

// Asks the server's thread to run a task (the task's address in lParam).
constexpr UINT RunTaskMessage = WM_APP + 1;

enum class Kind { Application, Documents, Document };

const char* kindName(Kind kind)
{
    static const char* const names[] = {"Application", "Documents", "Document"};  // in the order of Kind
    return names[static_cast<int>(kind)];
}

// Member identifiers and the way each member may be invoked.
struct Member {
    DISPID id;
    WORD flags;
};

const std::map<std::wstring, Member>& membersOf(Kind kind)
{
    static const std::map<std::wstring, Member> application = {
        {L"documents", {1, DISPATCH_PROPERTYGET}},
        {L"activeprinter", {2, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYGET}},
        {L"activedocument", {3, DISPATCH_PROPERTYGET}},
        {L"quit", {4, DISPATCH_METHOD}},
        {L"name", {5, DISPATCH_PROPERTYGET}},
    };
    static const std::map<std::wstring, Member> documents = {{L"open", {10, DISPATCH_METHOD}}};
    static const std::map<std::wstring, Member> document = {
        {L"printout", {20, DISPATCH_METHOD}},
        {L"printrange", {21, 0}},
    };
    return kind == Kind::Application ? application : kind == Kind::Documents ? documents : document;
}

std::wstring lower(std::wstring text)
{
    for (auto& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

std::string memberName(DISPID id)
{
    static const std::map<DISPID, const char*> names = {
        {1, "Documents"}, {2, "ActivePrinter"}, {3, "ActiveDocument"},
        {4, "Quit"},      {5, "name"},          {10, "Open"},
        {20, "PrintOut"}, {21, "PrintRange"},   {DISPID_PROPERTYPUT, "PROPERTYPUT"},
    };
    const auto found = names.find(id);
    return found != names.end() ? found->second : std::to_string(id);
}

std::string describe(const VARIANT& value)
{
    switch (value.vt) {
    case VT_BSTR:
        return "\"" + toUtf8(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal))) + "\"";
    case VT_I2:
        return "I2:" + std::to_string(value.iVal);
    case VT_I4:
        return "I4:" + std::to_string(value.lVal);
    default:
        return "VT" + std::to_string(value.vt) + ":?";
    }
}

std::string verbOf(WORD flags)
{
    switch (flags) {
    case DISPATCH_PROPERTYGET:
        return "get";
    case DISPATCH_PROPERTYPUT:
        return "put";
    case DISPATCH_METHOD:
        return "call";
    default:
        return "flags" + std::to_string(flags);
    }
}

}  // namespace

struct FakeAutomationServer::State {
    ~State() { CloseHandle(answerNow); }

    void record(std::string line)
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls.push_back(std::move(line));
    }

    mutable std::mutex mutex;
    std::vector<std::string> calls;
    std::atomic<int> live{0};
    std::atomic<int> created{0};
    std::wstring instanceName;
    std::wstring openFailure;
    std::atomic<bool> missingFilesFail{false};
    bool documentOpen = false;
    std::map<std::string, DWORD> hangMilliseconds;  // by member
    HANDLE answerNow = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> hanging{false};
};

namespace {

class FakeObject final : public ComObject<FakeObject, IDispatch> {
public:
    FakeObject(Kind kind, std::shared_ptr<FakeAutomationServer::State> state) : m_kind(kind), m_state(std::move(state))
    {
        ++m_state->live;
    }
    ~FakeObject() { --m_state->live; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        std::string line = std::string(kindName(m_kind)) + ".names(";
        HRESULT result = S_OK;
        const auto& members = membersOf(m_kind);
        for (UINT i = 0; i < count; ++i) {
            line += (i ? ", " : "") + toUtf8(std::wstring(names[i]));
            const auto found = members.find(lower(names[i]));
            ids[i] = found != members.end() ? found->second.id : DISPID_UNKNOWN;
            if (found == members.end())
                result = DISP_E_UNKNOWNNAME;
        }
        m_state->record(line + ")");
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override
    {
        std::string line = std::string(kindName(m_kind)) + "." + verbOf(flags) + "(" + memberName(id);
        std::vector<std::string> arguments;
        const UINT positional = parameters->cArgs - parameters->cNamedArgs;
        for (UINT i = 0; i < positional; ++i)
            arguments.push_back(describe(parameters->rgvarg[parameters->cArgs - 1 - i]));
        for (UINT i = 0; i < parameters->cNamedArgs; ++i)
            arguments.push_back(memberName(parameters->rgdispidNamedArgs[i]) + "=" + describe(parameters->rgvarg[i]));
        for (std::size_t i = 0; i < arguments.size(); ++i)
            line += (i ? ", " : "; ") + arguments[i];
        m_state->record(line + ")");

        const Member* member = nullptr;
        for (const auto& entry : membersOf(m_kind))
            if (entry.second.id == id)
                member = &entry.second;
        if (!member || (member->flags & flags) == 0)
            return DISP_E_MEMBERNOTFOUND;
        const auto hang = m_state->hangMilliseconds.find(memberName(id));
        if (hang != m_state->hangMilliseconds.end()) {
            m_state->hanging = true;
            WaitForSingleObject(m_state->answerNow, hang->second);
            m_state->hanging = false;
        }
        return act(id, flags, *parameters, result, exception);
    }

private:
    HRESULT returnObject(Kind kind, VARIANT* result)
    {
        if (result) {
            VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = new FakeObject(kind, m_state);
            result->pdispVal->AddRef();
        }
        return S_OK;
    }

    static HRESULT raise(EXCEPINFO* exception, const std::wstring& description)
    {
        if (exception) {
            *exception = EXCEPINFO{};
            exception->bstrSource = SysAllocString(L"Plotvane test server");
            exception->bstrDescription = SysAllocString(description.c_str());
            exception->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }

    HRESULT act(DISPID id, WORD flags, const DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* exception)
    {
        switch (id) {
        case 1:
            return returnObject(Kind::Documents, result);
        case 2:
            if (flags == DISPATCH_PROPERTYPUT
                && (parameters.cNamedArgs != 1 || parameters.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
                return DISP_E_PARAMNOTFOUND;
            return S_OK;
        case 3:
            if (!m_state->documentOpen)
                return raise(exception, L"No document is open.");
            return returnObject(Kind::Document, result);
        case 5:
            if (result) {
                VariantInit(result);
                result->vt = VT_BSTR;
                result->bstrVal = SysAllocString(m_state->instanceName.c_str());
            }
            return S_OK;
        case 10:
            if (parameters.cArgs != 1 || parameters.rgvarg[0].vt != VT_BSTR)
                return DISP_E_TYPEMISMATCH;
            if (!m_state->openFailure.empty())
                return raise(exception, m_state->openFailure);
            if (m_state->missingFilesFail
                && GetFileAttributesW(parameters.rgvarg[0].bstrVal) == INVALID_FILE_ATTRIBUTES)
                return raise(exception, L"File not found.");
            m_state->documentOpen = true;
            return returnObject(Kind::Document, result);
        default:
            return S_OK;
        }
    }

    Kind m_kind;
    std::shared_ptr<FakeAutomationServer::State> m_state;
};

class FakeClassFactory final : public ComObject<FakeClassFactory, IClassFactory> {
public:
    explicit FakeClassFactory(std::shared_ptr<FakeAutomationServer::State> state) : m_state(std::move(state)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        m_state->record("create");
        ++m_state->created;
        auto* instance = new FakeObject(Kind::Application, m_state);
        instance->AddRef();
        const HRESULT result = instance->QueryInterface(iid, object);
        instance->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    std::shared_ptr<FakeAutomationServer::State> m_state;
};

std::wstring textOf(const CLSID& classId)
{
    wchar_t text[64] = {};
    StringFromGUID2(classId, text, 64);
    return text;
}

// Whether the class name is registered by someone else than this fake.
bool registeredElsewhere(const std::wstring& className)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, className.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool ours = RegQueryValueExW(key, MarkerValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return !ours;
}

}  // namespace

FakeAutomationServer::FakeAutomationServer(const std::string& className, const std::string& instanceName,
                                           Placement placement)
    : m_state(std::make_shared<State>()), m_placement(placement), m_className(toWide(className))
{
    m_state->instanceName = toWide(instanceName);
    if (registeredElsewhere(m_className)) {
        // A real server owns the name; leave it alone.
        m_unavailable = "the class name " + className + " belongs to a server installed here";
        return;
    }
    // A new class identifier for every server, so that nothing COM remembers of
    // an earlier one (class table, running object table) can answer for this one.
    if (const HRESULT made = CoCreateGuid(&m_classId); FAILED(made)) {
        m_unavailable = "no class identifier could be made: " + systemMessage(static_cast<unsigned long>(made));
        return;
    }
    HKEY key = nullptr;
    if (const LSTATUS written
        = RegCreateKeyExW(HKEY_CLASSES_ROOT, m_className.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        written != ERROR_SUCCESS) {
        m_unavailable = "the class name could not be registered: " + systemMessage(static_cast<unsigned long>(written));
        return;
    }
    m_wroteClassName = true;
    const DWORD marker = 1;
    RegSetValueExW(key, MarkerValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&marker), sizeof marker);
    const std::wstring value = textOf(m_classId);
    RegSetKeyValueW(key, L"CLSID", nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);

    if (m_placement == Placement::CallersApartment) {
        startServing();
        return;
    }
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, ready] { serve(ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

FakeAutomationServer::~FakeAutomationServer()
{
    answer();
    if (m_thread.joinable()) {
        PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    } else {
        stopServing();
    }
    unregisterClassName();
}

void FakeAutomationServer::startServing()
{
    m_factory = new FakeClassFactory(m_state);
    m_factory->AddRef();
    const HRESULT registered
        = CoRegisterClassObject(m_classId, m_factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &m_classCookie);
    if (FAILED(registered)) {
        m_classCookie = 0;
        m_unavailable
            = "the class object could not be registered: " + systemMessage(static_cast<unsigned long>(registered));
    }
}

void FakeAutomationServer::stopServing()
{
    if (m_runningCookie)
        RevokeActiveObject(m_runningCookie, nullptr);
    m_runningCookie = 0;
    if (m_runningInstance)
        m_runningInstance->Release();
    m_runningInstance = nullptr;
    if (m_classCookie)
        CoRevokeClassObject(m_classCookie);
    m_classCookie = 0;
    if (m_factory)
        m_factory->Release();
    m_factory = nullptr;
}

// The server thread: its own single-threaded apartment, whose message loop
// delivers the calls from other apartments and the tasks of onServer.
void FakeAutomationServer::serve(HANDLE ready)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here on
    m_threadId = GetCurrentThreadId();
    startServing();
    SetEvent(ready);

    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == RunTaskMessage && !message.hwnd) {
            (*reinterpret_cast<std::function<void()>*>(message.lParam))();
            SetEvent(reinterpret_cast<HANDLE>(message.wParam));
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    stopServing();
    CoUninitialize();
}

void FakeAutomationServer::onServer(const std::function<void()>& task)
{
    if (!m_thread.joinable()) {
        task();
        return;
    }
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    std::function<void()> copy = task;
    PostThreadMessageW(m_threadId, RunTaskMessage, reinterpret_cast<WPARAM>(done), reinterpret_cast<LPARAM>(&copy));
    WaitForSingleObject(done, INFINITE);
    CloseHandle(done);
}

bool FakeAutomationServer::available() const
{
    return m_unavailable.empty() && m_wroteClassName && m_classCookie != 0;
}

std::string FakeAutomationServer::whyUnavailable() const
{
    return available() ? std::string() : m_unavailable.empty() ? "the server did not start" : m_unavailable;
}

void FakeAutomationServer::registerRunningInstance()
{
    onServer([this] {
        auto* instance = new FakeObject(Kind::Application, m_state);
        instance->AddRef();
        m_runningInstance = instance;
        if (FAILED(RegisterActiveObject(m_runningInstance, m_classId, ACTIVEOBJECT_STRONG, &m_runningCookie)))
            m_runningCookie = 0;
    });
}

void FakeAutomationServer::failOpenWith(const std::string& description)
{
    onServer([this, description] { m_state->openFailure = toWide(description); });
}

void FakeAutomationServer::failOpenOfMissingFiles()
{
    m_state->missingFilesFail = true;
}

void FakeAutomationServer::hangIn(const std::string& member, std::chrono::milliseconds atMost)
{
    onServer([this, member, atMost] { m_state->hangMilliseconds[member] = static_cast<DWORD>(atMost.count()); });
}

void FakeAutomationServer::answer()
{
    SetEvent(m_state->answerNow);
}

bool FakeAutomationServer::hanging() const
{
    return m_state->hanging;
}

void FakeAutomationServer::unregisterClassName()
{
    if (m_wroteClassName)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, m_className.c_str());
    m_wroteClassName = false;
}

std::vector<std::string> FakeAutomationServer::calls() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->calls;
}

int FakeAutomationServer::liveObjects() const
{
    return m_state->live;
}

int FakeAutomationServer::instancesCreated() const
{
    return m_state->created;
}
