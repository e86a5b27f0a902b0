// The contact state with its wire form, and the name tables of the text renderings.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <statclient/statclient.h>

namespace {

TEST(ContactStateNames, CoverMinusOneToThirteenAndNothingElse) {
  const std::vector<std::string> names = {
      "Initial",        "Invalid",          "Processing",
      "Queued",         "Pending",          "Reserved",
      "Handled",        "Deferred",         "ExternalEmailConsult",
      "MediaSuspended", "Unanswered",       "Scheduled",
      "IVRSuspended",   "NetworkSuspended", "PostProcessing"};
  for (int value = -1; value <= 13; ++value)
    EXPECT_EQ(TCMState::ToString(static_cast<TCMState::enContactState>(value)),
              names[static_cast<std::size_t>(value + 1)]);
  for (int value : {-2, 14, 0x10000, -2147483647 - 1})
    EXPECT_EQ(TCMState::ToString(static_cast<TCMState::enContactState>(value)), "Unknown") << value;
}

TEST(ContactStateWire, IsOneSignExtendedInt16) {
  struct Case {
    int stored;
    short wire;
    int decoded;
  };
  for (const Case &c : {Case{-1, -1, -1}, Case{13, 13, 13}, Case{0x12345, 0x2345, 0x2345},
                        Case{0x8000, -32768, -32768}, Case{0x1FFFF, -1, -1}}) {
    const auto state = static_cast<TCMState::enContactState>(c.stored);
    TPack packed(1);
    packed << state;
    TPack expected(1);
    expected << c.wire;
    ASSERT_EQ(packed.Length(), 2u);
    EXPECT_EQ(std::memcmp(packed.Contents(), expected.Contents(), 2), 0) << c.stored;

    TPack reader(packed.Contents(), packed.Length());
    TCMState::enContactState decoded = TCMState::CONTACT_HANDLED;
    reader >> decoded;
    EXPECT_EQ(static_cast<int>(decoded), c.decoded) << c.stored;
  }

  unsigned char oneByte = 7;
  TPack shortRead(&oneByte, 1);
  TCMState::enContactState untouched = TCMState::CONTACT_HANDLED;
  EXPECT_THROW(shortRead >> untouched, TPackError);
  EXPECT_EQ(untouched, TCMState::CONTACT_HANDLED);
}

TEST(NameTables, OddSpellingsAndEdges) {
  EXPECT_EQ(MediaStateToString(3), "Do Not Distrub");
  EXPECT_EQ(MediaStateToString(0), "Logoff");
  EXPECT_EQ(MediaStateToString(4), "Unknown");
  EXPECT_EQ(CSMTypeToString(2), "BargeIn");
  EXPECT_EQ(CSMTypeToString(3), "Continuous Silent Monitoring");
  EXPECT_EQ(ContactTypeToString(7), "Direct Outgoing Email");
  EXPECT_EQ(ContactTypeToString(10), "Routed OpenMedia");
  EXPECT_EQ(ContactTypeToString(11), "Direct Outgoing OpenMedia");
  EXPECT_EQ(HandlingStateToString(7), "OnHold");
  EXPECT_EQ(HandlingStateToString(11), "Unknown");
  EXPECT_EQ(MediaTypeToString(4), "Web Chat");
  EXPECT_EQ(MediaTypeToString(5), "OpenMedia");
}

TEST(NameTables, ValuesOutsideATableFallBack) {
  for (int value : {-1, 5, 1000})
    EXPECT_EQ(MediaStateToString(value), "Invalid") << value;
  for (int value : {-1, 4})
    EXPECT_EQ(CSMTypeToString(value), "Invalid") << value;
  for (int value : {-1, 12})
    EXPECT_EQ(ContactTypeToString(value), "Invalid") << value;
  for (int value : {-1, 12})
    EXPECT_EQ(HandlingStateToString(value), "Invalid") << value;
  EXPECT_EQ(MediaTypeToString(9), "MediaType: 9");
  EXPECT_EQ(MediaTypeToString(6), "MediaType: 6");
  EXPECT_EQ(MediaTypeToString(-3), "MediaType: -3");
  EXPECT_EQ(MediaTypeToString(-2147483647 - 1), "MediaType: -2147483648");
}

} // namespace
