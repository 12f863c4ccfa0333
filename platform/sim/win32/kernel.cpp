// Kernel objects and threads: events, waitable timers, threads, the wait
// functions (MsgWaitForMultipleObjects pumps), local memory, last error.
#include <cstdlib>
#include <thread>

#include <unistd.h>

#include "sim_state.h"

namespace trvsim {

void adoptQueue(std::shared_ptr<ThreadQueue> queue);
void waitChanged(std::unique_lock<std::mutex>& held, Clock::time_point deadline);

namespace {

thread_local DWORD lastError = 0;

HANDLE addObject(std::shared_ptr<KernelObject> object) {
    auto& s = state();
    UINT_PTR handle = s.nextKernelHandle;
    s.nextKernelHandle += 4;
    s.kernelObjects[handle] = std::move(object);
    return reinterpret_cast<HANDLE>(handle);
}

template <class T>
T* objectOf(HANDLE handle, KernelKind kind) {
    auto& objects = state().kernelObjects;
    auto it = objects.find(reinterpret_cast<UINT_PTR>(handle));
    if (it == objects.end() || it->second->kind != kind) return nullptr;
    return static_cast<T*>(it->second.get());
}

// Brings a timer's signal state up to date with the clock.
void advanceTimer(TimerObject& timer, Clock::time_point now) {
    if (!timer.active || now < timer.due) return;
    timer.signaled = true;
    if (timer.period.count() > 0) {
        while (timer.due <= now) timer.due += timer.period;
    } else {
        timer.active = false;
    }
}

// Whether a handle is signalled; consumes the signal of auto-reset objects.
// -1 for a handle that is not a waitable object.
int testAndConsume(HANDLE handle, Clock::time_point now, Clock::time_point& wake) {
    auto& objects = state().kernelObjects;
    auto it = objects.find(reinterpret_cast<UINT_PTR>(handle));
    if (it == objects.end()) return -1;
    KernelObject* object = it->second.get();
    switch (object->kind) {
        case KernelKind::Event: {
            auto* event = static_cast<EventObject*>(object);
            if (!event->signaled) return 0;
            if (!event->manualReset) event->signaled = false;
            return 1;
        }
        case KernelKind::Timer: {
            auto* timer = static_cast<TimerObject*>(object);
            advanceTimer(*timer, now);
            if (timer->active && timer->due < wake) wake = timer->due;
            if (!timer->signaled) return 0;
            if (!timer->manualReset) timer->signaled = false;
            return 1;
        }
        case KernelKind::Thread: return static_cast<ThreadObject*>(object)->finished ? 1 : 0;
        default: return -1;
    }
}

Clock::time_point deadlineAfter(DWORD milliseconds) {
    if (milliseconds == INFINITE) return Clock::time_point::max();
    return Clock::now() + std::chrono::milliseconds(milliseconds);
}

// The common wait; pumping also serves sent messages and returns on input.
DWORD waitFor(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, bool pumping) {
    std::unique_lock<std::mutex> held(state().lock);
    ThreadQueue& own = currentQueue();
    auto deadline = deadlineAfter(milliseconds);
    for (;;) {
        if (pumping) serveSentMessages(held, own);
        auto now = Clock::now();
        auto wake = deadline;
        if (waitAll && count > 0) {
            bool all = true;
            for (DWORD i = 0; i < count; ++i) {
                Clock::time_point ignored = Clock::time_point::max();
                int signaled = testAndConsume(handles[i], now, ignored);
                if (signaled < 0) {
                    setLastError(ERROR_INVALID_HANDLE);
                    return WAIT_FAILED;
                }
                all = all && signaled;
            }
            if (all) return WAIT_OBJECT_0;
            wake = std::min(wake, now + std::chrono::milliseconds(5));
        } else {
            for (DWORD i = 0; i < count; ++i) {
                int signaled = testAndConsume(handles[i], now, wake);
                if (signaled < 0) {
                    setLastError(ERROR_INVALID_HANDLE);
                    return WAIT_FAILED;
                }
                if (signaled) return WAIT_OBJECT_0 + i;
            }
        }
        if (pumping && (!own.posted.empty() || own.quitPosted)) return WAIT_OBJECT_0 + count;
        if (now >= deadline) return WAIT_TIMEOUT;
        waitChanged(held, wake);
    }
}

struct LocalBlock {
    SIZE_T size;
    SIZE_T padding;
};

}  // namespace

void setLastError(DWORD error) { lastError = error; }

SIMAPI int runningThreadCount() {
    std::lock_guard<std::mutex> held(state().lock);
    return state().runningThreads;
}

SIMAPI bool waitForThreads(DWORD milliseconds) {
    auto deadline = deadlineAfter(milliseconds);
    while (runningThreadCount() > 0 && Clock::now() < deadline) pumpMessages(10);
    return runningThreadCount() == 0;
}

}  // namespace trvsim

using namespace trvsim;

SIMAPI DWORD WINAPI GetLastError() { return lastError; }
SIMAPI void WINAPI SetLastError(DWORD error) { lastError = error; }

SIMAPI DWORD WINAPI GetCurrentThreadId() {
    std::lock_guard<std::mutex> held(state().lock);
    return currentQueue().threadId;
}

SIMAPI DWORD WINAPI GetCurrentProcessId() {
    std::lock_guard<std::mutex> held(state().lock);
    return currentQueue().processId;
}

