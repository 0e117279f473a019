#include "automation_object.h"
#include <algorithm>
#include <vector>

namespace ferrow {

CAutomationObject& CAutomationObject::operator=(CAutomationObject&& other) noexcept {
    if (this != &other) {
        Reset();
        object_ = other.object_;
        other.object_ = nullptr;
    }
    return *this;
}

void CAutomationObject::Reset() {
    if (object_) object_->Release();
    object_ = nullptr;
}

CAutomationObject CAutomationObject::Create(const wchar_t* progId) {
    CLSID clsid;
    IDispatch* object = nullptr;
    if (FAILED(CLSIDFromProgID(progId, &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object))))
        return CAutomationObject();
    return CAutomationObject(object);
}

bool CAutomationObject::IdOf(const wchar_t* name, DISPID* id) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object_ && SUCCEEDED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id));
}

bool CAutomationObject::Call(const wchar_t* name, WORD kind, std::initializer_list<VARIANT> args, VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    return IdOf(name, &id) && CallId(id, kind, args, result);
}

bool CAutomationObject::CallId(DISPID id, WORD kind, std::initializer_list<VARIANT> args, VARIANT* result) {
    if (!object_) return false;
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID named = DISPID_PROPERTYPUT;
    if (kind & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    if (result) VariantInit(result);
    EXCEPINFO exception = {};
    HRESULT status = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(status);
}

bool CAutomationObject::Object(const wchar_t* name, std::initializer_list<VARIANT> args, CAutomationObject* object) {
    object->Reset();
    DISPID id = DISPID_UNKNOWN;
    return IdOf(name, &id) && ObjectId(id, args, object);
}

bool CAutomationObject::ObjectId(DISPID id, std::initializer_list<VARIANT> args, CAutomationObject* object) {
    object->Reset();
    VARIANT result;
    if (!CallId(id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, &result)) return false;
    if (result.vt == VT_DISPATCH && result.pdispVal) {
        *object = CAutomationObject(result.pdispVal);
        return true;
    }
    VariantClear(&result);
    return true;
}

bool CAutomationObject::Integer(const wchar_t* name, long* value) {
    VARIANT result;
    if (!Call(name, DISPATCH_PROPERTYGET, {}, &result)) return false;
    bool converted = SUCCEEDED(VariantChangeType(&result, &result, 0, VT_I4));
    if (converted) *value = result.lVal;
    VariantClear(&result);
    return converted;
}

bool CAutomationObject::GetText(DISPID id, std::string* text) {
    VARIANT result;
    if (!CallId(id, DISPATCH_PROPERTYGET, {}, &result)) return false;
    return TakeText(&result, text);
}

bool CAutomationObject::TakeText(VARIANT* value, std::string* text) {
    bool converted = SUCCEEDED(VariantChangeType(value, value, 0, VT_BSTR));
    text->clear();
    if (converted && value->bstrVal) {
        int length = SysStringLen(value->bstrVal);
        int bytes = WideCharToMultiByte(CP_ACP, 0, value->bstrVal, length, nullptr, 0, nullptr, nullptr);
        text->assign(bytes, '\0');
        if (bytes) WideCharToMultiByte(CP_ACP, 0, value->bstrVal, length, &(*text)[0], bytes, nullptr, nullptr);
    }
    VariantClear(value);
    return converted;
}

bool CAutomationObject::PutText(DISPID id, const char* text) {
    VARIANT value = Text(text);
    bool put = value.bstrVal && CallId(id, DISPATCH_PROPERTYPUT, {value}, nullptr);
    VariantClear(&value);
    return put;
}

VARIANT CAutomationObject::Int(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT CAutomationObject::Short(short value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}

VARIANT CAutomationObject::Text(const char* text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    v.bstrVal = SysAllocStringLen(nullptr, chars > 0 ? chars - 1 : 0);
    if (v.bstrVal && chars > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, v.bstrVal, chars);
    return v;
}

}  // namespace ferrow
