#include "tools/levels/level_source.h"

#include <fstream>
#include <sstream>

namespace {

constexpr char kCellSymbols[] = "?1234567K"; // index = cell code 1..8

bool SymbolToCell(char symbol, int16_t& cell) {
    if (symbol == '.') return cell = kEmpty, true;
    for (int code = 1; code <= 8; ++code)
        if (kCellSymbols[code] == symbol) return cell = static_cast<int16_t>(code), true;
    return false;
}

char CellToSymbol(int16_t cell) {
    return cell >= 1 && cell <= 8 ? kCellSymbols[cell] : '.';
}

std::string Trimmed(const std::string& line) {
    size_t end = line.find_last_not_of(" \t\r");
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

// Reads the source line by line into `levels`; each fault names its line.
class SourceParser {
  public:
    SourceParser(const std::string& name, std::vector<PuzzleLevel>& levels)
        : name_(name), levels_(levels) {}

    bool Line(const std::string& raw) {
        ++lineNumber_;
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#') return true;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "level") return LevelHeader(words);
        if (keyword == "solution") return Solution(words);
        return BoardRow(line);
    }

    bool End() {
        ++lineNumber_;
        if (!levels_.empty() && !Complete()) return false;
        if (levels_.size() != kPuzzleLevels)
            return Fail("the source holds " + std::to_string(levels_.size()) + " levels, needs " +
                        std::to_string(kPuzzleLevels));
        return true;
    }

    std::string error;

  private:
    bool Fail(const std::string& what) {
        error = name_ + ":" + std::to_string(lineNumber_) + ": " + what;
        return false;
    }

    bool Complete() {
        const PuzzleLevel& level = levels_.back();
        if (rows_ != kBoardSize)
            return Fail("level " + std::to_string(level.number) + " has " + std::to_string(rows_) +
                        " board rows, needs 9");
        if (level.solution.empty())
            return Fail("level " + std::to_string(level.number) + " has no solution");
        return true;
    }

    bool LevelHeader(std::istringstream& words) {
        if (!levels_.empty() && !Complete()) return false;
        int number = 0;
        std::string rest;
        const int expected = static_cast<int>(levels_.size()) + 1;
        if (!(words >> number) || (words >> rest) || number != expected)
            return Fail("expected \"level " + std::to_string(expected) + "\"");
        if (number > kPuzzleLevels) return Fail("there are only ten levels");
        levels_.push_back(PuzzleLevel{number, {}, {}});
        for (auto& column : levels_.back().cells)
            column.fill(kEmpty);
        rows_ = 0;
        return true;
    }

    bool Solution(std::istringstream& words) {
        if (levels_.empty()) return Fail("solution before the first \"level\" line");
        PuzzleLevel& level = levels_.back();
        if (!level.solution.empty()) return Fail("second solution for one level");
        for (std::string word; words >> word;) {
            BoardMove move;
            if (!BoardMove::Parse(word, move))
                return Fail("unknown move \"" + word + "\" (L0..L8, R0..R8, CW, CCW)");
            level.solution.push_back(move);
        }
        if (level.solution.empty()) return Fail("the solution lists no move");
        if (static_cast<int>(level.solution.size()) > level.number)
            return Fail("the solution has " + std::to_string(level.solution.size()) +
                        " moves, level " + std::to_string(level.number) + " allows " +
                        std::to_string(level.number));
        return true;
    }

    bool BoardRow(const std::string& line) {
        if (levels_.empty()) return Fail("board row before the first \"level\" line");
        if (rows_ == kBoardSize) return Fail("a tenth board row");
        if (line.size() != kBoardSize)
            return Fail("a board row has 9 cells, this one " + std::to_string(line.size()));
        for (int column = 0; column < kBoardSize; ++column) {
            if (!SymbolToCell(line[column], levels_.back().cells[column][rows_]))
                return Fail(std::string("unknown cell '") + line[column] +
                            "' (. empty, 1..7 colour, K black)");
        }
        ++rows_;
        return true;
    }

    const std::string& name_;
    std::vector<PuzzleLevel>& levels_;
    int lineNumber_ = 0;
    int rows_ = 0;
};

} // namespace

bool ParseLevelSource(std::istream& in, const std::string& name, std::vector<PuzzleLevel>& levels,
                      std::string& error) {
    levels.clear();
    SourceParser parser(name, levels);
    for (std::string line; std::getline(in, line);) {
        if (!parser.Line(line)) return error = parser.error, false;
    }
    if (!parser.End()) return error = parser.error, false;
    return true;
}

bool ReadLevelSource(const std::string& path, std::vector<PuzzleLevel>& levels,
                     std::string& error) {
    std::ifstream in(path);
    if (!in) return error = path + ": cannot be opened", false;
    return ParseLevelSource(in, path, levels, error);
}

std::string FormatLevelBlock(const PuzzleLevel& level) {
    std::string text = "level " + std::to_string(level.number) + "\nsolution";
    for (BoardMove move : level.solution)
        text += " " + move.Name();
    text += "\n";
    for (int row = 0; row < kBoardSize; ++row) {
        for (int column = 0; column < kBoardSize; ++column)
            text += CellToSymbol(level.cells[column][row]);
        text += "\n";
    }
    return text;
}
