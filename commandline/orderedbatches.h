#pragma once

#include "csvtable.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Batches of records worked on across threads and written in the order
// they were read, the same bytes whatever the number of threads. Only a few
// batches are in flight at a time, so memory stays flat however long the
// table is.
class OrderedBatches {
public:
    // The text a batch of records comes out as.
    using Work = std::function<void(const std::vector<CsvRecord>& records, std::string& out)>;
    // Writes the next text; false when it could not (the caller knows why).
    using Write = std::function<bool(std::string_view text)>;

    // With one thread, each batch is worked on and written as it is added.
    OrderedBatches(unsigned threads, Work work, Write write);
    ~OrderedBatches();
    OrderedBatches(const OrderedBatches&) = delete;
    OrderedBatches& operator=(const OrderedBatches&) = delete;

    // Hands a batch on; false once a write has failed, so reading can stop.
    bool add(std::vector<CsvRecord> records);
    // Waits until every batch is written; false when a write failed.
    bool finish();

private:
    struct Batch {
        std::vector<CsvRecord> records;
        std::string out;
        bool done = false;
    };

    void workOn();
    void writeOut();

    Work m_work;
    Write m_write;
    std::size_t m_mostInFlight;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_batches; // the front one is the next to write
    std::size_t m_firstNumber = 0; // the number of the front batch
    std::size_t m_nextToTake = 0; // the number of the next batch to work on
    bool m_closing = false;
    bool m_writeFailed = false;
    std::vector<std::thread> m_threads;
};
