// Proves the logic core never touches the heap: every allocation entry point of the
// process is replaced by a counting one, and start-up plus a long series of requests
// of every kind must leave the count at zero. Linux only (glibc's __libc_* routines).
#include "support/core_fixture.h"

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/history_file.h"
#include "history/state.h"
#include "stats/reports.h"
#include "stats/shares.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>
#include <string>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void Note() {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

void* AllocateOrFail(std::size_t size) {
    Note();
    void* block = __libc_malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        std::abort();
    }
    return block;
}

void* AllocateAlignedOrFail(std::size_t size, std::align_val_t alignment) {
    Note();
    void* block = __libc_memalign(static_cast<std::size_t>(alignment), size == 0 ? 1 : size);
    if (block == nullptr) {
        std::abort();
    }
    return block;
}

} // namespace

// The C allocation routines: these also catch what the C and C++ libraries allocate
// on the core's behalf (a FILE, a locale, a formatting buffer).
extern "C" void* malloc(std::size_t size) {
    Note();
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) {
    Note();
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* block, std::size_t size) {
    Note();
    return __libc_realloc(block, size);
}
extern "C" void* memalign(std::size_t alignment, std::size_t size) {
    Note();
    return __libc_memalign(alignment, size);
}
extern "C" void* aligned_alloc(std::size_t alignment, std::size_t size) {
    Note();
    return __libc_memalign(alignment, size);
}
extern "C" int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
    Note();
    *block = __libc_memalign(alignment, size);
    return *block == nullptr ? ENOMEM : 0;
}
extern "C" void free(void* block) {
    __libc_free(block);
}

void* operator new(std::size_t size) {
    return AllocateOrFail(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrFail(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    Note();
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    Note();
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return AllocateAlignedOrFail(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return AllocateAlignedOrFail(size, alignment);
}
void operator delete(void* block) noexcept {
    __libc_free(block);
}
void operator delete[](void* block) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    __libc_free(block);
}

namespace {

int messageBoxesShown;

} // namespace

// The core's failure messages go to the platform's message box, which is not the
// core's to account for; this one only counts them.
extern "C" int WINAPI MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) {
    ++messageBoxesShown;
    return IDOK;
}

namespace {

// Counts the allocations made while the routine runs.
template <typename Routine>
long AllocationsDuring(Routine routine) {
    allocations = 0;
    counting = true;
    routine();
    counting = false;
    return allocations.load();
}

void StartUp(const char* path) {
    RandomSource = 1;
    ResetState();
    if (LoadHistoryText(path) == 1) {
        ComputePercentages();
    }
}

// Every button of the main dialog, under every option the dialog offers, many times
// over and across many seconds of the clock.
void EveryRequest(int rounds) {
    for (int round = 0; round < rounds; ++round) {
        StopClockAt(1700000000u + static_cast<std::uint32_t>(round));
        for (std::int32_t parity : {PARITY_NORMAL, PARITY_EVEN_ONLY, PARITY_ODD_ONLY}) {
            ParityMode = parity;
            BeginResult("Pattern 1\n\n");
            GenerateUniform();
            GeneratePooled();
            GenerateInverse();
            BeginResult("Pattern 2\n\n");
            GenerateUniformNoRepeat();
            GeneratePooledNoRepeat();
            GenerateInverseNoRepeat();
        }
        for (int g = 0; g < DECADE_GROUPS; ++g) {
            DecadeFlags[g] = static_cast<std::uint8_t>((round >> g) & 1);
        }
        for (int k = 0; k < PAST_DRAW_FLAGS; ++k) {
            PastDrawFlags[k] = static_cast<std::uint8_t>((round >> (k % 7)) & 1);
        }
        BeginResult("Type 2\n\n");
        GenerateTickets();
        std::memset(ReportText, 0, sizeof ReportText);
        FormatProbabilityReport();
        std::memset(ReportText, 0, sizeof ReportText);
        FormatRecentDraws();
    }
}

class CoreAllocationTest : public CoreTest {};

TEST_F(CoreAllocationTest, CountingSeesEveryKindOfAllocation) {
    // Without this the zero below could come from a replacement nobody calls.
    long counted = AllocationsDuring([] {
        void* volatile block = std::malloc(16);
        std::free(block);
        int* volatile object = new int(7);
        delete object;
        std::string* volatile text = new std::string(100, 'x');
        delete text;
    });
    EXPECT_GE(counted, 3);
}

TEST_F(CoreAllocationTest, StartUpAndEveryRequestAllocateNothing) {
    std::vector<Draw> draws;
    for (int d = 0; d < 300; ++d) {
        draws.push_back({d % 43 + 1, (d + 7) % 43 + 1, (d + 14) % 43 + 1, (d + 21) % 43 + 1,
                         (d + 28) % 43 + 1, (d + 35) % 43 + 1, (d + 3) % 43 + 1});
    }
    std::string path = (folder_ / "data.txt").string();
    ASSERT_EQ(LoadBytes(HistoryText(draws)), 1);

    long counted = AllocationsDuring([&] {
        StartUp(path.c_str());
        EveryRequest(2000);
    });
    EXPECT_EQ(drawCount, HISTORY_CAPACITY);
    EXPECT_EQ(counted, 0);
}

TEST_F(CoreAllocationTest, HostileHistoriesAllocateNothing) {
    // Long lines, long tokens, signs, tabs, values past 255, no END, no final newline.
    std::string text = "KIVO" + std::string(300, '-') + "\n";
    text += std::string(5000, ' ') + "1 2 3\t4 5 6 7\r\n";
    text += "-12 +7 99999999999999999999 256 300 0 x1\n";
    text += std::string(3000, '7') + " 8 9 10 11 12 13\n1 2 3";
    ASSERT_EQ(LoadBytes(text), 1);
    std::string path = (folder_ / "data.txt").string();

    long counted = AllocationsDuring([&] {
        StartUp(path.c_str());
        EveryRequest(200);
    });
    EXPECT_EQ(counted, 0);
}

TEST_F(CoreAllocationTest, FailedLoadsAllocateNothing) {
    std::string missing = (folder_ / "absent.txt").string();
    ASSERT_EQ(LoadBytes("no marker here\n1 2 3 4 5 6 7\nEND\n"), 0);
    std::string wrong = (folder_ / "data.txt").string();
    messageBoxesShown = 0;

    long counted = AllocationsDuring([&] {
        ResetState();
        LoadHistoryText(missing.c_str());
        ResetState();
        LoadHistoryText(wrong.c_str());
    });
    EXPECT_EQ(messageBoxesShown, 2);
    EXPECT_EQ(counted, 0);
}

} // namespace
