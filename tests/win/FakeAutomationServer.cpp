#include "FakeAutomationServer.h"

#include <objbase.h>
#include <oleauto.h>

#include <cwctype>
#include <map>

#include "platform/win/WideText.h"

namespace {

// A class identifier of our own for the fake server.
const CLSID FakeClassId = {0x6b1e3c52, 0x8f0a, 0x4c2d, {0x9e, 0x57, 0x3a, 0x9d, 0x2b, 0x4f, 0x1c, 0x70}};

enum class Kind { Application, Documents, Document };

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Application:
        return "Application";
    case Kind::Documents:
        return "Documents";
    case Kind::Document:
        return "Document";
    }
    return "?";
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

std::string memberName(Kind kind, DISPID id)
{
    static const std::map<DISPID, const char*> names = {
        {1, "Documents"}, {2, "ActivePrinter"}, {3, "ActiveDocument"}, {4, "Quit"}, {5, "name"},
        {10, "Open"},     {20, "PrintOut"},     {21, "PrintRange"},     {DISPID_PROPERTYPUT, "PROPERTYPUT"},
    };
    (void)kind;
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
    std::vector<std::string> calls;
    int live = 0;
    int created = 0;
    std::wstring instanceName;
    std::wstring openFailure;
    bool documentOpen = false;
};

namespace {

class FakeObject final : public IDispatch {
public:
    FakeObject(Kind kind, std::shared_ptr<FakeAutomationServer::State> state) : m_kind(kind), m_state(std::move(state))
    {
        ++m_state->live;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) {
            --m_state->live;
            delete this;
        }
        return left;
    }

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
        m_state->calls.push_back(line + ")");
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override
    {
        std::string line = std::string(kindName(m_kind)) + "." + verbOf(flags) + "(" + memberName(m_kind, id);
        std::vector<std::string> arguments;
        const UINT positional = parameters->cArgs - parameters->cNamedArgs;
        for (UINT i = 0; i < positional; ++i)
            arguments.push_back(describe(parameters->rgvarg[parameters->cArgs - 1 - i]));
        for (UINT i = 0; i < parameters->cNamedArgs; ++i)
            arguments.push_back(memberName(m_kind, parameters->rgdispidNamedArgs[i]) + "=" +
                                describe(parameters->rgvarg[i]));
        for (std::size_t i = 0; i < arguments.size(); ++i)
            line += (i ? ", " : "; ") + arguments[i];
        m_state->calls.push_back(line + ")");

        const Member* member = nullptr;
        for (const auto& entry : membersOf(m_kind))
            if (entry.second.id == id)
                member = &entry.second;
        if (!member || (member->flags & flags) == 0)
            return DISP_E_MEMBERNOTFOUND;
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
            if (flags == DISPATCH_PROPERTYPUT &&
                (parameters.cNamedArgs != 1 || parameters.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
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
            m_state->documentOpen = true;
            return returnObject(Kind::Document, result);
        default:
            return S_OK;
        }
    }

    Kind m_kind;
    std::shared_ptr<FakeAutomationServer::State> m_state;
    ULONG m_references = 0;
};

class FakeClassFactory final : public IClassFactory {
public:
    explicit FakeClassFactory(std::shared_ptr<FakeAutomationServer::State> state) : m_state(std::move(state)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        m_state->calls.push_back("create");
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
    ULONG m_references = 0;
};

std::wstring classIdText()
{
    wchar_t text[64] = {};
    StringFromGUID2(FakeClassId, text, 64);
    return text;
}

// The class identifier registered under the class name, empty when none is.
std::wstring registeredClassId(const std::wstring& className)
{
    wchar_t value[64] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CLASSES_ROOT, (className + L"\\CLSID").c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return {};
    return value;
}

}  // namespace

FakeAutomationServer::FakeAutomationServer(const std::string& className, const std::string& instanceName)
    : m_state(std::make_shared<State>()), m_className(toWide(className))
{
    m_state->instanceName = toWide(instanceName);
    const std::wstring existing = registeredClassId(m_className);
    if (!existing.empty() && lower(existing) != lower(classIdText()))
        return;  // a real server owns the name; leave it alone
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, (m_className + L"\\CLSID").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring value = classIdText();
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    m_wroteClassName = true;

    m_factory = new FakeClassFactory(m_state);
    m_factory->AddRef();
    if (FAILED(CoRegisterClassObject(FakeClassId, m_factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                     &m_classCookie)))
        m_classCookie = 0;
}

FakeAutomationServer::~FakeAutomationServer()
{
    if (m_runningCookie)
        RevokeActiveObject(m_runningCookie, nullptr);
    if (m_runningInstance)
        m_runningInstance->Release();
    if (m_classCookie)
        CoRevokeClassObject(m_classCookie);
    if (m_factory)
        m_factory->Release();
    unregisterClassName();
}

bool FakeAutomationServer::available() const
{
    return m_wroteClassName && m_classCookie != 0;
}

void FakeAutomationServer::registerRunningInstance()
{
    auto* instance = new FakeObject(Kind::Application, m_state);
    instance->AddRef();
    m_runningInstance = instance;
    if (FAILED(RegisterActiveObject(m_runningInstance, FakeClassId, ACTIVEOBJECT_STRONG, &m_runningCookie)))
        m_runningCookie = 0;
}

void FakeAutomationServer::failOpenWith(const std::string& description)
{
    m_state->openFailure = toWide(description);
}

void FakeAutomationServer::unregisterClassName()
{
    if (m_wroteClassName)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, m_className.c_str());
    m_wroteClassName = false;
}

const std::vector<std::string>& FakeAutomationServer::calls() const
{
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
