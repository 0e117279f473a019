// DS_Entry: every triplet the manager forwards, dispatched by group, data type and message,
// answered from the session and the state file, and written to the triplet log.
#include "source.h"
#include "scanner_state.h"
#include <stdio.h>
#include <string.h>

SourceSession Session;
HINSTANCE SourceModule;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    if (reason == DLL_PROCESS_ATTACH) SourceModule = instance;
    return TRUE;
}

static uint16_t Fail(uint16_t condition) {
    Session.ConditionCode = condition;
    return TWRC_FAILURE;
}

static uint16_t OnOpenSource(TwIdentity* origin, TwIdentity* identity) {
    if (Session.Open) return Fail(TWCC_SEQERROR);
    if (ReadScannerInt("Faults", "OpenSource", 0)) return Fail(TWCC_OPERATIONERROR);
    int device = FindDevice(identity->ProductName);
    if (device < 0) return Fail(TWCC_NODS);
    uint32_t id = identity->Id;
    Session = SourceSession();
    DeviceIdentity(device, identity);
    identity->Id = id;
    Session.Self = *identity;
    Session.Application = *origin;
    Session.Device = device;
    Session.PixelType = ReadScannerInt("Source", "PixelType", TWPT_GRAY);
    Session.Resolution = ReadScannerInt("Source", "Resolution", 300);
    Session.Open = true;
    Session.State = 4;
    return TWRC_SUCCESS;
}

static uint16_t OnIdentity(TwIdentity* origin, uint16_t message, TwIdentity* identity) {
    switch (message) {
    case TW_MSG_GET: return NextIdentity(identity);
    case TW_MSG_OPENDS: return OnOpenSource(origin, identity);
    case TW_MSG_CLOSEDS:
        if (!Session.Open || Session.State > 4) return Fail(TWCC_SEQERROR);
        CloseSession();
        return TWRC_SUCCESS;
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

static uint16_t OnStatus(TwStatus* status) {
    status->ConditionCode = Session.ConditionCode;
    status->Reserved = 0;
    Session.ConditionCode = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

static uint16_t Dispatch(TwIdentity* origin, uint32_t group, uint16_t dataType, uint16_t message, void* data,
                         char* detail, int detailSize) {
    if (group == TW_DG_CONTROL && dataType == TW_DAT_IDENTITY) {
        uint16_t rc = OnIdentity(origin, message, (TwIdentity*)data);
        if (data) snprintf(detail, detailSize, "%s", ((TwIdentity*)data)->ProductName);
        return rc;
    }
    if (group == TW_DG_CONTROL && dataType == TW_DAT_STATUS) return OnStatus((TwStatus*)data);
    if (!Session.Open || !data) return Fail(TWCC_SEQERROR);
    if (group == TW_DG_CONTROL) {
        switch (dataType) {
        case TW_DAT_CAPABILITY: {
            TwCapability* cap = (TwCapability*)data;
            uint16_t rc = OnCapability(message, cap);
            TwOneValue* one = cap->hContainer ? (TwOneValue*)GlobalLock(cap->hContainer) : NULL;
            if (one && cap->ConType == TWON_ONEVALUE)
                snprintf(detail, detailSize, "0x%04X=%ld", cap->Cap, (long)one->Item);
            else snprintf(detail, detailSize, "0x%04X", cap->Cap);
            if (one) GlobalUnlock(cap->hContainer);
            return rc;
        }
        case TW_DAT_USERINTERFACE: return OnUserInterface(message, (TwUserInterface*)data);
        case TW_DAT_PENDINGXFERS: return OnPendingXfers(message, (TwPendingXfers*)data);
        case TW_DAT_SETUPMEMXFER: return OnSetupMemXfer(message, (TwSetupMemXfer*)data);
        case TW_DAT_EVENT:
            if (message != TW_MSG_PROCESSEVENT) return Fail(TWCC_BADPROTOCOL);
            return OnProcessEvent((TwEvent*)data);
        }
    } else if (group == TW_DG_IMAGE) {
        switch (dataType) {
        case TW_DAT_IMAGEINFO: return OnImageInfo(message, (TwImageInfo*)data);
        case TW_DAT_IMAGELAYOUT: {
            const TwFrame& f = ((TwImageLayout*)data)->Frame;
            snprintf(detail, detailSize, "%.2fx%.2f", f.Right.Whole + f.Right.Frac / 65536.0,
                     f.Bottom.Whole + f.Bottom.Frac / 65536.0);
            return OnImageLayout(message, (TwImageLayout*)data);
        }
        case TW_DAT_IMAGEMEMXFER: {
            uint16_t rc = OnImageMemXfer(message, (TwImageMemXfer*)data);
            snprintf(detail, detailSize, "rows=%lu", (unsigned long)((TwImageMemXfer*)data)->Rows);
            return rc;
        }
        case TW_DAT_PALETTE8: return OnPalette8(message, (TwPalette8*)data);
        }
    }
    return Fail(TWCC_BADPROTOCOL);
}

extern "C" uint16_t WINAPI DS_Entry(TwIdentity* origin, uint32_t group, uint16_t dataType, uint16_t message,
                                    void* data) {
    char detail[64] = "";
    uint16_t rc = Dispatch(origin, group, dataType, message, data, detail, sizeof detail);
    // Events are offered for every message of the application's loop: only those that the
    // source takes are worth a line.
    if (!(dataType == TW_DAT_EVENT && rc == TWRC_NOTDSEVENT)) LogTriplet(group, dataType, message, rc, detail);
    return rc;
}
