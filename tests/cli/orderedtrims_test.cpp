#include "cli/orderedtrims.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A fake trim that gives picture i a failure naming it and notes what ran at once. Picture i may wait for
// others before it finishes: until `mustWaitFor(i)` others have finished, or until `gathering` pictures
// run at once (for at most five seconds, so a fault fails the test instead of hanging it).
class Recorder
{
  public:
    explicit Recorder(std::vector<std::uintmax_t> sizes) : sizes_(std::move(sizes)) {}

    std::function<std::size_t(qsizetype)> mustWaitFor = [](qsizetype) { return std::size_t(0); };
    int gathering = 0;
    std::chrono::milliseconds takes = 0ms;

    TrimmedPicture trim(qsizetype index)
    {
        std::unique_lock lock(mutex_);
        ++running_;
        bytes_ += sizes_[std::size_t(index)];
        mostRunning_ = std::max(mostRunning_, running_);
        mostBytes_ = std::max(mostBytes_, bytes_);
        if (running_ > 1)
            mostBytesShared_ = std::max(mostBytesShared_, bytes_);
        started_.push_back(index);
        changed_.notify_all();
        changed_.wait_for(lock, 5s, [&] {
            return finished_.size() >= mustWaitFor(index) && (gathering == 0 || mostRunning_ >= gathering);
        });
        lock.unlock();
        std::this_thread::sleep_for(takes);
        lock.lock();
        --running_;
        bytes_ -= sizes_[std::size_t(index)];
        finished_.push_back(index);
        changed_.notify_all();
        return TrimmedPicture{std::nullopt, QString::number(index)};
    }

    std::function<TrimmedPicture(qsizetype)> asTrim()
    {
        return [this](qsizetype index) { return trim(index); };
    }

    int mostRunning() const { return mostRunning_; }
    std::uintmax_t mostBytes() const { return mostBytes_; }
    std::uintmax_t mostBytesShared() const { return mostBytesShared_; }
    std::size_t startedCount()
    {
        const std::lock_guard lock(mutex_);
        return started_.size();
    }
    const std::vector<qsizetype>& started() const { return started_; }
    const std::vector<qsizetype>& finished() const { return finished_; }

  private:
    const std::vector<std::uintmax_t> sizes_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int running_ = 0;
    int mostRunning_ = 0;
    std::uintmax_t bytes_ = 0;
    std::uintmax_t mostBytes_ = 0;
    std::uintmax_t mostBytesShared_ = 0;
    std::vector<qsizetype> started_;
    std::vector<qsizetype> finished_;
};

std::vector<QString> TakeAll(OrderedTrims& trims, qsizetype count)
{
    std::vector<QString> taken;
    for (qsizetype i = 0; i < count; ++i)
        taken.push_back(trims.take().failure);
    return taken;
}

std::vector<QString> Numbers(qsizetype count)
{
    std::vector<QString> numbers;
    for (qsizetype i = 0; i < count; ++i)
        numbers.push_back(QString::number(i));
    return numbers;
}

TEST(OrderedTrims, HandsResultsOnInInputOrderWhateverOrderTheyFinishIn)
{
    const std::vector<std::uintmax_t> sizes(12, 1);
    Recorder recorder(sizes);
    // Of every four pictures the first finishes last.
    recorder.mustWaitFor = [](qsizetype i) { return i % 4 == 0 ? std::size_t(i + 3) : std::size_t(0); };
    std::vector<QString> taken;
    {
        OrderedTrims trims(sizes, TrimLimits{4, 8, 100}, recorder.asTrim());
        taken = TakeAll(trims, qsizetype(sizes.size()));
    }
    EXPECT_EQ(taken, Numbers(qsizetype(sizes.size())));
    EXPECT_NE(recorder.finished().front(), 0) << "nothing finished out of order";
}

TEST(OrderedTrims, RunsAsManyPicturesAtOnceAsThereAreJobsAndNoMore)
{
    for (const int jobs : {1, 2, 3, 5}) {
        SCOPED_TRACE(jobs);
        const std::vector<std::uintmax_t> sizes(12, 1);
        Recorder recorder(sizes);
        recorder.gathering = jobs;
        std::vector<QString> taken;
        {
            OrderedTrims trims(sizes, TrimLimits{jobs, 2 * jobs, 100}, recorder.asTrim());
            taken = TakeAll(trims, qsizetype(sizes.size()));
        }
        EXPECT_EQ(taken, Numbers(qsizetype(sizes.size())));
        EXPECT_EQ(recorder.mostRunning(), jobs);
    }
}

TEST(OrderedTrims, RunsNoFurtherAheadOfTheTakerThanThePicturesAhead)
{
    const std::vector<std::uintmax_t> sizes(10, 1);
    const qsizetype ahead = 3;
    Recorder recorder(sizes);
    std::vector<std::size_t> startedBeforeTake;
    {
        OrderedTrims trims(sizes, TrimLimits{4, ahead, 100}, recorder.asTrim());
        for (qsizetype i = 0; i < qsizetype(sizes.size()); ++i) {
            // A slow taker: the trims run ahead as far as they may.
            std::this_thread::sleep_for(5ms);
            startedBeforeTake.push_back(recorder.startedCount());
            EXPECT_EQ(trims.take().failure, QString::number(i));
        }
    }
    for (qsizetype i = 0; i < qsizetype(sizes.size()); ++i)
        EXPECT_LE(startedBeforeTake[std::size_t(i)], std::size_t(i + ahead)) << i;
    EXPECT_LE(recorder.mostRunning(), ahead);
}

TEST(OrderedTrims, KeepsTheFilesTrimmedAtOnceWithinTheirBytesAndALargerFileAlone)
{
    const std::vector<std::uintmax_t> sizes = {40, 40, 40, 150, 40, 40, 60, 10, 10, 10};
    Recorder recorder(sizes);
    recorder.takes = 3ms;
    std::vector<QString> taken;
    {
        OrderedTrims trims(sizes, TrimLimits{4, 8, 100}, recorder.asTrim());
        taken = TakeAll(trims, qsizetype(sizes.size()));
    }
    EXPECT_EQ(taken, Numbers(qsizetype(sizes.size())));
    EXPECT_EQ(recorder.mostBytes(), 150u);
    EXPECT_LE(recorder.mostBytesShared(), 100u);
}

TEST(OrderedTrims, LimitsForAJobCountLeaveRoomForTheLargestFileAndSixteenMebibytesForEachOtherJob)
{
    const TrimLimits one = TrimLimits::For(1, 5000);
    EXPECT_EQ(one.jobs, 1);
    EXPECT_EQ(one.picturesAhead, 2);
    EXPECT_EQ(one.fileBytesAtOnce, 5000u);
    const TrimLimits four = TrimLimits::For(4, 5000);
    EXPECT_EQ(four.jobs, 4);
    EXPECT_EQ(four.picturesAhead, 8);
    EXPECT_EQ(four.fileBytesAtOnce, 5000u + 3 * 16 * 1024 * 1024);
}

TEST(OrderedTrims, LeftEarlyItFinishesThePicturesStartedAndStartsNoMore)
{
    const std::vector<std::uintmax_t> sizes(50, 1);
    Recorder recorder(sizes);
    recorder.takes = 2ms;
    {
        OrderedTrims trims(sizes, TrimLimits{2, 4, 100}, recorder.asTrim());
        EXPECT_EQ(trims.take().failure, "0");
    }
    EXPECT_LE(recorder.started().size(), 5u);
    EXPECT_EQ(recorder.started().size(), recorder.finished().size());
}

} // namespace
