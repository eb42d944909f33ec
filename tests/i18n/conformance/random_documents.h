// Well-formed documents made at random from the constructs that trip readers up: internal
// subsets, comments and processing instructions holding markup characters, CDATA, references,
// quoted ">" in attributes, blank runs and CR LF, non-ASCII names.
#pragma once

#include <cstdint>
#include <string>

namespace tarn::conformance {

// The document of one seed; the same seed always gives the same document.
std::u16string RandomDocument(uint32_t seed);

// The document stored one of four ways by seed: UTF-8 with or without a mark, UTF-16LE or
// UTF-16BE with a mark.
std::string StoredForm(const std::u16string& document, uint32_t seed);

}  // namespace tarn::conformance
