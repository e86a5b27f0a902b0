// Asks the server for the details of one contact and waits for the answer (a synchronous
// query): the reply is unpacked into the same object.
#include <cstdio>

#include <statclient/statclient.h>
#include <statsim/Simulator.h>

int main() {
  statsim::Simulator simulator("StatisticsServer"); // the server this example talks to
  AStatisticsServer proxy("StatisticsServer", "ExampleClient", "ExampleTask");

  // The object is the question: set the fields that identify the contact...
  AContactDetail detail;
  detail.SetContactFrom("555-0100");
  // ...and ask for the answer to be sent back; by default the query is asynchronous and no
  // reply is read.
  detail.SetAsynchronousEvent(0);

  const unsigned short rc = detail.QueryContactDetail();
  std::printf("QueryContactDetail: %s\n", ResultCodeText(rc).c_str());
  if (rc != 0)
    return 1;

  // The object is now also the answer.
  std::printf("from %s, queue %ld: %s\n", detail.GetContactFrom().c_str(), detail.GetQueueKey(),
              detail.GetDescription().c_str());
  return 0;
}
