#include "scales/ScaleTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace tond {
namespace {

std::vector<int> Steps(const Scale& s) {
  return {s.steps.begin(), s.steps.begin() + StepCount(s)};
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Projects store the index, so every entry must stay where it is.
TEST(ScaleTable, SpotEntriesAtStartMiddleAndEnd) {
  const auto& t = ScaleTable();
  ASSERT_EQ(kScaleCount, 270);
  std::string names;
  for (int i : {0, 20, 140, 185, 234, 238, 269}) names += std::string(t[i].name) + "|";
  EXPECT_EQ(names,
            "8 tone Spanish|Arabian|Japanese Taishikicho|Mela Dhirasankarabharana|Natural Minor|"
            "Pelog|Whole Tone|");
  EXPECT_EQ(Steps(t[0]), (std::vector<int>{1, 2, 1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(Steps(t[72]), std::vector<int>(12, 1));
  EXPECT_EQ(Steps(t[140]), (std::vector<int>{2, 2, 1, 1, 1, 2, 1, 1, 1}));
  EXPECT_EQ(Steps(t[238]), (std::vector<int>{1, 2, 1, 3, 1, 4}));
  EXPECT_EQ(Steps(t[269]), std::vector<int>(6, 2));
  EXPECT_EQ(t[8].steps, t[234].steps);  // synonyms keep their own names and the same list
}

TEST(ScaleTable, EveryEntrySpansOneOctaveWithDistinctNames) {
  std::set<std::string> names;
  for (const Scale& s : ScaleTable()) {
    ASSERT_NE(s.name, nullptr);
    const std::string name = s.name;
    EXPECT_TRUE(!name.empty() && name.size() <= 26u) << name;
    EXPECT_TRUE(names.insert(Lower(name)).second) << name;
    const int n = StepCount(s);
    EXPECT_GE(n, 5) << name;
    int sum = 0;
    for (int i = 0; i < n; ++i) sum += s.steps[i];  // each step >= 1, so degrees ascend
    EXPECT_EQ(sum, 12) << name;
    for (size_t i = n; i < s.steps.size(); ++i) EXPECT_EQ(s.steps[i], 0) << name;
  }
}

TEST(ScaleTable, SortedOrderIgnoresCaseAndMapsBothWays) {
  const auto& t = ScaleTable();
  const auto& order = SortedScaleOrder();
  for (int p = 1; p < kScaleCount; ++p)
    EXPECT_LT(Lower(t[order[p - 1]].name), Lower(t[order[p]].name)) << p;
  for (int p = 0; p < kScaleCount; ++p) EXPECT_EQ(SortedPosition(order[p]), p);
  EXPECT_EQ(order[0], 0);  // digits before letters: "8 tone Spanish" heads the list
  EXPECT_LT(SortedPosition(20), SortedPosition(19));    // "Arabian" above "Arabian n2"
  EXPECT_LT(SortedPosition(171), SortedPosition(168));  // "Lydian b2" above "Lydian Dominant"
  EXPECT_EQ(SortedPosition(-1), -1);
  EXPECT_EQ(SortedPosition(kScaleCount), -1);
}

}  // namespace
}  // namespace tond
