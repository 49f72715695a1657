// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/host/dialogs.h>

#include <memory>
#include <vector>

#include "chart_probe.h"

namespace zyr::test {

namespace {

// Collects the texts of information boxes for the life of a test.
class MessageLog {
 public:
  MessageLog() {
    old_ = SetMessageHandler([this](const std::string& text, TMsgDlgType type) {
      texts.push_back(text);
      types.push_back(type);
      return int(mrOk);
    });
  }
  ~MessageLog() { SetMessageHandler(old_); }
  std::vector<std::string> texts;
  std::vector<TMsgDlgType> types;

 private:
  TMessageHandler old_;
};

}  // namespace

TEST(ChartSharing, RefusalsAreReportedAndChangeNothing) {
  MessageLog log;
  ProbeChart owner, self;
  self.SetUseDataOf(&self);
  ASSERT_EQ(log.texts.size(), 1u);
  EXPECT_EQ(log.texts[0], "RChart: Cannot share data with myself");
  EXPECT_EQ(log.types[0], mtInformation);
  EXPECT_EQ(self.UseDataOf(), nullptr);

  std::vector<std::unique_ptr<ProbeChart>> users;
  for (int i = 0; i < 5; ++i) {
    users.push_back(std::make_unique<ProbeChart>());
    users.back()->SetUseDataOf(&owner);
  }
  EXPECT_EQ(owner.DataUsersNum(), 4);
  ASSERT_EQ(log.texts.size(), 2u);
  EXPECT_EQ(log.texts[1], "RChart: Max. number of data shares exceeded");
  EXPECT_EQ(users[4]->UseDataOf(), nullptr);

  ProbeChart other;
  owner.SetUseDataOf(&other);
  ASSERT_EQ(log.texts.size(), 3u);
  EXPECT_EQ(log.texts[2], "RChart: Cannot use foreign data. Other RCharts are using my own data.");
  EXPECT_EQ(owner.UseDataOf(), nullptr);
}

TEST(ChartSharing, ChartsOfAShareSeeTheSameItems) {
  ProbeChart a, b, c;
  a.MoveTo(1.0, 1.0);
  b.MoveTo(9.0, 9.0);
  b.MoveTo(9.0, 9.0);
  b.SetUseDataOf(&a);
  EXPECT_EQ(b.NumItems(), 1);
  EXPECT_EQ(b.ItemCount(tkMoveTo), 1);
  b.DrawTo(2.0, 2.0);
  EXPECT_EQ(a.NumItems(), 2);
  EXPECT_EQ(b.NumItems(), 2);
  EXPECT_EQ(a.DataContainer(1).x, 2.0);
  EXPECT_EQ(a.ItemCount(tkLineto), 1);

  // C asks for B's data and gets A's.
  c.SetUseDataOf(&b);
  EXPECT_EQ(c.UseDataOf(), &a);
  EXPECT_EQ(a.DataUsersNum(), 2);
  EXPECT_EQ(a.DataUsers(2), &c);
  a.RemoveItem(0);
  EXPECT_EQ(c.NumItems(), 1);
  EXPECT_EQ(b.TypeOfFirstItem(), tkLineto);
  c.ClearGraf();
  EXPECT_EQ(a.NumItems(), 0);
  EXPECT_EQ(b.NumItems(), 0);
  // Asking again for a chart of the same share changes nothing.
  b.SetUseDataOf(&c);
  EXPECT_EQ(a.DataUsersNum(), 2);
}

TEST(ChartSharing, UserWithSmallCapacityGrowsTheSharedArraySafely) {
  ProbeChart a, b;
  for (int i = 0; i < 1500; ++i) a.DrawTo(double(i), 0.0);
  b.SetUseDataOf(&a);
  for (int i = 0; i < 1200; ++i) b.DrawTo(double(i), 1.0);
  EXPECT_EQ(a.NumItems(), 2700);
  EXPECT_GE(a.DataLength(), 2700u);
  EXPECT_EQ(a.DataContainer(2699).y, 1.0);
  EXPECT_EQ(a.DataContainer(1499).y, 0.0);
}

TEST(ChartSharing, LeavingTakesACopy) {
  ProbeChart a, b;
  a.MoveTo(1.0, 1.0);
  b.SetUseDataOf(&a);
  b.SetUseDataOf(nullptr);
  EXPECT_EQ(a.DataUsersNum(), 0);
  EXPECT_NE(a.DataArray(), b.DataArray());
  EXPECT_EQ(b.NumItems(), 1);
  b.DrawTo(5.0, 5.0);
  b.SetItemParams(0, b.DataContainer(1));
  EXPECT_EQ(a.NumItems(), 1);
  EXPECT_EQ(a.DataContainer(0).x, 1.0);
}

TEST(ChartSharing, DestroyingOwnerOrUserLeavesOthersConsistent) {
  auto a = std::make_unique<ProbeChart>();
  auto b = std::make_unique<ProbeChart>();
  auto c = std::make_unique<ProbeChart>();
  a->MoveTo(1.0, 1.0);
  b->SetUseDataOf(a.get());
  c->SetUseDataOf(a.get());
  b.reset();
  EXPECT_EQ(a->DataUsersNum(), 1);
  EXPECT_EQ(a->DataUsers(1), c.get());
  a->DrawTo(2.0, 2.0);
  EXPECT_EQ(c->NumItems(), 2);
  a.reset();
  EXPECT_EQ(c->UseDataOf(), nullptr);
  EXPECT_EQ(c->NumItems(), 2);
  c->DrawTo(3.0, 3.0);
  EXPECT_EQ(c->DataContainer(2).x, 3.0);
}

TEST(ChartSharing, OwnerLoadingOrAssigningUpdatesItsUsers) {
  ProbeChart a, b, src;
  b.SetUseDataOf(&a);
  for (int i = 0; i < 3; ++i) src.MarkAt(double(i), 0.0, 1);
  a.Assign(&src);
  EXPECT_EQ(b.NumItems(), 3);
  EXPECT_EQ(b.DataContainer(2).x, 2.0);
  EXPECT_EQ(a.DataUsersNum(), 1);
}

}  // namespace zyr::test
