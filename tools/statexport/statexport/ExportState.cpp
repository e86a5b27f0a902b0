#include "statexport/ExportState.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "statexport/StateStore.h"

namespace statexport {
namespace {

class StateCollectable : public prometheus::Collectable {
public:
  explicit StateCollectable(const ExportState::Impl *impl) : impl_(impl) {}
  std::vector<prometheus::MetricFamily> Collect() const override {
    return impl_->Collect(Clock::now());
  }

private:
  const ExportState::Impl *impl_;
};

} // namespace

void ExportState::Impl::RecordHistory(FamilyState &state, std::size_t slot, Clock::time_point now) {
  if (state.historyIndex == SIZE_MAX || !state.HasValues())
    return;
  std::deque<Sample> &samples = state.history[state.slots[slot].key];
  const double value = state.Value(slot, state.historyIndex);
  if (!samples.empty() && now - samples.back().at < kHistoryStep)
    samples.back().value = value;
  else
    samples.push_back({now, value});
  while (!samples.empty() && now - samples.front().at > kHistorySpan)
    samples.pop_front();
}

// The slot of the entity `key`, row `row` of the event being merged; created when new. Events
// mostly list their rows in the order of the previous one, which saves the lookup.
std::size_t ExportState::Impl::SlotOf(FamilyState &state, std::size_t row, const Key &key) {
  // Slots are created in the order of the first event's rows, so usually row i is slot i.
  if (row < state.slots.size() && SameKey(state.slots[row].key, key))
    return row;
  if (row < state.lastOrder.size()) {
    const std::size_t hint = state.lastOrder[row];
    if (hint < state.slots.size() && SameKey(state.slots[hint].key, key))
      return hint;
  }
  const auto [it, fresh] = state.index.emplace(key, state.slots.size());
  if (fresh) {
    state.slots.emplace_back();
    state.slots.back().key = key;
    state.nested.emplace_back();
    state.Resize(state.slots.size());
  }
  if (row >= state.lastOrder.size())
    state.lastOrder.resize(row + 1, SIZE_MAX);
  state.lastOrder[row] = it->second;
  return it->second;
}

// Removes a slot by moving the last one into its place.
void ExportState::Impl::Remove(FamilyState &state, std::size_t slot) {
  const std::size_t last = state.slots.size() - 1;
  state.history.erase(state.slots[slot].key);
  state.index.erase(state.slots[slot].key);
  if (slot != last) {
    state.slots[slot] = state.slots[last];
    state.nested[slot] = std::move(state.nested[last]);
    std::copy_n(state.numbers.begin() + static_cast<std::ptrdiff_t>(last * state.numberWidth),
                state.numberWidth,
                state.numbers.begin() + static_cast<std::ptrdiff_t>(slot * state.numberWidth));
    std::copy_n(state.reals.begin() + static_cast<std::ptrdiff_t>(last * state.realWidth),
                state.realWidth,
                state.reals.begin() + static_cast<std::ptrdiff_t>(slot * state.realWidth));
    state.index[state.slots[slot].key] = slot;
  }
  state.slots.pop_back();
  state.nested.pop_back();
  state.Resize(state.slots.size());
}

namespace {

// Merges one decoded event into its family under the state's lock, held from Begin to End.
class Merger : public MergeTarget {
public:
  Merger(ExportState::Impl &impl, FamilyState &state, Clock::time_point now)
      : impl_(impl), state_(state), now_(now) {}

  void Begin(std::size_t rows, std::size_t numbers, std::size_t reals) override {
    lock_ = std::unique_lock(impl_.mutex);
    MarkArrival(impl_, state_, now_);
    if (state_.events > 0) {
      const double interval = Seconds(now_ - state_.lastDecoded);
      state_.periodSeconds =
          state_.periodSeconds == 0 ? interval : 0.7 * state_.periodSeconds + 0.3 * interval;
    }
    state_.lastDecoded = now_;
    ++state_.events;
    if (numbers != state_.numberWidth || reals != state_.realWidth) {
      // The per-user switch decides whether rows carry values.
      state_.numberWidth = numbers;
      state_.realWidth = reals;
      state_.numbers.clear();
      state_.reals.clear();
      state_.Resize(state_.slots.size());
    }
    snapshot_ = state_.family->merge == MergeRule::Snapshot;
    cumulative_ = state_.family->cumulative;
    history_ = state_.historyIndex != SIZE_MAX;
    if (snapshot_) {
      state_.slots.resize(rows);
      state_.nested.resize(rows);
      state_.Resize(rows);
    }
  }

