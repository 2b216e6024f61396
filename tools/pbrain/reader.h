// Standard input read on a thread of its own, so that the engine hears END while it thinks.
//
// The bytes are handed to the session in the order they came. END or the end of input stops
// the engine at once if it is thinking about a move, or as soon as it begins to think about
// one; a manager that ends the game does not wait for a move it no longer wants.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pbrain {

class InputReader {
public:
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
    std::optional<std::string> Next();

    // Around the engine's thinking about a move.
    void BeginThinking();
    void EndThinking();

    struct State;

private:
    std::shared_ptr<State> state_;  // shared with the reading thread
};

}  // namespace pbrain
