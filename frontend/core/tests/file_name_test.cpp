#include "file_name.h"

#include <gtest/gtest.h>

namespace vorden {
namespace {

TEST(CoordinatePathFileName, BackslashPathGivesItsName) {
  EXPECT_EQ(GetFilename("C:\\molecules\\water.xyz"), "water.xyz");
}

TEST(CoordinatePathFileName, SlashPathGivesItsName) {
  EXPECT_EQ(GetFilename("/home/student/molecules/water.xyz"), "water.xyz");
  EXPECT_EQ(GetFilename("C:/molecules\\sub dir/my water.cta"), "my water.cta");
}

TEST(CoordinatePathFileName, BareNameIsReturnedUnchanged) {
  EXPECT_EQ(GetFilename("water.xyz"), "water.xyz");
  EXPECT_EQ(GetFilename(""), "");
}

TEST(CoordinatePathFileName, PathEndingInASeparatorGivesAnEmptyName) {
  EXPECT_EQ(GetFilename("C:\\molecules\\"), "");
  EXPECT_EQ(GetFilename("/tmp/"), "");
}

}  // namespace
}  // namespace vorden
