// The engine's document and work area.
#include <windows.h>
#include "tvrksdk.h"
#include "trace.h"
#include "document_registry.h"
#include <new>
#include <string.h>

namespace {
const RecogDocument* g_newestDocument;
}

std::string EngineTempFolder() {
    if (!g_newestDocument) return std::string();
    std::string folder(g_newestDocument->TempFolder,
                       strnlen(g_newestDocument->TempFolder, sizeof g_newestDocument->TempFolder));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string EngineWorkFolder() {
    std::string folder = EngineTempFolder();
    if (!folder.empty()) return folder;
    char path[MAX_PATH];
    DWORD n = GetTempPathA(sizeof path, path);
    return (n && n < sizeof path) ? std::string(path) : std::string(".\\");
}

extern "C" int32_t Create_Document(RecogDocument** document, RecogWorkspace** workspace) {
    TraceEngineCall("Create_Document");
    if (!document || !workspace) return 0;
    *document = new (std::nothrow) RecogDocument();
    *workspace = new (std::nothrow) RecogWorkspace();
    if (*document && *workspace) {
        g_newestDocument = *document;
        return 1;
    }
    delete *document;
    delete *workspace;
    *document = nullptr;
    *workspace = nullptr;
    return 0;
}

extern "C" int32_t RemoveDocumentInfo(RecogDocument* document) {
    TraceEngineCall("RemoveDocumentInfo");
    if (!document) return 0;
    document->PageCount = 0;
    document->CurrentPage = 0;
    return 1;
}

extern "C" int32_t Delete_Document(RecogDocument* document, RecogWorkspace* workspace) {
    TraceEngineCall("Delete_Document");
    if (!document) return 0;
    if (document == g_newestDocument) g_newestDocument = nullptr;
    delete document;
    delete workspace;
    return 1;
}
