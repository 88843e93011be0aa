#include "net/tsne_layer.hpp"

#include <limits.h>

namespace qz::tsne {
namespace {

#ifdef PTHREAD_STACK_MIN
const std::size_t kStackMin = PTHREAD_STACK_MIN;  // glibc asks the system for it
#else
constexpr std::size_t kStackMin = 0;  // winpthreads takes any size
#endif

struct ThreadStart {
    std::function<void()> body;
};

extern "C" void* threadEntry(void* argument)
{
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(argument));
    start->body();
    return nullptr;
}

}  // namespace

bool startThread(pthread_t& handle, std::size_t stackSize, std::function<void()> body, bool detached)
{
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) return false;
    if (stackSize >= kStackMin && stackSize > 0) pthread_attr_setstacksize(&attributes, stackSize);
    if (detached) pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    auto start = std::make_unique<ThreadStart>(ThreadStart{std::move(body)});
    pthread_t thread;
    const int result = pthread_create(&thread, &attributes, threadEntry, start.get());
    pthread_attr_destroy(&attributes);
    if (result != 0) return false;
    start.release();  // the thread owns it now
    if (!detached) handle = thread;
    return true;
}

}  // namespace qz::tsne
