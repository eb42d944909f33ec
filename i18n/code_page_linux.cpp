// Code-page conversion through glibc's iconv for the native build.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>

#include "i18n/code_page.h"

namespace tarn {

namespace {

// iconv's name for a Windows code page; most are simply "CP" and the number.
std::string IconvName(uint32_t codePage) {
    if (codePage >= 28591 && codePage <= 28599) {
        return "ISO-8859-" + std::to_string(codePage - 28590);
    }
    switch (codePage) {
        case 20127:
            return "ASCII";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        case 28603:
            return "ISO-8859-13";
        case 28605:
            return "ISO-8859-15";
        case 38598:
            return "ISO-8859-8";
        case 37:
            return "IBM037";
        case 500:
            return "IBM500";
        case 708:
            return "ISO-8859-6";
        case 10000:
            return "MACINTOSH";
        case 10007:
            return "MAC-CYRILLIC";
        case 10017:
            return "MACUKRAINIAN";
        case 10029:
            return "MAC-CENTRALEUROPE";
        case 10079:
            return "MAC-IS";
        case 50220:
        case 50221:
        case 50222:
            return "ISO-2022-JP";
        case 50225:
            return "ISO-2022-KR";
        case 51932:
            return "EUC-JP";
        case 51936:
            return "EUC-CN";
        case 51949:
            return "EUC-KR";
        case 54936:
            return "GB18030";
        case 65000:
            return "UTF-7";
        default:
            return "CP" + std::to_string(codePage);
    }
}

constexpr char16_t kReplacement = 0xFFFD;

// What each byte of a single-byte code page is on its own; false when the code page has lead
// bytes (or shift sequences), which only mean something with the bytes after them.
bool SingleByteTable(iconv_t cd, std::array<char16_t, 256>& table) {
    for (size_t b = 0; b < table.size(); ++b) {
        char byte = static_cast<char>(b);
        char* in = &byte;
        size_t inLeft = 1;
        char16_t units[4];
        char* dest = reinterpret_cast<char*>(units);
        size_t destLeft = sizeof units;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const size_t done = iconv(cd, &in, &inLeft, &dest, &destLeft);
        if (done == static_cast<size_t>(-1) && errno != EILSEQ) return false;
        iconv(cd, nullptr, nullptr, &dest, &destLeft);
        const size_t count = (sizeof units - destLeft) / sizeof(char16_t);
        if (done == static_cast<size_t>(-1)) {
            table[b] = kReplacement;
        } else if (count == 1) {
            table[b] = units[0];
        } else {
            return false;
        }
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return true;
}

}  // namespace

uint32_t SystemAnsiCodePage() {
    return 1252;
}

bool PlatformConvertCodePage(uint32_t codePage, std::string_view bytes, std::u16string& out) {
    iconv_t cd = iconv_open("UTF-16LE", IconvName(codePage).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    // glibc joins a letter and the mark after it into one precomposed character in some
    // single-byte code pages (windows-1255, windows-1258); Windows keeps every byte its own
    // character, and so does a table of the bytes alone.
    std::array<char16_t, 256> table;
    if (SingleByteTable(cd, table)) {
        iconv_close(cd);
        out.resize(bytes.size());
        for (size_t i = 0; i < bytes.size(); ++i) out[i] = table[static_cast<unsigned char>(bytes[i])];
        return true;
    }
    // Every byte yields at most two UTF-16 units, plus room for a final shift sequence.
    std::u16string buffer(bytes.size() * 2 + 8, u'\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* dest = reinterpret_cast<char*>(buffer.data());
    size_t destLeft = buffer.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dest, &destLeft) != static_cast<size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;
        // An undefined or cut-short sequence: mark it and go on with the next byte.
        if (destLeft < sizeof(char16_t)) break;
        const char16_t mark = kReplacement;
        std::memcpy(dest, &mark, sizeof mark);
        dest += sizeof mark;
        destLeft -= sizeof mark;
        ++in;
        --inLeft;
    }
    iconv(cd, nullptr, nullptr, &dest, &destLeft);
    iconv_close(cd);
    buffer.resize(static_cast<size_t>(reinterpret_cast<char16_t*>(dest) - buffer.data()));
    out = std::move(buffer);
    return true;
}

}  // namespace tarn
