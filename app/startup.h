// Start-up: the frame and its board window, the pattern tables, the first showing.
#pragma once

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/main_frame.h"
#include "engine/board.h"
#include "engine/patterns.h"

// Where start-up errors go; tests replace the message box to read the text.
class MessageReporter {
public:
    virtual ~MessageReporter() = default;
    virtual void Critical(const QString& caption, const QString& text) = 0;
};

class MessageBoxReporter final : public MessageReporter {
public:
    void Critical(const QString& caption, const QString& text) override;
};

// For runs without anyone at the screen: the message goes to standard error.
class StderrReporter final : public MessageReporter {
public:
    void Critical(const QString& caption, const QString& text) override;
};

struct StartOptions {
    std::vector<MoveEntry> moves;  // put on the board before the first paint
    QString screenshotPath;        // if set: save a picture of the window once painted, then quit
};

// "x,y x,y ...": points 0..18, each at most once. Nothing for anything else.
std::optional<std::vector<MoveEntry>> ParseMoves(const QString& text);

// Creates the frame (whose board window resets the game), loads the pattern tables and shows
// the frame. A table that cannot be loaded is reported, and then there is no frame. `tables`,
// if given, receives the result of loading.
std::unique_ptr<CMainFrame> StartUp(const std::filesystem::path& exeDir, MessageReporter& reporter,
                                    const std::vector<MoveEntry>& moves = {},
                                    TableLoadResult* tables = nullptr);

// Start-up and the event loop; the exit status of the program.
int RunGame(const std::filesystem::path& exeDir, MessageReporter& reporter, const StartOptions& options);

// Without a window: lines "NAME: PATH" for the two tables and the help file, and status 0 when
// all three were found; what is missing goes to the reporter.
int CheckDataFiles(const std::filesystem::path& exeDir, MessageReporter& reporter);
