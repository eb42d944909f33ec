// The TARN_SIM_* settings of the simulated mouse, and reading its protocol log back.
#include <cstdlib>
#include <sstream>

#include "device/simulated_mouse.h"

#ifdef _WIN32
#include "base/text.h"
#endif

namespace tarn {

namespace {

struct CommandNameRow {
    const char* name;
    DeviceCommand command;
    bool hasData;  // a block or a reply can be failed on its own
};
constexpr CommandNameRow kCommandNames[] = {
    {"SetReportInterval", DeviceCommand::ReportInterval, false},
    {"SetDpiLevel", DeviceCommand::DpiLevel, false},
    {"SetLedColor", DeviceCommand::LedColor, false},
    {"SetLedEffect", DeviceCommand::LedEffect, false},
    {"WriteDpiTable", DeviceCommand::DpiTable, true},
    {"WriteKeyMatrix", DeviceCommand::KeyMatrix, true},
    {"UploadMacro", DeviceCommand::Macro, true},
    {"ReadFirmwareVersion", DeviceCommand::FirmwareVersion, true},
};

bool SameWord(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        const char x = static_cast<char>(a[i] | 0x20);
        const char y = static_cast<char>(b[i] | 0x20);
        if (x != y) return false;
    }
    return i == a.size() && b[i] == 0;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// A whole decimal number, or hexadecimal after 0x; none for anything else or past the limit.
std::optional<uint32_t> ParseNumber(const std::string& raw, uint32_t limit) {
    const std::string text = Trim(raw);
    if (text.empty()) return std::nullopt;
    int base = 10;
    size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    uint64_t value = 0;
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + static_cast<uint64_t>(digit);
        if (value > limit) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

void ReadNumber(const std::optional<std::string>& text, const char* name, uint32_t low,
                uint32_t high, uint32_t& target, std::vector<std::string>& problems) {
    if (!text) return;
    const std::optional<uint32_t> value = ParseNumber(*text, high);
    if (!value || *value < low) {
        problems.push_back(std::string(name) + "=" + *text + " is not a number from " +
                           std::to_string(low) + " to " + std::to_string(high));
        return;
    }
    target = *value;
}

// What follows the colon: data, pending[=ms], leave[=ms], nomarker or short.
std::optional<SimulatedFailure::What> ParseFailureKind(const std::string& text, uint32_t& ms) {
    using What = SimulatedFailure::What;
    const size_t equals = text.find('=');
    const std::string word = Trim(text.substr(0, equals));
    std::optional<uint32_t> given;
    if (equals != std::string::npos) {
        given = ParseNumber(text.substr(equals + 1), 600000);
        if (!given) return std::nullopt;
    }
    if (SameWord(word, "pending")) {
        ms = given.value_or(kSimulatedPendingMs);
        return What::Pending;
    }
    if (SameWord(word, "leave")) {
        ms = given.value_or(kSimulatedLeaveMs);
        return What::Leave;
    }
    if (given) return std::nullopt;
    if (SameWord(word, "data")) return What::Data;
    if (SameWord(word, "nomarker")) return What::NoMarker;
    if (SameWord(word, "short")) return What::ShortReply;
    return std::nullopt;
}

// Pieces can be held back or interrupted only where a command has a block; only the version
// query has a reply.
bool KindFits(SimulatedFailure::What kind, const CommandNameRow& row) {
    using What = SimulatedFailure::What;
    const bool query = row.command == DeviceCommand::FirmwareVersion;
    switch (kind) {
        case What::Data:
            return row.hasData;
        case What::Pending:
        case What::Leave:
            return row.hasData && !query;
        case What::NoMarker:
        case What::ShortReply:
            return query;
        default:
            return false;
    }
}

// name[:data|pending[=ms]|leave[=ms]|nomarker|short][@n]
std::optional<SimulatedFailure> ParseFailure(const std::string& item) {
    std::string rest = Trim(item);
    SimulatedFailure failure;
    const size_t at = rest.find('@');
    if (at != std::string::npos) {
        const std::optional<uint32_t> n = ParseNumber(rest.substr(at + 1), 1000000);
        if (!n || *n == 0) return std::nullopt;
        failure.occurrence = *n;
        rest = Trim(rest.substr(0, at));
    }
    std::optional<SimulatedFailure::What> kind;
    const size_t colon = rest.find(':');
    if (colon != std::string::npos) {
        kind = ParseFailureKind(Trim(rest.substr(colon + 1)), failure.ms);
        if (!kind) return std::nullopt;
        rest = Trim(rest.substr(0, colon));
    }
    if (SameWord(rest, "OpenDevice") && !kind) {
        failure.what = SimulatedFailure::What::Open;
        return failure;
    }
    for (const CommandNameRow& row : kCommandNames) {
        if (!SameWord(rest, row.name)) continue;
        if (kind && !KindFits(*kind, row)) return std::nullopt;
        failure.what = kind.value_or(SimulatedFailure::What::Command);
        failure.command = static_cast<uint8_t>(row.command);
        return failure;
    }
    return std::nullopt;
}

void ReadFailures(const std::optional<std::string>& text, SimulatedMouseConfig& config) {
    if (!text) return;
    std::stringstream items(*text);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (Trim(item).empty()) continue;
        const std::optional<SimulatedFailure> failure = ParseFailure(item);
        if (failure) {
            config.failures.push_back(*failure);
        } else {
            config.problems.push_back("TARN_SIM_FAIL entry \"" + Trim(item) + "\" not understood");
        }
    }
}

// "<at>" or "<at>-<back>", milliseconds after the simulation was made.
void ReadUnplug(const std::optional<std::string>& text, SimulatedMouseConfig& config) {
    if (!text) return;
    const size_t dash = text->find('-');
    const std::optional<uint32_t> at = ParseNumber(text->substr(0, dash), 0xFFFFFFFF);
    std::optional<uint32_t> back;
    if (dash != std::string::npos) back = ParseNumber(text->substr(dash + 1), 0xFFFFFFFF);
    if (!at || (dash != std::string::npos && (!back || *back < *at))) {
        config.problems.push_back("TARN_SIM_UNPLUG=" + *text + " is not <ms> or <ms>-<ms>");
        return;
    }
    config.unplugAtMs = at;
    config.replugAtMs = back;
}

std::optional<std::string> EnvironmentValue(const char* name) {
#ifdef _WIN32
    // The wide environment, so a log path outside the ANSI code page survives.
    std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
    if (value == nullptr) return std::nullopt;
    std::u16string text(value, value + std::char_traits<wchar_t>::length(value));
    return ToUtf8(text);
#else
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
#endif
}

}  // namespace

SimulatedMouseConfig ParseSimulatedConfig(
    const std::function<std::optional<std::string>(const char*)>& lookup) {
    SimulatedMouseConfig config;
    if (auto log = lookup("TARN_SIM_LOG")) config.logPath = Trim(*log);
    uint32_t reportId = config.reportId;
    ReadNumber(lookup("TARN_SIM_REPORT_ID"), "TARN_SIM_REPORT_ID", 0, 255, reportId,
               config.problems);
    config.reportId = static_cast<uint8_t>(reportId);
    ReadNumber(lookup("TARN_SIM_REPORT_COUNT"), "TARN_SIM_REPORT_COUNT", 1, 254, config.reportCount,
               config.problems);
    ReadNumber(lookup("TARN_SIM_VERSION"), "TARN_SIM_VERSION", 0, 2559, config.firmwareVersion,
               config.problems);
    ReadFailures(lookup("TARN_SIM_FAIL"), config);
    ReadUnplug(lookup("TARN_SIM_UNPLUG"), config);
    if (auto file = lookup("TARN_SIM_UNPLUG_FILE")) config.unplugFile = Trim(*file);
    ReadNumber(lookup("TARN_SIM_RESTART"), "TARN_SIM_RESTART", 0, 60000, config.restartMs,
               config.problems);
    uint32_t loader = 0;
    ReadNumber(lookup("TARN_SIM_LOADER"), "TARN_SIM_LOADER", 0, 1, loader, config.problems);
    config.loaderMode = loader == 1;
    if (auto path = lookup("TARN_SIM_DEVICE_PATH")) {
        if (!Trim(*path).empty()) config.devicePath = Trim(*path);
    }
    if (auto file = lookup("TARN_SIM_OTHER_FILE")) config.otherDeviceFile = Trim(*file);
    return config;
}

SimulatedMouseConfig SimulatedConfigFromEnvironment() {
    return ParseSimulatedConfig(EnvironmentValue);
}

std::unique_ptr<HidTransport> MakeSimulatedTransport() {
    return MakeSimulatedMouse();
}

std::unique_ptr<SimulatedMouse> MakeSimulatedMouse() {
    return std::make_unique<SimulatedMouse>(SimulatedConfigFromEnvironment());
}

std::optional<ProtocolLogEntry> ParseProtocolLogLine(const std::string& line) {
    std::istringstream in(line);
    ProtocolLogEntry entry;
    std::string ms;
    if (!(in >> ms >> entry.kind)) return std::nullopt;
    const std::optional<uint32_t> time = ParseNumber(ms, 0xFFFFFFFF);
    if (!time) return std::nullopt;
    entry.ms = *time;
    std::getline(in, entry.text);
    entry.text = Trim(entry.text);
    if (entry.kind == "ERROR") return entry;
    std::istringstream bytes(entry.text);
    if (entry.kind == "FAIL") {
        std::string reportKind;
        bytes >> reportKind;
    } else if (entry.kind != "SET" && entry.kind != "GET" && entry.kind != "OUT") {
        return std::nullopt;
    }
    std::string word;
    while (bytes >> word) {
        const std::optional<uint32_t> value = ParseNumber("0x" + word, 0xFF);
        if (!value || word.size() != 2) return std::nullopt;
        entry.bytes.push_back(static_cast<uint8_t>(*value));
    }
    return entry;
}

}  // namespace tarn
