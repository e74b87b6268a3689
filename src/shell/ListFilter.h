// The filter of one list column, as typed into the box above it: plain text matches cells that
// contain it, ignoring case; "=v", "!=v", "<v", "<=v", ">v", ">=v" and "a..b" (either end may be
// left out) compare by the column's kind, numbers as numbers and texts ignoring case; "/re/" is
// a regular expression searched in the cell ("/re/i" ignores case). A leading backslash takes
// the rest of the text literally ("\>5" contains ">5").
#pragma once

#include <memory>
#include <regex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tablon {

// What a filter box says when the pointer rests on it.
constexpr const char* kFilterHelp =
    "Text: rows whose cell contains it (any case). =v !=v <v <=v >v >=v a..b: compare, numbers "
    "as numbers. /re/: a regular expression (/re/i: any case). Esc clears the filters.";

class ColumnFilter {
  public:
    // Parses a box's text. Blank text is no filter (Active() false); false with the reason when
    // the text is not a filter (a regular expression that does not compile).
    bool Parse(std::string_view text, std::string& error);
    bool Active() const { return op_ != Op::None; }
    // Whether a cell passes. numeric: the column holds numbers, so both sides compare as numbers
    // when both read as one (a cell of such a column that shows a name compares as text).
    bool Matches(std::string_view cell, bool numeric) const;

    // A number as a cell shows it: decimal, "%g" or "x1f" (also "0x1f"); false for anything else.
    static bool ReadNumber(std::string_view text, double& out);

  private:
    enum class Op { None, Contains, Eq, Ne, Lt, Le, Gt, Ge, Range, Regex };
    struct Operand {
        std::string text;  // lower case
        bool isNumber = false;
        double number = 0;
        bool present = false;
    };
    static Operand MakeOperand(std::string_view text);
    // Three-way comparison of a cell against an operand, by number when both are numbers.
    static int Compare(std::string_view cell, bool numeric, double cellNumber, bool cellIsNumber,
                       const Operand& b);

    // A regular expression with the answers it gave so far, by cell text: lists repeat their
    // texts (types, names of copies, numbers), and a search costs far more than a lookup.
    struct Regex {
        std::regex re;
        std::unordered_map<std::string, bool> answers;
        bool Search(std::string_view cell);
    };

    Op op_ = Op::None;
    Operand a_, b_;
    std::shared_ptr<Regex> regex_;
};

}  // namespace tablon
