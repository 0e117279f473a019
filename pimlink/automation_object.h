// A late-bound automation object: members called by name (GetIDsOfNames, then Invoke) or by
// dispatch id, texts handed over as BSTRs of the system code page. No call throws: every
// failure is a false result.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <initializer_list>
#include <string>

namespace ferrow {

class CAutomationObject {
public:
    CAutomationObject() = default;
    explicit CAutomationObject(IDispatch* object) : object_(object) {}
    ~CAutomationObject() { Reset(); }
    CAutomationObject(CAutomationObject&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    CAutomationObject& operator=(CAutomationObject&& other) noexcept;
    CAutomationObject(const CAutomationObject&) = delete;
    CAutomationObject& operator=(const CAutomationObject&) = delete;

    // Creates the object registered under the programmatic identifier (any server kind).
    static CAutomationObject Create(const wchar_t* progId);

    bool Valid() const { return object_ != nullptr; }
    void Reset();

    // Calls a method or reads a property; false when the call failed.
    bool Call(const wchar_t* name, WORD kind, std::initializer_list<VARIANT> args, VARIANT* result);
    bool IdOf(const wchar_t* name, DISPID* id);
    bool CallId(DISPID id, WORD kind, std::initializer_list<VARIANT> args, VARIANT* result);

    // A member's object result. *object is left invalid when the member gave no object (a null
    // or empty result); false only when the call failed.
    bool Object(const wchar_t* name, std::initializer_list<VARIANT> args, CAutomationObject* object);
    bool ObjectId(DISPID id, std::initializer_list<VARIANT> args, CAutomationObject* object);
    bool Integer(const wchar_t* name, long* value);
    bool GetText(DISPID id, std::string* text);
    bool PutText(DISPID id, const char* text);
    bool Method(const wchar_t* name) { return Call(name, DISPATCH_METHOD, {}, nullptr); }

    // Variants to pass as arguments (the text one must be cleared by the caller after the call).
    static VARIANT Int(long value);
    static VARIANT Short(short value);
    static VARIANT Text(const char* text);
    // A call's result as text of the system code page; the variant is cleared. False when it
    // cannot be turned into text.
    static bool TakeText(VARIANT* value, std::string* text);

private:
    IDispatch* object_ = nullptr;
};

}  // namespace ferrow
