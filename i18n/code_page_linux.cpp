// Code-page conversion through glibc's iconv for the native build.
#include <iconv.h>

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

}  // namespace

uint32_t SystemAnsiCodePage() {
    return 1252;
}

bool PlatformConvertCodePage(uint32_t codePage, std::string_view bytes, std::u16string& out) {
    iconv_t cd = iconv_open("UTF-16LE", IconvName(codePage).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
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
        const char16_t mark = 0xFFFD;
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
