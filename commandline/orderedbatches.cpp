#include "orderedbatches.h"

OrderedBatches::OrderedBatches(unsigned threads, Work work, Write write)
    : m_work(std::move(work))
    , m_write(std::move(write))
    , m_mostInFlight(4 * std::size_t(threads))
{
    if (threads <= 1)
        return;
    for (unsigned n = 0; n < threads; ++n)
        m_threads.emplace_back([this] { workOn(); });
    m_threads.emplace_back([this] { writeOut(); });
}

OrderedBatches::~OrderedBatches()
{
    finish();
}

bool OrderedBatches::add(std::vector<CsvRecord> records)
{
    if (m_threads.empty()) {
        if (m_writeFailed)
            return false;
        std::string out;
        m_work(records, out);
        m_writeFailed = !m_write(out);
        return !m_writeFailed;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_batches.size() < m_mostInFlight || m_writeFailed; });
    if (m_writeFailed)
        return false;
    m_batches.push_back({ std::move(records), {}, false });
    m_changed.notify_all();
    return true;
}

bool OrderedBatches::finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    return !m_writeFailed;
}

void OrderedBatches::workOn()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(
            lock, [&] { return m_nextToTake < m_firstNumber + m_batches.size() || m_closing; });
        if (m_nextToTake >= m_firstNumber + m_batches.size())
            return; // closing, and nothing left to take
        // A deque keeps its elements in place as batches come and go.
        Batch& batch = m_batches[m_nextToTake++ - m_firstNumber];
        const bool wanted = !m_writeFailed;
        lock.unlock();
        if (wanted)
            m_work(batch.records, batch.out);
        batch.records = {};
        lock.lock();
        batch.done = true;
        m_changed.notify_all();
    }
}

void OrderedBatches::writeOut()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(
            lock, [&] { return (!m_batches.empty() && m_batches.front().done) || m_closing; });
        if (m_batches.empty())
            return;
        if (!m_batches.front().done)
            m_changed.wait(lock, [&] { return m_batches.front().done; });
        const std::string out = std::move(m_batches.front().out);
        m_batches.pop_front();
        ++m_firstNumber;
        m_changed.notify_all();
        if (m_writeFailed)
            continue;
        lock.unlock();
        const bool written = m_write(out);
        lock.lock();
        if (!written) {
            m_writeFailed = true;
            m_changed.notify_all();
        }
    }
}
