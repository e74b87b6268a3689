#include "cli/Cli.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/FpMode.h"
#include "platform/MappedFile.h"
#include "sample/Sample.h"
#include "shell/CliVerbs.h"
#include "shell/Form.h"
#include "shell/MainFrame.h"
#include "shell/Registry.h"
#include "shell/ScriptedUi.h"
#include "shell/ViewText.h"
#include "store/Database.h"
#include "store/ExportImport.h"
#include "store/FieldTable.h"
#include "store/Journal.h"
#include "vehicles/VehicleStats.h"

namespace tablon {

namespace {

constexpr const char* kUsage =
    "usage: tablon-cli [--dir DIR] COMMAND ...\n"
    "  sample DIR [--scale demo|ceiling] [--force]\n"
    "                                      write the sample database into DIR (--force: over\n"
    "                                      a set already there that no program holds)\n"
    "  info [--format tsv|json]            the files of the set and their state\n"
    "  show FILE INDEX [--format text|json] a record's fields by name\n"
    "  raw FILE INDEX                      a record's bytes in hexadecimal\n"
    "  set FILE INDEX NAME=VALUE ...       change fields (NAME[i]=V for one array element)\n"
    "  append FILE [--copy-of INDEX]       append an empty record or a copy\n"
    "  delete FILE INDEX                   delete the last record\n"
    "  export FILE INDEX OUT.vte           append a record to an export file\n"
    "  export \"Hdr Data/LodColours\" I OUT.vte  append a LOD colour to an export file\n"
    "  import IN.vte [--yes|--no|--answers STRING]  offer an export file's records\n"
    "  list CATEGORY [--filter COL=EXPR]... [--sort COL]... [--desc] [--format tsv|csv|json]\n"
    "                                      a category's list view (\"Vehicles/Aircraft\"),\n"
    "                                      the rows whose cells pass the filters (text: contains;\n"
    "                                      =v !=v <v <=v >v >=v a..b; /regex/)\n"
    "  run NAME ...                        a maintenance command:\n"
    "      recalc-stats CATEGORY [--low-air F]  the statistics of the vehicles or units listed\n";

using Args = CliArgs;

constexpr const char* kListUsage =
    "list CATEGORY [--filter COL=EXPR]... [--sort COL]... [--desc] [--format tsv|csv|json]";

// The command line's person: prints every message to standard error as its exact text and
// answers questions from the script given on the command line.
class CliUi : public ScriptedUi {
  public:
    explicit CliUi(std::ostream& err) : err_(err) {
        onMessage = [this](const RecordedMessage& m, bool unanswered) {
            err_ << m.text << "\n";
            if (unanswered) err_ << "(no answer given: answered No)\n";
        };
        onFile = [this](const FileRequest& r, const std::optional<std::string>& chosen) {
            if (!chosen && !r.save && !r.initialName.empty())
                err_ << "(file dialog for " << r.initialName << ": no file chosen)\n";
        };
    }

  private:
    std::ostream& err_;
};

constexpr const char* kOwnLine = "tablon-cli: ";

// Passes standard error through and notes whether one of the tool's own lines ("tablon-cli:
// ...") was among it: a failure that only the system's message reported gets one of its own.
class ErrLines : public std::streambuf {
  public:
    explicit ErrLines(std::streambuf* to) : to_(to) {}
    bool SawOwnLine() const { return sawOwn_; }

  protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        Note(char(c));
        return to_->sputc(char(c));
    }
    std::streamsize xsputn(const char* text, std::streamsize n) override {
        for (std::streamsize k = 0; k < n; ++k) Note(text[k]);
        return to_->sputn(text, n);
    }
    int sync() override { return to_->pubsync(); }

