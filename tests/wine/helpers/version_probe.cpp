// Reads a program file's properties as Explorer shows them: version_probe FILE OUT writes one
// "Name=value" line per version string (UTF-8) into OUT, and "FileVersion#=a.b.c.d" from the
// fixed part. Ends with 1 when FILE has no version resource.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
    if (size == 0) return 1;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(argv[1], 0, size, data.data())) return 1;

    FILE* out = _wfopen(argv[2], L"wb");
    if (!out) return 2;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        std::fprintf(out, "FileVersion#=%u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS),
                     LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                     LOWORD(fixed->dwFileVersionLS));
    }
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &length) &&
        length >= sizeof *translation) {
        const wchar_t* names[] = {L"CompanyName",     L"FileDescription",  L"FileVersion",
                                  L"InternalName",    L"LegalCopyright",   L"OriginalFilename",
                                  L"ProductName",     L"ProductVersion"};
        for (const wchar_t* name : names) {
            wchar_t query[96];
            wsprintfW(query, L"\\StringFileInfo\\%04x%04x\\%s", translation->language,
                      translation->codePage, name);
            wchar_t* value = nullptr;
            if (VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&value), &length) &&
                value) {
                std::fprintf(out, "%s=%s\n", Utf8(name).c_str(), Utf8(value).c_str());
            }
        }
    }
    std::fclose(out);
    LocalFree(argv);
    return 0;
}
