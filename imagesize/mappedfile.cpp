#include "imagesize/mappedfile.h"

#include <array>
#include <csignal>
#include <sys/mman.h>
#include <unistd.h>

namespace imagesize {

namespace {

// The maps alive at once, each in a slot the bus error handler looks through. A map that finds no free slot
// is not made: the file is read instead.
constexpr std::size_t GuardSlots = 256;
// A slot's start while it is being filled in.
constexpr std::uintptr_t Claimed = 1;

struct GuardSlot
{
    std::atomic<std::uintptr_t> start{0}; // 0: free
    std::atomic<std::uintptr_t> end{0};
    std::atomic<std::atomic<bool>*> damaged{nullptr};
};

std::array<GuardSlot, GuardSlots> guardSlots;
struct sigaction earlierHandler = {};
std::uintptr_t pageSize = 0;

// The handler runs on the thread whose read faulted, inside that read; it may only use what is safe there:
// atomics, mmap, sigaction, raise.
void PassOn(int signal, siginfo_t* info, void* context)
{
    if (earlierHandler.sa_flags & SA_SIGINFO) {
        earlierHandler.sa_sigaction(signal, info, context);
    } else if (earlierHandler.sa_handler != SIG_DFL && earlierHandler.sa_handler != SIG_IGN) {
        earlierHandler.sa_handler(signal);
    } else {
        // The signal's own action ends the program as if this handler had never been there.
        sigaction(signal, &earlierHandler, nullptr);
        raise(signal);
    }
}

void OnBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardSlot& slot : guardSlots) {
        const std::uintptr_t start = slot.start.load(std::memory_order_acquire);
        if (start <= Claimed || address < start || address >= slot.end.load(std::memory_order_relaxed))
            continue;
        void* const page = reinterpret_cast<void*>(address & ~(pageSize - 1));
        if (mmap(page, pageSize, PROT_READ, MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0) == MAP_FAILED)
            break;
        slot.damaged.load(std::memory_order_relaxed)->store(true, std::memory_order_release);
        return;
    }
    PassOn(signal, info, context);
}

bool InstallHandler()
{
    pageSize = std::uintptr_t(sysconf(_SC_PAGESIZE));
    struct sigaction action = {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    return pageSize > 0 && (pageSize & (pageSize - 1)) == 0 &&
           sigaction(SIGBUS, &action, &earlierHandler) == 0;
}

bool HandlerInstalled()
{
    static const bool installed = InstallHandler();
    return installed;
}

// A free slot, claimed; GuardSlots when there is none.
std::size_t ClaimSlot()
{
    for (std::size_t i = 0; i < GuardSlots; ++i) {
        std::uintptr_t free = 0;
        if (guardSlots[i].start.compare_exchange_strong(free, Claimed, std::memory_order_acquire))
            return i;
    }
    return GuardSlots;
}

} // namespace

std::unique_ptr<MappedFile> MappedFile::map(int descriptor, std::size_t length)
{
    if (length == 0 || !HandlerInstalled())
        return nullptr;
    const std::size_t slot = ClaimSlot();
    if (slot == GuardSlots)
        return nullptr;
    void* const start = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (start == MAP_FAILED) {
        guardSlots[slot].start.store(0, std::memory_order_release);
        return nullptr;
    }
    auto damaged = std::make_shared<std::atomic<bool>>(false);
    GuardSlot& guard = guardSlots[slot];
    guard.end.store(reinterpret_cast<std::uintptr_t>(start) + length, std::memory_order_relaxed);
    guard.damaged.store(damaged.get(), std::memory_order_relaxed);
    guard.start.store(reinterpret_cast<std::uintptr_t>(start), std::memory_order_release);
    return std::unique_ptr<MappedFile>(
        new MappedFile(static_cast<const std::uint8_t*>(start), length, slot, std::move(damaged)));
}

MappedFile::MappedFile(const std::uint8_t* start, std::size_t length, std::size_t slot,
                       std::shared_ptr<std::atomic<bool>> damaged)
    : start_(start), length_(length), slot_(slot), damaged_(std::move(damaged))
{
}

MappedFile::~MappedFile()
{
    // The slot is let go first, so the handler never takes a later map at the same place for this one.
    guardSlots[slot_].start.store(0, std::memory_order_release);
    munmap(const_cast<std::uint8_t*>(start_), length_);
}

} // namespace imagesize
