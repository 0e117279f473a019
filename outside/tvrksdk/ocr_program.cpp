// The OCR program (tesseract) as a child process: the page goes out as an uncompressed PBM
// file, the words come back as its TSV output.
#include "ocr_program.h"
#include <windows.h>
#include <stdio.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr DWORD kOcrTimeoutMs = 120000;

std::string EngineFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(&__ImageBase), path, sizeof path);
    if (n == 0 || n >= sizeof path) return std::string();
    std::string s(path, n);
    size_t slash = s.find_last_of('\\');
    return slash == std::string::npos ? std::string() : s.substr(0, slash + 1);
}

// Under Wine a Linux program takes Linux paths; elsewhere the Windows path stands.
std::string PathForProgram(const std::string& path) {
    typedef char*(CDECL * ToUnix)(LPCWSTR);
    static ToUnix toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return path;
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return path;
    char* unixPath = toUnix(wide);
    if (!unixPath) return path;
    std::string out(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return out;
}

bool WritePbm(const BinaryPage& page, const std::string& path) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    fprintf(f, "P4\n%d %d\n", page.Width, page.Height);
    bool ok = fwrite(page.Bits.data(), 1, page.Bits.size(), f) == page.Bits.size();
    return fclose(f) == 0 && ok;
}

std::string ReadFileText(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[8192];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    fclose(f);
    return text;
}

// The environment of the OCR program: ours, with the program kept to one thread, since
// several pages run side by side and a busy machine makes its thread pool spin.
std::vector<char> OcrEnvironment() {
    std::vector<char> block;
    LPCH env = GetEnvironmentStringsA();
    for (const char* p = env; p && *p; p += strlen(p) + 1)
        if (_strnicmp(p, "OMP_THREAD_LIMIT=", 17) != 0) block.insert(block.end(), p, p + strlen(p) + 1);
    FreeEnvironmentStringsA(env);
    const char limit[] = "OMP_THREAD_LIMIT=1";
    block.insert(block.end(), limit, limit + sizeof limit);
    block.push_back(0);
    return block;
}

struct Job {
    std::string Image;
    std::string OutputBase;
    PROCESS_INFORMATION Process{};
    std::string EndMark;  // under Wine: the file that says the program has ended
};

bool UnderWine() { return PathForProgram("C:\\") != "C:\\"; }

// The shell script that runs the OCR program under Wine. A Linux process that Wine starts
// inherits the host's open files (the card file among them) and would keep their locks alive
// while it runs: the script closes them first. Wine gives no handle to wait on for such a
// process, so the script also leaves a mark file when the program has ended.
const char kRunScript[] = "for f in /proc/$$/fd/*; do n=${f##*/}\n"
                          "  if [ \"$n\" -gt 2 ] && [ \"$n\" -lt 255 ]; then eval \"exec $n>&-\"; fi\n"
                          "done 2>/dev/null\n"
                          "program=$1; image=$2; base=$3; shift 3\n"
                          "OMP_THREAD_LIMIT=1 \"$program\" \"$image\" \"$base\" \"$@\" >/dev/null 2>&1\n"
                          "echo $? >\"$base.mark\"; mv \"$base.mark\" \"$base.end\"\n";

bool WriteRunScript(const std::string& path) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fputs(kRunScript, f) >= 0;
    return fclose(f) == 0 && ok;
}

// Wine's own starter of Linux programs. The program is not forked from this process: a Linux
// process forked from the host leaves the host's card file unusable for its next write.
std::string LinuxProgramStarter() {
    char folder[MAX_PATH];
    UINT n = GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder, n < sizeof folder ? n : 0) + "\\start.exe";
}

bool StartJob(const std::string& program, Job& job, OcrLayout layout, const std::string& language, int dpi,
              const std::string& options, const std::string& script, std::vector<char>& env) {
    char head[48];
    snprintf(head, sizeof head, "--dpi %d --psm %d -l ", dpi, static_cast<int>(layout));
    std::string arguments = head + language + (options.empty() ? "" : " " + options) + " tsv";
    std::string line, exe = program;
    if (UnderWine()) {
        job.EndMark = job.OutputBase + ".end";
        exe = LinuxProgramStarter();
        line = "start /unix /bin/bash \"" + PathForProgram(script) + "\" \"" + PathForProgram(program) + "\" \"" +
               PathForProgram(job.Image) + "\" \"" + PathForProgram(job.OutputBase) + "\" " + arguments;
    } else {
        line = "\"" + program + "\" \"" + job.Image + "\" \"" + job.OutputBase + "\" " + arguments;
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back(0);
    return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, env.data(),
                          nullptr, &si, &job.Process) != 0;
}