  private:
    void Note(char c) {
        static const size_t kLength = std::strlen(kOwnLine);
        if (c == '\n') {
            head_.clear();
            return;
        }
        if (head_.size() >= kLength) return;
        head_ += c;
        sawOwn_ = sawOwn_ || head_ == kOwnLine;
    }
    std::streambuf* to_;
    std::string head_;  // the start of the line being written
    bool sawOwn_ = false;
};

std::string Plural(uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The number of the journal's last step (0 without one).
uint64_t LastJournalStep() {
    const JournalContents c = Journal::Read(Journal::FolderOf(""));
    return c.steps.empty() ? 0 : c.steps.back().id;
}

// The records that the committed steps after the one numbered `after` wrote (a file without
// records counts once).
uint64_t RecordsWrittenAfter(uint64_t after) {
    uint64_t records = 0;
    for (const auto& step : Journal::Read(Journal::FolderOf("")).steps) {
        if (step.id <= after || step.state != StepState::Committed) continue;
        for (size_t k = 0; k < step.files.size() && k < step.written.size(); ++k) {
            const JournalFile& f = step.files[k];
            std::set<uint64_t> touched;
            for (auto [from, to] : step.written[k]) {
                if (f.recordSize == 0) {
                    touched.insert(0);
                    continue;
                }
                if (to <= f.headerSize || to <= from) continue;
                const uint64_t first =
                    (std::max(from, uint64_t(f.headerSize)) - f.headerSize) / f.recordSize;
                const uint64_t last = (to - f.headerSize - 1) / f.recordSize;
                for (uint64_t r = first; r <= last; ++r) touched.insert(r);
            }
            records += touched.size();
        }
    }
    return records;
}

bool ParseIndex(const std::string& s, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != 0 || v < INT32_MIN || v > INT32_MAX) return false;
    out = int(v);
    return true;
}

// The maintenance commands of "run", by name: the program command each one issues, whether it
// works on the view of a category (named after the command's name), the options it takes before
// it runs, and the messages that mean it failed.
struct NamedRun {
    const char* name;
    int command;
    bool onCategory;
    bool (*prepare)(const Args& args, std::ostream& err);
    std::vector<std::string> failures;
};

bool PrepareRecalcStats(const Args& args, std::ostream& err) {
    if (!args.Has("--low-air")) return true;
    float factor = 0;
    if (!ParseFloatText(args.Opt("--low-air"), factor) || factor < 0 || factor > 1) {
        // The message of the "Low Air Modifier Value" dialog.
        err << "Please enter a number between 0 and 1.\n";
        return false;
    }
    SetLowAirFactor(factor);
    return true;
}

const std::vector<NamedRun>& NamedRuns() {
    static const std::vector<NamedRun> runs{
        {"recalc-stats",
         cmd::kRecalculateStats,
         true,
         PrepareRecalcStats,
         {"Update failed", "Update Failed"}},
    };
    return runs;
}

class Cli : public CliSession {
  public:
    Cli(std::ostream& out, std::ostream& err)
        : out_(out), errLines_(err.rdbuf()), errStream_(&errLines_), err_(errStream_), ui_(err_) {
        RegisterSubsystems(verbRegistry_);
    }

