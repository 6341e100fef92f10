#include "OutOfMemory.h"

#include <csignal>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <initializer_list>
#include <new>
#include <sys/resource.h>
#include <unistd.h>

namespace OutOfMemory {
namespace {

const char Message[] = "huecipher-cli: not enough memory\n";
constexpr unsigned long long Headroom = 64ull << 20;  // what a failed request may have asked for

// The limit on the address space; 0 for none.
unsigned long long AddressSpaceLimit()
{
    rlimit limit{};
    return ::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY ? limit.rlim_cur : 0;
}

// True when the program's address space is within Headroom of its limit. Only calls that a
// signal handler may make.
bool NearTheLimit()
{
    const unsigned long long limit = AddressSpaceLimit();
    if (limit == 0)
        return false;
    const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[64];
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    unsigned long long pages = 0;
    for (ssize_t i = 0; i < n && text[i] >= '0' && text[i] <= '9'; ++i)
        pages = pages * 10 + static_cast<unsigned long long>(text[i] - '0');
    const unsigned long long used = pages * static_cast<unsigned long long>(::sysconf(_SC_PAGESIZE));
    return used + Headroom >= limit;
}

[[noreturn]] void Report()
{
    const ssize_t written = ::write(STDERR_FILENO, Message, sizeof Message - 1);
    (void)written;
    ::_exit(1);
}

extern "C" void OnCrash(int signal)
{
    if (NearTheLimit())
        Report();
    ::raise(signal);  // the standard action, restored on entry (SA_RESETHAND)
}

void OnTerminate()
{
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::bad_alloc&) {
            Report();
        } catch (...) {
        }
    }
    if (NearTheLimit())
        Report();
    std::abort();
}

}  // namespace

bool LimitBelow(std::size_t bytes)
{
    const unsigned long long limit = AddressSpaceLimit();
    return limit != 0 && limit < bytes;
}

void ReportInsteadOfCrashing()
{
    std::set_terminate(OnTerminate);
    for (const int signal : {SIGSEGV, SIGBUS, SIGABRT}) {
        struct sigaction action {};
        action.sa_handler = OnCrash;
        action.sa_flags = SA_RESETHAND | SA_ONSTACK;
        ::sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace OutOfMemory
