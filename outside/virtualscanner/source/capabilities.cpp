// Capabilities and the image layout: each one honoured, or refused as the state file's
// [Capabilities] section says (Refuse = a list of capability numbers, RefuseLayout = 1,
// PixelTypes = the pixel types accepted).
#include "source.h"
#include "scanner_state.h"
#include <string.h>

static uint16_t Fail(uint16_t condition) {
    Session.ConditionCode = condition;
    return TWRC_FAILURE;
}

static int OneValueItem(const TwCapability* capability, uint32_t* item) {
    if (capability->ConType != TWON_ONEVALUE || !capability->hContainer) return 0;
    TwOneValue* one = (TwOneValue*)GlobalLock(capability->hContainer);
    if (!one) return 0;
    *item = one->Item;
    GlobalUnlock(capability->hContainer);
    return 1;
}

// Without a PixelTypes list every type of the protocol's four is accepted.
static int AcceptsPixelType(int type) {
    char list[64];
    ReadScannerText("Capabilities", "PixelTypes", "", list, sizeof list);
    if (!list[0]) return type >= TWPT_BW && type <= TWPT_PALETTE;
    return ScannerListHas("Capabilities", "PixelTypes", type);
}

static uint16_t SetCapability(const TwCapability* capability) {
    uint32_t item = 0;
    if (!OneValueItem(capability, &item)) return Fail(TWCC_BADVALUE);
    switch (capability->Cap) {
    case ICAP_PIXELTYPE:
        if (!AcceptsPixelType((int)item)) return Fail(TWCC_BADVALUE);
        Session.PixelType = (int)item;
        break;
    case ICAP_XFERMECH: Session.XferMech = (int)item; break;
    case CAP_XFERCOUNT: Session.XferCount = (int16_t)item; break;
    case ICAP_UNITS: Session.Units = (int)item; break;
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: {
        TwFix32 fix;
        memcpy(&fix, &item, sizeof fix);
        Session.Resolution = fix.Whole;
        break;
    }
    default: break;  // accepted and remembered by nobody: feeder switches, custom values
    }
    return TWRC_SUCCESS;
}

static int ItemBytes(uint16_t type) {
    switch (type) {
    case TWTY_INT8:
    case TWTY_UINT8: return 1;
    case TWTY_INT32:
    case TWTY_UINT32: return 4;
    default: return 2;
    }
}

// A one-value container of the value, handed to the application, which frees it.
static uint16_t GiveOneValue(TwCapability* capability, uint16_t type, uint32_t value) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(TwOneValue));
    TwOneValue* one = block ? (TwOneValue*)GlobalLock(block) : NULL;
    if (!one) return Fail(TWCC_LOWMEMORY);
    one->ItemType = type;
    one->Item = value;
    GlobalUnlock(block);
    capability->ConType = TWON_ONEVALUE;
    capability->hContainer = block;
    return TWRC_SUCCESS;
}

// The pixel flavour as configured: its value and item type, in a one-value container or as the
// current (second) item of an enumeration whose first item is the other flavour.
static uint16_t GetPixelFlavor(TwCapability* capability) {
    uint32_t value = (uint32_t)ReadScannerInt("Capabilities", "PixelFlavor", TWPF_CHOCOLATE);
    uint16_t type = (uint16_t)ReadScannerInt("Capabilities", "FlavorItemType", TWTY_UINT16);
    if (!ReadScannerInt("Capabilities", "FlavorAsEnumeration", 0)) return GiveOneValue(capability, type, value);
    int size = ItemBytes(type);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(TwEnumeration) + 2 * size);
    TwEnumeration* list = block ? (TwEnumeration*)GlobalLock(block) : NULL;
    if (!list) return Fail(TWCC_LOWMEMORY);
    list->ItemType = type;
    list->NumItems = 2;
    list->CurrentIndex = 1;
    uint32_t other = value == TWPF_CHOCOLATE ? TWPF_VANILLA : TWPF_CHOCOLATE;
    memcpy(list->ItemList, &other, size);  // little-endian: the low bytes of the value
    memcpy(list->ItemList + size, &value, size);
    GlobalUnlock(block);
    capability->ConType = TWON_ENUMERATION;
    capability->hContainer = block;
    return TWRC_SUCCESS;
}

// A one-value container of the current value, which the application frees.
static uint16_t GetCapability(TwCapability* capability) {
    uint32_t value;
    uint16_t type = TWTY_UINT16;
    switch (capability->Cap) {
    case ICAP_PIXELTYPE: value = Session.PixelType; break;
    case ICAP_XFERMECH: value = Session.XferMech; break;
    case ICAP_UNITS: value = Session.Units; break;
    case ICAP_PIXELFLAVOR: return GetPixelFlavor(capability);
    default: return Fail(TWCC_CAPUNSUPPORTED);
    }
    return GiveOneValue(capability, type, value);
}

uint16_t OnCapability(uint16_t message, TwCapability* capability) {
    if (ScannerListHas("Capabilities", "Refuse", capability->Cap)) return Fail(TWCC_CAPUNSUPPORTED);
    switch (message) {
    case TW_MSG_SET:
        if (Session.State != 4) return Fail(TWCC_SEQERROR);
        return SetCapability(capability);
    case TW_MSG_GET:
    case TW_MSG_GETCURRENT: return GetCapability(capability);
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

uint16_t OnImageLayout(uint16_t message, TwImageLayout* layout) {
    if (ReadScannerInt("Capabilities", "RefuseLayout", 0)) return Fail(TWCC_BADVALUE);
    if (message == TW_MSG_SET) {
        if (Session.State != 4) return Fail(TWCC_SEQERROR);
        Session.Layout = *layout;
        return TWRC_SUCCESS;
    }
    if (message == TW_MSG_GET) {
        *layout = Session.Layout;
        return TWRC_SUCCESS;
    }
    return Fail(TWCC_BADPROTOCOL);
}
