#include <gtest/gtest.h>

#include "view/relation_list.h"

namespace vellora {
namespace {

TEST(RelationList, LookupIgnoresCaseButNotPartialNames) {
    RelationList friends{L"Bob", L"\u00C4nne", L"club-team: Anna"};
    EXPECT_EQ(FindInList(friends, L"bob"), 0);
    EXPECT_EQ(FindInList(friends, L"BOB"), 0);
    EXPECT_EQ(FindInList(friends, L"\u00E4NNE"), 1);
    EXPECT_EQ(FindInList(friends, L"CLUB-TEAM: ANNA"), 2);
    EXPECT_EQ(FindInList(friends, L"bo"), -1);
    EXPECT_EQ(FindInList(friends, L"bobby"), -1);
    EXPECT_EQ(FindInList({}, L"bob"), -1);
}

TEST(RelationList, StoredValueIsTrimmedAndEmptyPiecesDropped) {
    RelationList list;
    ParseList(L"  a, ,b,,c  ", list);
    EXPECT_EQ(list, (RelationList{L"a", L"b", L"c"}));
    EXPECT_EQ(JoinList(list), L"a,b,c");
    ParseList(L"", list);
    ParseList(L",,,", list);
    EXPECT_EQ(list.size(), 3u);
}

TEST(RelationList, ReadingAddsToTheListAndStopsAtOneHundred) {
    RelationList list{L"first"};
    std::wstring value;
    for (int i = 0; i < 150; ++i) value += L"u" + std::to_wstring(i) + L",";
    ParseList(value, list);
    ASSERT_EQ(list.size(), kMaxListNames);
    EXPECT_EQ(list[0], L"first");
    EXPECT_EQ(list[99], L"u98");
    ParseList(L"late", list);
    EXPECT_EQ(list.size(), kMaxListNames);
}

TEST(RelationList, JoinOfAnEmptyListIsEmpty) { EXPECT_EQ(JoinList({}), L""); }

}  // namespace
}  // namespace vellora
