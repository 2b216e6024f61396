// The input reader in-process: END is heard however much input waits, and what waits is bounded.
#include "tools/pbrain/reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr auto HANG = std::chrono::seconds(20);  // only a reader that stopped reading reaches it

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::pipe(fds_), 0); }
    void TearDown() override {
        if (fds_[1] >= 0) ::close(fds_[1]);
    }
    // Writes everything on a thread of its own, as a manager would, and closes the pipe after.
    std::future<void> WriteAll(std::string bytes) {
        const int fd = fds_[1];
        fds_[1] = -1;
        return std::async(std::launch::async, [fd, bytes = std::move(bytes)] {
            for (size_t done = 0; done < bytes.size();) {
                const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
                if (n <= 0) break;
                done += static_cast<size_t>(n);
            }
            ::close(fd);
        });
    }
    int fds_[2] = {-1, -1};
};

struct StopFlag {
    std::mutex mutex;
    std::condition_variable raised;
    int calls = 0;
    void Raise() {
        std::lock_guard lock(mutex);
        ++calls;
        raised.notify_all();
    }
    bool WaitRaised() {
        std::unique_lock lock(mutex);
        return raised.wait_for(lock, HANG, [&] { return calls > 0; });
    }
};

std::string Lines(const std::string& line, size_t bytes) {
    std::string s;
    while (s.size() < bytes)
        s += line;
    return s;
}

}  // namespace

// Far more input than may wait, then END, while the engine thinks: the reader reads on, so END
// stops the engine at once; what waits stays within the bound, the drop is marked once, and END
// is still handed to the session.
TEST_F(ReaderTest, EndBehindAFullBacklogStopsTheEngineAtOnce) {
    StopFlag stop;
    pbrain::InputReader reader(fds_[0], [&] { stop.Raise(); });
    reader.BeginThinking();
    std::future<void> writer = WriteAll(Lines("ABOUT\n", 3 * pbrain::MAX_QUEUED_BYTES) + "END\n");
    const bool written = writer.wait_for(HANG) == std::future_status::ready;
    const bool stopped = stop.WaitRaised();
    EXPECT_TRUE(written) << "the reader stopped reading: the manager is blocked in write";
    EXPECT_TRUE(stopped) << "END was not heard while the engine thought";
    reader.EndThinking();

    size_t bytes = 0, drops = 0;
    std::string last;
    while (std::optional<pbrain::InputReader::Chunk> chunk = reader.Next()) {
        if (chunk->dropped) {
            ++drops;
            continue;
        }
        bytes += chunk->bytes.size();
        last = chunk->bytes;
    }
    writer.wait();
    EXPECT_LE(bytes, pbrain::MAX_QUEUED_BYTES + 4096);
    EXPECT_EQ(drops, 1u);
    ASSERT_GE(last.size(), 4u);
    EXPECT_EQ(last.substr(last.size() - 4), "END\n");
    EXPECT_EQ(stop.calls, 1);
}

// Input that fits is handed on whole and in order, and the end of input ends it.
TEST_F(ReaderTest, InputWithinTheBoundIsHandedOnWhole) {
    StopFlag stop;
    pbrain::InputReader reader(fds_[0], [&] { stop.Raise(); });
    const std::string sent = Lines("INFO timeout_turn 100\r\n", pbrain::MAX_QUEUED_BYTES / 2);
    std::future<void> writer = WriteAll(sent);
    std::string got;
    while (std::optional<pbrain::InputReader::Chunk> chunk = reader.Next()) {
        EXPECT_FALSE(chunk->dropped);
        got += chunk->bytes;
    }
    writer.wait();
    EXPECT_EQ(got, sent);
    EXPECT_EQ(stop.calls, 0) << "nothing thought, so nothing to stop";
}
