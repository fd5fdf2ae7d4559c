#include "printing/win/LateBoundObject.h"

#include <oleauto.h>

#include "base/Failure.h"
#include "platform/win/WideText.h"

namespace {

// Variants that are cleared (strings freed) when dropped: a call's arguments,
// in the order IDispatch::Invoke takes them, or its result.
class Variants final {
public:
    explicit Variants(std::size_t count) : m_values(count)
    {
        for (auto& value : m_values)
            VariantInit(&value);
    }
    ~Variants()
    {
        for (auto& value : m_values)
            VariantClear(&value);
    }
    Variants(const Variants&) = delete;
    Variants& operator=(const Variants&) = delete;

    void set(std::size_t index, const AutomationValue& value)
    {
        VARIANT& target = m_values[index];
        if (const auto* text = std::get_if<std::string>(&value)) {
            const std::wstring wide = toWide(*text);
            target.vt = VT_BSTR;
            target.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
            if (!target.bstrVal) {
                target.vt = VT_EMPTY;
                throw Failure("Out of memory");
            }
        } else {
            target.vt = VT_I2;
            target.iVal = std::get<std::int16_t>(value);
        }
    }
    VARIANT* data() { return m_values.empty() ? nullptr : m_values.data(); }
    UINT count() const { return static_cast<UINT>(m_values.size()); }

private:
    std::vector<VARIANT> m_values;
};

// Looks up the member and the names of its named arguments in one request, as
// the server expects them together.
std::vector<DISPID> lookUp(const ComCallTimer::Call& call, IDispatch* dispatch, const std::string& member,
                           const std::vector<NamedArgument>& named)
{
    std::vector<std::wstring> names;
    names.push_back(toWide(member));
    for (const auto& argument : named)
        names.push_back(toWide(argument.name));
    std::vector<LPOLESTR> pointers;
    for (auto& name : names)
        pointers.push_back(name.data());
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    const HRESULT result = dispatch->GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                                                   LOCALE_USER_DEFAULT, ids.data());
    if (FAILED(result))
        call.fail(result);
    return ids;
}

void invoke(const ComCallTimer::Call& call, IDispatch* dispatch, DISPID member, WORD flags, DISPPARAMS& parameters,
            VARIANT* result)
{
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT outcome = dispatch->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                                             &exception, &argumentError);
    if (FAILED(outcome))
        call.fail(outcome, &exception);
}

// Reads a property with no arguments into result.
void getProperty(const ComCallTimer::Call& call, IDispatch* dispatch, const std::string& member, VARIANT* result)
{
    const DISPID id = lookUp(call, dispatch, member, {}).front();
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    invoke(call, dispatch, id, DISPATCH_PROPERTYGET, none, result);
}

}  // namespace

LateBoundObject::LateBoundObject(IDispatch* dispatch, std::shared_ptr<ComCallTimer> bound, std::string name)
    : m_dispatch(dispatch), m_bound(std::move(bound)), m_name(std::move(name))
{
}

LateBoundObject::~LateBoundObject()
{
    if (!m_dispatch)
        return;
    // Dropping the last reference to an object in another process is a call
    // to that process too.
    const ComCallTimer::Call call(*m_bound, "the release of " + (m_name.empty() ? "the application" : m_name),
                                  ComCallTimer::Kind::Brief);
    m_dispatch->Release();
}

std::string LateBoundObject::nameOf(const std::string& member) const
{
    return m_name.empty() ? member : m_name + "." + member;
}

std::unique_ptr<LateBoundObject> LateBoundObject::getObject(const std::string& member)
{
    const ComCallTimer::Call call(*m_bound, nameOf(member));
    Variants result(1);
    getProperty(call, m_dispatch, member, result.data());
    VARIANT& value = *result.data();
    IDispatch* object = nullptr;
    if (value.vt == VT_DISPATCH && value.pdispVal) {
        object = value.pdispVal;
        object->AddRef();
    } else if (value.vt == VT_UNKNOWN && value.punkVal) {
        const HRESULT outcome = value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
        if (FAILED(outcome))
            call.fail(outcome);
    } else {
        throw Failure("Object required");
    }
    return std::make_unique<LateBoundObject>(object, m_bound, nameOf(member));
}

std::string LateBoundObject::getText(const std::string& member)
{
    const ComCallTimer::Call call(*m_bound, nameOf(member));
    Variants result(1);
    getProperty(call, m_dispatch, member, result.data());
    if (result.data()->vt != VT_BSTR) {
        const HRESULT outcome = VariantChangeType(result.data(), result.data(), 0, VT_BSTR);
        if (FAILED(outcome))
            call.fail(outcome);
    }
    const BSTR text = result.data()->bstrVal;
    return text ? toUtf8(text, static_cast<int>(SysStringLen(text))) : std::string();
}

void LateBoundObject::putText(const std::string& member, const std::string& value)
{
    const ComCallTimer::Call call(*m_bound, nameOf(member));
    const DISPID id = lookUp(call, m_dispatch, member, {}).front();
    Variants arguments(1);
    arguments.set(0, value);
    DISPID namedIds[] = {DISPID_PROPERTYPUT};
    DISPPARAMS parameters{arguments.data(), namedIds, 1, 1};
    invoke(call, m_dispatch, id, DISPATCH_PROPERTYPUT, parameters, nullptr);
}

void LateBoundObject::call(const std::string& member, const std::vector<AutomationValue>& positional,
                           const std::vector<NamedArgument>& named, ComCallTimer::Kind kind)
{
    // The result is released within the call's bound as well.
    const ComCallTimer::Call call(*m_bound, nameOf(member), kind);
    const std::vector<DISPID> ids = lookUp(call, m_dispatch, member, named);
    // Invoke takes the arguments last to first; the named ones come first, each
    // at the index of its identifier.
    Variants arguments(named.size() + positional.size());
    std::vector<DISPID> namedIds;
    for (std::size_t i = 0; i < named.size(); ++i) {
        arguments.set(i, named[i].value);
        namedIds.push_back(ids[i + 1]);
    }
    for (std::size_t i = 0; i < positional.size(); ++i)
        arguments.set(named.size() + positional.size() - 1 - i, positional[i]);
    DISPPARAMS parameters{arguments.data(), namedIds.empty() ? nullptr : namedIds.data(), arguments.count(),
                          static_cast<UINT>(namedIds.size())};
    // The result (Open returns the opened document) is not used; dropping it
    // releases whatever reference it holds.
    Variants result(1);
    invoke(call, m_dispatch, ids.front(), DISPATCH_METHOD, parameters, result.data());
}
