#pragma once

#include <sys/resource.h>

#include <fstream>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define KURVO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KURVO_ADDRESS_SANITIZER 1
#endif
#endif

// Caps the process's address space a little above what it uses now, for as long as it
// lives, so that a test can make a large allocation fail on any machine. Under the address
// sanitizer it stays inactive: its allocator ends the program when a mapping fails, where
// the test wants to see the failure reported; the tests skip themselves then.
class AddressSpaceLimit
{
public:
    explicit AddressSpaceLimit(unsigned long long headroomBytes = 1ull << 31)
    {
        getrlimit(RLIMIT_AS, &saved);
#ifdef KURVO_ADDRESS_SANITIZER
        static_cast<void>(headroomBytes);
        return;
#endif
        unsigned long long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit capped = saved;
        capped.rlim_cur = pages * static_cast<unsigned long long>(sysconf(_SC_PAGESIZE)) + headroomBytes;
        active = setrlimit(RLIMIT_AS, &capped) == 0;
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    bool isActive() const { return active; }

private:
    rlimit saved{};
    bool active = false;
};
