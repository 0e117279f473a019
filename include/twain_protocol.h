// The TWAIN protocol as this tree speaks it: the structures, groups, data types, messages,
// result codes and capability values that pass between an application, the data source
// manager TWAIN_32.DLL and a data source. Written from the protocol's published layout:
// every structure is packed to two bytes, as the manager and every 32-bit source expect.
#pragma once
#include <windows.h>
#include <stdint.h>

#pragma pack(push, 2)

typedef struct TwFix32 {
    int16_t Whole;
    uint16_t Frac;
} TwFix32;

typedef struct TwVersion {
    uint16_t MajorNum;
    uint16_t MinorNum;
    uint16_t Language;
    uint16_t Country;
    char Info[34];
} TwVersion;

typedef struct TwIdentity {
    uint32_t Id;
    TwVersion Version;
    uint16_t ProtocolMajor;
    uint16_t ProtocolMinor;
    uint32_t SupportedGroups;
    char Manufacturer[34];
    char ProductFamily[34];
    char ProductName[34];
} TwIdentity;

typedef struct TwUserInterface {
    uint16_t ShowUI;
    uint16_t ModalUI;
    HWND hParent;
} TwUserInterface;

typedef struct TwEvent {
    void* pEvent;  // the application's MSG
    uint16_t TWMessage;
} TwEvent;

typedef struct TwPendingXfers {
    uint16_t Count;
    uint32_t EOJ;
} TwPendingXfers;

typedef struct TwSetupMemXfer {
    uint32_t MinBufSize;
    uint32_t MaxBufSize;
    uint32_t Preferred;
} TwSetupMemXfer;

typedef struct TwImageInfo {
    TwFix32 XResolution;
    TwFix32 YResolution;
    int32_t ImageWidth;
    int32_t ImageLength;
    int16_t SamplesPerPixel;
    int16_t BitsPerSample[8];
    int16_t BitsPerPixel;
    uint16_t Planar;
    int16_t PixelType;
    uint16_t Compression;
} TwImageInfo;

typedef struct TwMemory {
    uint32_t Flags;
    uint32_t Length;
    void* TheMem;
} TwMemory;

typedef struct TwImageMemXfer {
    uint16_t Compression;
    uint32_t BytesPerRow;
    uint32_t Columns;
    uint32_t Rows;
    uint32_t XOffset;
    uint32_t YOffset;
    uint32_t BytesWritten;
    TwMemory Memory;
} TwImageMemXfer;

typedef struct TwElement8 {
    uint8_t Index;
    uint8_t Channel1;
    uint8_t Channel2;
    uint8_t Channel3;
} TwElement8;

typedef struct TwPalette8 {
    uint16_t NumColors;
    uint16_t PaletteType;
    TwElement8 Colors[256];
} TwPalette8;

typedef struct TwFrame {
    TwFix32 Left;
    TwFix32 Top;
    TwFix32 Right;
    TwFix32 Bottom;
} TwFrame;

typedef struct TwImageLayout {
    TwFrame Frame;
    uint32_t DocumentNumber;
    uint32_t PageNumber;
    uint32_t FrameNumber;
} TwImageLayout;

typedef struct TwCapability {
    uint16_t Cap;
    uint16_t ConType;
    HGLOBAL hContainer;
} TwCapability;

typedef struct TwOneValue {
    uint16_t ItemType;
    uint32_t Item;
} TwOneValue;

typedef struct TwEnumeration {
    uint16_t ItemType;
    uint32_t NumItems;
    uint32_t CurrentIndex;
    uint32_t DefaultIndex;
    uint8_t ItemList[1];
} TwEnumeration;

typedef struct TwStatus {
    uint16_t ConditionCode;
    uint16_t Reserved;
} TwStatus;

#pragma pack(pop)

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(TwIdentity) == 156, "TW_IDENTITY is 156 bytes");
static_assert(sizeof(TwImageInfo) == 42, "TW_IMAGEINFO is 42 bytes");
static_assert(sizeof(TwImageMemXfer) == 38, "TW_IMAGEMEMXFER is 38 bytes");
static_assert(sizeof(TwPalette8) == 1028, "TW_PALETTE8 is 1,028 bytes");
static_assert(sizeof(TwOneValue) == 6, "TW_ONEVALUE is 6 bytes");
static_assert(sizeof(TwUserInterface) == 8, "TW_USERINTERFACE is 8 bytes");
#endif

// The manager's entry (DSM_Entry, ordinal 1 of TWAIN_32.DLL) and a source's (DS_Entry).
typedef uint16_t(WINAPI* TwainEntryFn)(TwIdentity* origin, TwIdentity* destination, uint32_t group, uint16_t dataType,
                                       uint16_t message, void* data);
