#include "tools/RequestScheduler.h"

namespace tavel {

RequestScheduler::RequestScheduler(size_t overall, size_t perHost) : overall_(overall), perHost_(perHost) {}

void RequestScheduler::Add(size_t job, std::string name) {
    if (hostOfJob_.size() <= job) hostOfJob_.resize(job + 1);
    hostOfJob_[job] = name;
    Host& host = hosts_[name];
    host.queue.emplace_back(added_++, job);
    ++waiting_;
    Rank(name, host);
}

std::optional<size_t> RequestScheduler::Next() {
    if (running_ >= overall_ || ready_.empty()) return std::nullopt;
    const std::string name = ready_.begin()->second;
    Host& host = hosts_[name];
    const size_t job = host.queue.front().second;
    host.queue.pop_front();
    ++host.running;
    ++running_;
    --waiting_;
    Rank(name, host);
    return job;
}

void RequestScheduler::Finished(size_t job) {
    const std::string& name = hostOfJob_.at(job);
    Host& host = hosts_[name];
    if (host.running == 0) return;
    --host.running;
    --running_;
    Rank(name, host);
}

void RequestScheduler::DropWaiting() {
    for (auto& [name, host] : hosts_) {
        host.queue.clear();
        host.readyKey.reset();
    }
    ready_.clear();
    waiting_ = 0;
}

void RequestScheduler::Rank(const std::string& name, Host& host) {
    // Its key is the order of its first waiting job.
    if (host.readyKey) ready_.erase({*host.readyKey, name});
    host.readyKey.reset();
    if (host.queue.empty() || host.running >= perHost_) return;
    host.readyKey = host.queue.front().first;
    ready_.emplace(*host.readyKey, name);
}

}  // namespace tavel
