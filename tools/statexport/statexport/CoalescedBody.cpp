#include "statexport/CoalescedBody.h"

#include <utility>

namespace statexport {

CoalescedBody::CoalescedBody(std::function<std::string()> build)
    : build_(std::move(build)), builder_([this] { BuildWhenAsked(); }) {}

CoalescedBody::~CoalescedBody() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  asked_.notify_one();
  builder_.join();
}

std::shared_ptr<const std::string> CoalescedBody::Get() {
  std::unique_lock<std::mutex> lock(mutex_);
  // A build already running began before this call; the next one to begin is fresh enough.
  const unsigned long wanted = started_ + 1;
  wanted_ = wanted;
  asked_.notify_one();
  finished_.wait(lock, [&] { return finishedCount_ >= wanted; });
  if (failure_)
    std::rethrow_exception(failure_);
  return latest_;
}

void CoalescedBody::BuildWhenAsked() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    asked_.wait(lock, [&] { return stopping_ || wanted_ > started_; });
    if (stopping_)
      return;
    ++started_;
    lock.unlock();
    std::shared_ptr<const std::string> body;
    std::exception_ptr failure;
    try {
      body = std::make_shared<const std::string>(build_());
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    latest_ = std::move(body);
    failure_ = std::move(failure);
    ++finishedCount_;
    finished_.notify_all();
  }
}

} // namespace statexport
