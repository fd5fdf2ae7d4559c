#include "printing/win/ComFailure.h"

#include <oleauto.h>

#include "base/Failure.h"
#include "platform/win/SystemMessage.h"
#include "platform/win/WideText.h"

namespace {

// The words Windows itself uses for the automation results a caller meets most,
// for systems whose message table lacks them.
const char* automationText(HRESULT result)
{
    static const struct {
        HRESULT result;
        const char* text;
    } known[] = {
        {DISP_E_UNKNOWNNAME, "Unknown name."},
        {DISP_E_MEMBERNOTFOUND, "Member not found."},
        {DISP_E_TYPEMISMATCH, "Type mismatch."},
        {DISP_E_PARAMNOTFOUND, "Parameter not found."},
        {DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
        {DISP_E_EXCEPTION, "Exception occurred."},
        {REGDB_E_CLASSNOTREG, "Class not registered"},
        {CO_E_CLASSSTRING, "Invalid class string"},
        {MK_E_UNAVAILABLE, "Operation unavailable"},
        {CO_E_SERVER_EXEC_FAILURE, "Server execution failed"},
        {RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients."},
        {E_NOINTERFACE, "No such interface supported"},
    };
    for (const auto& entry : known) {
        if (entry.result == result)
            return entry.text;
    }
    return nullptr;
}

std::string describeResult(HRESULT result)
{
    const std::string text = systemText(static_cast<unsigned long>(result));
    if (!text.empty())
        return text;
    if (const char* known = automationText(result))
        return known;
    return systemMessage(static_cast<unsigned long>(result));
}

std::string takeText(BSTR& text)
{
    std::string result;
    if (text) {
        result = toUtf8(text, static_cast<int>(SysStringLen(text)));
        SysFreeString(text);
        text = nullptr;
    }
    return result;
}

}  // namespace

std::string describeComFailure(HRESULT result, EXCEPINFO* exception)
{
    if (result == DISP_E_EXCEPTION && exception) {
        if (exception->pfnDeferredFillIn) {
            exception->pfnDeferredFillIn(exception);
            exception->pfnDeferredFillIn = nullptr;
        }
        std::string description = takeText(exception->bstrDescription);
        takeText(exception->bstrSource);
        takeText(exception->bstrHelpFile);
        while (!description.empty() && (description.back() == '\r' || description.back() == '\n'))
            description.pop_back();
        if (!description.empty())
            return description;
        if (FAILED(exception->scode))
            return describeResult(exception->scode);
        if (exception->wCode != 0)
            return "Application-defined error " + std::to_string(exception->wCode);
    }
    return describeResult(result);
}

void throwComFailure(HRESULT result, EXCEPINFO* exception)
{
    throw Failure(describeComFailure(result, exception));
}
