// The error record: its set-bits on the wire, and AErrorRecord::WriteRecord.
#include <gtest/gtest.h>

#include "ContactTestSupport.h"
#include "client/tstAErrorRecord.h"

namespace {

constexpr char kServer[] = "ErrorRecordTestServer";

TEST(ErrorRecord, FlagsTravelAsANumberAheadOfTheFields) {
  TErrorRecord record;
  record.SetModuleName("module");
  record.SetErrorText("text");
  record.SetErrorTime(Stamp(1, 12));
  EXPECT_EQ(Bytes(record), PackedBytes([](TPack &p) {
              p << 224UL << 0 << 0 << 0 << 0 << 0 << Texts{"module", "text"} << Stamp(1, 12);
            }));
  record.SetRetCode(-1);
  record.SetSiteKey(4);
  record.SetOnceLineNumber(3);
  EXPECT_EQ(Bytes(record), PackedBytes([](TPack &p) {
              p << 250UL << 0 << -1 << 0 << 3 << 4 << Texts{"module", "text"} << Stamp(1, 12);
            }));
  EXPECT_EQ(record.Size(), Bytes(record).size());
}

TEST(ErrorRecord, UnpackReplacesTheFlagsWithTheLowEightBits) {
  TErrorRecord record;
  record.SetLineNumber(1);
  UnpackBytes(PackedBytes([](TPack &p) {
                p << 0x321UL << 5 << 6 << 7 << 8 << 9 << Texts{"m", "t"} << Stamp(1, 12);
              }),
              record);
  using Bit = TErrorRecord::SetBit_TErrorRecord;
  for (int bit = 0; bit < 8; ++bit)
    EXPECT_EQ(record.IsSetTErrorRecord(Bit(bit)), bit == 0 || bit == 5) << bit;
  EXPECT_EQ(record.GetSiteKey(), 9);
  // The unpacked bits drive the once-only setters.
  record.SetOnceType(1);
  record.SetOnceLineNumber(1);
  EXPECT_EQ(record.GetType(), 5);
  EXPECT_EQ(record.GetLineNumber(), 1);
  EXPECT_THROW(record.IsSetTErrorRecord(Bit(8)), std::out_of_range);
}

using ErrorRecordRequest = BoundServerTest<kServer>;

TEST_F(ErrorRecordRequest, WriteRecordSendsTheRecordAsObjectOne) {
  AErrorRecord error;
  error.SetModuleName("mod");
  error.SetType(2);
  DiagCapture diag;
  EXPECT_EQ(error.WriteRecord(), 0);
  ExpectRequest(server_.OnlyRequest(), 1, 1, 0, error.Size(), Bytes(error));
  EXPECT_EQ(diag.Texts(),
            (std::vector<std::string>{"AErrorRecord::SendRequest: Sending request - Object = 1"}));

  server_.ReplyWith(TRpcReply{true, 0, 70, {}});
  EXPECT_EQ(error.WriteRecord(), 70);
  EXPECT_EQ(diag.Texts().back(), "AErrorRecord::SendRequest: Error occured - rc = 70");
}

// Unlike the contact requests, the copy takes the proxy part too; assignment still does not.
TEST_F(ErrorRecordRequest, CopyTakesBothPartsAssignmentTheRecordOnly) {
  AErrorRecord source;
  source.SetType(7);
  source.SetIncludeLoggedOffUsers(true);
  const AErrorRecord copy(source);
  EXPECT_EQ(copy.GetType(), 7);
  EXPECT_TRUE(copy.GetIncludeLoggedOffUsers());
  AErrorRecord assigned;
  assigned = source;
  EXPECT_TRUE(assigned.IsSetTErrorRecord(TErrorRecord::BitType));
  EXPECT_FALSE(assigned.GetIncludeLoggedOffUsers());
}

} // namespace
