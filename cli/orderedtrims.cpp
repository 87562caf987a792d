#include "cli/orderedtrims.h"

#include <algorithm>

namespace {

// Of the 32 MiB a job may use, what its picture file may take; the rest is for its decoding, its crops and
// its share of the program itself.
constexpr std::uintmax_t FileShareOfAJob = 16 * 1024 * 1024;

} // namespace

TrimLimits TrimLimits::For(int jobs, std::uintmax_t largestFile)
{
    jobs = std::max(jobs, 1);
    return TrimLimits{jobs, 2 * qsizetype(jobs), largestFile + std::uintmax_t(jobs - 1) * FileShareOfAJob};
}

OrderedTrims::OrderedTrims(std::vector<std::uintmax_t> fileSizes, TrimLimits limits,
                           std::function<TrimmedPicture(qsizetype)> trim)
    : fileSizes_(std::move(fileSizes)), limits_{std::max(limits.jobs, 1),
                                                std::max<qsizetype>(limits.picturesAhead, 1),
                                                limits.fileBytesAtOnce},
      trim_(std::move(trim)), finishedSlots_(std::size_t(limits_.picturesAhead))
{
    const qsizetype threads = std::min<qsizetype>(limits_.jobs, qsizetype(fileSizes_.size()));
    threads_.reserve(std::size_t(threads));
    for (qsizetype i = 0; i < threads; ++i)
        threads_.emplace_back([this] { trimWhileAny(); });
}

OrderedTrims::~OrderedTrims()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    startable_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

TrimmedPicture OrderedTrims::take()
{
    std::unique_lock lock(mutex_);
    std::optional<TrimmedPicture>& slot = finishedSlots_[std::size_t(nextToTake_ % limits_.picturesAhead)];
    finished_.wait(lock, [&] { return slot.has_value(); });
    TrimmedPicture result = std::move(*slot);
    slot.reset();
    ++nextToTake_;
    lock.unlock();
    startable_.notify_all();
    return result;
}

// The next picture starts once a slot is free for its result and its file fits beside the files being
// trimmed; with nothing being trimmed, any file fits.
bool OrderedTrims::mayStartNext() const
{
    if (nextToStart_ >= nextToTake_ + limits_.picturesAhead)
        return false;
    const std::uintmax_t size = fileSizes_[std::size_t(nextToStart_)];
    return trimming_ == 0 || (fileBytesTrimming_ <= limits_.fileBytesAtOnce &&
                              size <= limits_.fileBytesAtOnce - fileBytesTrimming_);
}

void OrderedTrims::trimWhileAny()
{
    std::unique_lock lock(mutex_);
    while (true) {
        startable_.wait(lock, [this] {
            return stopping_ || nextToStart_ == qsizetype(fileSizes_.size()) || mayStartNext();
        });
        if (stopping_ || nextToStart_ == qsizetype(fileSizes_.size()))
            return;
        const qsizetype index = nextToStart_++;
        const std::uintmax_t size = fileSizes_[std::size_t(index)];
        ++trimming_;
        fileBytesTrimming_ += size;
        lock.unlock();
        TrimmedPicture result = trim_(index);
        lock.lock();
        --trimming_;
        fileBytesTrimming_ -= size;
        finishedSlots_[std::size_t(index % limits_.picturesAhead)] = std::move(result);
        // Others may start now that the file is done, and the taker may be waiting for this picture.
        startable_.notify_all();
        finished_.notify_all();
    }
}
