// Texts and wire layouts of the group, contact and callback real-time records.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pack_bytes.h"
#include <statclient/statclient.h>

namespace {

template <class T> T RoundTrip(const T &value) {
  T decoded;
  EXPECT_EQ(UnpackInto(Packed(value), decoded), 0u);
  return decoded;
}

TEST(GroupRealTimeRecord, RendersEveryCountInPackOrder) {
  TEventDataGroupRealTime record;
  record.VG = 12;
  record.BU = 3;
  EXPECT_EQ(record.ToString(),
            "{VG:12, BU:3, LoggedOnUsers:0, IdleUsers:0, AwayUsers:0, BusyUsers:0, "
            "HndlRoutedUsers:0, HndlDirectOnlyUsers:0, RoutedHndl:0, DirectHndl:0, "
            "PrimWaiting:0, OverWaiting:0, MinLoggedOnCap:0, MinAvailCap:0, MinUnavailCap:0, "
            "MinWorkCap:0, MaxLoggedOnCap:0, MaxAvailCap:0, MaxUnavailCap:0, MaxWorkCap:0}");

  record.IdleUsers = -5;
  record.MaxWorkCap = -2147483647 - 1;
  const TEventDataGroupRealTime decoded = RoundTrip(record);
  EXPECT_EQ(decoded.IdleUsers, -5);
  EXPECT_EQ(decoded.MaxWorkCap, -2147483647 - 1);
  const std::string text = TEventDataGroupRealTime(decoded).ToString();
  EXPECT_NE(text.find(", IdleUsers:-5, "), std::string::npos) << text;
  EXPECT_NE(text.find(", MaxWorkCap:-2147483648}"), std::string::npos) << text;
}

TEST(GroupRealTimeRecord, PacksTwentyLongsInTableOrder) {
  TEventDataGroupRealTime record;
  long *fields[] = {&record.VG,
                    &record.BU,
                    &record.LoggedOnUsers,
                    &record.IdleUsers,
                    &record.AwayUsers,
                    &record.BusyUsers,
                    &record.HndlRoutedUsers,
                    &record.HndlDirectOnlyUsers,
                    &record.RoutedHndl,
                    &record.DirectHndl,
                    &record.PrimWaiting,
                    &record.OverWaiting,
                    &record.MinLoggedOnCap,
                    &record.MinAvailCap,
                    &record.MinUnavailCap,
                    &record.MinWorkCap,
                    &record.MaxLoggedOnCap,
                    &record.MaxAvailCap,
                    &record.MaxUnavailCap,
                    &record.MaxWorkCap};
  TPack expected(1);
  expected << 2;
  for (int copy = 0; copy < 2; ++copy) {
    for (int i = 0; i < 20; ++i)
      expected << static_cast<long>(i + 1);
  }
  for (int i = 0; i < 20; ++i)
    *fields[i] = i + 1;

  TGroupRealTimeEvent event;
  for (int copy = 0; copy < 2; ++copy) {
    auto *added = new (__LINE__, "event_realtime_test", nullptr) TEventDataGroupRealTime(record);
    TMemory::MemReg(__LINE__, "event_realtime_test", added, sizeof(*added));
    event.EventDataList.push_back(added);
  }
  EXPECT_EQ(Packed(event), Contents(expected));
  EXPECT_EQ(event.Size(), 4u + 2u * 20u * 4u);
}

TEST(ContactRealTimeRecord, DefaultRendering) {
  TEventDataContactRealTime record;
  EXPECT_EQ(record.ToString(), "{CID:, REQC:0, QK:0, MT:None, State:Invalid, TimeInState:0, "
                               "WaitTime:0, Priority:0, VG:0, ResvdAK:0, BU:0, Src:, Dest:, "
                               "Desc:}");
}

TEST(ContactRealTimeRecord, PacksDestBeforeSrcAndRendersItAfter) {
  TEventDataContactRealTime record;
  record.State = TCMState::CONTACT_QUEUED;
  record.QK = 17;
  record.MT = 3;
  record.Priority = 2;
  record.TimeInState = 30;
  record.WaitTime = 40;
  record.VG = 50;
  record.REQC = 60;
  record.ResvdAK = 70;
  record.BU = 80;
  record.CID = "C-1";
  record.Dest = "to";
  record.Src = "from";
  record.Desc = "about";

  TPack expected(1);
  expected << short{2} << short{17} << 3L << short{2} << 30L << 40L << 50L << 60L << 70L << 80L
           << std::string("C-1") << std::string("to") << std::string("from")
           << std::string("about");
  EXPECT_EQ(Packed(record), Contents(expected));

  EXPECT_EQ(record.ToString(), "{CID:C-1, REQC:60, QK:17, MT:Email, State:Queued, "
                               "TimeInState:30, WaitTime:40, Priority:2, VG:50, ResvdAK:70, "
                               "BU:80, Src:from, Dest:to, Desc:about}");
  TEventDataContactRealTime decoded = RoundTrip(record);
  EXPECT_EQ(decoded.ToString(), record.ToString());
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
  EXPECT_NE(text.find(", QK:-32767, MT:MediaType: 9, State:Initial, "), std::string::npos) << text;
  EXPECT_NE(text.find(", Priority:32767, "), std::string::npos) << text;

  record.State = static_cast<TCMState::enContactState>(0x8000);
  EXPECT_EQ(RoundTrip(record).State, -32768);
  EXPECT_NE(RoundTrip(record).ToString().find("State:Unknown"), std::string::npos);
}

TEST(CallbackRealTimeRecord, DefaultRendering) {
  TEventDataCallbackRealTime record;
  EXPECT_EQ(record.ToString(), "{CID:, REQC:0, QK:0, Origin:0, State:Invalid, TimeInState:0, "
                               "WaitTime:0, AttemptStatus:0, AttemptsCount:0, CreatorAK:0, "
                               "LastAK:0, BU:0, CustName:, CustNum:, Desc:}");
}

TEST(CallbackRealTimeRecord, PacksBuFourthAndRendersQkAfterReqc) {
  TEventDataCallbackRealTime record;
  record.REQC = 1;
  record.State = TCMState::CONTACT_SCHEDULED;
  record.Origin = 3;
  record.BU = 4;
  record.QK = 5;
  record.CreatorAK = 6;
  record.AttemptStatus = 7;
  record.LastAK = 8;
  record.AttemptsCount = 9;
  record.TimeInState = 10;
  record.WaitTime = 11;
  record.CID = "cb";
  record.CustName = "Ann";
  record.CustNum = "555";
  record.Desc = "call back";

  TPack expected(1);
  expected << 1L << short{10} << short{3} << 4L << 5L << 6L << 7L << 8L << 9L << 10L << 11L
           << std::string("cb") << std::string("Ann") << std::string("555")
           << std::string("call back");
  EXPECT_EQ(Packed(record), Contents(expected));

  EXPECT_EQ(record.ToString(), "{CID:cb, REQC:1, QK:5, Origin:3, State:Scheduled, "
                               "TimeInState:10, WaitTime:11, AttemptStatus:7, AttemptsCount:9, "
                               "CreatorAK:6, LastAK:8, BU:4, CustName:Ann, CustNum:555, "
                               "Desc:call back}");
  EXPECT_EQ(RoundTrip(record).ToString(), record.ToString());
}

TEST(CallbackRealTimeRecord, OriginKeepsItsLowSixteenBits) {
  TEventDataCallbackRealTime record;
  record.Origin = static_cast<short>(0xFFFE);
  const TEventDataCallbackRealTime decoded = RoundTrip(record);
  EXPECT_EQ(decoded.Origin, -2);
  EXPECT_NE(TEventDataCallbackRealTime(decoded).ToString().find(", Origin:-2, "),
            std::string::npos);
}

} // namespace
