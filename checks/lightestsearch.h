#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The lightest sections of a search space that pass every check (截面优选),
// as any calculator finds them: every item of the space screened in double
// for checks it surely fails, the others judged by a click of the window's
// calculation, lightest first, until no later item can enter the ten. The
// calculator supplies its space (a count of items), its screen and its
// click; this part orders, batches and spreads the work over threads.

// At most this many sections in one search: the bracket's default space
// holds about 10 million, and the screen keeps a few bytes for each.
inline constexpr std::size_t largestSearch = 50'000'000;

struct SearchControl {
    unsigned threads = 0; // 0: every core
    const std::atomic<bool>* cancel = nullptr; // set to stop as soon as may be
    std::atomic<double>* progress = nullptr; // 0 … 1
};

template <typename Candidate> struct LightestFound {
    std::vector<Candidate> best; // up to ten, best first
    bool cancelled = false;
};

inline unsigned searchThreads(const SearchControl& control)
{
    return control.threads ? control.threads : std::max(1u, std::thread::hardware_concurrency());
}

// Runs `work(begin, end, thread)` over [0, count) in as many slices as threads.
template <typename Work> void inParallel(std::size_t count, unsigned threads, Work work)
{
    std::vector<std::thread> running;
    const std::size_t slice = (count + threads - 1) / threads;
    for (unsigned thread = 0; thread < threads; ++thread) {
        const std::size_t begin = std::min(count, thread * slice);
        const std::size_t end = std::min(count, begin + slice);
        running.emplace_back([&work, begin, end, thread] { work(begin, end, thread); });
    }
    for (std::thread& each : running)
        each.join();
}

// Items 0 … count − 1 of a space.
//  screen(index, thread) → std::optional<float>: the item's weight as the
//    calculation works it out in Single (its area), or none where the item
//    surely fails; thread < searchThreads() for tallies kept per thread.
//  click(index, thread) → std::optional<Candidate>: the item as a click
//    judges it, passing in every row or not at all.
//  beyond(weight, tenth) → bool: whether an item of this weight, and so every
//    heavier one, shows a weight above the tenth candidate's.
//  Candidate::before orders the ten: a total order, so that the ten do not
//    depend on the threads.
template <typename Candidate, typename Screen, typename Click, typename Beyond>
LightestFound<Candidate> searchLightest(
    std::size_t count, const SearchControl& control, Screen screen, Click click, Beyond beyond)
{
    LightestFound<Candidate> found;
    const unsigned threads = searchThreads(control);
    const auto cancelled = [&] { return control.cancel && control.cancel->load(); };
    const auto report = [&](double done) {
        if (control.progress)
            control.progress->store(done);
    };

    struct Item {
        std::uint32_t index;
        float weight;
    };
    const auto lighter = [](const Item& a, const Item& b) {
        return a.weight != b.weight ? a.weight < b.weight : a.index < b.index;
    };

    // 1. Screen every item, keeping those that may pass, lightest first.
    std::vector<std::vector<Item>> kept(threads);
    std::atomic<std::size_t> screened = 0;
    inParallel(count, threads, [&](std::size_t begin, std::size_t end, unsigned thread) {
        for (std::size_t index = begin; index < end; ++index) {
            if (index % 1024 == 0) {
                if (cancelled())
                    return;
                report(0.5 * double(screened += 1024) / double(count));
            }
            if (const std::optional<float> weight = screen(index, thread))
                kept[thread].push_back({ std::uint32_t(index), *weight });
        }
        std::sort(kept[thread].begin(), kept[thread].end(), lighter);
    });
    if (cancelled()) {
        found.cancelled = true;
        return found;
    }
    std::vector<Item> order;
    for (const std::vector<Item>& part : kept) {
        const std::size_t sorted = order.size();
        order.insert(order.end(), part.begin(), part.end());
        std::inplace_merge(
            order.begin(), order.begin() + std::ptrdiff_t(sorted), order.end(), lighter);
    }

    // 2. Those that may pass, lightest first, judged by clicks in batches,
    // until no later item can enter the ten.
    const std::size_t batch = 32 * std::size_t(threads);
    std::mutex merging;
    for (std::size_t first = 0; first < order.size() && !cancelled(); first += batch) {
        if (found.best.size() == 10 && beyond(order[first].weight, found.best.back()))
            break;
        const std::size_t last = std::min(order.size(), first + batch);
        std::vector<Candidate> passed;
        inParallel(last - first, threads, [&](std::size_t begin, std::size_t end, unsigned thread) {
            std::vector<Candidate> mine;
            for (std::size_t n = first + begin; n < first + end && !cancelled(); ++n)
                if (std::optional<Candidate> candidate = click(std::size_t(order[n].index), thread))
                    mine.push_back(std::move(*candidate));
            const std::lock_guard lock(merging);
            passed.insert(passed.end(), mine.begin(), mine.end());
        });
        found.best.insert(found.best.end(), passed.begin(), passed.end());
        std::sort(found.best.begin(), found.best.end(),
            [](const Candidate& a, const Candidate& b) { return a.before(b); });
        if (found.best.size() > 10)
            found.best.resize(10);
        report(0.5 + 0.5 * double(last) / double(order.size()));
    }
    found.cancelled = cancelled();
    report(1);
    return found;
}
