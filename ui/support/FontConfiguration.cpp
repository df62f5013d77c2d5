#include "ui/support/FontConfiguration.h"

#include <dlfcn.h>

#include <mutex>
#include <thread>

namespace hv {
namespace {

std::mutex &readingMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Never destroyed: a reading not waited for must not meet a destroyed thread object at exit.
std::thread &reading()
{
    static auto *thread = new std::thread;
    return *thread;
}

} // namespace

void startReadingFontConfiguration()
{
    const std::lock_guard lock(readingMutex());
    static bool started = false;
    if (started)
        return;
    started = true;
    // The font library comes with Qt's GUI library and is looked up, not linked: on a system
    // whose Qt takes its fonts elsewhere there is nothing to read ahead. Its initialisation
    // is safe to run on any thread; Qt's own call later finds it done.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(::dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init)
        return;
    reading() = std::thread([init] { init(); });
}

void awaitFontConfiguration()
{
    const std::lock_guard lock(readingMutex());
    if (reading().joinable())
        reading().join();
}

} // namespace hv
