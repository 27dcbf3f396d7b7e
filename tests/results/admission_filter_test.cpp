#include "results/admission_filter.h"

#include <gtest/gtest.h>

namespace {

struct FilterCase {
  bool priceOn;
  const char* priceLimit;
  bool discountOn;
  const char* discountLimit;
  const char* price;
  const char* discount;
  bool admitted;
};

class AdmissionFilterTest : public ::testing::TestWithParam<FilterCase> {
 protected:
  void SetUp() override { Controls().Reset(); }
  void TearDown() override { Controls().Reset(); }
};

TEST_P(AdmissionFilterTest, AdmitsByIntegerPartsAndStrictComparisons) {
  const FilterCase& k = GetParam();
  WindowControls& c = Controls();
  c.价格选择框.SetChecked(k.priceOn);
  c.价格编辑框.WriteText(k.priceLimit);
  c.折扣选择框.SetChecked(k.discountOn);
  c.折扣编辑框.WriteText(k.discountLimit);
  AdmissionFilter(HarvestedItem{"标题", "99", k.price, k.discount, "九块邮", "http://x.example/"});
  EXPECT_EQ(c.超级列表框1.RowCount(), k.admitted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    FourCases, AdmissionFilterTest,
    ::testing::Values(
        // No limit: everything, whatever the figures.
        FilterCase{false, "50", false, "2.1", "999", "9.9", true},
        FilterCase{false, "", false, "", "", "", true},
        // Price only, limit 50: 49.9 and 49 pass, 50 and 50.5 do not, an empty price counts 0.
        FilterCase{true, "50", false, "2.1", "49.9", "9", true},
        FilterCase{true, "50", false, "2.1", "49", "9", true},
        FilterCase{true, "50", false, "2.1", "50", "0", false},
        FilterCase{true, "50", false, "2.1", "50.5", "0", false},
        FilterCase{true, "50", false, "2.1", "", "9", true},
        FilterCase{true, "50", false, "2.1", "￥5", "9", true},
        // A price limit that reads as 0 admits no price of 0 or more.
        FilterCase{true, "", false, "2.1", "0", "0", false},
        FilterCase{true, "0", false, "2.1", "1", "0", false},
        // Discount only, limit 2.1 counts as 2: 1.9 and 0.5 pass, 2.0 and 2.5 do not.
        FilterCase{false, "50", true, "2.1", "999", "1.9", true},
        FilterCase{false, "50", true, "2.1", "999", "0.5", true},
        FilterCase{false, "50", true, "2.1", "999", "2.0", false},
        FilterCase{false, "50", true, "2.1", "999", "2.5", false},
        // Both: each test must hold.
        FilterCase{true, "50", true, "2.1", "30", "3.5", false},
        FilterCase{true, "50", true, "2.1", "30", "1.5", true},
        FilterCase{true, "50", true, "2.1", "60", "1.5", false},
        // Full-width digits in a limit box read as their digits.
        FilterCase{true, "５０", false, "2.1", "49", "0", true}));

TEST(AdmissionFilterUnknownDiscount, NoDiscountLimitAdmitsAnUnknownDiscount) {
  WindowControls& c = Controls();
  c.Reset();
  HarvestedItem item{"标题", "", "19.9", "", "聚划算", "http://x.example/"};
  item.discountKnown = false;
  AdmissionFilter(item);  // no limit on: admitted
  c.价格选择框.SetChecked(true);
  AdmissionFilter(item);  // price 19 < 50: admitted
  c.折扣选择框.SetChecked(true);
  AdmissionFilter(item);  // unknown discount under a discount limit: not admitted
  c.价格选择框.SetChecked(false);
  AdmissionFilter(item);
  EXPECT_EQ(c.超级列表框1.RowCount(), 2);
  c.Reset();
}

TEST(AppendRowTest, RunningNumbersAndCellsInColumnOrder) {
  WindowControls& c = Controls();
  c.Reset();
  for (int i = 0; i < 5; ++i) {
    AppendRow(c.超级列表框1, HarvestedItem{"标题", "39.9", "19.9", "4.9", "聚划算", "http://a/b"});
  }
  EXPECT_EQ(c.超级列表框1.GetCell(4, 0), "5");
  const char* expected[] = {"1", "标题", "39.9", "19.9", "4.9", "聚划算", "http://a/b"};
  for (int col = 0; col < 7; ++col) EXPECT_EQ(c.超级列表框1.GetCell(0, col), expected[col]);
  c.超级列表框1.DeleteAllRows();
  AppendRow(c.超级列表框1, HarvestedItem{"标题", "", "", "", "", ""});
  EXPECT_EQ(c.超级列表框1.GetCell(0, 0), "1");
  c.Reset();
}

}  // namespace
