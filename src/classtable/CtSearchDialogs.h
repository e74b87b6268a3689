// The search dialogs of the class table: "Enter data" and its result list, the bad model-link
// list, the parent-number question and the parent-reference list; the document commands that
// open them and the command-line verbs of the four searches.
#pragma once

#include "classtable/CtSearch.h"
#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

namespace ctsearch {
// "Enter data"
constexpr int kDomain = 1450;
constexpr int kClass = 1451;
constexpr int kType = 1452;
constexpr int kSubType = 1453;
constexpr int kSpecific = 1454;
// "CT entries sharing the entered classInfo elements"
constexpr int kClassList = 1455;
// "CT->HDR bad links" and "List of Parent Record in CT Records"
constexpr int kLinkList = 1456;
constexpr int kTotal = 1457;   // the number of rows / the parent searched
constexpr int kParent = 1458;  // "Parent Rec #"
}  // namespace ctsearch

// "Enter data": the five classification criteria, "Any" / -1 leaving one unchecked.
class CClassDataDialog : public Form {
  public:
    CClassDataDialog();
    const ClassCriteria& Criteria() const { return criteria_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    ClassCriteria criteria_;
};

// "CT entries sharing the entered classInfo elements": the matching class-table records; a
// double click lists the users of one.
class CClassResultDialog : public Form {
  public:
    CClassResultDialog(ShellContext& ctx, const ClassCriteria& criteria);

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    ClassCriteria criteria_;
};

// The two lists of model slots: a double click edits the row's class-table record, a right
// click lists its users.
class CModelLinkDialog : public Form {
  public:
    enum class Kind { BadLinks, ParentReferences };
    CModelLinkDialog(ShellContext& ctx, Kind kind, int parent = 0);

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    Kind kind_;
    int parent_;
};

// The document commands.
void RunClassSearch(ShellContext& ctx);
void RunBadLinkSearch(ShellContext& ctx);
void RunParentSearch(ShellContext& ctx);

// The three commands and the verbs "search usage", "search class", "search bad-links" and
// "search parent".
void RegisterSearches(ShellRegistry& registry);
void RegisterSearchVerbs(CliVerbTable& verbs);

}  // namespace tablon
