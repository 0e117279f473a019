// The handheld contact store's automation interfaces as the Windows CE companion calls them:
// the application, a folder, its item collection and a contact. The interface identifiers of
// the application and of the collection's second interface are the store's; the method order
// is ours (a build for a device takes the platform's own header instead).
#pragma once
#include <windows.h>
#include <oleauto.h>

// The contact's text properties in the order the companion sets them.
// clang-format off
#define POCKET_OUTLOOK_CONTACT_PROPERTIES(X) \
    X(BusinessFaxNumber) \
    X(CompanyName) \
    X(Department) \
    X(Email1Address) \
    X(MobileTelephoneNumber) \
    X(OfficeLocation) \
    X(PagerNumber) \
    X(BusinessTelephoneNumber) \
    X(JobTitle) \
    X(HomeTelephoneNumber) \
    X(Email2Address) \
    X(Spouse) \
    X(Email3Address) \
    X(Home2TelephoneNumber) \
    X(HomeFaxNumber) \
    X(CarTelephoneNumber) \
    X(AssistantName) \
    X(AssistantTelephoneNumber) \
    X(Children) \
    X(Categories) \
    X(WebPage) \
    X(Business2TelephoneNumber) \
    X(RadioTelephoneNumber) \
    X(Title) \
    X(FirstName) \
    X(MiddleName) \
    X(LastName) \
    X(Suffix) \
    X(HomeAddressStreet) \
    X(HomeAddressCity) \
    X(HomeAddressState) \
    X(HomeAddressPostalCode) \
    X(HomeAddressCountry) \
    X(OtherAddressStreet) \
    X(OtherAddressCity) \
    X(OtherAddressState) \
    X(OtherAddressPostalCode) \
    X(OtherAddressCountry) \
    X(BusinessAddressStreet) \
    X(BusinessAddressCity) \
    X(BusinessAddressState) \
    X(BusinessAddressPostalCode) \
    X(BusinessAddressCountry) \
    X(Body)
// clang-format on

enum { kPocketOutlookContactsFolder = 10, kPocketOutlookContactItem = 2 };

// {05058F22-20BE-11D2-8F18-0000F87A4335}
const IID IID_IPOutlookApp = {0x05058f22, 0x20be, 0x11d2, {0x8f, 0x18, 0x00, 0x00, 0xf8, 0x7a, 0x43, 0x35}};
// {6E3DBE90-5411-11D3-8F39-0000F87A4335}: held by the companion, not used further.
const IID IID_IPOutlookItemCollection2 = {0x6e3dbe90, 0x5411, 0x11d3, {0x8f, 0x39, 0x00, 0x00, 0xf8, 0x7a, 0x43, 0x35}};

// Ours: the store hands contacts out as IDispatch; the companion asks for this interface.
// {8C7B5E21-3D4A-4F60-9B1C-2E5D7A9F0C13}
const IID IID_IZemContact = {0x8c7b5e21, 0x3d4a, 0x4f60, {0x9b, 0x1c, 0x2e, 0x5d, 0x7a, 0x9f, 0x0c, 0x13}};

struct IPOutlookItemCollection;

struct IContact : public IDispatch {
#define POCKET_OUTLOOK_SETTER(name) virtual HRESULT STDMETHODCALLTYPE put_##name(BSTR value) = 0;
    POCKET_OUTLOOK_CONTACT_PROPERTIES(POCKET_OUTLOOK_SETTER)
#undef POCKET_OUTLOOK_SETTER
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
};

struct IFolder : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Items(IPOutlookItemCollection** items) = 0;
};

struct IPOutlookItemCollection : public IDispatch {
    // S_OK with the first matching item, S_OK with null when none matches; a failure for a
    // query the store refuses.
    virtual HRESULT STDMETHODCALLTYPE Find(BSTR query, IDispatch** item) = 0;
    // A new contact, not stored until it is saved.
    virtual HRESULT STDMETHODCALLTYPE Add(IDispatch** item) = 0;
};

struct IPOutlookApp : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Logon(long window) = 0;
    virtual HRESULT STDMETHODCALLTYPE Logoff() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultFolder(int folder, IFolder** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateItem(int itemType, IDispatch** item) = 0;
};
