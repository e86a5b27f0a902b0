// Updates an agent's contact-log entry; the server answers with the entry's record key, which
// the request writes back into the object.
#include <cstdio>

#include <statclient/statclient.h>
#include <statsim/Simulator.h>

int main() {
  statsim::Simulator simulator("StatisticsServer"); // the server this example talks to
  AStatisticsServer proxy("StatisticsServer", "ExampleClient", "ExampleTask");

  AContactLog entry;
  entry.AgentKey = 1001;
  entry.RecordKey = 0; // a new entry: the server picks its key

  const unsigned short rc = entry.UpdateContactLogSummary();
  std::printf("UpdateContactLogSummary: %s\n", ResultCodeText(rc).c_str());
  if (rc != 0)
    return 1;
  std::printf("the server gave the entry record key %ld\n", entry.RecordKey);
  return entry.RecordKey != 0 ? 0 : 1;
}
