#include "tools/pbrain/reader.h"

#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "tools/pbrain/session.h"

namespace pbrain {

namespace {

// Input waiting to be handled is bounded: a manager that floods the engine while it thinks is
// held back by its pipe instead of growing the engine's memory.
constexpr size_t MAX_QUEUED_BYTES = 1 << 20;
constexpr size_t READ_CHUNK = 4096;

}  // namespace

struct InputReader::State {
    std::function<void()> stop;
    std::mutex mutex;  // guards everything below
    std::condition_variable changed;
    std::deque<std::string> chunks;
    size_t queuedBytes = 0;
    bool ended = false;     // the end of input was read; nothing more comes
    bool stopping = false;  // END or the end of input was read
    bool thinking = false;
};

namespace {

void ReadLoop(int fd, const std::shared_ptr<InputReader::State>& state) {
    LineSplitter lines;  // to see END where the session will see it
    char buffer[READ_CHUNK];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        std::unique_lock lock(state->mutex);
        if (n <= 0) {
            state->ended = true;
            state->stopping = true;
            if (state->thinking) state->stop();
            state->changed.notify_all();
            return;
        }
        state->changed.wait(lock, [&] { return state->queuedBytes < MAX_QUEUED_BYTES; });
        const std::string_view bytes(buffer, static_cast<size_t>(n));
        bool end = false;
        lines.Feed(
            bytes, [&](std::string_view line) { end = end || IsEndLine(line); }, [] {});
        state->chunks.emplace_back(bytes);
        state->queuedBytes += bytes.size();
        if (end) {
            // Nothing after END is handled, so nothing more is read.
            state->ended = true;
            state->stopping = true;
            if (state->thinking) state->stop();
        }
        state->changed.notify_all();
        if (end) return;
    }
}

}  // namespace

InputReader::InputReader(int fd, std::function<void()> stop) : state_(std::make_shared<State>()) {
    state_->stop = std::move(stop);
    std::thread([fd, state = state_] { ReadLoop(fd, state); }).detach();
}

InputReader::~InputReader() = default;

std::optional<std::string> InputReader::Next() {
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(lock, [&] { return !state_->chunks.empty() || state_->ended; });
    if (state_->chunks.empty()) return std::nullopt;
    std::string chunk = std::move(state_->chunks.front());
    state_->chunks.pop_front();
    state_->queuedBytes -= chunk.size();
    state_->changed.notify_all();
    return chunk;
}

void InputReader::BeginThinking() {
    std::lock_guard lock(state_->mutex);
    state_->thinking = true;
    if (state_->stopping) state_->stop();
}

void InputReader::EndThinking() {
    std::lock_guard lock(state_->mutex);
    state_->thinking = false;
}

}  // namespace pbrain
