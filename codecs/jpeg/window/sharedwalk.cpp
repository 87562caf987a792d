#include "codecs/jpeg/window/sharedwalk.h"

#include "codecs/jpeg/stream/markers.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>

namespace {

// The second walker notes its MCU starts in chunks made as it goes, up to a bound on its memory.
constexpr std::size_t logChunkStarts = 4096;
constexpr std::size_t logChunks = 32;
constexpr std::size_t mostLoggedStarts = logChunkStarts * logChunks;
// MCUs the second walker walks between publishing its notes and looking for the first's verdict.
constexpr std::size_t logBatch = 64;
// How often the second walker starts again after bits that start no code, before it gives up.
constexpr int mostRestarts = 64;
// MCUs walked between looks for a row start.
constexpr std::int64_t walkStep = 16;

using OptionalMarks = std::vector<std::optional<ScanWalker::Mark>>;

// Threads walking scans in this process, over every cut going on at once (several pictures may be cut at
// once). A second walker starts only while a core is left for it: one that has to wait for a core adds the
// work of its log and gains nothing.
std::atomic<int> walkingThreads{0};

class WalkingThread
{
  public:
    WalkingThread() { walkingThreads.fetch_add(1, std::memory_order_relaxed); }
    ~WalkingThread() { walkingThreads.fetch_sub(1, std::memory_order_relaxed); }
    WalkingThread(const WalkingThread&) = delete;
    WalkingThread& operator=(const WalkingThread&) = delete;
};

bool coreToSpareForASecondWalker()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 || walkingThreads.load(std::memory_order_relaxed) + 2 <= int(cores);
}

// Walks from MCU `index` to MCU `target`, marking the window rows that start on the way (the row starting
// at `target` too).
bool walkMarkingRows(ScanWalker& walker, std::int64_t& index, std::int64_t target, const WindowRows& rows,
                     OptionalMarks& marks)
{
    while (true) {
        const std::int64_t offset = index - rows.firstStart;
        const std::int64_t row = offset >= 0 ? offset / rows.mcusPerRow : 0;
        if (offset >= 0 && offset % rows.mcusPerRow == 0 && row < rows.count)
            marks[std::size_t(row)] = walker.mark();
        if (index >= target)
            return true;
        std::int64_t next = std::min(target, index + walkStep);
        if (offset < 0)
            next = std::min(next, rows.firstStart);
        else if (row + 1 < rows.count)
            next = std::min(next, rows.startOf(row + 1));
        if (!walker.skip(next - index))
            return false;
        index = next;
    }
}

// Hands on the marked rows from `handed` on, in order, up to the first row without a mark.
bool handOn(ScanWalker& walker, const OptionalMarks& marks, std::size_t& handed, const RowSink& sink)
{
    for (; handed < marks.size() && marks[handed]; ++handed) {
        if (!sink(walker, *marks[handed]))
            return false;
    }
    return true;
}

// Data bits from `from` to `to` in the file, each 0xFF 0x00 pair counting as one byte; nullopt when a
// 0xFF begins a marker in between.
std::optional<std::uint64_t> dataBitsBetween(std::span<const std::uint8_t> file, std::size_t from,
                                             std::size_t to)
{
    std::uint64_t stuffedBytes = 0;
    for (std::size_t at = from; at < to;) {
        const auto* prefix =
            static_cast<const std::uint8_t*>(std::memchr(file.data() + at, jpegmarker::prefix, to - at));
        if (!prefix)
            break;
        const auto offset = std::size_t(prefix - file.data());
        if (offset + 1 >= file.size() || file[offset + 1] != jpegmarker::stuffedZero)
            return std::nullopt;
        ++stuffedBytes;
        at = offset + 2;
    }
    return (to - from - stuffedBytes) * 8;
}

// The state the two threads share, and each one's part in the handshake told in sharedwalk.h. The second
// publishes its log through `logging_`; the first gives its verdict through `verdict_`, which the second
// answers through `reply_`. Whatever a thread writes before such a store the other reads after its load.
class SharedWalk
{
  public:
    SharedWalk(std::span<const std::uint8_t> file, const WindowRows& rows, std::uint64_t bitsBeforeSecond)
        : file_(file), rows_(rows), bitsBeforeSecond_(bitsBeforeSecond), marks_(std::size_t(rows.count)),
          secondMarks_(std::size_t(rows.count)), secondLog_(logChunks)
    {
    }

