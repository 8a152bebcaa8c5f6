// The library's pointer list: what owners are told, what is freed, and that a failing call leaves
// the container as it was.
#include <gtest/gtest.h>

#include "gui/ui/pointer_list.h"

namespace kvt::gui {
namespace {

struct Tracked {
    explicit Tracked(std::vector<int>* freed, int id) : freed(freed), id(id) {}
    ~Tracked() { freed->push_back(id); }
    std::vector<int>* freed;
    int id;
};

int gA, gB, gC, gD;
void* A = &gA;
void* B = &gB;
void* C = &gC;
void* D = &gD;

TEST(ElList, InsertGetPutAndRangeChecks) {
    std::vector<void*> told;  // outlives the list, which tells it of its items when destroyed
    TElList list;
    list.OnDeleteItem = [&](TElList*, void* item) { told.push_back(item); };
    EXPECT_EQ(list.Add(A), 0);
    EXPECT_EQ(list.Add(B), 1);
    list.Insert(2, C);  // at Count appends
    EXPECT_EQ(list.Get(2), C);
    EXPECT_THROW(list.Insert(4, D), EElListError);
    EXPECT_THROW(list.Get(3), EElListError);
    EXPECT_THROW(list.Get(-1), EElListError);
    EXPECT_EQ(list.Count(), 3);

    list.Put(1, B);  // same item: nobody is told it left
    EXPECT_TRUE(told.empty());
    list.Put(1, D);
    EXPECT_EQ(told, (std::vector<void*>{B}));
    list.Put(1, nullptr);
    list.Put(1, B);  // over a nil slot: no event
    EXPECT_EQ(told.size(), 2u);
    EXPECT_EQ(told.back(), D);

    EXPECT_EQ(list.Remove(D), -1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Remove(B), 1);
    EXPECT_EQ(list.IndexOf(C), 1);
    EXPECT_EQ(list.Last(), C);
    TElList empty;
    EXPECT_EQ(empty.Last(), nullptr);
    try {
        list.Get(7);
        FAIL();
    } catch (const EElListError& e) {
        EXPECT_STREQ(e.what(), "List index [7] out of bounds...");
    }
}

TEST(ElList, DeleteRangeValidatesBothEndsBeforeTellingAnyone) {
    std::vector<void*> told;
    TElList list;
    for (void* p : {A, B, C, D}) list.Add(p);
    list.OnDeleteItem = [&](TElList*, void* item) { told.push_back(item); };
    EXPECT_THROW(list.DeleteRange(1, 9), EElListError);
    EXPECT_THROW(list.DeleteRange(2, 1), EElListError);
    EXPECT_THROW(list.DeleteRange(-1, 1), EElListError);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(list.Count(), 4);
    list.DeleteRange(1, 2);
    EXPECT_EQ(told, (std::vector<void*>{B, C}));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(1), D);
}

TEST(ElList, OwningListFreesOnDeleteClearAndShrinkButNotOnRemove) {
    std::vector<int> freed;
    std::vector<std::string> order;
    auto* list = new TElList;
    list->SetAutoFreeItems(true, &TElList::DeleteAs<Tracked>);
    list->OnDeleteItem = [&](TElList*, void* item) {
        order.push_back("told " + std::to_string(static_cast<Tracked*>(item)->id));
    };
    Tracked* items[6];
    for (int i = 0; i < 6; ++i) list->Add(items[i] = new Tracked(&freed, i));
    list->Delete(0);
    EXPECT_EQ(freed, (std::vector<int>{0}));
    list->Remove(items[1]);  // leaves the list, stays alive
    EXPECT_EQ(freed.size(), 1u);
    delete items[1];
    freed.clear();
    order.clear();
    list->SetCount(2);  // drops items 4 and 5, which must not leak
    EXPECT_EQ(freed, (std::vector<int>{4, 5}));
    EXPECT_TRUE(order.empty());  // a shortened count tells no delete event
    freed.clear();
    list->Clear();
    EXPECT_EQ(freed, (std::vector<int>{2, 3}));
    EXPECT_EQ(order, (std::vector<std::string>{"told 2", "told 3"}));  // all told before any freed
    delete list;
}

TEST(ElList, RefusesBadSizesAndAListThatOwnsNothingForgetsItsSlots) {
    TElList list;
    list.Add(A);
    EXPECT_THROW(list.SetCapacity(0), EElListError);
    EXPECT_THROW(list.SetCount(-1), EElListError);
    EXPECT_THROW(list.SetCount(TElList::kMaxListSize), EElListError);
    list.SetCount(300);
    EXPECT_EQ(list.Get(299), nullptr);
    TElList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Count(), 300);
    EXPECT_EQ(copy.Get(0), A);
    int told = 0;
    list.OnDeleteItem = [&](TElList*, void*) { ++told; };
    list.SetCount(250);
    EXPECT_EQ(told, 0);
    EXPECT_EQ(list.Count(), 250);
}

}  // namespace
}  // namespace kvt::gui
