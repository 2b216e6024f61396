// Standard input read on a thread of its own, so that the engine hears END while it thinks.
//
// The bytes are handed to the session in the order they came. END or the end of input stops
// the engine at once if it is thinking about a move, or as soon as it begins to think about
// one; a manager that ends the game does not wait for a move it no longer wants. Reading never
// waits for the session, so END is heard however much input waits; what waits is bounded, and
// input beyond the bound is dropped up to a line end, the place marked for the session.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pbrain {

// Input waiting to be handled is bounded, so that a manager that floods the engine while it
// thinks cannot grow its memory.
constexpr size_t MAX_QUEUED_BYTES = size_t{1} << 20;

class InputReader {
public:
    // Bytes in the order read, or the mark of input dropped at that place.
    struct Chunk {
        std::string bytes;
        bool dropped = false;
    };

    // Starts reading `fd` on a new thread. `stop` ends the engine: it is called, on either
    // thread, once END or the end of input has been read while the engine is thinking, and
    // must not return in the program (tests may let it return).
    InputReader(int fd, std::function<void()> stop);
    // The reading thread is left to the end of the process: it may be blocked in a read that
    // nothing interrupts.
    ~InputReader();
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    // The next bytes in the order read; nothing once the input has ended and every byte has
    // been handed out. Waits for one of the two.
    std::optional<Chunk> Next();

    // Around the engine's thinking about a move.
    void BeginThinking();
    void EndThinking();

    struct State;

private:
    std::shared_ptr<State> state_;  // shared with the reading thread
};

}  // namespace pbrain
