// Reports an error to the server, which keeps it with the errors of every client.
#include <cstdio>

#include <statclient/statclient.h>
#include <statsim/Simulator.h>

int main() {
  statsim::Simulator simulator("StatisticsServer"); // the server this example talks to
  AStatisticsServer proxy("StatisticsServer", "ExampleClient", "ExampleTask");

  AErrorRecord error;
  error.SetType(1);
  error.SetRetCode(5709);
  error.SetModuleName("write_error_record");
  error.SetErrorText("the example's own error");
  error.SetLineNumber(__LINE__);

  const unsigned short rc = error.WriteRecord();
  std::printf("WriteRecord: %s\n", ResultCodeText(rc).c_str());

  // The simulator lets us see what arrived.
  for (const TErrorRecord &arrived : simulator.ErrorRecords())
    std::printf("server has: %s: %s\n", arrived.GetModuleName().c_str(),
                arrived.GetErrorText().c_str());
  return rc == 0 && simulator.ErrorRecords().size() == 1 ? 0 : 1;
}
