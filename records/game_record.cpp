#include "records/game_record.h"

#include <cctype>

#include "records/judge.h"

namespace records {

namespace {

constexpr const char* RULE_FIELDS[3] = {"0 free", "4 renju", "4 renju international"};

}  // namespace

bool Game::operator==(const Game& other) const {
    if (rule != other.rule || moves.size() != other.moves.size()) return false;
    for (size_t i = 0; i < moves.size(); ++i) {
        if (moves[i].x != other.moves[i].x || moves[i].y != other.moves[i].y) return false;
    }
    return true;
}

std::string MoveName(int x, int y) {
    if (x < 0 || x >= 26 || y >= BOARD_SIZE) return std::to_string(x + 1) + "," + std::to_string(y + 1);
    return std::string(1, static_cast<char>('a' + x)) + std::to_string(BOARD_SIZE - y);
}

std::string MoveList(const std::vector<MoveEntry>& moves) {
    std::string text;
    for (const MoveEntry& m : moves) {
        if (!text.empty()) text += ' ';
        text += MoveName(m.x, m.y);
    }
    return text;
}

std::vector<MoveEntry> ParseMoveList(const std::string& text, Check* fault) {
    std::vector<MoveEntry> moves;
    size_t i = 0;
    const auto separator = [&](size_t k) {
        return std::isspace(static_cast<unsigned char>(text[k])) || text[k] == ',';
    };
    while (true) {
        while (i < text.size() && separator(i))
            ++i;
        if (i == text.size()) return moves;
        size_t end = i;
        while (end < text.size() && !separator(end))
            ++end;
        const std::string word = text.substr(i, end - i);
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(word[0])));
        int number = 0;
        bool digits =
            word.size() >= 2 && word.size() <= 4 && std::isalpha(static_cast<unsigned char>(letter));
        for (size_t k = 1; digits && k < word.size(); ++k) {
            digits = std::isdigit(static_cast<unsigned char>(word[k])) != 0;
            number = number * 10 + (word[k] - '0');
        }
        if (!digits) {
            *fault = {Fault::Unreadable, static_cast<int>(moves.size()) + 1, word};
            return {};
        }
        moves.push_back({letter - 'a', BOARD_SIZE - number});
        i = end;
    }
}

const char* OutcomeText(Outcome outcome) {
    switch (outcome) {
        case Outcome::BlackWins:
            return "black wins";
        case Outcome::WhiteWins:
            return "white wins";
        case Outcome::Draw:
            return "draw";
        case Outcome::Open:
            break;
    }
    return "";
}

GameRecord ToPsq(const Game& game, Outcome outcome) {
    GameRecord record;
    record.size = BOARD_SIZE;
    for (const MoveEntry& m : game.moves)
        record.moves.push_back({m.x, m.y, 0});
    record.fields.emplace_back("Rule", RULE_FIELDS[game.rule]);
    if (outcome != Outcome::Open) record.fields.emplace_back("Result", OutcomeText(outcome));
    return record;
}

Game FromPsq(const GameRecord& record, Check* fault) {
    if (record.size != BOARD_SIZE) {
        *fault = {Fault::WrongSize, 0, std::to_string(record.size)};
        return {};
    }
    Game game;
    const std::string rule = record.Field("Rule");
    game.rule = rule == RULE_FIELDS[2] ? 2 : rule.rfind('4', 0) == 0 ? 1 : 0;
    for (const TimedMove& m : record.moves)
        game.moves.push_back({m.x, m.y});
    return game;
}

Check Replay(const Game& game, const std::string& result, Outcome* outcome) {
    const int32_t menuRule = g_rule;
    Judge judge(game.rule == 0 ? RULE_FREE : RULE_RENJU);
    g_rule = menuRule;
    *outcome = Outcome::Open;
    const int n = static_cast<int>(game.moves.size());
    for (int i = 0; i < n; ++i) {
        const MoveEntry m = game.moves[i];
        const std::string name = MoveName(m.x, m.y);
        if (*outcome != Outcome::Open) return {Fault::AfterEnd, i + 1, name};
        if (!OnBoard(m.x, m.y)) return {Fault::OffBoard, i + 1, name};
        const Judgement j = judge.Play(m.x, m.y);
        switch (j.verdict) {
            case Verdict::Illegal:
                return {Fault::Occupied, i + 1, name};
            case Verdict::Forbidden:
                if (i + 1 < n || result != OutcomeText(Outcome::WhiteWins))
                    return {Fault::Forbidden, i + 1, name, j.detail};
                *outcome = Outcome::WhiteWins;
                break;
            case Verdict::Win:
                *outcome = i % 2 == 0 ? Outcome::BlackWins : Outcome::WhiteWins;
                break;
            case Verdict::Draw:
                *outcome = Outcome::Draw;
                break;
            case Verdict::Continue:
                break;
        }
    }
    if (!result.empty() && result != OutcomeText(*outcome)) return {Fault::ResultDiffers, n, result};
    return {};
}

}  // namespace records
