// Append-only registries of records: creation order, stable addresses, nestable traversals.
#pragma once

#include <cstddef>
#include <deque>

// A traversal is an index loop from 0 to size(); records appended meanwhile are visited too, and
// a nested traversal leaves the outer one's index untouched. Records never move.
template <typename Record>
class Registry {
public:
    // A new value-initialised (zero-filled) record at the end.
    Record& append() { return records_.emplace_back(); }
    std::size_t size() const { return records_.size(); }
    Record& operator[](std::size_t index) { return records_[index]; }
    const Record& operator[](std::size_t index) const { return records_[index]; }
    // Only for a fresh start of the program (and of each test).
    void clear() { records_.clear(); }

private:
    std::deque<Record> records_;  // a deque never moves its elements when it grows at the end
};
