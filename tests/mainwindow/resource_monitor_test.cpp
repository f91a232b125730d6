#include <gtest/gtest.h>

#include <string>

#include "platform/seam.h"
#include "shell/ResourceMonitor.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/main_window.h"

namespace {

constexpr uint64_t MB = 1024 * 1024;

struct FigureCase {
  double bytes;  // as a count of bytes
  int32_t shown;
};

TEST(ResourceMonitor, EveryFigureIsEven) {
  const FigureCase cases[] = {
      {4294434816.0, 4096},       // 4095.49 MB
      {1177.38 * MB, 1178},
      {2048.6 * MB, 2050},
      {2047.5 * MB, 2048},        // halves go to the even neighbour and stay
      {2046.5 * MB, 2046},
      {0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(MegabyteFigure(static_cast<uint64_t>(c.bytes)), c.shown);
  }
  EXPECT_DOUBLE_EQ(OddOrEven(2048.6), 2049.6);  // fractions stay fractional
  EXPECT_DOUBLE_EQ(OddOrEven(4095.49), 4096.49);  // 4095 is odd
}

TEST(ResourceMonitor, BarsFromTheFourCounts) {
  auto bars = ResourceMonitorBars(4096 * MB, 1178 * MB, 8192 * MB, 2000 * MB);
  struct Expect {
    int bar;
    double max, value;
    const char* text;
  };
  const Expect expected[] = {
      {6, 4096, 4096, "4096 MB"}, {0, 4096, 2918, "2918 MB"}, {2, 4096, 1178, "1178 MB"},
      {3, 4096, 1178, "28% Free"}, {7, 8192, 8192, "8192 MB"}, {1, 8192, 6192, "6192 MB"},
      {4, 8192, 2000, "2000 MB"}, {5, 8192, 2000, "24% Free"},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.bar);
    EXPECT_DOUBLE_EQ(bars[e.bar].max, e.max);
    EXPECT_DOUBLE_EQ(bars[e.bar].value, e.value);
    EXPECT_EQ(bars[e.bar].text, e.text);
  }
}

TEST(ResourceMonitor, AFailedMemoryQueryShowsZeroWithoutDividingByZero) {
  auto bars = ResourceMonitorBars(0, 0, 0, 0);
  EXPECT_EQ(bars[6].text, "0 MB");
  EXPECT_EQ(bars[3].text, "0% Free");
  EXPECT_EQ(bars[5].text, "0% Free");
}

TEST(ResourceMonitor, TheMainWindowsBarsShowTheFiguresAsReadableText) {
  FakeSystemFacts facts;
  facts.memory.ullTotalPhys = 4294434816ull;
  facts.memory.ullAvailPhys = 1178 * MB;
  facts.memory.ullTotalPageFile = 8192 * MB;
  facts.memory.ullAvailPageFile = 2000 * MB;
  {
    platform::Override<platform::SystemFacts> use(facts);
    frmmain->Load();
    frmmain->Timer1_Timer();
  }
  auto text = [](int i) {
    char buffer[64]{};
    GetWindowTextA(frmmain->vbalProgressBar1[i].hWnd(), buffer, sizeof buffer);
    return std::string(buffer);
  };
  EXPECT_EQ(text(6), "4096 MB");
  EXPECT_EQ(text(3), "28% Free");
  EXPECT_DOUBLE_EQ(frmmain->vbalProgressBar1[2].Percent(), 1178.0 * 100 / 4096);
  // The real memory status under Wine: even megabytes.
  frmmain->Timer1_Timer();
  std::string total = text(6);
  ASSERT_GT(total.size(), 3u);
  EXPECT_EQ(total.substr(total.size() - 3), " MB");
  EXPECT_EQ(std::stoi(total) % 2, 0);
  EXPECT_GT(std::stoi(total), 0);
  CloseMainWindow();
}

// Under the 32-bit emulator the system reports far more available memory than in all
// (total 3,624 MB, available 20,234 MB): all of it is shown available, and nothing else.
TEST(ResourceMonitor, MoreAvailableThanInAllShowsAllOfItAvailable) {
  const struct {
    const char* what;
    uint64_t totalPhys, availPhys, totalPageFile, availPageFile;
    int used, available, free;  // bars
    double max;
    const char *usedText, *availableText, *freeText;
  } cases[] = {
      {"memory", 3624 * MB, 20234 * MB, 8192 * MB, 2000 * MB, 0, 2, 3, 3624, "0 MB", "3624 MB", "100% Free"},
      {"page file", 4096 * MB, 1178 * MB, 2048 * MB, 20234 * MB, 1, 4, 5, 2048, "0 MB", "2048 MB", "100% Free"},
  };
  auto text = [](int i) {
    char buffer[64]{};
    GetWindowTextA(frmmain->vbalProgressBar1[i].hWnd(), buffer, sizeof buffer);
    return std::string(buffer);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSystemFacts facts;
    facts.memory.ullTotalPhys = c.totalPhys;
    facts.memory.ullAvailPhys = c.availPhys;
    facts.memory.ullTotalPageFile = c.totalPageFile;
    facts.memory.ullAvailPageFile = c.availPageFile;
    {
      platform::Override<platform::SystemFacts> use(facts);
      frmmain->Load();
      frmmain->Timer1_Timer();
    }
    EXPECT_EQ(text(c.used), c.usedText);
    EXPECT_DOUBLE_EQ(frmmain->vbalProgressBar1[c.used].Percent(), 0);
    EXPECT_EQ(text(c.available), c.availableText);
    EXPECT_DOUBLE_EQ(frmmain->vbalProgressBar1[c.available].Max(), c.max);
    EXPECT_DOUBLE_EQ(frmmain->vbalProgressBar1[c.available].Percent(), 100);
    EXPECT_EQ(text(c.free), c.freeText);
    CloseMainWindow();
  }
}

TEST(ProgressBarControl, PercentOfAnEmptyBarIsZero) {
  frmmain->Load();
  ui::ProgressBar& bar = frmmain->vbalProgressBar1[0];
  bar.SetMax(0);
  bar.SetValue(5);
  EXPECT_DOUBLE_EQ(bar.Percent(), 0);
  bar.SetMax(200);
  EXPECT_DOUBLE_EQ(bar.Percent(), 2.5);
  CloseMainWindow();
}

}  // namespace