    std::ostream& Out() override { return out_; }
    std::ostream& Err() override { return err_; }
    ScriptedUi& UiOf() override { return ui_; }
    Database* Open() override {
        if (db_) return opened_ ? db_.get() : nullptr;
        opened_ = OpenDatabase();
        return opened_ ? db_.get() : nullptr;
    }
    CTablonApp* App() override {
        if (app_) return app_.get();
        if (!Open()) return nullptr;
        app_ = std::make_unique<CTablonApp>(*db_, ui_);
        app_->Frame().Tree().Build(*db_);
        return app_.get();
    }
    int Usage(const std::string& why) override {
        err_ << "tablon-cli: " << why << "\n";
        if (verb_) {
            err_ << "usage: tablon-cli [--dir DIR] " << verb_->usage << "\n";
            return 2;
        }
        err_ << kUsage;
        return 2;
    }
    int Fail(const std::string& what) override {
        err_ << "tablon-cli: " << what << "\n";
        return 1;
    }
    bool SelectCategory(const std::string& path) override {
        CTablonApp* app = App();
        if (!app) return false;
        std::string error;
        const int item = app->Frame().Tree().FindPath(path, error);
        if (item < 0) {
            err_ << "tablon-cli: " << error << "\n";
            return false;
        }
        app->Frame().OnTreeSelectionChanged(item);
        return true;
    }
    int RunCommand(int command, const std::vector<std::string>& failures) override {
        CTablonApp* app = App();
        if (!app) return 1;
        if (!app->Frame().StateOf(command).enabled) {
            err_ << "tablon-cli: the command does not apply here\n";
            return 1;
        }
        const size_t before = ui_.Messages().size();
        app->Frame().Run(command);
        for (size_t m = before; m < ui_.Messages().size(); ++m)
            for (const auto& failure : failures)
                if (ui_.Messages()[m].text == failure) return 1;
        return 0;
    }
    bool Format(const CliArgs& args, TableFormat& format, bool allowCsv) override {
        const std::string f = args.Opt("--format", "tsv");
        if (f == "tsv")
            format = TableFormat::Tsv;
        else if (f == "json")
            format = TableFormat::Json;
        else if (f == "csv" && allowCsv)
            format = TableFormat::Csv;
        else {
            Usage(allowCsv ? "--format is tsv, csv or json" : "--format is tsv or json");
            return false;
        }
        return true;
    }

    int Run(int argc, char** argv) {
        const int status = EndFailure(Dispatch(argc, argv));
        err_.flush();
        return status;
    }

  private:
    // Every failure ends with a line of the tool's own, after the system's message.
    int EndFailure(int status) {
        if (status != 0 && !errLines_.SawOwnLine())
            err_ << kOwnLine << (command_.empty() ? "failed" : command_ + " failed") << "\n";
        return status;
    }

    int Dispatch(int argc, char** argv) {
        std::vector<std::string> words(argv + 1, argv + argc);
        std::string dir;
        size_t i = 0;
        while (i < words.size() && words[i].rfind("--", 0) == 0) {
            if (words[i] == "--dir") {
                if (i + 1 >= words.size()) return Usage("--dir needs a directory");
                dir = words[i + 1];
                i += 2;
            } else if (words[i] == "--help") {
                return Help();
            } else {
                return Usage("unknown option " + words[i]);
            }
        }
        if (i < words.size() && (words[i] == "-h" || words[i] == "help")) return Help();
        if (i >= words.size()) return Usage("no command given");
        const size_t commandAt = i;
        size_t used = 0;
        verb_ = verbRegistry_.Verbs().Find(words, i, used);
        std::string command = words[i];
        command_ = verb_ ? verb_->name : command;
        i += verb_ ? used : 1;
        Args args;
        std::vector<std::string> valued{"--format", "--scale",   "--copy-of", "--answers",
                                        "--sort",   "--low-air", "--filter"};
        if (verb_) valued.insert(valued.end(), verb_->valued.begin(), verb_->valued.end());
        for (; i < words.size(); ++i) {
            const std::string& w = words[i];
            bool isValued = false;
            for (const auto& v : valued) isValued = isValued || w == v;
            if (isValued) {
                if (i + 1 >= words.size()) return Usage(w + " needs a value");
                args.options[w] = words[++i];
                args.lists[w].push_back(words[i]);
            } else if (w.rfind("--", 0) == 0) {
                args.flags.push_back(w);
            } else {
                args.positional.push_back(w);
            }
        }
        SetProgramFpMode();
        if (command == "sample") return Sample(args);
        if (!dir.empty() && ::chdir(dir.c_str()) != 0) {
            err_ << kOwnLine << "Can't change to directory " << dir << "\n";
            return 1;
        }
        // The whole command is one step of the journal, named by its words.
        std::shared_ptr<Journal> journal;
        if (!verb_ || !verb_->ownSteps) {
            std::string name;
            for (size_t k = commandAt; k < words.size(); ++k)
                name += (k > commandAt ? " " : "") + words[k];
            journal = Journal::Shared(Journal::FolderOf(""));
            journal->BeginStep(name);
        }
        // A maintenance run ends by saying how many records it wrote.
        const bool maintenance = command_ == "run" || command_.rfind("run ", 0) == 0;
        const uint64_t before = maintenance ? LastJournalStep() : 0;
        int status = RunVerb(command, args);
        if (journal) journal->EndStep();
        if (maintenance) {
            status = EndFailure(status);
            if (status != 2)
                err_ << Plural(RecordsWrittenAfter(before), "record", "records") << " written\n";
        }
        return status;
    }