    // The second thread's part.
    void walkSecond(ScanWalker& second)
    {
        std::size_t logged = 0;
        // Data bits from the second's first start to where its walker last started.
        std::uint64_t bitsBeforeWalk = 0;
        int restarts = 0;
        bool walking = true;
        while (walking && logged < mostLoggedStarts && verdict_.load() == Pending) {
            std::unique_ptr<ScanWalker::Mark[]>& chunk = secondLog_[logged / logChunkStarts];
            if (!chunk)
                chunk = std::make_unique<ScanWalker::Mark[]>(logChunkStarts);
            ScanWalker::Mark* const starts = chunk.get() + logged % logChunkStarts;
            const auto batch = std::int64_t(std::min(logBatch, logChunkStarts - logged % logChunkStarts));
            const std::int64_t skipped = second.skipNoting(batch, starts);
            // The start of the MCU it stopped in counts too.
            const auto noted = std::size_t(skipped == batch ? batch : skipped + 1);
            for (std::size_t i = 0; i < noted; ++i)
                starts[i].bitsRead += bitsBeforeWalk;
            logged += noted;
            logging_.store(logged * 2);
            logging_.notify_one();
            if (skipped == batch)
                continue;
            // At the data's end the walk stops; what it logged is still one walk.
            if (second.ranOutOfData()) {
                ranOut_ = true;
                break;
            }
            // Bits that start no code: a guess that has not fallen into step yet (or damaged data). The walk
            // starts again a byte further on; what it logs from there on is a walk of its own.
            const ScanWalker::Mark& start = starts[noted - 1];
            const std::size_t next =
                start.byteOffset + (file_[start.byteOffset] == jpegmarker::prefix ? 2 : 1);
            walking = ++restarts <= mostRestarts && next < file_.size();
            if (walking) {
                bitsBeforeWalk = start.bitsRead - std::uint64_t(start.bitsReadOfByte) + 8;
                second.resume({0, next, 0, {}});
                walkStartsAt_ = logged;
            }
        }
        loggedCount_ = logged;
        logging_.fetch_or(1);
        logging_.notify_one();
        verdict_.wait(Pending);
        const bool oneWalk = verdict_.load() == Confirmed && confirmedAt_ >= walkStartsAt_;
        const Reply reply = !oneWalk  ? CannotTakeOver
                            : ranOut_ ? LoggedUpToTheEnd
                            : walking ? TakesOver
                                      : CannotTakeOver;
        reply_.store(reply);
        reply_.notify_one();
        if (reply != TakesOver)
            return;
        // Its walker stands at the start of MCU `logged`, unlogged.
        ScanWalker::Mark here = second.mark();
        for (std::size_t i = 0; i < here.dcValues.size(); ++i)
            here.dcValues[i] += dcShift_[i];
        second.resume(here);
        std::int64_t index = std::int64_t(logged) + indexShift_;
        walkMarkingRows(second, index, std::max(index, rows_.startOf(rows_.count - 1)), rows_, secondMarks_);
    }

    // The first thread's part. Once the second takes over, the first hands on the rows already known.
    void walkFirst(ScanWalker& first, const RowSink& sink)
    {
        std::int64_t index = 0;
        const std::int64_t lastStart = rows_.startOf(rows_.count - 1);
        bool decodes = true;
        while (decodes && index < lastStart && first.mark().bitsRead < bitsBeforeSecond_)
            decodes = walkMarkingRows(first, index, std::min(lastStart, index + walkStep), rows_, marks_);
        std::size_t compared = 0;
        while (decodes && index < lastStart) {
            const std::uint64_t bits = first.mark().bitsRead - bitsBeforeSecond_;
            bool logged = awaitLogged(compared);
            for (; logged && logEntry(compared).bitsRead < bits; logged = awaitLogged(compared))
                ++compared;
            if (!logged)
                break;
            if (logEntry(compared).bitsRead == bits) {
                confirm(first, index, compared);
                reply_.wait(NoReply);
                const int reply = reply_.load();
                secondCounts_ = reply == TakesOver || (reply == LoggedUpToTheEnd &&
                                                       std::size_t(lastStart - indexShift_) < loggedCount_);
                if (secondCounts_) {
                    gatherSecondsMarks(false);
                    handedOn_ = handOn(first, marks_, handed_, sink);
                    return;
                }
                break;
            }
            decodes = walkMarkingRows(first, index, index + 1, rows_, marks_);
        }
        if (verdict_.load() == Pending)
            decide(Refused);
        if (decodes)
            walkMarkingRows(first, index, lastStart, rows_, marks_);
    }

    // Once the second thread has ended: hands on the rows not handed on yet.
    bool finish(ScanWalker& walker, const RowSink& sink)
    {
        gatherSecondsMarks(true);
        return handedOn_ && handOn(walker, marks_, handed_, sink) && handed_ == marks_.size();
    }

  private:
    // The first's verdict on the second's guess: a log entry matched one of its own MCU starts, or the log
    // ended (or the first reached the last row) without one.
    enum Verdict : int { Pending, Confirmed, Refused };
    // The second's answer: it walks on from where it stopped logging; its log reaches the data's end; or
    // its work does not count (refused, a match in an earlier walk than its last, or it stopped for good).
    enum Reply : int { NoReply, TakesOver, LoggedUpToTheEnd, CannotTakeOver };

