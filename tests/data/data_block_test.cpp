#include "data/data_block.hpp"

#include <gtest/gtest.h>

namespace kro {
namespace {

KRODataBlock make_block(EpochTime start, double sps, std::vector<float> samples) {
    KRODataBlock b;
    b.start = start;
    b.sps = sps;
    b.samples = std::move(samples);
    return b;
}

TEST(KRODataBlock, NewBlockAndCopies) {
    const KRODataBlock empty;
    EXPECT_EQ(empty.count(), 0);
    EXPECT_EQ(empty.sps, 0.0);
    EXPECT_EQ(empty.start, 0.0);
    EXPECT_EQ(empty.calib, 1.0);
    EXPECT_EQ(empty.calper, 1.0);

    KRODataBlock original = make_block(100.0, 4.0, {1, 2, 3, 4});
    KRODataBlockArray array("FUR", "BHZ");
    array.append(original);
    original.samples[0] = 99;  // the array holds its own copy
    EXPECT_EQ(array.block(0).samples[0], 1.0f);
    EXPECT_EQ(array.block(0).end(), 101.0);
    array.clear();
    EXPECT_EQ(array.count(), 0u);
    EXPECT_EQ(array.sta(), "FUR");
}

struct PlaceCase {
    const char* name;
    std::vector<KRODataBlock> blocks;
    EpochTime t0;
    double duration;
    int n;
    std::vector<float> expected;
};

TEST(PlaceOnSeries, Cases) {
    const PlaceCase cases[] = {
        {"no blocks", {}, 0.0, 1.0, 4, {0, 0, 0, 0}},
        {"exact fit", {make_block(10.0, 1.0, {1, 2, 3, 4})}, 10.0, 3.0, 4, {1, 2, 3, 4}},
        {"starts before t0", {make_block(8.0, 1.0, {1, 2, 3, 4})}, 10.0, 3.0, 4, {3, 4, 0, 0}},
        {"starts after the end", {make_block(20.0, 1.0, {1, 2})}, 10.0, 3.0, 4, {0, 0, 0, 0}},
        {"runs past the end", {make_block(12.0, 1.0, {1, 2, 3})}, 10.0, 3.0, 4, {0, 0, 1, 2}},
        {"gap stays zero", {make_block(10.0, 1.0, {1}), make_block(13.0, 1.0, {4})}, 10.0, 3.0, 4, {1, 0, 0, 4}},
        {"later block wins the overlap",
         {make_block(10.0, 1.0, {1, 1, 1}), make_block(11.0, 1.0, {7, 7})},
         10.0,
         3.0,
         4,
         {1, 7, 7, 0}},
        {"0.0004 s late at 100 sps is index 0", {make_block(10.0004, 100.0, {5, 6})}, 10.0, 0.03, 4, {5, 6, 0, 0}},
        {"far before t0", {make_block(-1e300, 1.0, {1})}, 10.0, 3.0, 4, {0, 0, 0, 0}},
        {"zero duration", {make_block(10.0, 1.0, {1})}, 10.0, 0.0, 2, {0, 0}},
    };
    for (const PlaceCase& c : cases) {
        KRODataBlockArray array("STA", "CHAN");
        for (const auto& b : c.blocks) array.append(b);
        EXPECT_EQ(place_on_series(array, c.t0, c.duration, c.n), c.expected) << c.name;
    }
}

TEST(CXChanArray, AddSpanWidensOrAppends) {
    CXChanArray inventory;
    inventory.add_span("FUR", "BHZ", 10, 20);
    inventory.add_span("FUR", "BHZ", 5, 15);
    inventory.add_span("FUR", "BHN", 1, 2);
    inventory.add_span("fur", "BHZ", 30, 40);  // case-sensitive
    ASSERT_EQ(inventory.count(), 3u);
    EXPECT_EQ(inventory.at(0).tmin, 5);
    EXPECT_EQ(inventory.at(0).tmax, 20);
    EXPECT_EQ(inventory.at(1).chan, "BHN");
    EXPECT_EQ(inventory.at(2).sta, "fur");
}

TEST(XKRODataBlockArrays, OwnedArraysDieWithTheListBorrowedOnesSurvive) {
    KRODataBlockArray pane("FUR", "BHZ");
    pane.append(make_block(0, 1, {1, 2, 3}));
    {
        XKRODataBlockArrays list;
        list.append_borrowed(pane);
        auto owned = std::make_unique<KRODataBlockArray>("WET", "BHN");
        owned->append(make_block(0, 1, {4}));
        list.append(std::move(owned));
        ASSERT_EQ(list.count(), 2u);
        EXPECT_EQ(list.at(1).sta(), "WET");
        list.empty();
        EXPECT_EQ(list.count(), 0u);
        list.append_borrowed(pane);
    }
    EXPECT_EQ(pane.count(), 1u) << "the pane keeps its data";
    EXPECT_EQ(pane.block(0).count(), 3);
}

}  // namespace
}  // namespace kro
