// Text and wire layout of the user cumulative row, and raw contact types in its contact-type rows
// (whose layout is in the fixed-width row suite).
#include <string>

#include <gtest/gtest.h>

#include "event_cases.h"

namespace {

const std::string kZero = TTimeStamp(1).GetTime(1, ':', '.');

TEventDataUserCumulative UserRow() {
  TEventDataUserCumulative row;
  Distinct(0, row.AK, row.DeptK, row.Loc, row.SiteK, row.BU, row.BusyCount);
  row.AddBusyCount = -7;
  row.BusyTime = Span(1, 1, 1, 1, 5);
  row.AwayCount = 8;
  row.IdleCount = 10;
  row.OtherCount = 12;
  row.IdleTime = Span(0, 0, 0, 11, 0);
  row.LogonTime = Span(0, 2, 0, 0, 0);
  row.FirstLogonMedia = 1;
  row.LastLogoffMedia = 9;
  row.FirstLogonGMT = Span(5, 6, 7, 8, 9);
  row.FirstLogonGMT.SetYear(2024);
  row.FirstLogonGMT.SetMonth(3);
  Distinct(0, row.MaxActiveContacts[0], row.MaxActiveContacts[1], row.MaxActiveContacts[2],
           row.MaxActiveContacts[3], row.MaxActiveContacts[4], row.MaxActiveContacts[5]);
  row.PeriodStamp = Span(0, 3, 0, 0, 0);
  row.PeriodTime = 15;
  return row;
}

TEST(UserCumulativeText, UserRowSwapsTheThirdAndFourthMaxActiveContacts) {
  EXPECT_EQ(TEventDataUserCumulative().ToString(),
            "{AK:0, DeptK:0, Loc:0, SiteK:0, BU:0, IdleCount:0, IdleTime:" + kZero +
                ", AwayCount:0, AwayTime:" + kZero + ", BusyCount:0, BusyTime:" + kZero +
                ", AddBusyCount:0, OtherCount:0, OtherTime:" + kZero + ", LogonTime:" + kZero +
                ", PeriodTime:0, FirstLogonMedia:None, FirstLogonGMT:0000/00/00 " + kZero +
                ", LastLogoffMedia:None, LastLogoffGMT:0000/00/00 " + kZero +
                ", MaxActiveContacts[All,V,CB,EM,WC,OM]:[0,0,0,0,0,0]}");
  TEventDataUserCumulative row = UserRow();
  row.ContactTypeStatistics = {ContactTypeRow(1)};
  EXPECT_EQ(row.ToString(),
            "{AK:1, DeptK:2, Loc:3, SiteK:4, BU:5, IdleCount:10, IdleTime:00:00:11.000, "
            "AwayCount:8, AwayTime:" +
                kZero + ", BusyCount:6, BusyTime:01:01:01.005, AddBusyCount:-7, OtherCount:12, " +
                "OtherTime:" + kZero +
                ", LogonTime:02:00:00.000, PeriodTime:15, FirstLogonMedia:Voice, "
                "FirstLogonGMT:2024/03/05 06:07:08.009, LastLogoffMedia:MediaType: 9, "
                "LastLogoffGMT:0000/00/00 " +
                kZero + ", MaxActiveContacts[All,V,CB,EM,WC,OM]:[1,2,4,3,5,6]}");
}

// A contact type outside the table travels unchanged and shows as invalid.
TEST(UserCumulativeWire, ContactTypeRowKeepsAnyContactType) {
  for (int ct : {12, -1}) {
    TEventDataUserContactTypeStatistics row = ContactTypeRow(0);
    row.CT = static_cast<enContactType>(ct);
    TEventDataUserContactTypeStatistics decoded;
    EXPECT_EQ(UnpackInto(Packed(row), decoded), 0u);
    EXPECT_EQ(decoded.CT, ct);
    EXPECT_EQ(decoded.ToString().substr(0, 12), "{CT:Invalid,");
  }
  // A contact type cut short keeps its value and leaves the bytes where they were.
  TEventDataUserContactTypeStatistics cut;
  cut.CT = CONTACTTYPE_ROUTEDWEB;
  Bytes three = {1, 0, 0};
  TPack pack(three.data(), 3);
  EXPECT_THROW(pack >> cut, TPackError);
  EXPECT_EQ(cut.CT, CONTACTTYPE_ROUTEDWEB);
  EXPECT_EQ(pack.Length(), 3u);
}

TEST(UserCumulativeWire, AddBusyCountTravelsBeforeBusyTimeAndTheRowsAfterPeriodTime) {
  const TEventDataUserCumulative row = UserRow();
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([&](TPack &p) {
              p << 1L << 2L << 3L << 4L << 5L << 6L << static_cast<short>(-7);
              PackSpan(p, 90061, 5);
              p << 8L;
              PackSpan(p, 0);
              p << 10L;
              PackSpan(p, 11);
              p << 12L;
              PackSpan(p, 0);
              PackSpan(p, 7200);
              p << 1L << 9L << row.FirstLogonGMT << TTimeStamp(1);
              for (short value = 1; value <= 6; ++value)
                p << value;
              p << row.PeriodStamp << static_cast<short>(15) << 0;
            }));

  TEventDataUserCumulative decoded;
  decoded.ContactTypeStatistics = {ContactTypeRow(1), ContactTypeRow(2)};
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_TRUE(decoded.ContactTypeStatistics.empty());
  EXPECT_EQ(decoded.PeriodStamp, row.PeriodStamp);
}

} // namespace
