// The contact state with its wire form, and the name tables of the text renderings.
#include <initializer_list>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include <statclient/statclient.h>

#include "support/Spans.h"

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

// Packing writes the low 16 bits, unpacking sign-extends them; a short read leaves the state.
TEST(ContactStateWire, IsOneSignExtendedInt16) {
  const std::pair<int, short> cases[] = {
      {-1, -1}, {13, 13}, {0x12345, 0x2345}, {0x8000, -32768}, {0x1FFFF, -1}};
  for (const auto &[stored, wire] : cases) {
    const Bytes bytes = Packed(static_cast<TCMState::enContactState>(stored));
    EXPECT_EQ(bytes, Packed(wire)) << stored;
    TCMState::enContactState decoded = TCMState::CONTACT_HANDLED;
    EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
    EXPECT_EQ(decoded, wire) << stored;
  }
  TCMState::enContactState untouched = TCMState::CONTACT_HANDLED;
  EXPECT_THROW(UnpackInto(Bytes{7}, untouched), TPackError);
  EXPECT_EQ(untouched, TCMState::CONTACT_HANDLED);
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
