// Which programs bring which profile to the front: the links of the five profile slots to
// program file names, and their file ProgramLinks.txt in the data folder. The file is UTF-8 text,
// one link a line ("3=game.exe": the profile number 1..5, "=", the program's file name); lines
// starting with ';' or '#' and blank lines are comments. docs/program-links.md describes it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "settings/profile_record.h"

namespace tarn {

inline constexpr std::u16string_view kProgramLinksName = u"\\ProgramLinks.txt";
// A damaged file is kept under this suffix before a new one replaces it.
inline constexpr std::u16string_view kDamagedLinksSuffix = u".damaged";
// Far beyond any real list; a bigger file is not a links file.
inline constexpr size_t kMaxLinksFileSize = 256 * 1024;
// The longest program name the system's file calls take.
inline constexpr size_t kMaxProgramNameLength = kPathUnits - 1;

// The file name of a program path ("C:\Games\Game.exe" gives "Game.exe"); a bare name is kept.
std::u16string ProgramFileName(std::u16string_view path);
// A name a program file can have: not empty, not too long, no folder part, none of the
// characters the system refuses in file names, not ending in a dot or a blank.
bool IsProgramName(std::u16string_view name);

enum class LinkChange { Added, AlreadyLinked, NotLinked, Removed, BadName, BadSlot };

class ProgramLinks {
public:
    // The slots' programs in the order they were linked, names as the user gave them.
    const std::vector<std::u16string>& Programs(int slot) const;
    bool Empty() const;
    size_t Count() const;

    // The lowest slot that links the program (matched by file name, ignoring letter case and
    // any folder part), or -1.
    int SlotFor(std::u16string_view programPath) const;
    // The lowest slot other than `slot` that also links the name, or -1.
    int OtherSlotFor(std::u16string_view name, int slot) const;

    // The name may be a path; only its file name is kept.
    LinkChange Add(int slot, std::u16string_view program);
    LinkChange Remove(int slot, std::u16string_view program);

    bool operator==(const ProgramLinks& other) const { return programs_ == other.programs_; }

private:
    std::array<std::vector<std::u16string>, kSlotCount> programs_;
};

enum class LinksStatus {
    Loaded,
    Missing,     // no file yet: no links
    Damaged,     // not a links file (line tells where): no links
    Unreadable,  // there, but it cannot be opened: no links
};

struct LinksLoad {
    LinksStatus status = LinksStatus::Missing;
    ProgramLinks links;
    int line = 0;  // the first bad line of a damaged file, 1-based; 0 for the file as a whole
};

// "<dataFolder>\ProgramLinks.txt".
std::u16string ProgramLinksPath();

// The file's bytes as links. Whatever is wrong anywhere makes the whole file damaged: half a
// list would switch profiles the user never asked for.
LinksLoad ParseProgramLinks(std::string_view bytes);
// The file's text: a short header of comments, then the links by slot.
std::string FormatProgramLinks(const ProgramLinks& links);

LinksLoad ReadProgramLinks(const std::u16string& path);
// Writes through a temporary file. A damaged file at the path is first copied aside (path +
// ".damaged"), so what the user had is never lost to a new list.
FileError SaveProgramLinks(const std::u16string& path, const ProgramLinks& links);

}  // namespace tarn
