// Texts and wire layouts of the contact and callback real-time records.
#include <string>

#include <gtest/gtest.h>

#include "event_cases.h"

namespace {

template <class T> T RoundTrip(const T &value) {
  T decoded;
  EXPECT_EQ(UnpackInto(Packed(value), decoded), 0u);
  return decoded;
}

bool Contains(const std::string &text, const std::string &part) {
  return text.find(part) != std::string::npos;
}

TEST(ContactRealTimeRecord, PacksDestBeforeSrcAndRendersItAfter) {
  TEventDataContactRealTime record;
  EXPECT_EQ(record.ToString(), "{CID:, REQC:0, QK:0, MT:None, State:Invalid, TimeInState:0, "
                               "WaitTime:0, Priority:0, VG:0, ResvdAK:0, BU:0, Src:, Dest:, "
                               "Desc:}");
  record.State = TCMState::CONTACT_QUEUED;
  record.QK = 17;
  record.MT = 3;
  record.Priority = 2;
  Distinct(1, record.TimeInState, record.WaitTime, record.VG, record.REQC, record.ResvdAK,
           record.BU);
  Distinct(0, record.CID, record.Dest, record.Src, record.Desc);
  EXPECT_EQ(Packed(record), PackedBytes([](TPack &p) {
              p << short{2} << short{17} << 3L << short{2} << 101L << 102L << 103L << 104L << 105L
                << 106L << std::string("a0") << std::string("b0") << std::string("c0")
                << std::string("d0");
            }));
  EXPECT_EQ(record.ToString(), "{CID:a0, REQC:104, QK:17, MT:Email, State:Queued, "
                               "TimeInState:101, WaitTime:102, Priority:2, VG:103, ResvdAK:105, "
                               "BU:106, Src:c0, Dest:b0, Desc:d0}");
}

TEST(ContactRealTimeRecord, SixteenBitFieldsKeepTheirLowBits) {
  TEventDataContactRealTime record;
  record.QK = static_cast<short>(0x18001);      // bit 15 set: -32767
  record.Priority = static_cast<short>(0x7FFF); // the largest int16
  record.MT = 9;
  record.State = static_cast<TCMState::enContactState>(0x2FFFF); // low 16 bits: -1
  TEventDataContactRealTime decoded = RoundTrip(record);
  EXPECT_EQ(decoded.QK, -32767);
  EXPECT_EQ(decoded.Priority, 32767);
  EXPECT_EQ(decoded.State, TCMState::CONTACT_INITIAL);
  const std::string text = decoded.ToString();
  EXPECT_TRUE(Contains(text, ", QK:-32767, MT:MediaType: 9, State:Initial, ")) << text;
  EXPECT_TRUE(Contains(text, ", Priority:32767, ")) << text;
}

TEST(CallbackRealTimeRecord, PacksBuFourthAndRendersQkAfterReqc) {
  TEventDataCallbackRealTime record;
  EXPECT_EQ(record.ToString(), "{CID:, REQC:0, QK:0, Origin:0, State:Invalid, TimeInState:0, "
                               "WaitTime:0, AttemptStatus:0, AttemptsCount:0, CreatorAK:0, "
                               "LastAK:0, BU:0, CustName:, CustNum:, Desc:}");
  record.State = TCMState::CONTACT_SCHEDULED;
  record.Origin = 3;
  Distinct(0, record.REQC, record.BU, record.QK, record.CreatorAK, record.AttemptStatus,
           record.LastAK, record.AttemptsCount, record.TimeInState, record.WaitTime);
  Distinct(0, record.CID, record.CustName, record.CustNum, record.Desc);
  EXPECT_EQ(Packed(record), PackedBytes([](TPack &p) {
              p << 1L << short{10} << short{3} << 2L << 3L << 4L << 5L << 6L << 7L << 8L << 9L
                << std::string("a0") << std::string("b0") << std::string("c0") << std::string("d0");
            }));
  EXPECT_EQ(record.ToString(), "{CID:a0, REQC:1, QK:3, Origin:3, State:Scheduled, "
                               "TimeInState:8, WaitTime:9, AttemptStatus:5, AttemptsCount:7, "
                               "CreatorAK:4, LastAK:6, BU:2, CustName:b0, CustNum:c0, Desc:d0}");

  record.Origin = static_cast<short>(0xFFFE);
  const TEventDataCallbackRealTime decoded = RoundTrip(record);
  EXPECT_EQ(decoded.Origin, -2);
  EXPECT_TRUE(Contains(TEventDataCallbackRealTime(decoded).ToString(), ", Origin:-2, "));
}

} // namespace
