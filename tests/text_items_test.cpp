// A layout whose text is its wire list (TextIsWire) against the same text written out item by
// item, over a record made up for the test: the one-line text, the structured walk and the
// coverage check must not tell them apart.
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/Define.h"
#include "support/Spans.h"

namespace {

struct Row {
  long count = 0;
  long small = 0; // travels as 16 bits
  TTimeStamp span{1};
  float ratio = 0;
  std::string text;
};

// The same fields, with the text written out.
struct ListedRow : Row {};

// The structured walk as one line of text, each value with its kind.
class LogSink : public TFieldSink {
public:
  std::string log;

  void Integer(std::string_view key, long long value) override {
    Add(key, "i" + std::to_string(value));
  }
  void Real(std::string_view key, double value) override { Add(key, "r" + std::to_string(value)); }
  void Boolean(std::string_view key, bool value) override { Add(key, value ? "true" : "false"); }
  void Text(std::string_view key, std::string_view text) override {
    Add(key, "'" + std::string(text) + "'");
  }
  void BeginObject(std::string_view key) override { Add(key, "{"); }
  void BeginArray(std::string_view key) override { Add(key, "["); }
  void EndObject() override { log += "} "; }
  void EndArray() override { log += "] "; }

private:
  void Add(std::string_view key, const std::string &value) {
    log.append(key).append("=").append(value).append(" ");
  }
};

Row Filled() {
  Row row;
  row.count = 101;
  row.small = 70000; // beyond 16 bits: the text shows the member, not its wire form
  row.span = Span(0, 1, 2, 3, 4);
  row.ratio = 0.5F;
  row.text = "a1";
  return row;
}

template <class R> std::string Walked(const R &record) {
  LogSink sink;
  statcore::WalkRecord(record, sink);
  return sink.log;
}

} // namespace

template <> struct statcore::Layout<Row> : statcore::TextIsWire {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, count), FIELD(Short, small), FIELD(Duration, span), FIELD(Float, ratio),
      FIELD(Own, text));
  }
};

template <> struct statcore::Layout<ListedRow> {
  template <class R, class F> static void Wire(R &r, F &&f) { Layout<Row>::Wire(r, f); }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(count)), Show(MEMBER(small)), ShowDuration(MEMBER(span)), Show(MEMBER(ratio)),
      Show(MEMBER(text)));
  }
};

TEST(TextIsWire, RendersAndWalksAsTheWrittenOutList) {
  const Row row = Filled();
  ListedRow listed;
  static_cast<Row &>(listed) = row;

  const std::string text = statcore::RenderLine(row);
  EXPECT_EQ(text, "{count:101, small:70000, span:01:02:03.004, ratio:0.5, text:a1}");
  EXPECT_EQ(text, statcore::RenderLine(listed));
  EXPECT_EQ(statcore::RenderLine(Row()), "{count:0, small:0, span:00:00:00.000, ratio:0, text:}");

  const std::string walked = Walked(row);
  EXPECT_EQ(walked, "count=i101 small=i70000 span='01:02:03.004' ratio=r0.500000 text='a1' ");
  EXPECT_EQ(walked, Walked(listed));

  const statcore::TextCoverage coverage = statcore::CoverageOf<Row>();
  EXPECT_TRUE(coverage.hasText);
  EXPECT_TRUE(coverage.unrendered.empty());
}
