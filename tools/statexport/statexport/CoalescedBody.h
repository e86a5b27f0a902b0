// CoalescedBody: a response body that any number of threads ask for at once, built on one
// thread of its own and shared by all who asked while it was built.
//
// A caller of Get() receives a body whose build began after its call, so no caller is served
// figures older than its request; callers that arrive while a build runs wait for it to end and
// then share the next build between them. However many clients ask together, at most one build's
// temporaries and the bodies still being sent are alive, so a burst of scrapers costs one build,
// not one each.
//
// Builds run on the body's own thread, never on a caller's: the allocator caches freed blocks
// per thread, and temporaries freed on each of a hundred server workers in turn would leave each
// worker's cache holding a share of them, a resident set that creeps up as more workers serve.
//
// Threads: Get() from any thread, blocking until its build ends; an exception from the build
// reaches every caller waiting for that build, and the next call builds again. The destructor
// waits for a build in hand; no Get() may be running or begin once it has started.
#ifndef STATCLIENT_TOOLS_STATEXPORT_COALESCEDBODY_H_
#define STATCLIENT_TOOLS_STATEXPORT_COALESCEDBODY_H_

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace statexport {

class CoalescedBody {
public:
  explicit CoalescedBody(std::function<std::string()> build);
  ~CoalescedBody();
  CoalescedBody(const CoalescedBody &) = delete;
  CoalescedBody &operator=(const CoalescedBody &) = delete;

  // A body built after this call began; shared with the other callers of the same build.
  std::shared_ptr<const std::string> Get();

private:
  void BuildWhenAsked();

  const std::function<std::string()> build_;
  std::mutex mutex_;
  std::condition_variable asked_;    // a caller wants a build that has not begun
  std::condition_variable finished_; // a build ended
  unsigned long wanted_ = 0;         // the latest build number a caller waits for
  unsigned long started_ = 0;        // builds begun
  unsigned long finishedCount_ = 0;  // builds ended; latest_ and failure_ are the last one's
  bool stopping_ = false;
  std::shared_ptr<const std::string> latest_;
  std::exception_ptr failure_;
  std::thread builder_; // last, so that it starts once the members it uses exist
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_COALESCEDBODY_H_