// Under Wine the process started is the starter, which ends at once: the mark file tells.
bool JobRunning(const Job& job) {
    if (job.EndMark.empty())
        return job.Process.hProcess && WaitForSingleObject(job.Process.hProcess, 100) == WAIT_TIMEOUT;
    if (GetFileAttributesA(job.EndMark.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    Sleep(100);
    return true;
}

void WaitForJobs(std::vector<Job>& jobs, OcrWaitHook wait) {
    DWORD started = GetTickCount();
    for (Job& job : jobs) {
        while (JobRunning(job)) {
            DWORD elapsed = GetTickCount() - started;
            if (wait) wait(static_cast<int>(elapsed));
            if (elapsed > kOcrTimeoutMs) {
                if (job.Process.hProcess && job.EndMark.empty()) TerminateProcess(job.Process.hProcess, 1);
                break;
            }
        }
        if (job.Process.hProcess) CloseHandle(job.Process.hProcess);
        if (job.Process.hThread) CloseHandle(job.Process.hThread);
        job.Process = PROCESS_INFORMATION{};
        if (!job.EndMark.empty()) DeleteFileA(job.EndMark.c_str());
    }
}

}  // namespace

std::string OcrProgramPath() {
    std::string settings = EngineFolder() + "tvrksdk.ini";
    char program[MAX_PATH];
    GetPrivateProfileStringA("OCR", "Program", "Z:\\usr\\bin\\tesseract", program, sizeof program, settings.c_str());
    return program;
}

OcrStatus ReadPagesWithOcr(const std::vector<BinaryPage>& pages, OcrLayout layout, const std::string& language,
                           const std::string& tempFolder, std::vector<std::vector<OcrWord>>& words, OcrWaitHook wait,
                           const std::string& options, unsigned codePage) {
    static LONG serial = 0;
    words.assign(pages.size(), std::vector<OcrWord>());
    std::string program = OcrProgramPath();
    DWORD attributes = GetFileAttributesA(program.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return OcrStatus::NoProgram;
    std::string script;
    if (UnderWine()) {
        char name[64];
        snprintf(name, sizeof name, "tvrk%lu_run.sh", GetCurrentProcessId());
        script = tempFolder + name;
        if (GetFileAttributesA("Z:\\bin\\bash") == INVALID_FILE_ATTRIBUTES || !WriteRunScript(script))
            return OcrStatus::NoProgram;
    }
    std::vector<char> env = OcrEnvironment();
    std::vector<Job> jobs(pages.size());
    bool started = false;
    OcrStatus status = OcrStatus::Read;
    for (size_t i = 0; i < pages.size(); ++i) {
        char base[64];
        snprintf(base, sizeof base, "tvrk%lu_%ld", GetCurrentProcessId(), InterlockedIncrement(&serial));
        jobs[i].Image = tempFolder + base + ".pbm";
        jobs[i].OutputBase = tempFolder + base;
        if (!WritePbm(pages[i], jobs[i].Image)) {
            status = OcrStatus::Failed;
            continue;
        }
        if (StartJob(program, jobs[i], layout, language, pages[i].Dpi, options, script, env)) started = true;
        else jobs[i].EndMark.clear();
    }
    WaitForJobs(jobs, wait);
    for (size_t i = 0; i < jobs.size(); ++i) {
        std::string tsvPath = jobs[i].OutputBase + ".tsv";
        std::string tsv = ReadFileText(tsvPath);
        if (tsv.empty()) status = OcrStatus::Failed;
        words[i] = ParseOcrTsv(tsv, codePage);
        DeleteFileA(jobs[i].Image.c_str());
        DeleteFileA(tsvPath.c_str());
    }
    if (!script.empty()) DeleteFileA(script.c_str());
    return started ? status : OcrStatus::NoProgram;
}
