#include "current_card_run.h"
#include <algorithm>
#include <commctrl.h>
#include <tuple>
#include "list_view_remote.h"
#include "window_helpers.h"

namespace {

struct DialogSearch {
    DWORD Process;
    std::string Caption;
    HWND Found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (process == search->Process && IsWindowVisible(window) && std::string(name) == "#32770" &&
        WindowText(window) == search->Caption) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND DialogOf(DWORD process, const std::string& caption) {
    DialogSearch search{process, caption, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

BOOL CALLBACK DescribeWindow(HWND window, LPARAM data) {
    auto* report = reinterpret_cast<std::pair<DWORD, std::string>*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != report->first) return TRUE;
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    report->second += std::string(" [") + name + (IsWindowVisible(window) ? "" : ", hidden") + ": " +
                      WindowText(window) + " / " + WindowText(GetDlgItem(window, 0xFFFF)) + "]";
    return TRUE;
}

// The SHARED lock byte range of the card file's store, as a reader takes it.
const DWORD kSharedFirst = 0x40000002, kSharedSize = 510;

}  // namespace

std::vector<ModelCard> SortedCards(std::vector<ModelCard> cards) {
    std::sort(cards.begin(), cards.end(), [](const ModelCard& a, const ModelCard& b) {
        return std::tie(a.Name, a.Title, a.Company) < std::tie(b.Name, b.Title, b.Company);
    });
    return cards;
}

std::vector<ModelCard> StoredModelCards(const std::string& path) {
    std::vector<ModelCard> cards;
    for (const StoredCard& card : ReadCards(path)) cards.push_back({card.Name, card.Title, card.Company});
    return SortedCards(cards);
}

std::string Describe(const std::vector<ModelCard>& cards) {
    std::string text;
    for (const ModelCard& card : cards) text += "[" + card.Name + " | " + card.Title + " | " + card.Company + "] ";
    return text;
}

std::vector<ModelCard> FiveCards() {
    return {{"Ann Apple", "", "Zeta Co"},
            {"Bob Birch", "", "Yarrow Inc"},
            {"Cal Cedar", "", "Xenon Ltd"},
            {"Dee Dale", "", "Willow LLC"},
            {"Eve Elm", "", "Violet plc"}};
}

ReaderLock::ReaderLock(const std::string& path) {
    file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, 0, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    OVERLAPPED at{};
    at.Offset = kSharedFirst;
    held_ = LockFileEx(file_, LOCKFILE_FAIL_IMMEDIATELY, 0, kSharedSize, 0, &at) != FALSE;
}

void ReaderLock::Release() {
    if (held_) {
        OVERLAPPED at{};
        at.Offset = kSharedFirst;
        UnlockFileEx(file_, 0, kSharedSize, 0, &at);
    }
    held_ = false;
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

CardRun::CardRun(const std::string& name, const std::vector<ModelCard>& cards,
                 const std::map<std::string, std::string>& images)
    : installation_(name) {
    cardFile_ = installation_.Path("Database\\Cards.mdb");
    std::vector<DetailedCard> detailed;
    int day = 1;
    for (const ModelCard& card : cards) {
        TestCard shown{card.Name, "", ""};
        auto image = images.find(card.Name);
        if (image != images.end()) {
            shown.ImagePath = installation_.Path("IMAGE\\" + card.Name.substr(0, 3) + ".bmp");
            CopyFileA(image->second.c_str(), shown.ImagePath.c_str(), FALSE);
            shown.ThumbnailPath = installation_.Path("thumb\\gone.THM");
        }
        detailed.push_back(DetailedCard{shown, card.Company, card.Title, "", "", 0, {2001, 5, day++}});
    }
    created_ = CreateDetailedCardFile(cardFile_, detailed);
    installation_.WriteSetting("CardBase", "DataBaseName", cardFile_.c_str());
    installation_.WriteSetting("Status", "CurCard", "1");
    installation_.WriteSetting("ListView", "Position", "36,18,96,108,144,180,72,72,60,96,96,72,72,0");
    Attach();
}

void CardRun::Attach() {
    answers_.reset();
    run_ = std::make_unique<ProgramRun>(installation_, "");
    main_ = run_->WaitForMainWindow();
    work_ = nullptr;
    if (!main_) return;
    SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    work_ = FindChildById(main_, 920, "IMC_WorkEdit20");
    answers_ = std::make_unique<DialogAnswerer>(run_->ProcessId());
    // The card database's own error reports: a store that fails shows one before the program's.
    answers_->AnswerMessage("DAO error", IDOK);
}

std::string CardRun::SeenMessages() {
    std::string text;
    if (answers_)
        for (const SeenDialog& seen : answers_->Seen()) text += "{" + seen.Caption + ": " + seen.Text + "} ";
    return text;
}

std::string CardRun::StartReport() const {
    std::pair<DWORD, std::string> report{run_->ProcessId(), run_->Exited() ? "ended" : "running"};
    EnumWindows(DescribeWindow, reinterpret_cast<LPARAM>(&report));
    return report.second;
}

bool CardRun::Restart() {
    Attach();
    return Ready();
}

int CardRun::ListColumnTitled(const std::string& title) const {
    HWND list = CardList();
    HWND header = list ? reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)) : nullptr;
    if (!header) return -1;
    int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    RemoteBlock block(header, sizeof(HDITEMA) + 128);
    for (int n = 0; n < count; ++n) {
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = block.At(sizeof item);
        item.cchTextMax = 127;
        block.Write(&item, sizeof item);
        SendMessageA(header, HDM_GETITEMA, n, reinterpret_cast<LPARAM>(block.At()));
        char text[128] = "";
        block.Read(text, sizeof text - 1, sizeof item);
        if (title == text) return n;
    }
    return -1;
}

HWND CardRun::Form() const { return FindWindowExA(work_, nullptr, "#32770", nullptr); }
HWND CardRun::Field(int id) const { return Form() ? GetDlgItem(Form(), id) : nullptr; }
HWND CardRun::Strip() const { return FindWindowExA(work_, nullptr, "IMC_WorkCap20", nullptr); }
HWND CardRun::CardList() const { return FindChildById(work_, 9300); }
HWND CardRun::DeckList() const { return FindChildById(work_, 2002); }
void CardRun::Command(int id) const { Send(main_, WM_COMMAND, id, 0); }
void CardRun::PostCommand(int id) const { PostMessageA(main_, WM_COMMAND, id, 0); }
std::string CardRun::Name() const { return WindowText(Field(kNameField)); }

void CardRun::Type(HWND edit, const std::string& text) const {
    Send(edit, EM_SETSEL, 0, -1);
    for (char c : text) Send(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void CardRun::ClickTab(int k) const {
    int x = k * 16 + 8, y = 12;
    Send(Strip(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Send(Strip(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void CardRun::SearchBar(const std::string& text) const {
    HWND box = FindChildById(Strip(), 704), search = FindChildById(Strip(), 1);
    Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Send(search, BM_CLICK);
}

HWND CardRun::WaitDialog(const std::string& caption, DWORD ms) const {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = DialogOf(run_->ProcessId(), caption)) != nullptr; }, ms);
    return dialog;
}

bool CardRun::Find(const std::string& name, const std::string& title, const std::string& company) const {
    PostCommand(72);
    HWND dialog = WaitDialog("Field Search");
    if (!dialog) return false;
    const std::string texts[5] = {name, title, company, "", ""};
    for (int i = 0; i < 5; ++i)
        Send(GetDlgItem(dialog, 1152 + i), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texts[i].c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    bool gone = WaitFor([&] { return !IsWindow(dialog); }, 30000);
    Send(main_, WM_NULL);
    return gone;
}

bool CardRun::SortFromBar(int key) const {
    HWND bar = FindWindowExA(main_, nullptr, "IMC_CMD20", nullptr);
    HWND button = bar ? GetDlgItem(bar, 703) : nullptr;
    if (!button) return false;
    PostMessageA(bar, WM_COMMAND, MAKEWPARAM(703, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    HWND dialog = WaitDialog("Sort");
    if (!dialog) return false;
    for (int id = 325; id <= 329; ++id)
        Send(GetDlgItem(dialog, id), BM_SETCHECK, id == 324 + key ? BST_CHECKED : BST_UNCHECKED);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    bool gone = WaitFor([&] { return !IsWindow(dialog); }, 30000);
    Send(main_, WM_NULL);
    return gone;
}

HWND CardRun::OpenCell(int row, int n) const {
    HWND list = CardList();
    if (!list) return nullptr;
    RECT cell = ListCellRect(list, row, n);
    POINT middle{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    // The first click makes the row current, the second opens its cell.
    for (int click = 0; click < 2; ++click) {
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
        PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
        PumpMessages(400);
        Send(main_, WM_NULL);
    }
    HWND editor = FindChildById(list, 9305, "Edit");
    if (!editor || !WaitFor([&] { return IsWindowVisible(editor) != FALSE; }, 5000)) return nullptr;
    return editor;
}

bool CardRun::ListOptionsOk() const {
    HWND list = CardList();
    HWND header = list ? reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)) : nullptr;
    if (!header) return false;
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 8));
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(10, 8));
    HWND dialog = WaitDialog("List View Options");
    if (!dialog) return false;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    bool gone = WaitFor([&] { return !IsWindow(dialog); }, 30000);
    Send(main_, WM_NULL);
    return gone;
}

int CardRun::Close(DWORD timeoutMs) {
    PostMessageA(main_, WM_CLOSE, 0, 0);
    return run_->WaitForExit(timeoutMs);
}