    // Fills in the rows the second walker found: from its log, and once it has ended (`ended`), from the
    // rows it walked to after taking over.
    void gatherSecondsMarks(bool ended)
    {
        if (!secondCounts_)
            return;
        for (std::size_t row = 0; row < marks_.size(); ++row) {
            const std::int64_t start = rows_.startOf(std::int64_t(row));
            if (marks_[row] || start < firstTakesUntil_)
                continue;
            const auto logIndex = std::size_t(start - indexShift_);
            if (logIndex < loggedCount_) {
                ScanWalker::Mark logged = logEntry(logIndex);
                for (std::size_t i = 0; i < logged.dcValues.size(); ++i)
                    logged.dcValues[i] += dcShift_[i];
                marks_[row] = logged;
            } else if (ended) {
                marks_[row] = secondMarks_[row];
            }
        }
    }

    void confirm(ScanWalker& first, std::int64_t index, std::size_t logIndex)
    {
        const ScanWalker::Mark& match = logEntry(logIndex);
        indexShift_ = index - std::int64_t(logIndex);
        const DcValues values = first.mark().dcValues;
        for (std::size_t i = 0; i < dcShift_.size(); ++i)
            dcShift_[i] = values[i] - match.dcValues[i];
        firstTakesUntil_ = index;
        confirmedAt_ = logIndex;
        decide(Confirmed);
    }

    void decide(Verdict verdict)
    {
        verdict_.store(verdict);
        verdict_.notify_one();
    }

    const ScanWalker::Mark& logEntry(std::size_t index) const
    {
        return secondLog_[index / logChunkStarts][index % logChunkStarts];
    }

    // True once log entry `index` is there; false when the second thread stopped logging before it.
    bool awaitLogged(std::size_t index)
    {
        while (true) {
            const std::uint64_t logging = logging_.load();
            if (logging / 2 > index)
                return true;
            if (logging % 2 == 1)
                return false;
            logging_.wait(logging);
        }
    }

    std::span<const std::uint8_t> file_;
    WindowRows rows_;
    std::uint64_t bitsBeforeSecond_;
    // Rows marked by the first walker, and by the second once it took over.
    OptionalMarks marks_;
    OptionalMarks secondMarks_;
    // The second walker's MCU starts (bits counted from its first start) until it is confirmed.
    std::vector<std::unique_ptr<ScanWalker::Mark[]>> secondLog_;
    // How many entries of the log are there, times two, plus one once the second stopped logging.
    std::atomic<std::uint64_t> logging_{0};
    std::atomic<int> verdict_{Pending};
    std::atomic<int> reply_{NoReply};
    // Set before the verdict: what turns the second's log indexes and DC values into true ones, and the
    // log entry confirmed.
    std::int64_t indexShift_ = 0;
    DcValues dcShift_{};
    std::int64_t firstTakesUntil_ = 0;
    std::size_t confirmedAt_ = 0;
    // Set by the second before its reply: where its last walk's entries begin in the log, and how many
    // entries hold MCU starts it got past.
    std::size_t walkStartsAt_ = 0;
    std::size_t loggedCount_ = 0;
    bool ranOut_ = false;
    // Set by the first once the second replied: whether the second's log and marks count.
    bool secondCounts_ = false;
    // Rows handed on so far, and whether the sink took them all.
    std::size_t handed_ = 0;
    bool handedOn_ = true;
};

} // namespace

bool WalkToRowsAlone(ScanWalker& walker, const WindowRows& rows, const RowSink& sink)
{
    const WalkingThread walking;
    OptionalMarks marks(std::size_t(rows.count));
    std::int64_t index = 0;
    std::size_t handed = 0;
    return rows.count > 0 && walkMarkingRows(walker, index, rows.startOf(rows.count - 1), rows, marks) &&
           handOn(walker, marks, handed, sink) && handed == marks.size();
}

bool WalkToRowsShared(ScanWalker& walker, std::span<const std::uint8_t> file, std::size_t dataOffset,
                      const WindowRows& rows, std::size_t secondStart, const RowSink& sink)
{
    if (rows.count <= 0 || dataOffset >= file.size())
        return false;
    std::size_t start = std::clamp(secondStart, dataOffset + 1, file.size());
    if (start < file.size() && file[start - 1] == jpegmarker::prefix)
        ++start; // the stuffed byte after a 0xFF data byte
    const std::optional<std::uint64_t> bitsBeforeSecond = dataBitsBetween(file, dataOffset, start);
    if (!bitsBeforeSecond || start >= file.size() || !coreToSpareForASecondWalker())
        return WalkToRowsAlone(walker, rows, sink);
    ScanWalker second = walker.startedAt(start);
    SharedWalk sharing(file, rows, *bitsBeforeSecond);
    std::thread secondThread;
    try {
        secondThread = std::thread([&] {
            const WalkingThread walking;
            sharing.walkSecond(second);
        });
    } catch (const std::system_error&) {
        return WalkToRowsAlone(walker, rows, sink);
    }
    const WalkingThread walking;
    sharing.walkFirst(walker, sink);
    secondThread.join();
    return sharing.finish(walker, sink);
}
