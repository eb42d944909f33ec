#include "catalogue/key_names.h"

#include <array>

#include "catalogue/function_catalogue.h"

namespace tarn {

namespace {

constexpr size_t kUsageVkCount = 107;

constexpr std::array<UsageVkPair, kUsageVkCount> BuildUsageVkTable() {
    std::array<UsageVkPair, kUsageVkCount> t{};
    size_t n = 0;
    auto add = [&](int usage, int vk) {
        t[n++] = {static_cast<uint8_t>(usage), static_cast<uint8_t>(vk)};
    };
    auto addRun = [&](int firstUsage, int firstVk, int count) {
        for (int i = 0; i < count; ++i) add(firstUsage + i, firstVk + i);
    };
    add(0x29, 0x1B);
    addRun(0x3A, 0x70, 12);  // F1..F12
    addRun(0x04, 0x41, 26);  // A..Z
    addRun(0x1E, 0x31, 9);   // 1..9
    add(0x27, 0x30);
    add(0x2B, 0x09), add(0x39, 0x14), add(0x28, 0x0D), add(0x2A, 0x08), add(0x2C, 0x20);
    add(0x2F, 0xDB), add(0x30, 0xDD), add(0x31, 0xDC), add(0x33, 0xBA), add(0x34, 0xDE);
    add(0x36, 0xBC), add(0x37, 0xBE), add(0x38, 0xBF), add(0x35, 0xC0), add(0x2E, 0xBB);
    add(0x2D, 0xBD);
    add(0x46, 0x2C), add(0x47, 0x91), add(0x48, 0x13), add(0x49, 0x2D), add(0x4A, 0x24);
    add(0x4B, 0x21), add(0x4C, 0x2E), add(0x4D, 0x23), add(0x4E, 0x22), add(0x52, 0x26);
    add(0x51, 0x28), add(0x50, 0x25), add(0x4F, 0x27);
    addRun(0x59, 0x61, 9);  // keypad 1..9
    add(0x62, 0x60), add(0x57, 0x6B), add(0x56, 0x6D), add(0x55, 0x6A), add(0x54, 0x6F);
    add(0x53, 0x90), add(0x58, 0x0D), add(0x63, 0x6E);
    add(0xE0, 0xA2), add(0xE1, 0xA0), add(0xE2, 0xA4), add(0xE3, 0x5B), add(0xE4, 0xA3);
    add(0xE5, 0xA1), add(0xE6, 0xA5), add(0xE7, 0x5C), add(0x65, 0x5D);
    add(0xF0, 0x01), add(0xF1, 0x02), add(0xF2, 0x04);
    // A wrong count would leave zero rows at the end or fail to compile.
    if (n != kUsageVkCount) throw "UsageVkTable must have 107 rows";
    return t;
}

constexpr auto kUsageVk = BuildUsageVkTable();

// clang-format off
constexpr KeyNameRow kVirtualKeyNames[] = {
    {0, u""},          {255, u""},         {8, u"Backspace"},  {9, u"Tab"},
    {12, u"Clr"},      {13, u"Enter"},     {43, u"Enter"},     {16, u"Shift"},
    {17, u"Ctrl"},     {18, u"Alt"},       {19, u"Pause"},     {20, u"CapsLock"},
    {27, u"Esc"},      {32, u"Space"},     {33, u"PageUp"},    {34, u"PageDown"},
    {35, u"End"},      {36, u"Home"},      {37, u"Left"},      {38, u"Up"},
    {39, u"Right"},    {40, u"Down"},      {41, u"Select"},    {42, u"Print"},
    {44, u"PrtSc SysRq"}, {45, u"Insert"}, {46, u"Delete"},    {47, u"Help"},
    {91, u"LWin"},     {92, u"RWin"},      {93, u"App"},       {96, u"(0)"},
    {97, u"(1)"},      {98, u"(2)"},       {99, u"(3)"},       {100, u"(4)"},
    {101, u"(5)"},     {102, u"(6)"},      {103, u"(7)"},      {104, u"(8)"},
    {105, u"(9)"},     {106, u"(*)"},      {107, u"(+)"},      {108, u"\\"},
    {109, u"(-)"},     {110, u"(.)"},      {111, u"(/)"},      {112, u"F1"},
    {113, u"F2"},      {114, u"F3"},       {115, u"F4"},       {116, u"F5"},
    {117, u"F6"},      {118, u"F7"},       {119, u"F8"},       {120, u"F9"},
    {121, u"F10"},     {122, u"F11"},      {123, u"F12"},      {144, u"Numlock"},
    {145, u"Scroll Lock"}, {160, u"LShift"}, {161, u"RShift"}, {162, u"LCtrl"},
    {163, u"RCtrl"},   {164, u"LAlt"},     {165, u"RAlt"},
};

constexpr KeyNameRow kKeyNames[] = {
    {81, u"Q"},          {87, u"W"},           {69, u"E"},          {82, u"R"},
    {84, u"T"},          {89, u"Y"},           {85, u"U"},          {73, u"I"},
    {79, u"O"},          {80, u"P"},           {65, u"A"},          {83, u"S"},
    {68, u"D"},          {70, u"F"},           {71, u"G"},          {72, u"H"},
    {74, u"J"},          {75, u"K"},           {76, u"L"},          {90, u"Z"},
    {88, u"X"},          {67, u"C"},           {86, u"V"},          {66, u"B"},
    {78, u"N"},          {77, u"M"},           {192, u"~"},         {49, u"1"},
    {50, u"2"},          {51, u"3"},           {52, u"4"},          {53, u"5"},
    {54, u"6"},          {55, u"7"},           {56, u"8"},          {57, u"9"},
    {48, u"0"},          {189, u"-"},          {187, u"="},         {8, u"Backspace"},
    {220, u"|"},         {219, u"["},          {221, u"]"},         {186, u";"},
    {222, u"'"},         {13, u"Enter"},       {188, u"<"},         {190, u">"},
    {191, u"?"},         {9, u"Tab"},          {20, u"Cap"},        {160, u"L_Shift"},
    {162, u"L_Ctrl"},    {164, u"L_Alt"},      {91, u"L_Win"},      {161, u"R_Shift"},
    {163, u"R_Ctrl"},    {165, u"R_Alt"},      {92, u"R_Win"},      {32, u"Space"},
    {27, u"ESC"},        {112, u"F1"},         {113, u"F2"},        {114, u"F3"},
    {115, u"F4"},        {116, u"F5"},         {117, u"F6"},        {118, u"F7"},
    {119, u"F8"},        {120, u"F9"},         {121, u"F10"},       {122, u"F11"},
    {123, u"F12"},       {97, u"NUM 1"},       {98, u"NUM 2"},      {99, u"NUM 3"},
    {100, u"NUM 4"},     {101, u"NUM 5"},      {102, u"NUM 6"},     {103, u"NUM 7"},
    {104, u"NUM 8"},     {105, u"NUM 9"},      {96, u"NUM 0"},      {109, u"NUM -"},
    {107, u"NUM +"},     {106, u"NUM *"},      {111, u"NUM /"},     {108, u"NUM Enter"},
    {110, u"NUM Del"},   {144, u"NUM Lock"},   {42, u"Print"},      {145, u"Scroll"},
    {19, u"Pause"},      {45, u"Insert"},      {36, u"Home"},       {46, u"Delete"},
    {35, u"End"},        {33, u"Page Up"},     {34, u"Page Down"},  {38, u"UP"},
    {40, u"DOWN"},       {37, u"LEFT"},        {39, u"RIGHT"},      {1, u"Left Button"},
    {2, u"Right Button"}, {4, u"Middle Button"},
};
// clang-format on

KeyboardLayoutChar g_layoutChar = nullptr;

const KeyNameRow* FindRow(std::span<const KeyNameRow> rows, uint32_t code) {
    for (const KeyNameRow& row : rows) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

}  // namespace

std::span<const UsageVkPair> UsageVkTable() {
    return kUsageVk;
}

uint8_t UsageToVirtualKey(uint8_t usage) {
    for (const UsageVkPair& p : kUsageVk) {
        if (p.usage == usage) return p.virtualKey;
    }
    return 0;
}

uint8_t VirtualKeyToUsage(uint8_t virtualKey) {
    for (const UsageVkPair& p : kUsageVk) {
        if (p.virtualKey == virtualKey) return p.usage;
    }
    return 0;
}

std::span<const KeyNameRow> KeyNameTable() {
    return kKeyNames;
}

std::span<const KeyNameRow> VirtualKeyNameTable() {
    return kVirtualKeyNames;
}

std::u16string_view KeyName(uint32_t code) {
    const KeyNameRow* row = FindRow(kKeyNames, code & 0xFF);
    return row ? row->name : std::u16string_view{};
}

char PortableLayoutChar(uint32_t virtualKey) {
    const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
    const bool digit = virtualKey >= '0' && virtualKey <= '9';
    return letter || digit ? static_cast<char>(virtualKey) : 0;
}

void SetKeyboardLayoutChar(KeyboardLayoutChar reader) {
    g_layoutChar = reader;
}

std::u16string VirtualKeyName(uint32_t virtualKey) {
    // Codes above 255 never match a row, whatever their low byte.
    if (virtualKey <= 0xFF) {
        if (const KeyNameRow* row = FindRow(kVirtualKeyNames, virtualKey)) {
            return std::u16string(row->name);
        }
    }
    const KeyboardLayoutChar reader = g_layoutChar ? g_layoutChar : PortableLayoutChar;
    auto c = static_cast<uint8_t>(reader(virtualKey));
    if (c == 0) return {};
    if (c >= 'a' && c <= 'z') c = static_cast<uint8_t>(c - 'a' + 'A');
    // The layout answers in the ANSI code page; a byte above 0x7F is shown as its Latin-1 twin.
    return std::u16string(1, static_cast<char16_t>(c));
}

std::u16string ComboDisplayName(uint32_t comboCode) {
    const auto mods = static_cast<uint8_t>(comboCode >> 8);
    const auto usage = static_cast<uint8_t>(comboCode >> 16);
    const std::u16string keyName = VirtualKeyName(UsageToVirtualKey(usage));
    if ((mods & (ModCtrl | ModShift | ModAlt | ModWin)) == 0) return keyName;
    struct Named {
        uint8_t bit;
        std::u16string_view name;
    };
    // Shift before Ctrl, as the program has always shown them.
    constexpr Named order[] = {
        {ModShift, u"Shift"}, {ModCtrl, u"Ctrl"}, {ModAlt, u"Alt"}, {ModWin, u"Win"}};
    std::u16string text;
    for (const Named& m : order) {
        if ((mods & m.bit) == 0) continue;
        if (!text.empty()) text += u" + ";
        text += m.name;
    }
    text += u" + ";
    text += keyName;
    return text;
}

}  // namespace tarn
