// A protocol engine that misbehaves on purpose, for the match runner's tests. The first
// argument names the fault; "legal" plays the first empty point, row by row.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>
#include <string>
#include <thread>
#include <utility>

namespace {

void Say(const std::string& line) {
    std::cout << line << std::endl;
}

void SleepForever() {
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(60));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "legal";
    std::set<std::pair<int, int>> stones;
    std::pair<int, int> last{-1, -1};
    bool inBoard = false;
    std::string line;
    while (std::getline(std::cin, line)) {
        int x = 0, y = 0, field = 0;
        if (inBoard && std::sscanf(line.c_str(), "%d,%d,%d", &x, &y, &field) == 3) {
            stones.insert({x, y});
            if (field == 2) last = {x, y};
            continue;
        }
        bool moveWanted = false;
        if (line.rfind("START", 0) == 0) {
            if (mode == "mute-start") continue;
            Say(mode == "refuse-start" ? "ERROR no board for me" : "OK");
        } else if (line == "BOARD") {
            inBoard = true;
        } else if (line == "DONE") {
            inBoard = false;
            moveWanted = true;
        } else if (std::sscanf(line.c_str(), "TURN %d,%d", &x, &y) == 2) {
            stones.insert({x, y});
            last = {x, y};
            moveWanted = true;
        } else if (line == "END") {
            if (mode == "ignore-end") SleepForever();
            return 0;
        }
        if (!moveWanted) continue;
        if (mode == "crash") std::abort();
        if (mode == "exit") std::exit(3);
        if (mode == "silent" || mode == "ignore-end") continue;
        if (mode == "close-output") {
            close(STDOUT_FILENO);
            SleepForever();
        }
        if (mode == "garbage") {
            Say("MESSAGE thinking hard");
            Say("please wait");
            continue;
        }
        if (mode == "occupied") {
            Say(std::to_string(last.first) + "," + std::to_string(last.second));
            continue;
        }
        if (mode == "off-board") {
            Say("19,4");
            continue;
        }
        if (mode == "chatty") {
            Say("DEBUG looking");
            Say("MESSAGE " + std::string(10000, 'm'));  // longer than any line the runner keeps
            Say("ERROR a complaint that is not an answer");
        }
        for (int p = 0; p < 19 * 19; ++p) {
            const std::pair<int, int> point{p % 19, p / 19};
            if (!stones.count(point)) {
                stones.insert(point);
                Say(std::to_string(point.first) + "," + std::to_string(point.second));
                break;
            }
        }
    }
    return 0;
}
