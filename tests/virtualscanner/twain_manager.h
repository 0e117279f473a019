// Wine's TWAIN data source manager loaded by the test as an application loads it, with a
// window of the test's own as the parent of the sources.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "twain_protocol.h"

class TwainManager {
public:
    TwainManager();
    ~TwainManager();
    bool Loaded() const { return entry_ != nullptr; }
    HWND Window() const { return window_; }
    TwIdentity& Application() { return application_; }

    // One triplet to the manager (source null) or through it to a source.
    uint16_t Call(TwIdentity* source, uint32_t group, uint16_t dataType, uint16_t message, void* data);
    // The condition code of the last failure of the manager or of the source.
    uint16_t Condition(TwIdentity* source);
    // Pumps the test's messages through MSG_PROCESSEVENT until the source reports a message
    // for the application; TW_MSG_NULL when none came in time.
    uint16_t WaitForSourceMessage(TwIdentity* source, DWORD timeoutMs = 5000);

    // The manager open, a source opened by product name (empty: the default).
    bool OpenManager();
    bool OpenSource(const std::string& productName, TwIdentity* source);
    void CloseSource(TwIdentity* source);

    // Sets a one-value capability; the result code.
    uint16_t SetCapability(TwIdentity* source, uint16_t cap, uint16_t itemType, uint32_t item);

    // Receives one image by memory transfer into rows of `bytesPerRow` each (as the source
    // announced them); the last result code (TWRC_XFERDONE on success) and the buffers used.
    uint16_t ReceiveRows(TwIdentity* source, std::vector<uint8_t>* rows, uint32_t* bytesPerRow, int* buffers);

private:
    HMODULE module_ = nullptr;
    TwainEntryFn entry_ = nullptr;
    TwIdentity application_{};
    HWND window_ = nullptr;
    bool managerOpen_ = false;
};
