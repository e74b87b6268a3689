// Command-line verbs: each subsystem registers the verbs of its own records ("unit slots",
// "fed list", "run sort-hardpoint-tables" ...) with the shell's registry, so the command line
// itself names no record family.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tablon {

class CTablonApp;
class Database;
class ScriptedUi;
enum class TableFormat;

// The words after the verb: positional arguments, options with a value (every value kept in
// order) and bare flags.
struct CliArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    std::map<std::string, std::vector<std::string>> lists;
    std::vector<std::string> flags;

    bool Has(const std::string& f) const;
    std::vector<std::string> All(const std::string& k) const;
    std::string Opt(const std::string& k, const std::string& def = "") const;
};

// What a verb works with: the output streams, the command line's person (messages to standard
// error, answers from the command line), and the database set opened as at start-up.
class CliSession {
  public:
    virtual ~CliSession() = default;
    virtual std::ostream& Out() = 0;
    virtual std::ostream& Err() = 0;
    virtual ScriptedUi& UiOf() = 0;
    // Opens the set as the program does at start-up (once); nullptr when a required file failed.
    virtual Database* Open() = 0;
    // The application on the open set with its tree built (for verbs that issue the window's
    // commands); nullptr when the set does not open.
    virtual CTablonApp* App() = 0;
    // Prints "tablon-cli: WHY" and the usage of the verb; returns 2.
    virtual int Usage(const std::string& why) = 0;
    // Prints "tablon-cli: WHAT" (an error that is not a usage error); returns 1.
    virtual int Fail(const std::string& what) = 0;
    // Selects a category's view (a tree path) as the window would; false (with the error
    // printed) when there is none.
    virtual bool SelectCategory(const std::string& path) = 0;
    // Issues a window command on the selected view or the document; returns 1 when it is not
    // enabled or one of the failure messages was shown during it, else 0.
    virtual int RunCommand(int command, const std::vector<std::string>& failures) = 0;
    // The --format option among the allowed ones ("tsv" default); false after a usage error.
    virtual bool Format(const CliArgs& args, TableFormat& format, bool allowCsv = true) = 0;
};

struct CliVerb {
    std::string name;   // "unit slots", "search usage", "run set-combat-type-8" ...
    std::string usage;  // one line (or more) for the usage text, without the leading spaces
    std::vector<std::string> valued;  // options that take a value ("--pos", "--format" ...)
    std::function<int(CliSession&, const CliArgs&)> run;
    // Every verb is one step of the set's journal, named by its command line, unless it makes
    // steps of its own (undo, redo).
    bool ownSteps = false;
};

class CliVerbTable {
  public:
    void Register(CliVerb verb);
    // The verb named by the first one or two words; words consumed in `used`.
    const CliVerb* Find(const std::vector<std::string>& words, size_t at, size_t& used) const;
    const std::vector<CliVerb>& All() const { return verbs_; }

  private:
    std::vector<CliVerb> verbs_;
};

// Integer argument parsing for verbs: a whole decimal number within [lo, hi].
bool ParseCliInt(const std::string& s, long long lo, long long hi, long long& out);
// A picture size "WxH", each side from 1 to 8192.
bool ParseCliSize(const std::string& s, int& width, int& height);

}  // namespace tablon
