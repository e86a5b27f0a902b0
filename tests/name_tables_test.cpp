// The contact state names and the name tables of the text renderings.
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include <statclient/statclient.h>

namespace {

// The names `name` gives to `values`, each followed by a comma.
template <class Name> std::string Names(Name name, std::initializer_list<int> values) {
  std::string names;
  for (int value : values)
    names += name(value) + ",";
  return names;
}

TEST(ContactStateNames, CoverMinusOneToThirteenAndNothingElse) {
  const auto name = [](int value) {
    return TCMState::ToString(static_cast<TCMState::enContactState>(value));
  };
  EXPECT_EQ(Names(name, {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}),
            "Unknown,Initial,Invalid,Processing,Queued,Pending,Reserved,Handled,Deferred,"
            "ExternalEmailConsult,MediaSuspended,Unanswered,Scheduled,IVRSuspended,"
            "NetworkSuspended,PostProcessing,Unknown,");
  EXPECT_EQ(Names(name, {0x10000, -2147483647 - 1}), "Unknown,Unknown,");
}

// The odd spellings and the edges of each table, and the fallbacks on either side of it.
TEST(NameTables, OddSpellingsEdgesAndFallbacks) {
  EXPECT_EQ(Names(MediaStateToString, {-1, 0, 3, 4, 5, 1000}),
            "Invalid,Logoff,Do Not Distrub,Unknown,Invalid,Invalid,");
  EXPECT_EQ(Names(CSMTypeToString, {-1, 2, 3, 4}),
            "Invalid,BargeIn,Continuous Silent Monitoring,Invalid,");
  EXPECT_EQ(Names(ContactTypeToString, {-1, 7, 10, 11, 12}),
            "Invalid,Direct Outgoing Email,Routed OpenMedia,Direct Outgoing OpenMedia,Invalid,");
  EXPECT_EQ(Names(HandlingStateToString, {-1, 7, 11, 12}), "Invalid,OnHold,Unknown,Invalid,");
  EXPECT_EQ(Names(MediaTypeToString, {-2147483647 - 1, -3, 4, 5, 6, 9}),
            "MediaType: -2147483648,MediaType: -3,Web Chat,OpenMedia,MediaType: 6,MediaType: 9,");
}

} // namespace