    int RunVerb(const std::string& command, const Args& args) {
        if (verb_) return verb_->run(*this, args);
        if (command == "run") return RunNamed(args);
        if (command == "info") return Info(args);
        if (command == "show") return Show(args);
        if (command == "raw") return Raw(args);
        if (command == "set") return Set(args);
        if (command == "append") return Append(args);
        if (command == "delete") return Delete(args);
        if (command == "export") return Export(args);
        if (command == "import") return Import(args);
        if (command == "list") return List(args);
        return Usage("unknown command " + command);
    }

    int Help() {
        out_ << kUsage;
        for (const auto& v : verbRegistry_.Verbs().All()) out_ << "  " << v.usage << "\n";
        return 0;
    }

    // The category paths of the tree, each item before its children, one a line.
    void WriteCategories(std::ostream& os) {
        CTablonApp* app = App();
        if (!app) return;
        const CVantorTree& tree = app->Frame().Tree();
        os << "categories:\n";
        std::function<void(int)> walk = [&](int item) {
            os << "  " << tree.PathOf(item) << "\n";
            for (int child : tree.ItemAt(item).children) walk(child);
        };
        for (int root : tree.RootItems()) walk(root);
    }

    int Sample(const Args& a) {
        if (a.positional.size() != 1) return Usage("sample takes one directory");
        std::string scale = a.Opt("--scale", "demo");
        if (scale != "demo" && scale != "ceiling") return Usage("--scale is demo or ceiling");
        std::string error;
        if (!WriteSampleDatabase(a.positional[0],
                                 scale == "ceiling" ? SampleScale::Ceiling : SampleScale::Demo,
                                 error, a.Has("--force"))) {
            err_ << kOwnLine << "Can't write the sample database: " << error << "\n";
            return 1;
        }
        return 0;
    }

    // Opens the set as the program does at start-up; false when a required file failed.
    bool OpenDatabase() {
        db_ = std::make_unique<Database>(ui_);
        if (RunStartup(*db_)) return true;
        err_ << kOwnLine << "the database set does not open\n";
        return false;
    }

    int Info(const Args& a) {
        std::string format = a.Opt("--format", "tsv");
        if (format != "tsv" && format != "json") return Usage("--format is tsv or json");
        // Every file is opened on its own, so that one failure does not hide the state of the
        // others; optional files that are absent stay unopened.
        db_ = std::make_unique<Database>(ui_);
        for (const auto& desc : FileDescs()) {
            RecordFile& f = db_->File(desc.id);
            if (!desc.required) {
                MappedFile probe;
                if (!probe.Open(desc.name, false)) continue;
            }
            f.Open(desc.name, "", 1);
        }
        bool allRequired = true;
        if (format == "json") out_ << "[\n";
        for (const auto& desc : FileDescs()) {
            FileStatus s = db_->File(desc.id).Status();
            if (desc.required && s.state != FileState::Ok) allRequired = false;
            const char* state = FileStateName(s.state, desc.required);
            if (format == "tsv") {
                out_ << desc.name << "\t" << state << "\t" << s.recordSize << "\t" << s.count
                     << "\t" << (s.version ? std::to_string(*s.version) : "") << "\n";
            } else {
                out_ << "  {\"file\": " << JsonQuote(desc.name) << ", \"state\": \"" << state
                     << "\", \"record_size\": " << s.recordSize << ", \"count\": " << s.count
                     << ", \"version\": " << (s.version ? std::to_string(*s.version) : "null")
                     << "}" << (int(desc.id) + 1 < kFileCount ? "," : "") << "\n";
            }
        }
        if (format == "json") out_ << "]\n";
        return allRequired ? 0 : 1;
    }

