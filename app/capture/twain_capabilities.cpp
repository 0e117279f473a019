// The capabilities the program sets when the source's own dialog is suppressed: transfer
// mechanism and count, pixel type, resolution, units and scan area, and an Epson feeder.
#include "scanning.h"
#include "shell.h"
#include <string.h>

static const int kResolutions[] = {600, 400, 300};  // by [Preference] DefaultReso

HGLOBAL BuildOneValueContainer(uint16_t itemType, uint32_t item) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(TwOneValue));
    TwOneValue* one = block ? (TwOneValue*)GlobalLock(block) : NULL;
    if (!one) {
        if (block) GlobalFree(block);
        return NULL;
    }
    one->ItemType = itemType;
    one->Item = item;
    GlobalUnlock(block);
    return block;
}

static uint16_t SetOneValue(uint16_t cap, uint16_t itemType, uint32_t item) {
    TwCapability capability;
    capability.Cap = cap;
    capability.ConType = TWON_ONEVALUE;
    capability.hContainer = BuildOneValueContainer(itemType, item);
    if (!capability.hContainer) return TWRC_FAILURE;
    uint16_t rc = CallTwainSource(TW_DG_CONTROL, TW_DAT_CAPABILITY, TW_MSG_SET, &capability);
    GlobalFree(capability.hContainer);
    return rc;
}

static uint32_t Fix32Item(int whole) {
    TwFix32 fix = {(int16_t)whole, 0};
    uint32_t item;
    memcpy(&item, &fix, sizeof item);
    return item;
}

// The setters take the item type and value of their caller, as the capability set passes them.
uint16_t SetPixelTypeCap(uint16_t type, uint32_t value) { return SetOneValue(ICAP_PIXELTYPE, type, value); }
uint16_t SetTransferMechanismCap(uint16_t type, uint32_t value) { return SetOneValue(ICAP_XFERMECH, type, value); }
uint16_t SetTransferCountCap(uint16_t type, uint32_t value) { return SetOneValue(CAP_XFERCOUNT, type, value); }
uint16_t SetUnitsCap(uint32_t value) { return SetOneValue(ICAP_UNITS, TWTY_UINT16, value); }
uint16_t SetFeederEnabledCap(uint16_t type, uint32_t value) { return SetOneValue(CAP_FEEDERENABLED, type, value); }
uint16_t SetAutoFeedCap(uint16_t type, uint32_t value) { return SetOneValue(CAP_AUTOFEED, type, value); }
uint16_t SetCustomCap803B(uint16_t type, uint32_t value) { return SetOneValue(CAP_CUSTOM_803B, type, value); }
uint16_t SetCustomCap800F(uint16_t type, uint32_t value) { return SetOneValue(CAP_CUSTOM_800F, type, value); }

static uint16_t SetResolutionPair(int dpi) {
    uint16_t rc = SetOneValue(ICAP_XRESOLUTION, TWTY_FIX32, Fix32Item(dpi));
    if (rc != TWRC_SUCCESS) return rc;
    return SetOneValue(ICAP_YRESOLUTION, TWTY_FIX32, Fix32Item(dpi));
}

uint16_t SetResolutionCap(void) {
    if (App.DefaultReso < 0 || App.DefaultReso > 2) return TWRC_SUCCESS;
    return SetResolutionPair(kResolutions[App.DefaultReso]);
}

uint16_t SetResolution400Cap(void) { return SetResolutionPair(400); }

static TwFix32 InchesFix32(double inches) {
    int32_t value = (int32_t)(inches * 65536.0 + 0.5);
    TwFix32 fix = {(int16_t)(value >> 16), (uint16_t)(value & 0xFFFF)};
    return fix;
}

