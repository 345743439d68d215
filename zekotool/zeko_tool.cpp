#include "zekotool/zeko_tool.h"

#include <charconv>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "archive/game_file_layout.h"
#include "archive/game_list_columns.h"
#include "archive/game_store.h"
#include "archive/ole_date.h"
#include "game/skill_level.h"
#include "platform/engine_library.h"
#include "platform/numbered_error.h"
#include "settings/text_table.h"

namespace zeko::tool {

namespace {

enum ExitStatus : int { kDone = 0, kFailed = 1, kWrongUsage = 2 };

constexpr int kMaxHalfSeconds = 32767;  // the clock is a 16-bit count

constexpr const char* kUsage =
    "Usage: zekotool COMMAND FILE [ARGUMENTS]\n"
    "Lists, shows, makes and deletes the games of a Zeko game file (.zgf).\n"
    "\n"
    "Commands:\n"
    "  list FILE         one line per game: slot, date, bottom half, top half,\n"
    "                    moves, level, score (tab-separated)\n"
    "  show FILE N       the game in slot N: its fields, moves and position\n"
    "  save FILE --moves \"C f D a\" [OPTIONS]\n"
    "                    stores a new game and prints its slot\n"
    "  delete FILE N     removes the game in slot N\n"
    "\n"
    "zekotool COMMAND --help describes a command.\n";

const std::map<std::string, std::string>& CommandHelp() {
    static const std::map<std::string, std::string> kHelp = {
        {"list",
         "Usage: zekotool list FILE\n"
         "One line per stored game: the slot, then the columns of the select-game\n"
         "dialog (date, bottom half, top half, moves, level, score), tab-separated.\n"},
        {"show",
         "Usage: zekotool show FILE N\n"
         "The game in slot N: one field a line (name: value), its moves as pit\n"
         "letters (A-F the bottom half's pits, a-f the top half's), and the position\n"
         "after MoveNumber - 1 moves as 14 numbers (pits 0-11, top store, bottom store).\n"},
        {"save",
         "Usage: zekotool save FILE --moves \"C f D a\" [OPTIONS]\n"
         "Plays the moves from the standard start (each must be legal, and the first\n"
         "must reach the opponent's row) and stores the game as a new game; prints the\n"
         "slot it was stored in.\n"
         "  --moves \"...\"          the pits played, as letters (A-F, a-f)\n"
         "  --computer             the computer plays the top half\n"
         "  --level L              skill level 1-9 (default 3)\n"
         "  --timed HALF-SECONDS   a timed game with this much time left\n"
         "  --bottom NAME          the bottom half's player\n"
         "  --top NAME             the top half's player\n"
         "  --names BOTTOM,TOP     both names at once (split at the first comma)\n"
         "  --over                 the game is over\n"
         "  --top-to-move          the top half is to move\n"
         "  --move-number N        the next move's number, 1 to moves + 1 (default:\n"
         "                         after the last move)\n"},
        {"delete",
         "Usage: zekotool delete FILE N\n"
         "Removes the game in slot N and frees its move blocks; an empty slot or a\n"
         "missing file is an error.\n"},
    };
    return kHelp;
}

// A usage error: the message and the usage.
struct UsageError {
    std::string Message;
};

std::optional<int> Number(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return {};
    return value;
}

int NumberIn(const std::string& text, int low, int high, const std::string& what) {
    const std::optional<int> value = Number(text);
    if (!value || *value < low || *value > high)
        throw UsageError{what + " must be a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ": " + text};
    return *value;
}

char PitLetter(int pit) {
    return pit < engine::kPitsPerRow ? static_cast<char>('A' + pit)
                                     : static_cast<char>('a' + pit - engine::kPitsPerRow);
}

std::optional<int> PitOfLetter(const std::string& token) {
    if (token.size() != 1) return {};
    const char c = token[0];
    if (c >= 'A' && c < 'A' + engine::kPitsPerRow) return c - 'A';
    if (c >= 'a' && c < 'a' + engine::kPitsPerRow) return c - 'a' + engine::kPitsPerRow;
    return {};
}

std::string EnglishText(int number) {
    return std::string(settings::BuiltInText(settings::kEnglish, number));
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

int List(const std::string& file, std::ostream& out) {
    for (const game::GameRecord& entry : archive::ReadGameList(file)) {
        out << entry.RecordNumber;
        for (const std::string& column : archive::GameListColumns(entry, EnglishText))
            out << '\t' << column;
        out << '\n';
    }
    return kDone;
}

int Show(const std::string& file, int slot, std::ostream& out) {
    platform::EngineLibrary engine;
    game::GameRecord record;
    record.RecordNumber = static_cast<int16_t>(slot);
    archive::LoadGame(file, record, engine);
    record.RebuildAfterLoad(engine);
    out << "RecordNumber: " << record.RecordNumber << '\n'
        << "GameDate: " << archive::FormatOleDateTime(record.GameDate) << '\n'
        << "NameBottomHalf: " << record.NameBottomHalf << '\n'
        << "NameTopHalf: " << record.NameTopHalf << '\n'
        << "ComputerGame: " << YesNo(record.ComputerGame) << '\n'
        << "Level: " << record.Level << '\n'
        << "TimerOn: " << YesNo(record.TimerOn) << '\n'
        << "TimeLeft: " << record.TimeLeft << '\n'
        << "GameOver: " << YesNo(record.GameOver) << '\n'
        << "TopToMove: " << YesNo(record.TopToMove) << '\n'
        << "MoveNumber: " << record.MoveNumber << '\n'
        << "MoveCount: " << record.MoveCount << '\n'
        << "Moves:";
    for (int k = 1; k <= record.MoveCount; ++k)
        out << ' ' << PitLetter(record.Moves[static_cast<std::size_t>(k)]);
    out << "\nPosition:";
    for (const int32_t cell : record.Board)
        out << ' ' << cell;
    out << '\n';
    return kDone;
}

int Save(const std::string& file, const std::vector<std::string>& options, std::ostream& out) {
    std::optional<std::string> moves;
    game::GameRecord record;
    record.ComputerGame = false;
    bool over = false;
    bool topToMove = false;
    std::optional<int> moveNumber;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string& option = options[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= options.size()) throw UsageError{option + " needs a value"};
            return options[++i];
        };
        if (option == "--moves") {
            moves = value();
        } else if (option == "--computer") {
            record.ComputerGame = true;
        } else if (option == "--level") {
            record.Level = static_cast<int16_t>(
                NumberIn(value(), game::kBeginner, game::kGrandmaster, "The level"));
        } else if (option == "--timed") {
            record.TimerOn = true;
            record.TimeLeft =
                static_cast<int16_t>(NumberIn(value(), 0, kMaxHalfSeconds, "The time left"));
        } else if (option == "--names") {
            const std::string& names = value();
            const auto comma = names.find(',');
            if (comma == std::string::npos) throw UsageError{"--names needs BOTTOM,TOP"};
            record.NameBottomHalf = names.substr(0, comma);
            record.NameTopHalf = names.substr(comma + 1);
        } else if (option == "--bottom") {
            record.NameBottomHalf = value();
        } else if (option == "--top") {
            record.NameTopHalf = value();
        } else if (option == "--over") {
            over = true;
        } else if (option == "--top-to-move") {
            topToMove = true;
        } else if (option == "--move-number") {
            moveNumber = NumberIn(value(), 1, archive::kLastRecord, "The move number");
        } else {
            throw UsageError{"Unknown option: " + option};
        }
    }
    if (!moves) throw UsageError{"save needs --moves (it may be \"\")"};

    // The moves, played from the standard start; each must be legal there,
    // the game's first (of either half, as after a pass) under the opening
    // rule.
    platform::EngineLibrary engine;
    record.NewGame();
    bool ended = false;
    std::istringstream tokens(*moves);
    for (std::string token; tokens >> token;) {
        const std::optional<int> pit = PitOfLetter(token);
        if (!pit) throw UsageError{"Not a pit letter (A-F, a-f): " + token};
        const bool top = *pit >= engine::kPitsPerRow;
        const engine::Board seen = top ? engine::rotateboard(record.Board) : record.Board;
        const int local = top ? *pit - engine::kPitsPerRow : *pit;
        const std::string illegal =
            "Illegal move " + std::to_string(record.MoveNumber) + ": " + token;
        if (ended || engine.checkmove(seen.data(), local, 0) != 1) throw UsageError{illegal};
        if (record.MoveCount == 0 && engine.checkmove(seen.data(), local, 1) != 1)
            throw UsageError{illegal + " (the first move must reach the opponent's row)"};
        ended = record.Execute(engine, *pit) != 0;
        record.TopToMove = !top;
        record.RecordMove(*pit);
    }
    record.GameOver = over || ended;
    record.TopToMove = topToMove || (record.TopToMove && !record.GameOver);
    if (moveNumber) {
        if (*moveNumber > record.MoveCount + 1)
            throw UsageError{"The move number must be from 1 to " +
                             std::to_string(record.MoveCount + 1)};
        record.MoveNumber = static_cast<int16_t>(*moveNumber);
        // The stores on record are those of the position shown.
        record.RebuildAfterLoad(engine);
    }
    archive::SaveGame(file, record);
    out << record.RecordNumber << '\n';
    return kDone;
}

}  // namespace

int RunZekoTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? err : out) << kUsage;
        return arguments.empty() ? kWrongUsage : kDone;
    }
    const std::string& command = arguments[0];
    const auto help = CommandHelp().find(command);
    if (help == CommandHelp().end()) {
        err << "zekotool: unknown command: " << command << "\n\n" << kUsage;
        return kWrongUsage;
    }
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            out << help->second;
            return kDone;
        }
    }
    try {
        const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
        const bool withSlot = command == "show" || command == "delete";
        if (rest.empty() || (command == "list" && rest.size() != 1) ||
            (withSlot && rest.size() != 2))
            throw UsageError{"wrong number of arguments"};
        const std::string& file = rest[0];
        if (command == "list") return List(file, out);
        if (command == "save")
            return Save(file, std::vector<std::string>(rest.begin() + 1, rest.end()), out);
        const int slot = NumberIn(rest[1], 1, archive::kHeaderSlots, "The slot");
        if (command == "show") return Show(file, slot, out);
        archive::DeleteGame(file, slot);
        return kDone;
    } catch (const UsageError& error) {
        err << "zekotool " << command << ": " << error.Message << "\n\n" << help->second;
        return kWrongUsage;
    } catch (const platform::NumberedError& error) {
        err << error.Description() << '\n';
        return kFailed;
    }
}

}  // namespace zeko::tool