  RowOut Row(std::size_t index, const Key &key, double periodStart) override {
    std::size_t slot = index;
    if (snapshot_)
      state_.slots[slot].key = key;
    else if (!(index < state_.slots.size() && SameKey(state_.slots[index].key, key)))
      slot = impl_.SlotOf(state_, index, key);
    Slot &entity = state_.slots[slot];
    if (cumulative_) {
      // A row of an earlier period than the one held arrived late: the held figures are newer.
      if (entity.lastEvent != 0 && periodStart < entity.periodStart)
        return {true};
      entity.periodStart = periodStart;
    }
    named_ += entity.lastEvent != state_.events;
    entity.lastSeen = now_;
    entity.lastEvent = state_.events;
    if (history_)
      touched_.push_back(slot);
    Nested &nested = state_.nested[slot];
    return {false, state_.numbers.data() + slot * state_.numberWidth,
            state_.reals.data() + slot * state_.realWidth, &nested.children, &nested.contributions};
  }

  void End(const std::vector<double> &eventValues) override {
    state_.eventValues = eventValues;
    for (std::size_t slot : touched_)
      impl_.RecordHistory(state_, slot, now_);
    // Only entities this event did not name can have expired.
    if (named_ < state_.slots.size())
      impl_.ExpireFamily(state_, now_);
  }

  static void MarkArrival(ExportState::Impl &impl, FamilyState &state, Clock::time_point now) {
    state.seen = true;
    state.lastEvent = now;
    impl.anyEvent = true;
    impl.lastAnyEvent = now;
  }

private:
  ExportState::Impl &impl_;
  FamilyState &state_;
  Clock::time_point now_;
  std::unique_lock<std::shared_mutex> lock_;
  bool snapshot_ = false;
  bool cumulative_ = false;
  bool history_ = false;
  std::size_t named_ = 0;
  std::vector<std::size_t> touched_; // the slots named, for the families with a history
};

} // namespace

void ExportState::Impl::ExpireFamily(FamilyState &state, Clock::time_point now) {
  const auto periods = static_cast<std::uint64_t>(std::max(1, options.expiryPeriods));
  const double span = static_cast<double>(periods) * state.periodSeconds;
  for (std::size_t slot = state.slots.size(); slot-- > 0;) {
    const Slot &entity = state.slots[slot];
    if (state.events - entity.lastEvent >= periods && Seconds(now - entity.lastSeen) >= span)
      Remove(state, slot);
  }
}

ExportState::ExportState(ExportOptions options) : impl_(std::make_unique<Impl>(options)) {}
ExportState::~ExportState() = default;

void ExportState::Ingest(unsigned short eventId, const void *payload, std::size_t size,
                         Clock::time_point now) {
  std::size_t index = 0;
  while (index < impl_->families.size() && impl_->families[index].family->id != eventId)
    ++index;
  if (index == impl_->families.size()) {
    std::unique_lock lock(impl_->mutex);
    ++impl_->unknownEvents;
    return;
  }
  FamilyState &state = impl_->families[index];
  const Family &family = *state.family;
  Merger merger(*impl_, state, now);
  if (payload != nullptr &&
      family.Ingest(payload, size, impl_->RowValues(family), impl_->Detail(), merger))
    return;
  std::unique_lock lock(impl_->mutex);
  Merger::MarkArrival(*impl_, state, now);
  ++state.decodeErrors;
}

void ExportState::SetServerUp(bool up, Clock::time_point) {
  std::unique_lock lock(impl_->mutex);
  impl_->serverUp = up;
}

void ExportState::Expire(Clock::time_point now) {
  std::unique_lock lock(impl_->mutex);
  for (FamilyState &state : impl_->families)
    impl_->ExpireFamily(state, now);
}

std::shared_ptr<prometheus::Collectable> ExportState::Collectable() {
  return std::make_shared<StateCollectable>(impl_.get());
}

} // namespace statexport
