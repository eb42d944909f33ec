#include "settings/program_links.h"

#include "base/app_paths.h"
#include "base/text.h"

namespace tarn {

namespace {

constexpr std::string_view kHeader =
    "; Nirel Tarn: the programs that bring a profile to the front.\r\n"
    "; One link a line: the profile number (1 to 5), \"=\", the program's file name.\r\n"
    "; A program linked to several profiles brings the lowest of them.\r\n";

constexpr std::u16string_view kRefusedInNames = u"\\/:*?\"<>|";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    return text;
}

// UTF-8 that decodes without a replacement comes back byte for byte.
bool IsUtf8(std::string_view text) {
    return ToUtf8(FromUtf8(text)) == text;
}

bool ValidSlot(int slot) {
    return slot >= 0 && slot < kSlotCount;
}

// One link line, or false when it is not one.
bool ParseLink(std::string_view line, ProgramLinks& links) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view number = Trim(line.substr(0, equals));
    if (number.size() != 1 || number[0] < '1' || number[0] > '5') return false;
    const std::u16string name = FromUtf8(Trim(line.substr(equals + 1)));
    if (!IsProgramName(name)) return false;
    // The same link twice is still one link.
    links.Add(number[0] - '1', name);
    return true;
}

}  // namespace

std::u16string ProgramFileName(std::u16string_view path) {
    const size_t cut = path.find_last_of(u"\\/:");
    return std::u16string(cut == std::u16string_view::npos ? path : path.substr(cut + 1));
}

bool IsProgramName(std::u16string_view name) {
    if (name.empty() || name.size() > kMaxProgramNameLength) return false;
    if (name == u"." || name == u"..") return false;
    // The system drops a trailing dot or blank, so such a name never matches a running program.
    if (name.back() == u'.' || name.back() == u' ') return false;
    for (const char16_t c : name) {
        if (c < 0x20 || kRefusedInNames.find(c) != std::u16string_view::npos) return false;
    }
    return true;
}

const std::vector<std::u16string>& ProgramLinks::Programs(int slot) const {
    static const std::vector<std::u16string> kNone;
    return ValidSlot(slot) ? programs_[slot] : kNone;
}

bool ProgramLinks::Empty() const {
    return Count() == 0;
}

size_t ProgramLinks::Count() const {
    size_t n = 0;
    for (const auto& programs : programs_) n += programs.size();
    return n;
}

int ProgramLinks::SlotFor(std::u16string_view programPath) const {
    return OtherSlotFor(ProgramFileName(programPath), -1);
}

int ProgramLinks::OtherSlotFor(std::u16string_view name, int slot) const {
    for (int i = 0; i < kSlotCount; ++i) {
        if (i == slot) continue;
        for (const std::u16string& program : programs_[i]) {
            if (EqualsIgnoreCase(program, name)) return i;
        }
    }
    return -1;
}

LinkChange ProgramLinks::Add(int slot, std::u16string_view program) {
    if (!ValidSlot(slot)) return LinkChange::BadSlot;
    const std::u16string name = ProgramFileName(TrimBlanks(program));
    if (!IsProgramName(name)) return LinkChange::BadName;
    for (const std::u16string& known : programs_[slot]) {
        if (EqualsIgnoreCase(known, name)) return LinkChange::AlreadyLinked;
    }
    programs_[slot].push_back(name);
    return LinkChange::Added;
}

LinkChange ProgramLinks::Remove(int slot, std::u16string_view program) {
    if (!ValidSlot(slot)) return LinkChange::BadSlot;
    const std::u16string name = ProgramFileName(TrimBlanks(program));
    auto& programs = programs_[slot];
    for (auto it = programs.begin(); it != programs.end(); ++it) {
        if (EqualsIgnoreCase(*it, name)) {
            programs.erase(it);
            return LinkChange::Removed;
        }
    }
    return LinkChange::NotLinked;
}

std::u16string ProgramLinksPath() {
    return JoinPath(dataFolder, kProgramLinksName);
}

LinksLoad ParseProgramLinks(std::string_view bytes) {
    LinksLoad damaged;
    damaged.status = LinksStatus::Damaged;
    if (bytes.size() > kMaxLinksFileSize) return damaged;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    LinksLoad result;
    result.status = LinksStatus::Loaded;
    int number = 0;
    while (!bytes.empty()) {
        ++number;
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        damaged.line = number;
        if (line.find('\0') != std::string_view::npos || !IsUtf8(line)) return damaged;
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (!ParseLink(line, result.links)) return damaged;
    }
    return result;
}

std::string FormatProgramLinks(const ProgramLinks& links) {
    std::string text(kHeader);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const std::u16string& program : links.Programs(slot)) {
            text += static_cast<char>('1' + slot);
            text += '=';
            text += ToUtf8(program);
            text += "\r\n";
        }
    }
    return text;
}

LinksLoad ReadProgramLinks(const std::u16string& path) {
    LinksLoad result;
    OpenResult opened = Files().OpenForRead(path);
    if (!opened) {
        const bool missing =
            opened.error == FileError::NotFound || opened.error == FileError::BadPath;
        result.status = missing ? LinksStatus::Missing : LinksStatus::Unreadable;
        return result;
    }
    // One byte more than a links file may hold tells a file that is too big.
    std::string bytes;
    char buffer[4096];
    while (bytes.size() <= kMaxLinksFileSize) {
        const size_t n = opened.file->Read(buffer, sizeof buffer);
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    opened.file->Close();
    return ParseProgramLinks(bytes);
}

FileError SaveProgramLinks(const std::u16string& path, const ProgramLinks& links) {
    FileSystem& fs = Files();
    if (ReadProgramLinks(path).status == LinksStatus::Damaged) {
        const FileError kept = fs.CopyFileTo(path, path + std::u16string(kDamagedLinksSuffix), false);
        if (kept != FileError::None) return kept;
    }
    const std::string text = FormatProgramLinks(links);
    return WriteFileReplacing(fs, path, text.data(), text.size());
}

}  // namespace tarn
