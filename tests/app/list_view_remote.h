// A list view of another process read and driven from the test: the structures its messages
// point to are written into and read from a block in that process.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        at_ = process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    }
    ~RemoteBlock() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    char* At(size_t offset = 0) const { return static_cast<char*>(at_) + offset; }
    bool Write(const void* data, size_t bytes, size_t offset = 0) const {
        return at_ && WriteProcessMemory(process_, At(offset), data, bytes, nullptr);
    }
    bool Read(void* data, size_t bytes, size_t offset = 0) const {
        return at_ && ReadProcessMemory(process_, At(offset), data, bytes, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* at_ = nullptr;
    size_t size_;
};

inline std::string ListCellText(HWND list, int row, int column) {
    RemoteBlock block(list, sizeof(LVITEMA) + 512);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = block.At(sizeof item);
    item.cchTextMax = 511;
    block.Write(&item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.At()));
    char text[512] = "";
    block.Read(text, sizeof text - 1, sizeof item);
    return text;
}

inline int ListRowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

inline std::vector<int> ListSelectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = -1; (row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;)
        rows.push_back(row);
    return rows;
}

// Selects exactly these rows, as a user would with the control key.
inline void ListSelectRows(HWND list, const std::vector<int>& rows) {
    RemoteBlock block(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    block.Write(&item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block.At()));
    item.state = LVIS_SELECTED;
    block.Write(&item, sizeof item);
    for (int row : rows) SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.At()));
}

inline RECT ListCellRect(HWND list, int row, int column) {
    RemoteBlock block(list, sizeof(RECT));
    RECT r{LVIR_BOUNDS, column, 0, 0};
    block.Write(&r, sizeof r);
    SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(block.At()));
    block.Read(&r, sizeof r);
    return r;
}
