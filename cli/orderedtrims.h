#pragma once

#include "trim/trimandsave.h"

#include <QtGlobal>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// How much of a batch is worked on at once.
struct TrimLimits
{
    // Threads that trim.
    int jobs = 1;
    // Pictures being trimmed or trimmed and not yet taken, at most: each holds its crop until it is taken.
    qsizetype picturesAhead = 2;
    // Bytes of the files being trimmed at once, at most; a larger file is trimmed alone.
    std::uintmax_t fileBytesAtOnce = 0;

    // `jobs` threads, two pictures ahead for each, and room for the largest file beside a job's share of
    // the per-job memory for each other job.
    static TrimLimits For(int jobs, std::uintmax_t largestFile);
};

// Trims the pictures of a batch on several threads, in input order as far as the limits let them run
// ahead, and hands each result on in input order, whatever order they finish in.
class OrderedTrims
{
  public:
    // trim(i) trims picture i; it is called from the trimming threads, once for each picture. fileSizes
    // holds each picture file's size in bytes.
    OrderedTrims(std::vector<std::uintmax_t> fileSizes, TrimLimits limits,
                 std::function<TrimmedPicture(qsizetype)> trim);
    // Waits for the pictures being trimmed and starts no others.
    ~OrderedTrims();
    OrderedTrims(const OrderedTrims&) = delete;
    OrderedTrims& operator=(const OrderedTrims&) = delete;

    // The next picture's result in input order, once it is trimmed. Called once for each picture.
    TrimmedPicture take();

  private:
    void trimWhileAny();
    bool mayStartNext() const;

    const std::vector<std::uintmax_t> fileSizes_;
    const TrimLimits limits_;
    const std::function<TrimmedPicture(qsizetype)> trim_;

    std::mutex mutex_;
    std::condition_variable startable_;
    std::condition_variable finished_;
    qsizetype nextToStart_ = 0;
    qsizetype nextToTake_ = 0;
    int trimming_ = 0;
    std::uintmax_t fileBytesTrimming_ = 0;
    bool stopping_ = false;
    // Picture i's result waits in slot i % picturesAhead until it is taken.
    std::vector<std::optional<TrimmedPicture>> finishedSlots_;
    std::vector<std::thread> threads_;
};
