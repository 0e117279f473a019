#include "twain_manager.h"
#include <cstring>

TwainManager::TwainManager() {
    module_ = LoadLibraryA("twain_32.dll");
    if (module_)
        entry_ = reinterpret_cast<TwainEntryFn>(reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(1))));
    window_ = CreateWindowA("STATIC", "twain test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    application_.Version.MajorNum = 1;
    application_.Version.Language = TWLG_USA;
    application_.Version.Country = TWCY_USA;
    lstrcpynA(application_.Version.Info, "test", sizeof application_.Version.Info);
    application_.ProtocolMajor = TW_PROTOCOL_MAJOR;
    application_.ProtocolMinor = TW_PROTOCOL_MINOR;
    application_.SupportedGroups = TW_DG_CONTROL | TW_DG_IMAGE;
    lstrcpynA(application_.Manufacturer, "Test", sizeof application_.Manufacturer);
    lstrcpynA(application_.ProductFamily, "Test", sizeof application_.ProductFamily);
    lstrcpynA(application_.ProductName, "virtual_scanner_test", sizeof application_.ProductName);
}

TwainManager::~TwainManager() {
    if (managerOpen_) Call(nullptr, TW_DG_CONTROL, TW_DAT_PARENT, TW_MSG_CLOSEDSM, &window_);
    if (window_) DestroyWindow(window_);
    if (module_) FreeLibrary(module_);
}

uint16_t TwainManager::Call(TwIdentity* source, uint32_t group, uint16_t dataType, uint16_t message, void* data) {
    return entry_ ? entry_(&application_, source, group, dataType, message, data) : TWRC_FAILURE;
}

uint16_t TwainManager::Condition(TwIdentity* source) {
    TwStatus status{};
    Call(source, TW_DG_CONTROL, TW_DAT_STATUS, TW_MSG_GET, &status);
    return status.ConditionCode;
}

uint16_t TwainManager::WaitForSourceMessage(TwIdentity* source, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        // A message of our own keeps the loop turning while the source has nothing to say.
        PostMessageA(window_, WM_NULL, 0, 0);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TwEvent event{&msg, TW_MSG_NULL};
            uint16_t rc = Call(source, TW_DG_CONTROL, TW_DAT_EVENT, TW_MSG_PROCESSEVENT, &event);
            if (rc == TWRC_DSEVENT && event.TWMessage != TW_MSG_NULL) return event.TWMessage;
            if (rc != TWRC_DSEVENT) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        Sleep(20);
    }
    return TW_MSG_NULL;
}

bool TwainManager::OpenManager() {
    managerOpen_ = Call(nullptr, TW_DG_CONTROL, TW_DAT_PARENT, TW_MSG_OPENDSM, &window_) == TWRC_SUCCESS;
    return managerOpen_;
}

bool TwainManager::OpenSource(const std::string& productName, TwIdentity* source) {
    memset(source, 0, sizeof *source);
    lstrcpynA(source->ProductName, productName.c_str(), sizeof source->ProductName);
    return Call(nullptr, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_OPENDS, source) == TWRC_SUCCESS;
}

void TwainManager::CloseSource(TwIdentity* source) {
    Call(nullptr, TW_DG_CONTROL, TW_DAT_IDENTITY, TW_MSG_CLOSEDS, source);
}

uint16_t TwainManager::SetCapability(TwIdentity* source, uint16_t cap, uint16_t itemType, uint32_t item) {
    TwCapability capability{cap, TWON_ONEVALUE, GlobalAlloc(GMEM_MOVEABLE, sizeof(TwOneValue))};
    TwOneValue* one = static_cast<TwOneValue*>(GlobalLock(capability.hContainer));
    one->ItemType = itemType;
    one->Item = item;
    GlobalUnlock(capability.hContainer);
    uint16_t rc = Call(source, TW_DG_CONTROL, TW_DAT_CAPABILITY, TW_MSG_SET, &capability);
    GlobalFree(capability.hContainer);
    return rc;
}

uint16_t TwainManager::ReceiveRows(TwIdentity* source, std::vector<uint8_t>* rows, uint32_t* bytesPerRow,
                                   int* buffers) {
    TwSetupMemXfer setup{};
    uint16_t rc = Call(source, TW_DG_CONTROL, TW_DAT_SETUPMEMXFER, TW_MSG_GET, &setup);
    if (rc != TWRC_SUCCESS) return rc;
    std::vector<uint8_t> buffer(setup.Preferred);
    *buffers = 0;
    for (;;) {
        TwImageMemXfer xfer{};
        xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        xfer.Memory.Length = static_cast<uint32_t>(buffer.size());
        xfer.Memory.TheMem = buffer.data();
        rc = Call(source, TW_DG_IMAGE, TW_DAT_IMAGEMEMXFER, TW_MSG_GET, &xfer);
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) return rc;
        ++*buffers;
        *bytesPerRow = xfer.BytesPerRow;
        rows->insert(rows->end(), buffer.begin(), buffer.begin() + xfer.BytesWritten);
        if (rc == TWRC_XFERDONE) return rc;
    }
}
