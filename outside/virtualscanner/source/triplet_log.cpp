// The triplet log: one line per triplet the source answered, appended to the file that
// [Source] Log of the state file names (no log without one):
//   <group>/<data type>/<message> <detail> -> <result>
#include "source.h"
#include "scanner_state.h"
#include <stdio.h>

static const char* GroupName(uint32_t group) { return group == TW_DG_IMAGE ? "IMAGE" : "CONTROL"; }

static const char* DataTypeName(uint16_t dataType) {
    switch (dataType) {
    case TW_DAT_NULL: return "NULL";
    case TW_DAT_CAPABILITY: return "CAPABILITY";
    case TW_DAT_EVENT: return "EVENT";
    case TW_DAT_IDENTITY: return "IDENTITY";
    case TW_DAT_PENDINGXFERS: return "PENDINGXFERS";
    case TW_DAT_SETUPMEMXFER: return "SETUPMEMXFER";
    case TW_DAT_STATUS: return "STATUS";
    case TW_DAT_USERINTERFACE: return "USERINTERFACE";
    case TW_DAT_IMAGEINFO: return "IMAGEINFO";
    case TW_DAT_IMAGELAYOUT: return "IMAGELAYOUT";
    case TW_DAT_IMAGEMEMXFER: return "IMAGEMEMXFER";
    case TW_DAT_PALETTE8: return "PALETTE8";
    default: return "?";
    }
}

static const char* MessageName(uint16_t message) {
    switch (message) {
    case TW_MSG_GET: return "GET";
    case TW_MSG_GETCURRENT: return "GETCURRENT";
    case TW_MSG_SET: return "SET";
    case TW_MSG_RESET: return "RESET";
    case TW_MSG_XFERREADY: return "XFERREADY";
    case TW_MSG_CLOSEDSREQ: return "CLOSEDSREQ";
    case TW_MSG_OPENDS: return "OPENDS";
    case TW_MSG_CLOSEDS: return "CLOSEDS";
    case TW_MSG_DISABLEDS: return "DISABLEDS";
    case TW_MSG_ENABLEDS: return "ENABLEDS";
    case TW_MSG_PROCESSEVENT: return "PROCESSEVENT";
    case TW_MSG_ENDXFER: return "ENDXFER";
    default: return "?";
    }
}

static const char* ResultName(uint16_t result) {
    static const char* names[] = {"SUCCESS", "FAILURE",    "CHECKSTATUS", "CANCEL",
                                  "DSEVENT", "NOTDSEVENT", "XFERDONE",    "ENDOFLIST"};
    return result < 8 ? names[result] : "?";
}

void LogTriplet(uint32_t group, uint16_t dataType, uint16_t message, uint16_t result, const char* detail) {
    char path[MAX_PATH];
    ReadScannerText("Source", "Log", "", path, sizeof path);
    if (!path[0]) return;
    FILE* log = fopen(path, "a");
    if (!log) return;
    fprintf(log, "%s/%s/%s%s%s -> %s\n", GroupName(group), DataTypeName(dataType), MessageName(message),
            detail && detail[0] ? " " : "", detail ? detail : "", ResultName(result));
    fclose(log);
}