SIMAPI HANDLE WINAPI GetCurrentProcess() { return reinterpret_cast<HANDLE>(LONG_PTR(-1)); }
SIMAPI HANDLE WINAPI GetCurrentThread() { return reinterpret_cast<HANDLE>(LONG_PTR(-2)); }

SIMAPI HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                                  DWORD, LPDWORD threadId) {
    if (!start) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::mutex> held(state().lock);
    auto& s = state();
    auto queue = std::make_shared<ThreadQueue>();
    queue->threadId = s.nextThreadId;
    queue->processId = currentQueue().processId;
    s.nextThreadId += 4;
    s.queues[queue->threadId] = queue;
    auto object = std::make_shared<ThreadObject>();
    object->threadId = queue->threadId;
    HANDLE handle = addObject(object);
    ++s.runningThreads;
    if (threadId) *threadId = queue->threadId;
    std::thread([start, parameter, queue, object] {
        adoptQueue(queue);
        DWORD exitCode = start(parameter);
        retireCurrentQueue();
        std::lock_guard<std::mutex> done(state().lock);
        object->finished = true;
        object->exitCode = exitCode;
        --state().runningThreads;
        state().changed.notify_all();
    }).detach();
    return handle;
}

SIMAPI BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
    std::lock_guard<std::mutex> held(state().lock);
    auto* object = objectOf<ThreadObject>(thread, KernelKind::Thread);
    if (!object || !exitCode) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exitCode = object->exitCode;
    return TRUE;
}

SIMAPI BOOL WINAPI CloseHandle(HANDLE handle) {
    std::lock_guard<std::mutex> held(state().lock);
    auto& objects = state().kernelObjects;
    auto it = objects.find(reinterpret_cast<UINT_PTR>(handle));
    if (it == objects.end()) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (it->second->kind == KernelKind::File) close(static_cast<FileObject*>(it->second.get())->descriptor);
    objects.erase(it);
    return TRUE;
}

SIMAPI DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return waitFor(1, &handle, FALSE, milliseconds, false);
}

SIMAPI DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
    return waitFor(count, handles, waitAll, milliseconds, false);
}

SIMAPI DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                              DWORD) {
    return waitFor(count, handles, waitAll, milliseconds, true);
}

SIMAPI void WINAPI Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

SIMAPI DWORD WINAPI GetTickCount() {
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(Clock::now().time_since_epoch()).count());
}

SIMAPI HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR) {
    std::lock_guard<std::mutex> held(state().lock);
    auto event = std::make_shared<EventObject>();
    event->manualReset = manualReset;
    event->signaled = initialState;
    return addObject(event);
}

static BOOL setEventState(HANDLE handle, bool signaled) {
    std::lock_guard<std::mutex> held(state().lock);
    auto* event = objectOf<EventObject>(handle, KernelKind::Event);
    if (!event) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    event->signaled = signaled;
    state().changed.notify_all();
    return TRUE;
}

SIMAPI BOOL WINAPI SetEvent(HANDLE event) { return setEventState(event, true); }
SIMAPI BOOL WINAPI ResetEvent(HANDLE event) { return setEventState(event, false); }

SIMAPI HANDLE WINAPI CreateWaitableTimerA(LPSECURITY_ATTRIBUTES, BOOL manualReset, LPCSTR) {
    std::lock_guard<std::mutex> held(state().lock);
    auto timer = std::make_shared<TimerObject>();
    timer->manualReset = manualReset;
    return addObject(timer);
}

SIMAPI BOOL WINAPI SetWaitableTimer(HANDLE handle, const LARGE_INTEGER* dueTime, LONG period, PTIMERAPCROUTINE completion,
                                    LPVOID, BOOL) {
    std::lock_guard<std::mutex> held(state().lock);
    auto* timer = objectOf<TimerObject>(handle, KernelKind::Timer);
    if (!timer || !dueTime) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (completion) {
        std::fprintf(stderr, "sim: SetWaitableTimer with a completion routine is not simulated\n");
        std::abort();
    }
    if (dueTime->QuadPart > 0) {
        std::fprintf(stderr, "sim: SetWaitableTimer with an absolute due time is not simulated\n");
        std::abort();
    }
    // Relative due times are negative, in 100-nanosecond units.
    timer->due = Clock::now() + std::chrono::microseconds(-dueTime->QuadPart / 10);
    timer->period = std::chrono::milliseconds(period);
    timer->active = true;
    timer->signaled = false;
    state().changed.notify_all();
    return TRUE;
}

SIMAPI BOOL WINAPI CancelWaitableTimer(HANDLE handle) {
    std::lock_guard<std::mutex> held(state().lock);
    auto* timer = objectOf<TimerObject>(handle, KernelKind::Timer);
    if (!timer) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    timer->active = false;
    return TRUE;
}

SIMAPI HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
    auto* block = static_cast<LocalBlock*>(std::malloc(sizeof(LocalBlock) + (bytes ? bytes : 1)));
    if (!block) {
        setLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    block->size = bytes;
    if (flags & LMEM_ZEROINIT) std::memset(block + 1, 0, bytes);
    return block + 1;
}

SIMAPI HLOCAL WINAPI LocalFree(HLOCAL memory) {
    if (memory) std::free(static_cast<LocalBlock*>(memory) - 1);
    return nullptr;
}

SIMAPI SIZE_T WINAPI LocalSize(HLOCAL memory) { return memory ? (static_cast<LocalBlock*>(memory) - 1)->size : 0; }
