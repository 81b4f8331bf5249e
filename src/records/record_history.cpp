#include "record_history.h"

#include <utility>

namespace kalvira::records {

RecordHistory::RecordHistory(std::size_t budgetBytes) : budget_(budgetBytes) {}

std::size_t RecordHistory::costOf(const RecordFile &entry) {
    std::size_t cost = sizeof(RecordFile);
    for (const auto &record : entry.records)
        cost += sizeof(record) + record.capacity() * sizeof(std::int16_t);
    return cost;
}

std::size_t RecordHistory::add(RecordFile entry) {
    for (auto &record : entry.records) record.shrink_to_fit();
    bytes_ += costOf(entry);
    entries_.push_back(std::move(entry));
    std::size_t dropped = 0;
    while (bytes_ > budget_ && entries_.size() > 1) {
        bytes_ -= costOf(entries_.front());
        entries_.pop_front();
        ++dropped;
    }
    return dropped;
}

std::deque<RecordFile> RecordHistory::takeEntries() {
    bytes_ = 0;
    return std::exchange(entries_, {});
}

void RecordHistory::clear() {
    entries_.clear();
    bytes_ = 0;
}

}  // namespace kalvira::records
