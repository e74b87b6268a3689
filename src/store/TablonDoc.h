// The document: the title shown for the database and the list display mode that every list
// view shares.
#pragma once

#include <string>

namespace tablon {

class CTablonDoc {
  public:
    // A new document is named after the vehicle file.
    bool OnNewDocument() {
        name_ = "vantor.vcd";
        return true;
    }
    // Opening a document by path only remembers the path; nothing is read.
    bool OnOpenDocument(const std::string& path) {
        name_ = path;
        return true;
    }
    // Whatever title is asked for, the stored name is shown ("Vehicles" while it is empty).
    void SetTitle(const std::string& /*requested*/) { title_ = name_.empty() ? "Vehicles" : name_; }
    // The category tree sets the title directly when it switches views.
    void SetTitleDirect(const std::string& title) { title_ = title; }
    const std::string& Title() const { return title_; }
    const std::string& Name() const { return name_; }

    int ListStyle() const { return listStyle_; }
    void SetListStyle(int style) { listStyle_ = style; }

  private:
    std::string name_;
    std::string title_;
    int listStyle_ = 0;  // large icons
};

}  // namespace tablon
