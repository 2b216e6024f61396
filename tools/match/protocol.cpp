#include "tools/match/protocol.h"

#include <cctype>
#include <charconv>

#include "platform/text.h"

namespace match {

namespace {

bool StartsWithWord(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word &&
           (line.size() == word.size() || std::isspace(static_cast<unsigned char>(line[word.size()])));
}

bool ParseCoordinate(std::string_view s, int* v) {
    s = Trim(s);
    if (s.empty()) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), *v);
    return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace

Answer ParseAnswer(std::string_view line) {
    line = Trim(line);
    if (line.empty() || StartsWithWord(line, "MESSAGE") || StartsWithWord(line, "DEBUG"))
        return {AnswerKind::Chatter};
    if (StartsWithWord(line, "ERROR") || StartsWithWord(line, "UNKNOWN")) return {AnswerKind::Complaint};
    if (line == "OK") return {AnswerKind::Ok};
    const size_t comma = line.find(',');
    Answer a;
    if (comma != std::string_view::npos && ParseCoordinate(line.substr(0, comma), &a.x) &&
        ParseCoordinate(line.substr(comma + 1), &a.y)) {
        a.kind = AnswerKind::Move;
        return a;
    }
    return {AnswerKind::Other};
}

std::vector<std::string> BoardBlock(const std::vector<TimedMove>& moves, Colour own) {
    std::vector<std::string> lines{"BOARD"};
    for (size_t i = 0; i < moves.size(); ++i) {
        const Colour c = i % 2 == 0 ? Colour::Black : Colour::White;
        lines.push_back(std::to_string(moves[i].x) + "," + std::to_string(moves[i].y) + "," +
                        (c == own ? "1" : "2"));
    }
    lines.push_back("DONE");
    return lines;
}

std::string Quote(std::string_view text) {
    constexpr size_t LIMIT = 60;
    std::string q = "'";
    for (size_t i = 0; i < text.size() && i < LIMIT; ++i)
        q += std::isprint(static_cast<unsigned char>(text[i])) ? text[i] : '?';
    if (text.size() > LIMIT) q += "...";
    return q + "'";
}

}  // namespace match
