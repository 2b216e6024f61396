#include "tools/pbrain/reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "tools/pbrain/session.h"

namespace pbrain {

namespace {

constexpr size_t READ_CHUNK = 4096;

}  // namespace

struct InputReader::State {
    std::function<void()> stop;
    std::mutex mutex;  // guards everything below
    std::condition_variable changed;
    std::deque<Chunk> chunks;
    size_t queuedBytes = 0;
    bool dropping = false;  // input is being dropped
    bool midLine = false;   // the last byte queued or dropped was not a line end
    bool ended = false;     // the end of input was read; nothing more comes
    bool stopping = false;  // END or the end of input was read
    bool thinking = false;
};

namespace {

// Queues what was read while the waiting input stays within its bound. What does not fit is
// dropped up to the end of the line it cuts, with one mark for the session to report; input is
// taken again from a line start once half the bound is free, so that a steady flood brings
// one report per half bound rather than one per read. `unbounded`: the bytes hold END, which
// must reach the session, so nothing of them after a line start is dropped.
void Queue(InputReader::State& state, std::string_view bytes, bool unbounded) {
    const auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    while (!bytes.empty()) {
        if (state.dropping) {
            if (state.midLine) {
                const size_t end = bytes.find_first_of("\r\n");
                if (end == std::string_view::npos) return;
                bytes.remove_prefix(end + 1);
                state.midLine = false;
            } else if (!unbounded && state.queuedBytes > MAX_QUEUED_BYTES / 2) {
                state.midLine = true;  // the next line goes too
            } else {
                state.dropping = false;
            }
            continue;
        }
        const size_t room = state.queuedBytes < MAX_QUEUED_BYTES ? MAX_QUEUED_BYTES - state.queuedBytes : 0;
        const size_t take = unbounded ? bytes.size() : std::min(room, bytes.size());
        if (take > 0) {
            state.chunks.push_back({std::string(bytes.substr(0, take))});
            state.queuedBytes += take;
            state.midLine = !lineEnd(bytes[take - 1]);
            bytes.remove_prefix(take);
        }
        if (!bytes.empty()) {
            state.chunks.push_back({std::string(), true});
            state.dropping = true;
        }
    }
}

void ReadLoop(int fd, const std::shared_ptr<InputReader::State>& state) {
    LineSplitter lines;  // to see END where the session will see it
    char buffer[READ_CHUNK];
    for (;;) {
        // Reading never waits for the session: END must be heard however much input waits.
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
        const std::string_view bytes(buffer, static_cast<size_t>(n));
        bool end = false;
        lines.Feed(
            bytes, [&](std::string_view line) { end = end || IsEndLine(line); }, [] {});
        Queue(*state, bytes, end);
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

std::optional<InputReader::Chunk> InputReader::Next() {
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(lock, [&] { return !state_->chunks.empty() || state_->ended; });
    if (state_->chunks.empty()) return std::nullopt;
    Chunk chunk = std::move(state_->chunks.front());
    state_->chunks.pop_front();
    state_->queuedBytes -= chunk.bytes.size();
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
