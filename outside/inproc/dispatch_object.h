// The automation objects of the stand-ins' servers: IDispatch by hand, members by name through
// GetIDsOfNames and by dispatch id through Invoke. No type information.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <vector>

namespace inproc {

struct Member {
    const wchar_t* name;
    DISPID id;
};

class CDispatchObject : public IDispatch {
public:
    explicit CDispatchObject(std::vector<Member> members);
    virtual ~CDispatchObject();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

protected:
    // One member call; arguments in call order. DISP_E_MEMBERNOTFOUND for an unknown id.
    virtual HRESULT Call(DISPID id, WORD flags, const std::vector<VARIANT*>& args, VARIANT* result) = 0;

    static HRESULT ReturnObject(IDispatch* object, VARIANT* result);
    static HRESULT ReturnNothing(VARIANT* result);
    static bool IntArgument(const std::vector<VARIANT*>& args, size_t i, LONG* value);
    static bool TextArgument(const std::vector<VARIANT*>& args, size_t i, std::string* value);
    static HRESULT ReturnText(const std::string& text, VARIANT* result);

private:
    LONG refs_ = 1;
    std::vector<Member> members_;
};

// Objects alive in the library (DllCanUnloadNow).
LONG LiveObjects();

}  // namespace inproc
