#include "i18n/language_file.h"

#include "base/language_state.h"

namespace tarn {

namespace {

std::mutex& SharedXmlMutex() {
    static std::mutex mutex;
    return mutex;
}

XmlDocument& SharedXmlDocument() {
    static XmlDocument document;
    return document;
}

std::u16string Wide(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

SharedXmlAccess::SharedXmlAccess() : lock_(SharedXmlMutex()), document_(SharedXmlDocument()) {}

std::u16string GetConfigString(XmlDocument& document, std::u16string_view section,
                               std::u16string_view key) {
    document.Rewind();
    // Each round goes one level deeper, so the walk ends at the deepest nested section.
    while (document.NextChild(section)) {
        document.EnterChild();
        if (document.NextChild(key)) return document.ChildText();
    }
    return {};
}

std::u16string GetConfigString(std::u16string_view section, std::u16string_view key) {
    SharedXmlAccess shared;
    return GetConfigString(shared.Document(), section, key);
}

void LoadLanguageFile(const std::u16string& path) {
    SharedXmlAccess shared;
    // A broken file still yields the keys that can be found, so the result is not looked at.
    shared->LoadXmlFile(path);
    for (size_t i = 0; i < kStringKeyCount; ++i) {
        const StringKey key = StringKeyAt(i);
        LanguageStrings.Set(
            key, GetConfigString(shared.Document(), u"config", Wide(StringKeyName(key))));
    }
}

}  // namespace tarn
