#include "dispatch_object.h"

namespace inproc {

namespace {
LONG g_live = 0;
}

LONG LiveObjects() { return g_live; }

CDispatchObject::CDispatchObject(std::vector<Member> members) : members_(std::move(members)) {
    InterlockedIncrement(&g_live);
}

CDispatchObject::~CDispatchObject() { InterlockedDecrement(&g_live); }

HRESULT CDispatchObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch)) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG CDispatchObject::AddRef() { return InterlockedIncrement(&refs_); }

ULONG CDispatchObject::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

HRESULT CDispatchObject::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT CDispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT CDispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    HRESULT status = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (const Member& m : members_)
            if (lstrcmpiW(m.name, names[i]) == 0) ids[i] = m.id;
        if (ids[i] == DISPID_UNKNOWN) status = DISP_E_UNKNOWNNAME;
    }
    return status;
}

HRESULT CDispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                UINT*) {
    std::vector<VARIANT*> args;
    UINT n = params ? params->cArgs : 0;
    for (UINT i = 0; i < n; ++i) args.push_back(&params->rgvarg[n - 1 - i]);
    if (result) VariantInit(result);
    return Call(id, flags, args, result);
}

HRESULT CDispatchObject::ReturnObject(IDispatch* object, VARIANT* result) {
    if (!result) {
        object->Release();
        return S_OK;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
}

HRESULT CDispatchObject::ReturnNothing(VARIANT* result) {
    if (result) {
        result->vt = VT_DISPATCH;
        result->pdispVal = nullptr;
    }
    return S_OK;
}

bool CDispatchObject::IntArgument(const std::vector<VARIANT*>& args, size_t i, LONG* value) {
    if (i >= args.size()) return false;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, args[i], 0, VT_I4))) return false;
    *value = converted.lVal;
    return true;
}

bool CDispatchObject::TextArgument(const std::vector<VARIANT*>& args, size_t i, std::string* value) {
    if (i >= args.size()) return false;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, args[i], 0, VT_BSTR))) return false;
    int bytes = WideCharToMultiByte(CP_ACP, 0, converted.bstrVal, SysStringLen(converted.bstrVal), nullptr, 0, nullptr,
                                    nullptr);
    value->assign(bytes, '\0');
    if (bytes)
        WideCharToMultiByte(CP_ACP, 0, converted.bstrVal, SysStringLen(converted.bstrVal), &(*value)[0], bytes, nullptr,
                            nullptr);
    VariantClear(&converted);
    return true;
}

HRESULT CDispatchObject::ReturnText(const std::string& text, VARIANT* result) {
    if (!result) return S_OK;
    int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(nullptr, chars);
    if (!result->bstrVal) return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result->bstrVal, chars);
    return S_OK;
}

}  // namespace inproc
