// The element index keeps its records in place across blocks, reuses its blocks for the next
// document, and leaves nothing behind when moved.
#include "i18n/xml_records.h"

#include <gtest/gtest.h>

#include <utility>

namespace tarn {
namespace {

ElementRecord WithStart(uint32_t start) {
    ElementRecord r{};
    r.start = start;
    return r;
}

TEST(ElementRecordsTest, RecordsStayInPlaceAcrossBlocksAndReuse) {
    constexpr size_t kCount = 2 * ElementRecords::kBlockSize + 3;
    ElementRecords records;
    records.reserve(10);
    records.push_back(WithStart(0));
    const ElementRecord* first = &records[0];
    for (uint32_t i = 1; i < kCount; ++i) records.push_back(WithStart(i));
    ASSERT_EQ(records.size(), kCount);
    EXPECT_EQ(&records[0], first);
    for (size_t i :
         {size_t{0}, ElementRecords::kBlockSize - 1, ElementRecords::kBlockSize, kCount - 1}) {
        EXPECT_EQ(records[i].start, i);
    }
    EXPECT_THROW(records.at(kCount), std::out_of_range);

    // The next document writes over the same blocks from the start.
    records.clear();
    for (uint32_t i = 0; i < ElementRecords::kBlockSize + 1; ++i) records.push_back(WithStart(7));
    EXPECT_EQ(records.size(), ElementRecords::kBlockSize + 1);
    EXPECT_EQ(&records[0], first);
    EXPECT_EQ(records[0].start, 7u);
    EXPECT_EQ(records[ElementRecords::kBlockSize].start, 7u);

    ElementRecords moved = std::move(records);
    EXPECT_EQ(moved.size(), ElementRecords::kBlockSize + 1);
    EXPECT_TRUE(records.empty());  // and usable again
    records.push_back(WithStart(3));
    EXPECT_EQ(records.at(0).start, 3u);
    moved.push_back(WithStart(9));
    EXPECT_EQ(moved[ElementRecords::kBlockSize + 1].start, 9u);
}

}  // namespace
}  // namespace tarn
