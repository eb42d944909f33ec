// links list, links add and links remove: the program links file the program reads.
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "base/app_paths.h"
#include "base/text.h"
#include "settings/program_links.h"
#include "tools/tarnctl/commands.h"
#include "tools/tarnctl/output.h"

namespace tarnctl {

namespace {

using tarn::LinkChange;
using tarn::LinksStatus;

// --file, or the file of the user's data folder as the program finds it.
bool LinksFile(const Command& command, const ParsedArgs& args, std::u16string& path, int& status) {
    if (const std::string* file = args.Value("file")) {
        path = tarn::FromUtf8(*file);
        return true;
    }
#ifdef _WIN32
    (void)command;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n > 0 && n <= MAX_PATH) {
        const std::u16string folder = tarn::DataFolderFromTemp(std::u16string(temp, temp + n));
        path = tarn::JoinPath(folder, tarn::kProgramLinksName);
        return true;
    }
    status = Fail("the data folder cannot be found; give --file FILE");
    return false;
#else
    status = BadUsage(command, "give --file FILE: the data folder is the Windows program's");
    return false;
#endif
}

std::string Utf8(const std::u16string& text) {
    return tarn::ToUtf8(text);
}

std::string ProblemText(const tarn::LinksLoad& load, const std::u16string& path) {
    if (load.status == LinksStatus::Unreadable) return Utf8(path) + " cannot be read";
    std::string text = Utf8(path) + " is not a links file";
    if (load.line > 0) text += " (line " + std::to_string(load.line) + ")";
    return text;
}

// Reads the file for a change: a missing file is an empty list, a damaged one is refused so
// that a script never throws away what the user wrote.
bool ReadForChange(const std::u16string& path, tarn::ProgramLinks& links, int& status) {
    const tarn::LinksLoad load = tarn::ReadProgramLinks(path);
    if (load.status == LinksStatus::Damaged || load.status == LinksStatus::Unreadable) {
        status = Fail(ProblemText(load, path) + "; fix or remove it first");
        return false;
    }
    links = load.links;
    return true;
}

bool SlotArgument(const Command& command, const std::string& text, int& slot, int& status) {
    const auto number = ParseNumber(text);
    if (!number || *number < 1 || *number > tarn::kSlotCount) {
        status = BadUsage(command, "SLOT must be a profile number 1 to 5, not '" + text + "'");
        return false;
    }
    slot = static_cast<int>(*number) - 1;
    return true;
}

int Save(const std::u16string& path, const tarn::ProgramLinks& links) {
    if (tarn::SaveProgramLinks(path, links) != tarn::FileError::None) {
        return Fail("cannot write " + Utf8(path));
    }
    return kExitOk;
}

}  // namespace

int LinksList(const Command& command, const ParsedArgs& args) {
    std::u16string path;
    int status = kExitOk;
    if (!LinksFile(command, args, path, status)) return status;
    const tarn::LinksLoad load = tarn::ReadProgramLinks(path);
    if (load.status == LinksStatus::Missing) {
        Note("no links file at " + Utf8(path) + ": no links");
        return kExitOk;
    }
    if (load.status != LinksStatus::Loaded) return Fail(ProblemText(load, path));
    std::string text;
    for (int slot = 0; slot < tarn::kSlotCount; ++slot) {
        for (const std::u16string& program : load.links.Programs(slot)) {
            text += std::to_string(slot + 1) + " " + Utf8(program) + "\n";
        }
    }
    Print(text);
    return kExitOk;
}

int LinksAdd(const Command& command, const ParsedArgs& args) {
    int slot = 0, status = kExitOk;
    if (!SlotArgument(command, args.positionals[0], slot, status)) return status;
    const std::u16string program = tarn::FromUtf8(args.positionals[1]);
    std::u16string path;
    tarn::ProgramLinks links;
    if (!LinksFile(command, args, path, status) || !ReadForChange(path, links, status)) {
        return status;
    }
    const std::u16string name = tarn::ProgramFileName(program);
    switch (links.Add(slot, program)) {
        case LinkChange::BadName:
        case LinkChange::BadSlot:
            return BadUsage(command, "'" + args.positionals[1] + "' is not a program's file name");
        case LinkChange::AlreadyLinked:
            Note(Utf8(name) + " is already linked to profile " + std::to_string(slot + 1));
            return kExitOk;
        default:
            break;
    }
    const int other = links.OtherSlotFor(name, slot);
    if (other >= 0 && other < slot) {
        Note(Utf8(name) + " is also linked to profile " + std::to_string(other + 1) +
             ", which comes first");
    }
    return Save(path, links);
}

int LinksRemove(const Command& command, const ParsedArgs& args) {
    int slot = 0, status = kExitOk;
    if (!SlotArgument(command, args.positionals[0], slot, status)) return status;
    std::u16string path;
    tarn::ProgramLinks links;
    if (!LinksFile(command, args, path, status) || !ReadForChange(path, links, status)) {
        return status;
    }
    if (links.Remove(slot, tarn::FromUtf8(args.positionals[1])) != LinkChange::Removed) {
        return Fail(args.positionals[1] + " is not linked to profile " + std::to_string(slot + 1));
    }
    return Save(path, links);
}

}  // namespace tarnctl
