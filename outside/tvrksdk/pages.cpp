// Pages of the engine's documents. A page is known by its index and the image file it was
// made from; the document's page count is the caller's to keep, as the engine's callers do.
#include "pages.h"
#include "trace.h"
#include <stdio.h>
#include <map>
#include <string>
#include <vector>

namespace {
std::map<const RecogDocument*, std::vector<std::string>> g_pages;
}

const char* PageImagePath(const RecogDocument* document, int index) {
    auto found = g_pages.find(document);
    if (found == g_pages.end() || index < 0 || index >= (int)found->second.size()) return nullptr;
    return found->second[index].empty() ? nullptr : found->second[index].c_str();
}

extern "C" int32_t Create_Page(RecogDocument* document, int32_t pageIndex, const char* imagePath,
                               RecogWorkspace* workspace) {
    char line[320];
    snprintf(line, sizeof line, "Create_Page %d %.260s", pageIndex, imagePath ? imagePath : "");
    TraceEngineCall(line);
    if (!document || pageIndex < 0 || pageIndex > 0xFFFF) return 0;
    (void)workspace;
    std::vector<std::string>& pages = g_pages[document];
    if ((int)pages.size() <= pageIndex) pages.resize(pageIndex + 1);
    pages[pageIndex] = imagePath ? imagePath : "";
    return 1;
}

extern "C" int32_t Delete_Page(RecogDocument* document, int32_t pageIndex) {
    char line[32];
    snprintf(line, sizeof line, "Delete_Page %d", pageIndex);
    TraceEngineCall(line);
    auto found = g_pages.find(document);
    if (!document || found == g_pages.end() || pageIndex < 0 || pageIndex >= (int)found->second.size()) return 0;
    found->second[pageIndex].clear();
    return 1;
}

extern "C" int32_t DiscardPreviousWork(RecogDocument* document, RecogWorkspace* workspace) {
    TraceEngineCall("DiscardPreviousWork");
    if (!document) return 0;
    if (workspace) {
        workspace->PageState = 0;
        workspace->RegionCount = 0;
    }
    return 1;
}

extern "C" int32_t Reset_Document(RecogDocument* document, int32_t reserved, RecogWorkspace* workspace) {
    TraceEngineCall("Reset_Document");
    (void)reserved;
    (void)workspace;
    if (!document) return 0;
    g_pages.erase(document);
    document->PageCount = 0;
    document->CurrentPage = 0;
    return 1;
}