typedef uint16_t(WINAPI* TwainSourceEntryFn)(TwIdentity* origin, uint32_t group, uint16_t dataType, uint16_t message,
                                             void* data);

// Groups.
#define TW_DG_CONTROL 0x0001
#define TW_DG_IMAGE   0x0002

// Data types of a triplet.
#define TW_DAT_NULL          0x0000
#define TW_DAT_CAPABILITY    0x0001
#define TW_DAT_EVENT         0x0002
#define TW_DAT_IDENTITY      0x0003
#define TW_DAT_PARENT        0x0004
#define TW_DAT_PENDINGXFERS  0x0005
#define TW_DAT_SETUPMEMXFER  0x0006
#define TW_DAT_STATUS        0x0008
#define TW_DAT_USERINTERFACE 0x0009
#define TW_DAT_IMAGEINFO     0x0101
#define TW_DAT_IMAGELAYOUT   0x0102
#define TW_DAT_IMAGEMEMXFER  0x0103
#define TW_DAT_PALETTE8      0x010A

// Messages.
#define TW_MSG_NULL         0x0000
#define TW_MSG_GET          0x0001
#define TW_MSG_GETCURRENT   0x0002
#define TW_MSG_GETDEFAULT   0x0003
#define TW_MSG_GETFIRST     0x0004
#define TW_MSG_GETNEXT      0x0005
#define TW_MSG_SET          0x0006
#define TW_MSG_RESET        0x0007
#define TW_MSG_XFERREADY    0x0101
#define TW_MSG_CLOSEDSREQ   0x0102
#define TW_MSG_OPENDSM      0x0301
#define TW_MSG_CLOSEDSM     0x0302
#define TW_MSG_OPENDS       0x0401
#define TW_MSG_CLOSEDS      0x0402
#define TW_MSG_USERSELECT   0x0403
#define TW_MSG_DISABLEDS    0x0501
#define TW_MSG_ENABLEDS     0x0502
#define TW_MSG_PROCESSEVENT 0x0601
#define TW_MSG_ENDXFER      0x0701

// Result codes.
#define TWRC_SUCCESS     0
#define TWRC_FAILURE     1
#define TWRC_CHECKSTATUS 2
#define TWRC_CANCEL      3
#define TWRC_DSEVENT     4
#define TWRC_NOTDSEVENT  5
#define TWRC_XFERDONE    6
#define TWRC_ENDOFLIST   7

// Condition codes.
#define TWCC_SUCCESS        0
#define TWCC_BUMMER         1
#define TWCC_LOWMEMORY      2
#define TWCC_NODS           3
#define TWCC_OPERATIONERROR 5
#define TWCC_BADCAP         6
#define TWCC_BADPROTOCOL    9
#define TWCC_BADVALUE       10
#define TWCC_SEQERROR       11
#define TWCC_CAPUNSUPPORTED 13

// Containers and item types.
#define TWON_ENUMERATION 4
#define TWON_ONEVALUE    5
#define TWTY_INT8        0
#define TWTY_INT16       1
#define TWTY_INT32       2
#define TWTY_UINT8       3
#define TWTY_UINT16      4
#define TWTY_UINT32      5
#define TWTY_BOOL        6
#define TWTY_FIX32       7

// Capabilities.
#define CAP_XFERCOUNT     0x0001
#define ICAP_PIXELTYPE    0x0101
#define ICAP_UNITS        0x0102
#define ICAP_XFERMECH     0x0103
#define CAP_FEEDERENABLED 0x1002
#define CAP_AUTOFEED      0x1007
#define ICAP_XRESOLUTION  0x1118
#define ICAP_YRESOLUTION  0x1119
#define ICAP_PIXELFLAVOR  0x111F
#define CAP_CUSTOM_800F   0x800F
#define CAP_CUSTOM_803B   0x803B

// Values.
#define TWPT_BW           0
#define TWPT_GRAY         1
#define TWPT_RGB          2
#define TWPT_PALETTE      3
#define TWSX_NATIVE       0
#define TWSX_MEMORY       2
#define TWUN_INCHES       0
#define TWPF_CHOCOLATE    0
#define TWPF_VANILLA      1
#define TWMF_APPOWNS      0x0001
#define TWMF_POINTER      0x0008
#define TWLG_USA          13
#define TWCY_USA          1
#define TW_PROTOCOL_MAJOR 1
#define TW_PROTOCOL_MINOR 9