// A card-sized area at the top left; an Epson feeder's cards lie a little wider.
uint16_t SetImageLayout(void) {
    TwImageLayout layout;
    memset(&layout, 0, sizeof layout);
    layout.Frame.Left = InchesFix32(0);
    layout.Frame.Top = InchesFix32(0);
    layout.Frame.Right = InchesFix32(App.Twain.EpsonScanner ? 3.95 : 3.7);
    layout.Frame.Bottom = InchesFix32(3.7);
    layout.DocumentNumber = layout.PageNumber = layout.FrameNumber = 1;
    return CallTwainSource(TW_DG_IMAGE, TW_DAT_IMAGELAYOUT, TW_MSG_SET, &layout);
}

static int ReadItem(const uint8_t* item, uint16_t type) {
    switch (type) {
    case TWTY_INT8:
    case TWTY_UINT8: return item[0];
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL: return *(const uint16_t*)item;
    case TWTY_INT32:
    case TWTY_UINT32: return (int)*(const uint32_t*)item;
    default: return 0;
    }
}

static int ItemSize(uint16_t type) {
    switch (type) {
    case TWTY_INT8:
    case TWTY_UINT8: return 1;
    case TWTY_INT32:
    case TWTY_UINT32: return 4;
    default: return 2;
    }
}

// The source's current pixel flavour, from a one-value or an enumeration; -1 when it gives none.
int GetPixelFlavorCap(void) {
    TwCapability capability = {ICAP_PIXELFLAVOR, TWON_ONEVALUE, NULL};
    if (CallTwainSource(TW_DG_CONTROL, TW_DAT_CAPABILITY, TW_MSG_GET, &capability) != TWRC_SUCCESS) return -1;
    if (!capability.hContainer) return -1;
    int value = -1;
    uint8_t* container = (uint8_t*)GlobalLock(capability.hContainer);
    if (container && capability.ConType == TWON_ONEVALUE) {
        TwOneValue* one = (TwOneValue*)container;
        value = ReadItem((const uint8_t*)&one->Item, one->ItemType);
    } else if (container && capability.ConType == TWON_ENUMERATION) {
        TwEnumeration* list = (TwEnumeration*)container;
        if (list->CurrentIndex < list->NumItems)
            value = ReadItem(list->ItemList + list->CurrentIndex * ItemSize(list->ItemType), list->ItemType);
    }
    if (container) GlobalUnlock(capability.hContainer);
    GlobalFree(capability.hContainer);
    return value;
}

uint16_t ApplyScanCapabilities(void) {
    if (App.Twain.EpsonScanner) {
        if (SetFeederEnabledCap(TWTY_BOOL, 1) != TWRC_SUCCESS || SetAutoFeedCap(TWTY_BOOL, 1) != TWRC_SUCCESS)
            App.Twain.EpsonScanner = 0;
        else SetCustomCap803B(TWTY_UINT16, 1);
    }
    uint16_t rc = SetTransferMechanismCap(TWTY_UINT16, TWSX_MEMORY);
    if (rc == TWRC_FAILURE) return rc;
    rc = SetTransferCountCap(TWTY_INT16, (uint16_t)-1);
    if (rc == TWRC_FAILURE) return rc;
    if (App.DefaultImgType == 2 && App.SyscanScanner) return TWRC_FAILURE;
    if (App.DefaultImgType >= 0 && App.DefaultImgType <= 2) {
        static const uint32_t kPixelTypes[] = {TWPT_BW, TWPT_GRAY, TWPT_RGB};
        rc = SetPixelTypeCap(TWTY_UINT16, kPixelTypes[App.DefaultImgType]);
        if (rc == TWRC_FAILURE) return rc;
    }
    rc = SetResolutionCap();
    if (rc == TWRC_FAILURE) return rc;
    if (App.SyscanScanner) return TWRC_SUCCESS;
    rc = SetUnitsCap(TWUN_INCHES);
    if (rc == TWRC_FAILURE) return rc;
    rc = SetImageLayout();
    if (rc == TWRC_FAILURE) return rc;
    return TWRC_SUCCESS;
}
