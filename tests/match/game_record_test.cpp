// The window's game records: the .psq form, the move list, and the check of every move.
#include "records/game_record.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/engine_fixture.h"

namespace {

using records::Check;
using records::Fault;
using records::Game;
using records::Outcome;
using GameRecordTest = EngineTest;

// White's stones along the top edge, two points apart: never a shape.
std::vector<MoveEntry> Alternate(const std::vector<MoveEntry>& black) {
    std::vector<MoveEntry> moves;
    for (size_t i = 0; i < black.size(); ++i) {
        moves.push_back(black[i]);
        if (i + 1 < black.size()) moves.push_back({static_cast<int>(2 * i), 0});
    }
    return moves;
}

// Black's ninth stone (10,9) makes two open threes.
const std::vector<MoveEntry> DOUBLE_THREE = Alternate({{8, 9}, {9, 9}, {10, 7}, {10, 8}, {10, 9}});
// Black's ninth stone makes five in a row.
const std::vector<MoveEntry> FIVE = Alternate({{5, 9}, {6, 9}, {7, 9}, {8, 9}, {9, 9}});

std::string PsqText(const Game& game, Outcome outcome) {
    std::ostringstream out;
    records::WritePsq(out, records::ToPsq(game, outcome));
    return out.str();
}

// The text read back as the window reads it, then checked on the board.
Check ReadAndReplay(const std::string& text, Game* game, Outcome* outcome) {
    std::istringstream in(text);
    std::string error;
    const auto record = records::ReadPsq(in, &error);
    if (!record) return {Fault::Unreadable, 0, error};
    Check fault;
    *game = records::FromPsq(*record, &fault);
    if (fault.fault != Fault::None) return fault;
    return records::Replay(*game, record->Field("Result"), outcome);
}

}  // namespace

TEST(GameRecordNotation, LettersFromTheLeftNumbersFromTheBottom) {
    EXPECT_EQ(records::MoveName(7, 11), "h8");
    EXPECT_EQ(records::MoveName(0, 18), "a1");
    EXPECT_EQ(records::MoveName(18, 0), "s19");
    EXPECT_EQ(records::MoveList({{7, 11}, {8, 10}, {9, 9}}), "h8 i9 j10");
    Check fault;
    const std::vector<MoveEntry> moves = records::ParseMoveList(" H8,i9\n\tj10 ", &fault);
    EXPECT_EQ(fault.fault, Fault::None);
    EXPECT_EQ(records::MoveList(moves), "h8 i9 j10");
}

TEST_F(GameRecordTest, RoundTripsUnderEveryRule) {
    const struct {
        const char* name;
        std::vector<MoveEntry> moves;
        Outcome basic, restricted;  // rule 0; rules 1 and 2
    } games[] = {
        {"empty", {}, Outcome::Open, Outcome::Open},
        {"in play", {DOUBLE_THREE.begin(), DOUBLE_THREE.end() - 1}, Outcome::Open, Outcome::Open},
        {"a five", FIVE, Outcome::BlackWins, Outcome::BlackWins},
        {"a double three", DOUBLE_THREE, Outcome::Open, Outcome::WhiteWins},
    };
    for (int rule = 0; rule < 3; ++rule) {
        for (const auto& g : games) {
            SCOPED_TRACE(std::string(g.name) + " under rule " + std::to_string(rule));
            const Game game{rule, g.moves};
            const Outcome want = rule == 0 ? g.basic : g.restricted;
            const std::string text = PsqText(game, want);
            EXPECT_EQ(text.find("Result: ") != std::string::npos, want != Outcome::Open) << text;
            Game back;
            Outcome outcome = Outcome::Open;
            const Check check = ReadAndReplay(text, &back, &outcome);
            EXPECT_EQ(check.fault, Fault::None) << check.text;
            EXPECT_EQ(back, game) << text;
            EXPECT_EQ(outcome, want);

            Check fault;
            const Game pasted{rule, records::ParseMoveList(records::MoveList(g.moves), &fault)};
            EXPECT_EQ(fault.fault, Fault::None);
            EXPECT_EQ(pasted, game);
        }
    }
}

TEST_F(GameRecordTest, TheFirstBadMoveIsNamed) {
    std::vector<MoveEntry> afterFive = FIVE;
    afterFive.push_back({0, 5});
    const std::string japanese = PsqText({1, DOUBLE_THREE}, Outcome::Open);
    const std::string fiveText = PsqText({0, FIVE}, Outcome::BlackWins);
    const struct {
        const char* name;
        std::string text;
        Fault fault;
        int move;
        std::string named;
    } cases[] = {
        {"cut short", fiveText.substr(0, fiveText.find("10,10,0")) + "Rule: 0 free\nResult: black wins\n",
         Fault::ResultDiffers, 8, "black wins"},
        {"a line cut in two", "Piskvorky 19x19, 0:0, 0\n9,10,0\n10,1", Fault::Unreadable, 0, "'10,1'"},
        {"off the board", "Piskvorky 19x19, 0:0, 0\n9,10,0\n20,1,0\n", Fault::Unreadable, 0, "'20,1,0'"},
        {"on a stone", "Piskvorky 19x19, 0:0, 0\n9,10,0\n1,1,0\n9,10,0\n", Fault::Occupied, 3, "i10"},
        {"forbidden to Black", japanese, Fault::Forbidden, 9, "k10"},
        {"a forbidden move that the result does not name", PsqText({1, DOUBLE_THREE}, Outcome::BlackWins),
         Fault::Forbidden, 9, "k10"},
        {"after the end", PsqText({0, afterFive}, Outcome::Open), Fault::AfterEnd, 10, "a14"},
        {"the wrong size", "Piskvorky 15x15, 0:0, 0\n8,8,0\n", Fault::WrongSize, 0, "15"},
        {"not a record", "PNG\x89\x01\x02", Fault::Unreadable, 0, "PNG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Game game;
        Outcome outcome = Outcome::Open;
        const Check check = ReadAndReplay(c.text, &game, &outcome);
        EXPECT_EQ(check.fault, c.fault) << check.text;
        EXPECT_EQ(check.move, c.move);
        EXPECT_NE(check.text.find(c.named), std::string::npos) << check.text;
        if (c.fault == Fault::Forbidden) {
            EXPECT_EQ(check.shape, "double three");
        }
    }
}

TEST_F(GameRecordTest, MoveListsNameTheirBadWord) {
    const struct {
        const char* text;
        int rule;
        Fault fault;
        int move;
        const char* named;
    } cases[] = {
        {"h8 i9 zz", 0, Fault::Unreadable, 3, "zz"}, {"h8 i9 h", 0, Fault::Unreadable, 3, "h"},
        {"h8 t5", 0, Fault::OffBoard, 2, "t5"},      {"h8 h20", 0, Fault::OffBoard, 2, "h20"},
        {"h8 h0", 0, Fault::OffBoard, 2, "8,20"},    {"h8 i9 h8", 0, Fault::Occupied, 3, "h8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Check check;
        const Game game{c.rule, records::ParseMoveList(c.text, &check)};
        Outcome outcome;
        if (check.fault == Fault::None) check = records::Replay(game, "", &outcome);
        EXPECT_EQ(check.fault, c.fault);
        EXPECT_EQ(check.move, c.move);
        EXPECT_NE(check.text.find(c.named), std::string::npos) << check.text;
    }
}
