// What the reader tests share: a page server behind http_proxy, fresh controls and counters.
#pragma once

#include <gtest/gtest.h>

#include "app/controls/controls.h"
#include "deals/deal_run.h"
#include "support/page_server.h"

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Controls().Reset();
    for (int i = 0; i < 4; ++i) ChannelItemCounter(i) = 0;
  }
  void TearDown() override { Controls().Reset(); }

  static int Rows() { return Controls().超级列表框1.RowCount(); }
  static Text Cell(int row, int column) { return Controls().超级列表框1.GetCell(row, column); }
  static bool LogHas(std::string_view message) {
    return Controls().编辑框1.Content().find(message) != Text::npos;
  }

  static bool LogEndsWith(std::string_view message) {
    const Text log = Controls().编辑框1.Content();
    return log.size() >= message.size() &&
           log.compare(log.size() - message.size(), message.size(), message) == 0;
  }

  PageServer market;
};
