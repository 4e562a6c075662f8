#include "menu/TreeReport.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

TEST(TreeReport, ListsEveryCaptionFlatInWalkOrder) {
    MenuTree tree;
    EXPECT_TRUE(TreeReportLines(tree).empty());
    test::BuildTree(tree, test::ExampleRows());
    const auto lines = TreeReportLines(tree);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[3], "Editor");
    EXPECT_EQ(lines[4], "----------");
    EXPECT_EQ(lines[8], "----------");
}

}  // namespace
}  // namespace tavel
