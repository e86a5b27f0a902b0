// The pack's encoding, its failure behaviour on short or hostile input, the time stamp, and the
// pack dump.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <tuple>
#include <unistd.h>

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "support/Spans.h"

namespace {

TEST(PackEncoding, FixedWidthLittleEndianAndWideLongsWrap) {
  TTimeStamp stamp(1);
  stamp.SetYear(2026);
  stamp.SetMSecond(999);
  stamp.SetDaylightSaving(1);
  const auto bytes = PackedBytes([&](TPack &p) {
    p << true << static_cast<short>(-2) << static_cast<unsigned short>(0xBEEF) << -3 << 0x01020304u
      << -5L << 0xFFFFFFFFUL << 1.5f << std::string("ab") << stamp;
  });
  const std::vector<unsigned char> expected = {
      0x01, 0xFE, 0xFF, 0xEF, 0xBE, 0xFD, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02,
      0x01, 0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xC0,
      0x3F, 0x02, 0x00, 0x00, 0x00, 'a',  'b',  0xEA, 0x07, 0,    0,    0,
      0,    0,    0,    0,    0,    0,    0,    0xE7, 0x03, 0x01};
  EXPECT_EQ(bytes, expected);

  // Strings, stamps, floats and the other widths read back in every record's round trip; here
  // wide longs wrap to their low 32 bits (sign-extended for `long`) and any non-zero byte is
  // true.
  TPack pack(1);
  pack << static_cast<short>(-32768) << 0x1'8000'0001L << 0x1'0000'0002UL;
  short s = 0;
  long l = 0;
  unsigned long ul = 0;
  pack >> s >> l >> ul;
  EXPECT_EQ(std::make_tuple(s, l, ul), std::make_tuple(short(-32768), -2147483647L, 2UL));
  EXPECT_EQ(pack.Length(), 0u);

  unsigned char flags[] = {0x00, 0x02};
  TPack bools(flags, sizeof flags);
  bool a = true, b = false;
  bools >> a >> b;
  EXPECT_EQ(std::make_pair(a, b), std::make_pair(false, true));
}

TEST(PackFailures, ShortReadsConsumeNothingAndWritesNeverOverflow) {
  unsigned char bytes[] = {1, 2, 3};
  TPack pack(bytes, sizeof bytes);
  int value = 7;
  std::string text = "kept";
  TTimeStamp stamp(1);
  EXPECT_THROW(pack >> value, TPackError);
  EXPECT_THROW(pack >> text, TPackError); // its count is short
  EXPECT_THROW(pack >> stamp, TPackError);
  EXPECT_THROW(pack.Behead(4), TPackError);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(pack.Length(), 3u);
  short s = 0;
  pack >> s;
  EXPECT_EQ(s, 0x0201);

  // The exception is the framework's, and says where the read would have started.
  try {
    pack >> value;
    FAIL();
  } catch (const TPackError &error) {
    EXPECT_STREQ(error.what(), "TPack: short read: needs 4 bytes, has 1 at offset 2");
    EXPECT_EQ(error.Offset(), 2u);
  }

  // A string count of 4 GiB - 1 backed by two bytes.
  unsigned char hostile[] = {0xFF, 0xFF, 0xFF, 0xFF, 'x', 'y'};
  TPack counted(hostile, sizeof hostile);
  EXPECT_THROW(counted >> text, TPackError);
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(counted.Length(), sizeof hostile);

  // Writing never overflows a caller's buffer, nor writes into a received one.
  unsigned char buffer[6] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
  TPack caller(1);
  caller.SetBuffer(buffer, 5);
  caller << 1;
  EXPECT_THROW(caller << 2, TPackError);
  EXPECT_THROW(caller << std::string(), TPackError);
  caller << true;
  EXPECT_THROW(caller << true, TPackError);
  EXPECT_EQ(caller.Length(), 5u);
  EXPECT_EQ(caller.BufferSizeRequired(), 5u);
  EXPECT_EQ(buffer[5], 0xAA);
  EXPECT_EQ(buffer[4], 0x01);

  TPack received(buffer, sizeof buffer);
  EXPECT_THROW(received << 1, TPackError);
}

// The renderings in every record's text; a duration's days add without calendar rules and wrap
// at 16 bits, and a day or more shows only in the day field.
TEST(TimeStamp, RenderingsAndDurationDays) {
  TTimeStamp now(0), zeroed(0), instant = Span(6, 5, 4, 3, 21), days(1);
  EXPECT_GE(now.GetYear(), 2024);
  zeroed.Update(1);
  instant.SetYear(2026);
  instant.SetMonth(12);
  days.AddDays(24855); // 2^31 - 1 seconds is 24855 days and some
  days.SetHour(1);
  EXPECT_EQ(days.GetDay(), 24855);
  const std::vector<std::string> texts = {
      zeroed.GetDateTime(1, '/', ':', '.'), instant.GetTime(0, ':', '.'),
      instant.GetDateTime(0, '-', '.', ','), days.GetTime(1, ':', '.')};
  EXPECT_EQ(texts, (std::vector<std::string>{"0000/00/00 00:00:00.000", "05:04:03",
                                             "2026-12-06 05.04.03", "01:00:00.000"}));
  days.AddDays(-24856);
  EXPECT_EQ(days.GetDay(), 65535);
}

// The dump shows the four counters of each mode. Dumps append; a path that cannot be opened is
// ignored.
TEST(PackDump, CountersThenTheWrittenBytesInLinesOfTwenty) {
  char pattern[] = "/tmp/statclient-dump-XXXXXX";
  const int fd = mkstemp(pattern);
  ASSERT_GE(fd, 0);
  close(fd);
  const auto fill = [](TPack &pack, int count) {
    for (int i = 0; i < count; ++i)
      pack.Append(&i, 1);
  };
  TPack owning(1);
  fill(owning, 25);
  owning.DumpContentsToFile("/nonexistent-dir/sub/dump.txt");
  owning.DumpContentsToFile(nullptr);
  owning.Behead(3); // the dump shows the whole buffer whatever has been read
  owning.DumpContentsToFile(pattern);
  unsigned char buffer[16];
  TPack caller(1);
  caller.SetBuffer(buffer, sizeof buffer);
  fill(caller, 10);
  caller.DumpContentsToFile(pattern);
  TPack counting(0); // counts only, and allocates nothing
  counting << std::string(1000, 'x') << 1 << static_cast<short>(2);
  EXPECT_EQ(counting.Buffer(), nullptr);
  counting.DumpContentsToFile(pattern);
  TPack nothingWritten(1);
  nothingWritten.SetBuffer(buffer, 8);
  nothingWritten.DumpContentsToFile(pattern);

  std::stringstream text;
  text << std::ifstream(pattern).rdbuf();
  std::remove(pattern);
  EXPECT_EQ(text.str(),
            "Dumping contents of TPack object.\n"
            "START = 3, NEXT = 25, NEEDED = 25, BUFFER SIZE = 64\n"
            "\n"
            "       0 :   00 01 02 03 04 05 06 07 08 09 | 0a 0b 0c 0d 0e 0f 10 11 12 13\n"
            "      20 :   14 15 16 17 18\n"
            "\n\n"
            "Dumping contents of TPack object.\n"
            "START = 0, NEXT = 10, NEEDED = 10, BUFFER SIZE = 16\n"
            "\n"
            "       0 :   00 01 02 03 04 05 06 07 08 09 |\n"
            "\n\n"
            "Dumping contents of TPack object.\n"
            "START = 0, NEXT = 0, NEEDED = 1010, BUFFER SIZE = 0\n"
            "Package is empty!\n"
            "Dumping contents of TPack object.\n"
            "START = 0, NEXT = 0, NEEDED = 0, BUFFER SIZE = 8\n"
            "\n\n\n");
}

} // namespace
