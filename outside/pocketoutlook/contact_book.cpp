#include "contact_book.h"
#include <windows.h>
#include "pocket_outlook.h"

namespace poom {

namespace {
#define POOM_NAME(name) #name,
const char* const kPropertyNames[] = {POCKET_OUTLOOK_CONTACT_PROPERTIES(POOM_NAME)};
#undef POOM_NAME
}  // namespace

unsigned long PropertyNumber(const std::string& name) {
    for (size_t i = 0; i < sizeof(kPropertyNames) / sizeof(kPropertyNames[0]); ++i)
        if (name == kPropertyNames[i]) return static_cast<unsigned long>(i + 1);
    return 0;
}

entryfile::CIndexedEntries& ContactBook() {
    static entryfile::CIndexedEntries book;
    return book;
}

}  // namespace poom
