// One Outlook contact as the Outlook link carries it: 50 terminated ANSI texts at fixed
// places (the converters' Outlook record), each tied to one contact property by its dispatch
// id, and the half of the duplicate filter each takes part in.
#pragma once
#include <windows.h>
#include <oleauto.h>

namespace ferrow {

enum { kOutlookFieldListSize = 2538, kOutlookFields = 50 };

struct OutlookSlot {
    int offset;
    int size;  // bytes, terminator included
    DISPID id;
    int filterGroup;   // 1 or 2; 0 takes no part
    const char* name;  // the property's name in a filter
};

extern const OutlookSlot kOutlookFieldList[kOutlookFields];

// Group 1 in the order its clauses are built (FileAs, FirstName, NickName, LastName, Title,
// JobTitle, CompanyName, Department, then the address slots in table order).
extern const int kOutlookFilterGroup1[];
extern const int kOutlookFilterGroup1Count;

}  // namespace ferrow
