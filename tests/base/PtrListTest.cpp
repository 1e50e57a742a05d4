#include <gtest/gtest.h>

#include <vector>
#include "base/IPtrList.h"

using ifx::IPtrList;

namespace {

struct Base
{
  virtual ~Base() = default;
};

struct Tracked : Base
{
  Tracked(int i, std::vector<int>& log, IPtrList<Base>* list = nullptr)
    : id(i), deleted(log), owner(list) {}
  ~Tracked() override
  {
    deleted.push_back(id);
    if (owner)
      sizeAtDeletion.push_back(owner->GetSize());
  }
  int id;
  std::vector<int>& deleted;
  IPtrList<Base>* owner;
  static std::vector<int> sizeAtDeletion;
};
std::vector<int> Tracked::sizeAtDeletion;

} // namespace

TEST(PtrList, AddGetAndBounds)
{
  IPtrList<int> list;
  int a = 1, b = 2, c = 3;
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.Add(&a), &a);
  list.Add(&b);
  list.Add(&c);
  EXPECT_EQ(list.GetSize(), 3);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(2), &c);
  EXPECT_EQ(list.Get(3), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Find(&b), 1);

  list.Delete(0);
  EXPECT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(0), &b);
  list.Insert(1, &a);
  EXPECT_EQ(list.Get(1), &a);
  EXPECT_EQ(list.Get(2), &c);
  list.Delete(7);
  EXPECT_EQ(list.GetSize(), 3);
  list.Empty();
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_EQ(list.Find(&a), -1);
}

TEST(PtrList, EmptyDeletesLastFirstThroughVirtualDestructor)
{
  std::vector<int> deleted;
  Tracked::sizeAtDeletion.clear();
  IPtrList<Base> list;
  for (int i = 0; i < 4; ++i)
    list.Add(new Tracked(i, deleted, &list));
  list.Empty(true);
  EXPECT_EQ(deleted, (std::vector<int>{3, 2, 1, 0}));
  // Each element has already left the list when it is deleted.
  EXPECT_EQ(Tracked::sizeAtDeletion, (std::vector<int>{3, 2, 1, 0}));
  EXPECT_EQ(list.GetSize(), 0);
}

TEST(PtrList, EmptyWithoutDeletionLeavesElements)
{
  std::vector<int> deleted;
  Tracked kept(9, deleted);
  IPtrList<Base> list;
  list.Add(&kept);
  list.Empty(false);
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(list.GetSize(), 0);

  list.Add(new Tracked(1, deleted));
  list.Delete(0, true);
  EXPECT_EQ(deleted, (std::vector<int>{1}));
}

TEST(PtrList, ManyEntriesGrowAcrossPages)
{
  IPtrList<int> list;
  std::vector<int> values(5000);
  for (int& v : values)
    ASSERT_EQ(list.Add(&v), &v);
  EXPECT_EQ(list.GetSize(), 5000);
  for (int i = 0; i < 5000; i += 499)
    EXPECT_EQ(list.Get(i), &values[i]);
}