    // FILE INDEX at the front of the positional arguments.
    // FILE INDEX at the front of the positional arguments; on failure targetStatus_ holds the
    // exit status (2 for a usage error).
    RecordFile* Target(const Args& a, int& index, size_t need = 2) {
        targetStatus_ = 1;
        if (a.positional.size() < need) {
            targetStatus_ = Usage(need >= 2 ? "expected FILE INDEX" : "expected FILE");
            return nullptr;
        }
        auto id = FileIdByName(a.positional[0]);
        if (!id) {
            err_ << "tablon-cli: " << a.positional[0] << " is not a file of the database set\n";
            return nullptr;
        }
        if (need >= 2 && !ParseIndex(a.positional[1], index)) {
            err_ << "tablon-cli: bad record index " << a.positional[1] << "\n";
            return nullptr;
        }
        if (!OpenDatabase()) return nullptr;
        return &db_->File(*id);
    }

    bool Read(RecordFile& f, int index, Bytes& rec) {
        if (!f.GenericGet(index, rec)) {
            // Past the end: say what is allowed.
            const TableFile* t = db_ ? db_->Table(f.Desc().id) : nullptr;
            if (t && (index < 0 || uint32_t(index) >= t->RecordCount())) {
                const uint32_t n = t->RecordCount();
                err_ << "tablon-cli: " << f.Desc().name << " holds " << n
                     << (n == 1 ? " record" : " records")
                     << (n ? ": 0 to " + std::to_string(n - 1) : std::string()) << "\n";
            } else {
                err_ << "tablon-cli: can't read record " << index << " of " << f.Desc().name
                     << "\n";
            }
            return false;
        }
        return true;
    }

    int Show(const Args& a) {
        int index = 0;
        RecordFile* f = Target(a, index);
        if (!f) return targetStatus_;
        std::string format = a.Opt("--format", "text");
        if (format != "text" && format != "json") return Usage("--format is text or json");
        Bytes rec;
        if (!Read(*f, index, rec)) return 1;
        const FieldTable& table = FieldTableOf(f->Desc().id);
        // Bytes past the size the file's records use are not part of the record: a field (or
        // the tail of an array) that lies there is not shown.
        auto held = [&](const Field& field) {
            const size_t n = IsArray(field) ? field.count : 1;
            const size_t w = IsArray(field) ? ElementWidth(field.type) : FieldWidth(field);
            size_t k = 0;
            while (k < n && field.offset + (k + 1) * w <= rec.size() &&
                   f->HoldsBytes(uint32_t(field.offset + k * w), uint32_t(w)))
                ++k;
            return k;
        };
        if (format == "json") {
            out_ << "{";
            bool first = true;
            for (const auto& field : table.fields) {
                const size_t n = held(field);
                if (n == 0) continue;
                out_ << (first ? "" : ", ") << JsonQuote(field.name) << ": ";
                if (!IsArray(field) || n == field.count) {
                    out_ << FormatJson(field, rec.data());
                } else {
                    out_ << "[";
                    for (size_t k = 0; k < n; ++k)
                        out_ << (k ? ", " : "") << FormatElement(field, rec.data(), k);
                    out_ << "]";
                }
                first = false;
            }
            out_ << "}\n";
        } else {
            for (const auto& field : table.fields) {
                const size_t n = held(field);
                if (n == 0) continue;
                out_ << field.name << "=";
                for (size_t k = 0; k < n; ++k)
                    out_ << (k ? "," : "") << FormatElement(field, rec.data(), k);
                out_ << "\n";
            }
        }
        return 0;
    }

