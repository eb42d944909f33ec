// Loading a language file into the process-wide text table, and reading keyed strings from the
// XML document that language loading shares with the firmware update check.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "i18n/xml_document.h"

namespace tarn {

// Holds the shared document's lock for as long as it lives. The update check reads its
// manifest from a worker thread while the user may switch language, so every use of the
// shared document goes through one of these. The lock is not recursive: while holding one, use
// the functions that take the document, not the ones that lock it again.
class SharedXmlAccess {
public:
    SharedXmlAccess();
    XmlDocument& Document() { return document_; }
    XmlDocument* operator->() { return &document_; }

private:
    std::unique_lock<std::mutex> lock_;
    XmlDocument& document_;
};

// Loads the file into the shared document and assigns all 107 texts of LanguageStrings; a
// missing or broken file leaves empty texts for whatever cannot be found.
void LoadLanguageFile(const std::u16string& path);

// The text of the first element named key under the first element named section under the
// root of the shared document; a section without the key is searched for a nested section of
// the same name. Empty when nothing matches.
std::u16string GetConfigString(std::u16string_view section, std::u16string_view key);
// The same walk on a document the caller already holds.
std::u16string GetConfigString(XmlDocument& document, std::u16string_view section,
                               std::u16string_view key);

}  // namespace tarn
