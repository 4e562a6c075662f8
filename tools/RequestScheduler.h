#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tavel {

// Decides which waiting request may go next: at most `overall` at once, at
// most `perHost` of them to one host, and otherwise the one added first, so
// that the check goes down the menu while no server gets more than its share.
class RequestScheduler {
public:
    RequestScheduler(size_t overall, size_t perHost);

    // Jobs are numbered by the caller, each added once.
    void Add(size_t job, std::string host);
    // The earliest added job that may start now, counted as running from
    // here on; none when every waiting job's host is at its limit, the
    // overall limit is reached or nothing waits.
    std::optional<size_t> Next();
    // A running job is done; its host may take another.
    void Finished(size_t job);
    // Forgets every waiting job; running ones stay counted until finished.
    void DropWaiting();

    size_t Running() const { return running_; }
    size_t Waiting() const { return waiting_; }

private:
    struct Host {
        std::deque<std::pair<size_t, size_t>> queue;  // (order added, job)
        size_t running = 0;
        std::optional<size_t> readyKey;  // its key in ready_, while there
    };
    // Keeps `host` among the ready ones exactly while it has work and room.
    void Rank(const std::string& name, Host& host);

    size_t overall_;
    size_t perHost_;
    size_t running_ = 0;
    size_t waiting_ = 0;
    size_t added_ = 0;
    std::map<std::string, Host> hosts_;
    std::vector<std::string> hostOfJob_;
    // Hosts that could start a job now, by the order of their first waiting job.
    std::set<std::pair<size_t, std::string>> ready_;
};

}  // namespace tavel