    int Raw(const Args& a) {
        int index = 0;
        RecordFile* f = Target(a, index);
        if (!f) return targetStatus_;
        Bytes rec;
        if (!Read(*f, index, rec)) return 1;
        std::ostringstream hex;
        for (size_t k = 0; k < rec.size(); ++k)
            hex << std::hex << std::setw(2) << std::setfill('0') << int(rec[k]);
        out_ << hex.str() << "\n";
        return 0;
    }

    int Set(const Args& a) {
        int index = 0;
        RecordFile* f = Target(a, index);
        if (!f) return targetStatus_;
        if (a.positional.size() < 3) return Usage("set needs NAME=VALUE");
        Bytes rec;
        if (!Read(*f, index, rec)) return 1;
        const FieldTable& table = FieldTableOf(f->Desc().id);
        for (size_t k = 2; k < a.positional.size(); ++k) {
            const std::string& assign = a.positional[k];
            size_t eq = assign.find('=');
            if (eq == std::string::npos) return Usage("expected NAME=VALUE, got " + assign);
            std::string name = assign.substr(0, eq), value = assign.substr(eq + 1);
            std::optional<size_t> element;
            if (size_t br = name.find('['); br != std::string::npos && name.back() == ']') {
                int e = 0;
                if (!ParseIndex(name.substr(br + 1, name.size() - br - 2), e) || e < 0)
                    return Usage("bad element in " + name);
                element = size_t(e);
                name = name.substr(0, br);
            }
            const Field* field = table.Find(name);
            if (!field || field->offset + FieldWidth(*field) > rec.size()) {
                err_ << "tablon-cli: " << table.record << " has no field " << name << "\n";
                return 1;
            }
            // A field that the file's records in use do not hold would read back as zero: the
            // write would report success and change nothing.
            const bool array = IsArray(*field);
            const size_t width = element && array ? ElementWidth(field->type) : FieldWidth(*field);
            const size_t at = field->offset + (element && array ? *element * width : 0);
            if ((!element || *element < (array ? field->count : 1u)) &&
                !f->HoldsBytes(uint32_t(at), uint32_t(width))) {
                err_ << "tablon-cli: " << assign.substr(0, eq) << " lies beyond the "
                     << f->Desc().name << " records in use ("
                     << db_->Table(f->Desc().id)->RecordSize() << " bytes)\n";
                return 1;
            }
            std::string error;
            bool ok = element ? ParseElement(*field, rec.data(), *element, value, error)
                              : ParseField(*field, rec.data(), value, error);
            if (!ok) {
                err_ << "tablon-cli: " << error << "\n";
                return 1;
            }
        }
        if (!f->GenericSet(index, rec)) {
            err_ << "Update Failed\n"
                 << kOwnLine << "record " << index << " of " << f->Desc().name << " not written\n";
            return 1;
        }
        err_ << "1 record written\n";
        return 0;
    }

    int Append(const Args& a) {
        int dummy = 0;
        RecordFile* f = Target(a, dummy, 1);
        if (!f) return targetStatus_;
        TableFile* t = db_->Table(f->Desc().id);
        if (!t || !t->Desc().appendDelete) {
            err_ << "tablon-cli: records of " << f->Desc().name << " cannot be appended\n";
            return 1;
        }
        Bytes rec(t->MemSize(), 0);
        std::optional<int> copyOf;
        if (a.Has("--copy-of")) {
            int from = 0;
            if (!ParseIndex(a.Opt("--copy-of"), from)) return Usage("bad --copy-of index");
            if (!Read(*f, from, rec)) return 1;
            copyOf = from;
        }
        int index = 0;
        // Files whose views add records by rules of their own append by those rules.
        if (const AppendRule* rule = verbRegistry_.FindAppendRule(t->Desc().id)) {
            std::string message;
            if (!(*rule)(*db_, copyOf, index, message)) return Fail(message);
            out_ << index << "\n";
            err_ << "1 record written\n";
            return 0;
        }
        if (!t->AppendRecord(index, rec.data())) {
            err_ << "Can't add record\n"
                 << kOwnLine << "no record appended to " << f->Desc().name << "\n";
            return 1;
        }
        out_ << index << "\n";
        err_ << "1 record written\n";
        return 0;
    }

