// The virtual scanner's TWAIN data source: one open session at a time, in the process of
// the application that opened it through the data source manager.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <vector>
#include "twain_protocol.h"

// One page of the feeder as the source delivers it: rows top-down, BytesPerRow bytes each
// without padding, in the pixel type of the session.
struct PageImage {
    int Width = 0;
    int Height = 0;
    int PixelType = TWPT_GRAY;
    int BitsPerPixel = 8;
    int BytesPerRow = 0;
    int Resolution = 0;
    std::vector<uint8_t> Rows;
    uint8_t Palette[256][3] = {};  // red, green, blue of each index (palette pages)
};

struct SourceSession {
    bool Open = false;
    int State = 3;  // TWAIN states: 4 open, 5 enabled, 6 transfer ready, 7 transferring
    TwIdentity Self{};
    TwIdentity Application{};
    int Device = 0;
    uint16_t ConditionCode = TWCC_SUCCESS;

    // Negotiated values.
    int PixelType = TWPT_GRAY;
    int XferMech = TWSX_NATIVE;
    int XferCount = -1;
    int Resolution = 300;
    int Units = TWUN_INCHES;
    TwImageLayout Layout{};

    // The acquisition.
    bool ShowUI = false;
    HWND Parent = nullptr;
    HWND Dialog = nullptr;
    int Pending = 0;  // pages still to go in this acquisition
    bool PageLoaded = false;
    PageImage Page;
    int PageIndex = 0;  // feeder index of the page in transfer
    int RowsSent = 0;
};

extern SourceSession Session;
extern HINSTANCE SourceModule;

// identities.cpp: the devices the source presents.
int DeviceCount(void);
void DeviceIdentity(int index, TwIdentity* identity);
int FindDevice(const char* productName);
uint16_t NextIdentity(TwIdentity* identity);

// capabilities.cpp
uint16_t OnCapability(uint16_t message, TwCapability* capability);
uint16_t OnImageLayout(uint16_t message, TwImageLayout* layout);

// feeder.cpp: the pages waiting in the feeder list.
int FeederNext(void);
int FeederCount(void);
void FeederAdvance(void);
// A per-page value of the feeder list (<key><index>), or the fallback.
int FeederPageInt(int index, const char* key, int fallback);
int LoadFeederPage(int index, PageImage* page);

// page_image.cpp: image files read and turned into the session's pixel type.
int ReadPageFile(const char* path, int pixelType, PageImage* page);

// transfer.cpp
uint16_t OnUserInterface(uint16_t message, TwUserInterface* ui);
uint16_t OnPendingXfers(uint16_t message, TwPendingXfers* pending);
uint16_t OnSetupMemXfer(uint16_t message, TwSetupMemXfer* setup);
uint16_t OnImageInfo(uint16_t message, TwImageInfo* info);
uint16_t OnImageMemXfer(uint16_t message, TwImageMemXfer* xfer);
uint16_t OnPalette8(uint16_t message, TwPalette8* palette);
uint16_t OnProcessEvent(TwEvent* event);
void StartScan(void);
void CloseSession(void);

// notify.cpp: messages to the application through the manager.
void NotifyApplication(uint16_t message);
void ForgetPendingEvent(void);

// scan_dialog.cpp: the source's own modeless dialog.
HWND CreateScanDialog(HWND parent);
void UpdateScanDialog(void);

// triplet_log.cpp
void LogTriplet(uint32_t group, uint16_t dataType, uint16_t message, uint16_t result, const char* detail);
