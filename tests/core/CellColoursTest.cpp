#include "list/CellColours.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace yuzhou {
namespace {

TEST(CellColours, ColoursCellsAndForgetsColoursEqualToTheList) {
    CellColours colours;
    int repaints = 0;
    colours.setRepaintListener([&] { ++repaints; });

    colours.setCellColour(2, 3, kRed);
    EXPECT_EQ(colours.colourAt(2, 3), (CellColour{kRed, kWhite})) << "the list's background by default";
    EXPECT_EQ(colours.colourAt(3, 2), (CellColour{kBlack, kWhite}));

    colours.setCellColour(2, 3, 0x00FF00, 0x123456);
    EXPECT_EQ(colours.colourAt(2, 3), (CellColour{0x00FF00, 0x123456}));
    EXPECT_EQ(colours.entryCount(), 1u) << "setting a cell twice keeps one entry";

    colours.setCellColour(2, 3, kBlack);
    EXPECT_EQ(colours.entryCount(), 0u) << "the list's own colours need no entry";
    colours.setCellColour(4, 4, kBlack, kWhite);
    EXPECT_EQ(colours.entryCount(), 0u);
    EXPECT_EQ(repaints, 4);
}

TEST(CellColours, ClearingRepaintsOnlyWhenSomethingWasSet) {
    CellColours colours;
    int repaints = 0;
    colours.setRepaintListener([&] { ++repaints; });
    colours.clearCellColours();
    EXPECT_EQ(repaints, 0);

    colours.setCellColour(0, 1, kRed);
    colours.setCellColour(0, 2, kRed);
    repaints = 0;
    colours.clearCellColours();
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(colours.entryCount(), 0u);
    EXPECT_EQ(colours.colourAt(0, 1), colours.listColours());
    colours.clearCellColours();
    EXPECT_EQ(repaints, 1);
}

TEST(CellColours, OneThreadColoursWhileAnotherPaints) {
    CellColours colours;
    std::atomic<bool> done{false};
    std::thread painter([&] {
        while (!done) {
            for (int row = 0; row < 100; ++row) {
                const CellColour colour = colours.colourAt(row, 1);
                ASSERT_TRUE(colour.text == kRed || colour.text == kBlack);
            }
        }
    });
    for (int round = 0; round < 20; ++round) {
        for (int row = 0; row < 100; ++row) {
            for (int column = 1; column <= 7; ++column) {
                colours.setCellColour(row, column, kRed);
            }
        }
        colours.clearCellColours();
    }
    done = true;
    painter.join();
    EXPECT_EQ(colours.entryCount(), 0u);
}

} // namespace
} // namespace yuzhou