    int Delete(const Args& a) {
        int index = 0;
        RecordFile* f = Target(a, index);
        if (!f) return targetStatus_;
        TableFile* t = db_->Table(f->Desc().id);
        if (!t || !t->Desc().appendDelete) {
            err_ << "tablon-cli: records of " << f->Desc().name << " cannot be deleted\n";
            return 1;
        }
        if (!t->DeleteLastRecord(index)) {
            err_ << "Can't delete record\n";
            if (t->RecordCount() > 0 && uint32_t(index) != t->RecordCount() - 1)
                err_ << kOwnLine << "only the last record of " << f->Desc().name << ", "
                     << t->RecordCount() - 1 << ", can be deleted\n";
            else
                err_ << kOwnLine << "record " << index << " of " << f->Desc().name
                     << " not deleted\n";
            return 1;
        }
        err_ << "1 record deleted\n";
        return 0;
    }

    int Export(const Args& a) {
        int index = 0;
        // The LOD colour table is named by its category: its file's records are the parents.
        if (!a.positional.empty() && a.positional[0] == "Hdr Data/LodColours") {
            if (a.positional.size() != 3) return Usage("export \"Hdr Data/LodColours\" I OUT.vte");
            if (!ParseIndex(a.positional[1], index)) {
                err_ << "tablon-cli: bad record index " << a.positional[1] << "\n";
                return 1;
            }
            if (!OpenDatabase()) return 1;
            ui_.QueueFile(a.positional[2]);
            return ExportLodColour(*db_, index, ui_) ? 0 : 1;
        }
        RecordFile* f = Target(a, index, 3);
        if (!f) return targetStatus_;
        if (a.positional.size() != 3) return Usage("export FILE INDEX OUT.vte");
        if (f->Desc().id == FileId::Hdr) {
            ui_.QueueFile(a.positional[2]);
            return ExportItem(*db_, FileId::Hdr, index, ui_) ? 0 : 1;
        }
        TableFile* t = db_->Table(f->Desc().id);
        if (!t || t->Desc().exportCode < 0) {
            err_ << "tablon-cli: records of " << f->Desc().name << " are not exported\n";
            return 1;
        }
        ui_.QueueFile(a.positional[2]);
        return ExportItem(*db_, f->Desc().id, index, ui_) ? 0 : 1;
    }

    int Import(const Args& a) {
        if (a.positional.size() != 1) return Usage("import IN.vte");
        if (a.Has("--yes")) ui_.SetDefaultAnswer(Answer::Yes);
        if (a.Has("--no")) ui_.SetDefaultAnswer(Answer::No);
        std::string answers = a.Opt("--answers");
        for (char c : answers) {
            if (c != 'y' && c != 'n' && c != 'c') return Usage("--answers takes y, n and c");
            ui_.QueueAnswer(c == 'y' ? Answer::Yes : c == 'n' ? Answer::No : Answer::Cancel);
        }
        if (!OpenDatabase()) return 1;
        const std::string& path = a.positional[0];
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            err_ << kOwnLine << "Can't open " << path << "\n";
            return 1;
        }
        ImportTally tally;
        ImportFile(*db_, path, ui_, &tally);
        int status = 0;
        if (tally.entries == 0 && tally.leftover == 0) {
            err_ << kOwnLine << path << " holds no export entry\n";
            status = 1;
        } else if (tally.leftover) {
            err_ << kOwnLine << path << " is cut short: " << Plural(tally.leftover, "byte", "bytes")
                 << " after the last whole entry\n";
            status = 1;
        }
        // A refused record ("Import failed") makes the run fail.
        int refused = 0;
        for (const auto& m : ui_.Messages()) refused += m.text == "Import failed";
        if (refused) {
            err_ << kOwnLine << Plural(uint64_t(refused), "record", "records") << " not imported\n";
            status = 1;
        }
        err_ << Plural(uint64_t(tally.entries), "entry", "entries") << " read, "
             << Plural(uint64_t(tally.written), "record", "records") << " written\n";
        return status;
    }

