// Messages: per-thread queues, sends served by the owner thread while it
// pumps, posts, the message loop and the waits that pump.
#include <algorithm>

#include "sim_state.h"

namespace trvsim {

namespace {

constexpr DWORD simProcessId = 0x1F40;

thread_local std::shared_ptr<ThreadQueue> ownQueue;

bool matches(const MSG& m, HWND window, UINT first, UINT last) {
    if (window && m.hwnd != window) return false;
    if (first == 0 && last == 0) return true;
    return m.message >= first && m.message <= last;
}

}  // namespace

ThreadQueue& currentQueue() {
    if (!ownQueue) {
        auto& s = state();
        auto queue = std::make_shared<ThreadQueue>();
        queue->threadId = s.nextThreadId;
        queue->processId = simProcessId;
        s.nextThreadId += 4;
        s.queues[queue->threadId] = queue;
        ownQueue = queue;
    }
    return *ownQueue;
}

// A thread made by CreateThread takes the queue prepared with its identifier.
void adoptQueue(std::shared_ptr<ThreadQueue> queue) { ownQueue = std::move(queue); }

// The calling thread now stands for another process (Notepad).
void setCurrentProcess(DWORD processId) {
    std::lock_guard<std::mutex> held(state().lock);
    currentQueue().processId = processId;
}

void retireCurrentQueue() {
    destroyThreadWindows();
    std::lock_guard<std::mutex> held(state().lock);
    ThreadQueue& queue = currentQueue();
    queue.alive = false;
    for (SentMessage* waiting : queue.sent) waiting->done = true;  // the sender gets 0
    queue.sent.clear();
    state().queues.erase(queue.threadId);
    state().changed.notify_all();
}

LRESULT callProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC procedure;
    {
        std::lock_guard<std::mutex> held(state().lock);
        Window* w = findWindow(window);
        if (!w) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        procedure = w->procedure;
    }
    return procedure(window, message, wParam, lParam);
}

void serveSentMessages(std::unique_lock<std::mutex>& held, ThreadQueue& queue) {
    while (!queue.sent.empty()) {
        SentMessage* m = queue.sent.front();
        queue.sent.pop_front();
        held.unlock();
        LRESULT result = callProcedure(m->window, m->message, m->wParam, m->lParam);
        held.lock();
        m->result = result;
        m->done = true;
        state().changed.notify_all();
    }
}

LRESULT sendInternal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::unique_lock<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    ThreadQueue& own = currentQueue();
    if (w->threadId == own.threadId) {
        WNDPROC procedure = w->procedure;
        held.unlock();
        return procedure(window, message, wParam, lParam);
    }
    auto owner = state().queues.find(w->threadId);
    if (owner == state().queues.end() || !owner->second->alive) return 0;
    SentMessage m{window, message, wParam, lParam};
    owner->second->sent.push_back(&m);
    state().changed.notify_all();
    // While waiting, this thread serves what other threads send to it.
    while (!m.done) {
        serveSentMessages(held, own);
        if (!m.done) state().changed.wait(held);
    }
    return m.result;
}

// Waits on the lock's condition until the deadline or the next due timer.
void waitChanged(std::unique_lock<std::mutex>& held, Clock::time_point deadline) {
    if (deadline == Clock::time_point::max())
        state().changed.wait(held);
    else
        state().changed.wait_until(held, deadline);
}

bool takePosted(ThreadQueue& queue, MSG* out, HWND window, UINT first, UINT last, bool remove) {
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!matches(*it, window, first, last)) continue;
        if (out) *out = *it;
        if (remove) queue.posted.erase(it);
        return true;
    }
    return false;
}

SIMAPI void pumpMessages(DWORD milliseconds) {
    auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    MSG m;
    do {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        std::unique_lock<std::mutex> held(state().lock);
        ThreadQueue& own = currentQueue();
        if (own.sent.empty() && own.posted.empty()) waitChanged(held, deadline);
    } while (Clock::now() < deadline);
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

}  // namespace trvsim

using namespace trvsim;

SIMAPI SIM_HOOKABLE(5) LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return sendInternal(window, message, wParam, lParam);
}

SIMAPI BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> held(state().lock);
    DWORD threadId;
    if (window) {
        Window* w = findWindow(window);
        if (!w) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        threadId = w->threadId;
        journal("PostMessageA", window, message);
    } else {
        threadId = currentQueue().threadId;
    }
    auto queue = state().queues.find(threadId);
    if (queue == state().queues.end()) return FALSE;
    queue->second->posted.push_back({window, message, wParam, lParam, GetTickCount(), {0, 0}});
    state().changed.notify_all();
    return TRUE;
}

SIMAPI BOOL WINAPI PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> held(state().lock);
    auto queue = state().queues.find(threadId);
    if (queue == state().queues.end()) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    queue->second->posted.push_back({nullptr, message, wParam, lParam, GetTickCount(), {0, 0}});
    state().changed.notify_all();
    return TRUE;
}

SIMAPI void WINAPI PostQuitMessage(int exitCode) {
    std::lock_guard<std::mutex> held(state().lock);
    ThreadQueue& own = currentQueue();
    own.quitPosted = true;
    own.quitCode = exitCode;
    state().changed.notify_all();
}

SIMAPI BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
    std::unique_lock<std::mutex> held(state().lock);
    ThreadQueue& own = currentQueue();
    serveSentMessages(held, own);
    if (takePosted(own, message, window, first, last, remove & PM_REMOVE)) return TRUE;
    if (own.quitPosted) {
        if (message) *message = {nullptr, WM_QUIT, WPARAM(own.quitCode), 0, GetTickCount(), {0, 0}};
        if (remove & PM_REMOVE) own.quitPosted = false;
        return TRUE;
    }
    return FALSE;
}

SIMAPI BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT first, UINT last) {
    std::unique_lock<std::mutex> held(state().lock);
    ThreadQueue& own = currentQueue();
    for (;;) {
        serveSentMessages(held, own);
        if (takePosted(own, message, window, first, last, true)) return message->message != WM_QUIT;
        if (own.quitPosted) {
            own.quitPosted = false;
            *message = {nullptr, WM_QUIT, WPARAM(own.quitCode), 0, GetTickCount(), {0, 0}};
            return FALSE;
        }
        state().changed.wait(held);
    }
}

SIMAPI BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }

SIMAPI LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (!message || !message->hwnd) return 0;
    return callProcedure(message->hwnd, message->message, message->wParam, message->lParam);
}
