// Proves the logic core never touches the heap: the process's C allocation routines,
// through which C++'s operator new allocates too, are replaced by counting ones, and
// the history invariant replay plus one call of every core entry point must count zero.
// glibc only (its __libc_* routines).
#include "support/core_fixture.h"
#include "support/history_invariants.h"

#include "core/generate/pick.h"
#include "core/program.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
int failuresShown;

void* Noted(void* block) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
    return block;
}
} // namespace

// These also catch what the C and C++ libraries allocate on the core's behalf.
extern "C" void* malloc(std::size_t size) {
    return Noted(__libc_malloc(size));
}
extern "C" void* calloc(std::size_t count, std::size_t size) {
    return Noted(__libc_calloc(count, size));
}
extern "C" void* realloc(void* block, std::size_t size) {
    return Noted(__libc_realloc(block, size));
}
extern "C" void* aligned_alloc(std::size_t alignment, std::size_t size) {
    return Noted(__libc_memalign(alignment, size));
}
extern "C" int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
    *block = Noted(__libc_memalign(alignment, size));
    return *block == nullptr ? ENOMEM : 0;
}

namespace {

// The program's own notice is a message box, not the core's to account for; this one
// only counts.
void CountFailure(const char*) {
    ++failuresShown;
}

void StartCounting() {
    allocations = 0;
    counting = true;
}
long StopCounting() {
    counting = false;
    return allocations.load();
}

class CoreAllocationTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        ShowHistoryFailure = CountFailure;
    }
};

TEST_F(CoreAllocationTest, CountingSeesEveryKindOfAllocation) {
    // Without this the zeros below could come from a replacement nobody calls.
    StartCounting();
    void* volatile block = std::malloc(16);
    std::free(block);
    int* volatile object = new int(7);
    delete object;
    std::string* volatile text = new std::string(100, 'x');
    delete text;
    EXPECT_GE(StopCounting(), 3);
}

TEST_F(CoreAllocationTest, TheInvariantReplayAndEveryEntryPointAllocateNothing) {
    auto shown = [] { return failuresShown; };
    for (const auto& [name, bytes] : ReplayedHistories(KIVO6_HISTORY_CORPUS)) {
        std::string path = WriteHistory(bytes).string();
        StartCounting();
        CheckHistoryInvariants(path.c_str(), reinterpret_cast<const std::uint8_t*>(bytes.data()),
                               bytes.size(), shown);
        EXPECT_EQ(StopCounting(), 0) << name;
    }
    // Once more each entry point the replay does not reach: a file that cannot be
    // opened, a start from draws and the system clock.
    std::string missing = (folder_ / "absent.txt").string();
    std::string history = WriteHistory("KIVO\n1 2 3 4 5 6 7\nEND\n").string();
    const DrawRecord rows[] = {{1, 2, 3, 4, 5, 6, 7}};
    failuresShown = 0;
    StartCounting();
    StartFromHistoryFile(missing.c_str());
    StartFromDraws(rows, 1);
    StartFromHistoryFile(history.c_str());
    CalendarClock = SystemCalendarClock;
    RequestType1();
    RequestType2();
    EXPECT_EQ(StopCounting(), 0);
    EXPECT_EQ(failuresShown, 1);
}

} // namespace
