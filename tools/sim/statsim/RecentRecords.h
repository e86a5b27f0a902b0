// RecentRecords: the most recent `capacity` records a server was sent, oldest first, and a count
// of the older ones dropped to stay within it, so that a server that runs for days holds a
// bounded amount of what its clients wrote.
//
// Not synchronised: the simulator keeps it under its own lock. Keep costs one copy of the record.
#ifndef STATCLIENT_TOOLS_SIM_STATSIM_RECENTRECORDS_H_
#define STATCLIENT_TOOLS_SIM_STATSIM_RECENTRECORDS_H_

#include <cstddef>
#include <deque>
#include <vector>

namespace statsim {

template <class Record> class RecentRecords {
public:
  explicit RecentRecords(std::size_t capacity) : capacity_(capacity) {}

  void Keep(const Record &record) {
    if (kept_.size() == capacity_) {
      kept_.pop_front();
      ++dropped_;
    }
    kept_.push_back(record);
  }
  std::vector<Record> Copy() const { return {kept_.begin(), kept_.end()}; }
  long Dropped() const { return dropped_; }

private:
  std::size_t capacity_;
  std::deque<Record> kept_;
  long dropped_ = 0;
};

} // namespace statsim

#endif // STATCLIENT_TOOLS_SIM_STATSIM_RECENTRECORDS_H_
