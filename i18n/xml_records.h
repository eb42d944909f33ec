// The element index: one record per element, kept in blocks of 65,536 so that growing it never
// moves a record or copies the records already made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tarn {

// Plain fields without initialisers, so blocks are not cleared before use; write
// ElementRecord{} for a record of zeros.
struct ElementRecord {
    uint32_t start;   // offset of the "<" of the start tag
    uint32_t length;  // to the end of the end tag (of the start tag when there is none)
    uint32_t startTagLength;
    uint32_t endTagLength;  // 0 for an empty or unended element
    uint32_t flags;         // depth at which it was read (low 16 bits) and the markers below
    uint32_t parent;        // 0 for the root
    uint32_t firstChild;
    uint32_t nextSibling;      // 0 after the last
    uint32_t previousSibling;  // the first child's is the last child
};

inline constexpr uint32_t kElementEmpty = 1u << 16;
inline constexpr uint32_t kElementNoEndTag = 1u << 17;
inline constexpr uint32_t kElementMalformedBelow = 1u << 18;
inline constexpr uint32_t kElementMalformed = 1u << 19;

class ElementRecords {
public:
    static constexpr size_t kBlockBits = 16;
    static constexpr size_t kBlockSize = size_t{1} << kBlockBits;

    ElementRecords() = default;
    // A moved-from index is empty, not pointing into blocks it no longer owns.
    ElementRecords(ElementRecords&& other) noexcept { *this = std::move(other); }
    ElementRecords& operator=(ElementRecords&& other) noexcept {
        if (this == &other) return *this;
        blocks_ = std::move(other.blocks_);
        other.blocks_.clear();
        size_ = std::exchange(other.size_, 0);
        free_ = std::exchange(other.free_, nullptr);
        freeEnd_ = std::exchange(other.freeEnd_, nullptr);
        return *this;
    }

    ElementRecord& operator[](size_t i) { return blocks_[i >> kBlockBits][i & (kBlockSize - 1)]; }
    const ElementRecord& operator[](size_t i) const {
        return blocks_[i >> kBlockBits][i & (kBlockSize - 1)];
    }
    const ElementRecord& at(size_t i) const {
        if (i >= size_) throw std::out_of_range("element record");
        return (*this)[i];
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    size_t capacity() const { return blocks_.size() * kBlockSize; }
    // Keeps the blocks for the next document.
    void clear() {
        size_ = 0;
        free_ = freeEnd_ = nullptr;
    }
    void reserve(size_t records) {
        while (capacity() < records) blocks_.push_back(NewBlock());
    }
    void push_back(const ElementRecord& record) {
        if (free_ == freeEnd_) NextBlock();
        *free_++ = record;
        ++size_;
    }

private:
    // Not cleared: every record is written whole when it is appended.
    static std::unique_ptr<ElementRecord[]> NewBlock() {
        return std::make_unique_for_overwrite<ElementRecord[]>(kBlockSize);
    }

    // Points free_ at the slot for record size_, in a new block if need be.
    void NextBlock() {
        if (size_ == capacity()) blocks_.push_back(NewBlock());
        free_ = &(*this)[size_];
        freeEnd_ = blocks_[size_ >> kBlockBits].get() + kBlockSize;
    }

    std::vector<std::unique_ptr<ElementRecord[]>> blocks_;
    size_t size_ = 0;
    // The rest of the block that the next record goes to; appending is one store.
    ElementRecord* free_ = nullptr;
    ElementRecord* freeEnd_ = nullptr;
};

}  // namespace tarn