    int List(const Args& a) {
        if (a.positional.size() != 1) {
            const int status = Usage("list takes one CATEGORY");
            WriteCategories(err_);
            return status;
        }
        const std::string format = a.Opt("--format", "tsv");
        if (format != "tsv" && format != "csv" && format != "json")
            return Usage("--format is tsv, csv or json");
        if (!Open()) return 1;
        std::string error;
        if (App()->Frame().Tree().FindPath(a.positional[0], error) < 0) {
            err_ << "tablon-cli: " << error << "\n";
            WriteCategories(err_);
            return 1;
        }
        const int status =
            ListCategory(*db_, ui_, a.positional[0], a.All("--sort"), a.Has("--desc"),
                         format == "tsv"   ? TableFormat::Tsv
                         : format == "csv" ? TableFormat::Csv
                                           : TableFormat::Json,
                         out_, err_, a.All("--filter"));
        if (status == 2) err_ << "usage: tablon-cli [--dir DIR] " << kListUsage << "\n";
        return status;
    }

    // "run NAME [CATEGORY] ...": issues the named command as the window would, in the view of the
    // category when the command works on one.
    int RunNamed(const Args& a) {
        if (a.positional.empty()) return Usage("run needs a command name");
        const NamedRun* run = nullptr;
        for (const auto& r : NamedRuns())
            if (a.positional[0] == r.name) run = &r;
        if (!run) return Usage("unknown run command " + a.positional[0]);
        if (a.positional.size() != (run->onCategory ? 2u : 1u))
            return Usage(std::string("run ") + run->name +
                         (run->onCategory ? " takes one CATEGORY" : " takes no arguments"));
        if (run->prepare && !run->prepare(a, err_)) return 2;
        if (!OpenDatabase()) return 1;
        CTablonApp app(*db_, ui_);
        CMainFrame& frame = app.Frame();
        frame.Tree().Build(*db_);
        if (run->onCategory) {
            std::string error;
            const int item = frame.Tree().FindPath(a.positional[1], error);
            if (item < 0) {
                err_ << "tablon-cli: " << error << "\n";
                return 1;
            }
            frame.OnTreeSelectionChanged(item);
        }
        if (!frame.StateOf(run->command).enabled) {
            err_ << "tablon-cli: " << run->name << " does not apply"
                 << (run->onCategory ? " to " + a.positional[1] : std::string()) << "\n";
            return 1;
        }
        const size_t before = ui_.Messages().size();
        frame.Run(run->command);
        for (size_t m = before; m < ui_.Messages().size(); ++m)
            for (const auto& failure : run->failures)
                if (ui_.Messages()[m].text == failure) return 1;
        return 0;
    }

    std::ostream& out_;
    ErrLines errLines_;
    std::ostream errStream_;
    std::ostream& err_;
    CliUi ui_;
    std::unique_ptr<Database> db_;
    bool opened_ = false;
    std::unique_ptr<CTablonApp> app_;
    ShellRegistry verbRegistry_;
    const CliVerb* verb_ = nullptr;
    std::string command_;  // the verb's name, for the line that ends a failure
    int targetStatus_ = 1;
};

}  // namespace

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Cli cli(out, err);
    return cli.Run(argc, argv);
}

}  // namespace tablon
