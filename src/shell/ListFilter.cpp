#include "shell/ListFilter.h"

#include <cmath>
#include <cstdlib>

namespace tablon {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string LowerCopy(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Lower(c);
    return out;
}

// Whether text contains a lower-case needle, ignoring the case of text.
bool ContainsLower(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) return false;
    for (size_t i = 0; i + needle.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && Lower(text[i + k]) == needle[k]) ++k;
        if (k == needle.size()) return true;
    }
    return false;
}

// Compares text against a lower-case operand, ignoring the case of text.
int CompareLower(std::string_view text, std::string_view lower) {
    const size_t n = std::min(text.size(), lower.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(Lower(text[i]));
        const unsigned char y = static_cast<unsigned char>(lower[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return text.size() < lower.size() ? -1 : text.size() > lower.size() ? 1 : 0;
}

constexpr int kUnordered = -1000;

}  // namespace

bool ColumnFilter::ReadNumber(std::string_view text, double& out) {
    text = Trim(text);
    if (text.empty() || text.size() > 64) return false;
    int base = 10;
    if (text.size() > 1 && (text[0] == 'x' || text[0] == 'X')) {
        text.remove_prefix(1);
        base = 16;
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    char buf[72];
    text.copy(buf, text.size());
    buf[text.size()] = 0;
    char* end = nullptr;
    if (base == 16) {
        if (buf[0] == '-' || buf[0] == '+') return false;
        out = double(std::strtoull(buf, &end, 16));
    } else {
        // Digits, sign, point and exponent only: "inf", "nan" and hexadecimal floats are texts.
        for (const char* p = buf; *p; ++p)
            if (!((*p >= '0' && *p <= '9') || *p == '-' || *p == '+' || *p == '.' || *p == 'e' ||
                  *p == 'E'))
                return false;
        out = std::strtod(buf, &end);
    }
    return end != buf && *end == 0;
}

ColumnFilter::Operand ColumnFilter::MakeOperand(std::string_view text) {
    Operand o;
    text = Trim(text);
    o.present = !text.empty();
    o.text = LowerCopy(text);
    o.isNumber = ReadNumber(text, o.number);
    return o;
}

bool ColumnFilter::Parse(std::string_view text, std::string& error) {
    op_ = Op::None;
    a_ = b_ = Operand();
    regex_.reset();
    std::string_view t = Trim(text);
    if (t.empty()) return true;
    if (t.front() == '\\') {
        op_ = Op::Contains;
        a_.text = LowerCopy(t.substr(1));
        a_.present = true;
        return true;
    }
    if (t.size() >= 2 && t.front() == '/') {
        const size_t close = t.rfind('/');
        const std::string_view flags = t.substr(close + 1);
        if (close > 0 && (flags.empty() || flags == "i")) {
            auto options = std::regex::ECMAScript;
            if (flags == "i") options |= std::regex::icase;
            try {
                regex_ = std::make_shared<Regex>(
                    Regex{std::regex(std::string(t.substr(1, close - 1)), options), {}});
            } catch (const std::regex_error& e) {
                error = "not a regular expression: " + std::string(t) + " (" + e.what() + ")";
                return false;
            }
            op_ = Op::Regex;
            return true;
        }
    }
    struct Prefix {
        std::string_view text;
        Op op;
    };
    // Longest first, so that "<=" is not read as "<".
    static constexpr Prefix kPrefixes[] = {{"!=", Op::Ne}, {"<=", Op::Le}, {">=", Op::Ge},
                                           {"=", Op::Eq},  {"<", Op::Lt},  {">", Op::Gt}};
    for (const Prefix& p : kPrefixes)
        if (t.substr(0, p.text.size()) == p.text) {
            op_ = p.op;
            a_ = MakeOperand(t.substr(p.text.size()));
            return true;
        }
    if (const size_t dots = t.find(".."); dots != std::string_view::npos) {
        a_ = MakeOperand(t.substr(0, dots));
        b_ = MakeOperand(t.substr(dots + 2));
        if (a_.present || b_.present) {
            op_ = Op::Range;
            return true;
        }
    }
    op_ = Op::Contains;
    a_.text = LowerCopy(t);
    a_.present = true;
    return true;
}

int ColumnFilter::Compare(std::string_view cell, bool numeric, double cellNumber, bool cellIsNumber,
                          const Operand& b) {
    if (numeric && b.isNumber) {
        // A number against a cell of a number column that shows no number: no order.
        if (!cellIsNumber) return kUnordered;
        return cellNumber < b.number ? -1 : cellNumber > b.number ? 1 : 0;
    }
    return CompareLower(Trim(cell), b.text);
}

bool ColumnFilter::Regex::Search(std::string_view cell) {
    // Bounded: a list of distinct texts never holds more than its rows' worth.
    if (answers.size() > (size_t(1) << 18)) answers.clear();
    const auto [it, added] = answers.try_emplace(std::string(cell), false);
    if (added) it->second = std::regex_search(cell.begin(), cell.end(), re);
    return it->second;
}

bool ColumnFilter::Matches(std::string_view cell, bool numeric) const {
    switch (op_) {
        case Op::None:
            return true;
        case Op::Contains:
            return ContainsLower(cell, a_.text);
        case Op::Regex:
            return regex_->Search(cell);
        default:
            break;
    }
    double v = 0;
    const bool isNumber = numeric && ReadNumber(cell, v) && !std::isnan(v);
    const int r = op_ == Op::Range && !a_.present ? 0 : Compare(cell, numeric, v, isNumber, a_);
    if (op_ == Op::Ne) return r != 0;
    if (r == kUnordered) return false;
    switch (op_) {
        case Op::Eq:
            return r == 0;
        case Op::Lt:
            return r < 0;
        case Op::Le:
            return r <= 0;
        case Op::Gt:
            return r > 0;
        case Op::Ge:
            return r >= 0;
        case Op::Range: {
            if (r < 0 || !b_.present) return r >= 0;
            const int s = Compare(cell, numeric, v, isNumber, b_);
            return s != kUnordered && s <= 0;
        }
        default:
            return true;
    }
}

}  // namespace tablon
