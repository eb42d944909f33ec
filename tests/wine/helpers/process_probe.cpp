// Watches another program's running cost as the system reports it, for the idle measurement:
//   process_probe.exe IMAGE OUT_FILE SECONDS INTERVAL
// finds the process by its image name and appends one line per interval to OUT_FILE:
//   seconds cpu_ms handles threads working_set_kib
// then "done"; "missing" when no such process runs. The figures come from the system's process
// list, which Wine fills from its server (per-process handle and GUI object queries are stubs
// there).
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using QueryFn = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);

struct Sample {
    bool found = false;
    unsigned long long cpuMs = 0;
    unsigned long handles = 0, threads = 0;
    unsigned long long workingSetKib = 0;
};

unsigned long long Ms(const LARGE_INTEGER& t) {
    return static_cast<unsigned long long>(t.QuadPart) / 10000;
}

Sample Measure(QueryFn query, const wchar_t* image) {
    Sample s;
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    while (query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                 &needed) != 0) {
        if (buffer.size() > (64u << 20)) return s;
        buffer.resize(buffer.size() * 2);
    }
    for (size_t at = 0;;) {
        const auto* p = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
        const std::wstring name(p->ImageName.Buffer ? p->ImageName.Buffer : L"",
                                p->ImageName.Length / sizeof(wchar_t));
        if (lstrcmpiW(name.c_str(), image) == 0) {
            s.found = true;
            s.cpuMs = Ms(p->UserTime) + Ms(p->KernelTime);
            s.handles = p->HandleCount;
            s.threads = p->NumberOfThreads;
            s.workingSetKib = p->VirtualMemoryCounters.WorkingSetSize / 1024;
            return s;
        }
        if (p->NextEntryOffset == 0) return s;
        at += p->NextEntryOffset;
    }
}

void Append(const wchar_t* path, const std::string& line) {
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 5) return 2;
    const wchar_t* out = argv[2];
    const int seconds = _wtoi(argv[3]), interval = _wtoi(argv[4]);
    const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 2;
    for (int t = 0; t <= seconds; t += interval) {
        const Sample s = Measure(query, argv[1]);
        if (!s.found) {
            Append(out, "missing\n");
            return 1;
        }
        char line[160];
        std::snprintf(line, sizeof line, "%d %llu %lu %lu %llu\n", t, s.cpuMs, s.handles,
                      s.threads, s.workingSetKib);
        Append(out, line);
        if (t + interval <= seconds) Sleep(static_cast<DWORD>(interval) * 1000);
    }
    Append(out, "done\n");
    return 0;
}
