// The contact item's text properties the stand-in carries: a name (for filters) and the
// dispatch id that Invoke answers to. The last three have no name.
#pragma once
#include <windows.h>
#include <oleauto.h>

namespace outlook {

struct ContactProperty {
    const char* name;
    DISPID id;
};

enum { kContactProperties = 50 };
extern const ContactProperty kContactPropertyTable[kContactProperties];

// The property of that dispatch id or name (exact), or null.
const ContactProperty* PropertyById(DISPID id);
const ContactProperty* PropertyByName(const char* name, size_t length);

}  // namespace outlook
