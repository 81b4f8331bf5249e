#pragma once

#include <cstddef>
#include <deque>

#include "record_file.h"

namespace kalvira::records {

// The records a window has seen, oldest first, each one a RecordFile of exactly one record with
// the settings it was taken with. It keeps the newest within a memory budget and drops the
// oldest first; the newest record always stays, whatever its size.
class RecordHistory {
public:
    // 256 MiB: about 8000 records of 16000 samples.
    static constexpr std::size_t kDefaultBudgetBytes = std::size_t{256} << 20;

    explicit RecordHistory(std::size_t budgetBytes = kDefaultBudgetBytes);

    // Keeps entry, which holds one record, and returns how many older ones it dropped for it.
    std::size_t add(RecordFile entry);
    void clear();
    // Hands every entry over, oldest first, and leaves the history empty.
    std::deque<RecordFile> takeEntries();

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const RecordFile &at(std::size_t index) const { return entries_.at(index); }
    std::size_t bytes() const { return bytes_; }
    std::size_t budgetBytes() const { return budget_; }

    // What one entry costs: two bytes a sample and the entry's own bookkeeping.
    static std::size_t costOf(const RecordFile &entry);

private:
    std::deque<RecordFile> entries_;
    std::size_t bytes_ = 0;
    std::size_t budget_;
};

}  // namespace kalvira::records
