// The person interface drawn with Qt: modal message boxes titled with the application's
// title, file dialogs built from the system's filter strings, forms as modal dialogs, the busy
// cursor and the desktop's help viewer.
#pragma once

#include <QString>
#include <functional>

#include "shell/Ui.h"

class QDialog;
class QWidget;

namespace tablon {

class QtUi : public Ui {
  public:
    Answer Message(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    void SetBusy(bool busy) override;
    int PopupMenu(const std::vector<MenuChoice>& items) override;
    // Opens the help file in the desktop's viewer for its type, or says why it can't.
    void ShowHelp(const std::string& helpFile, int topic) override;
    void SetClipboard(const std::string& text) override;

    void SetParent(QWidget* parent) { parent_ = parent; }
    QWidget* Parent() const { return parent_; }
    // The window a new box or dialog belongs to: the topmost modal dialog, else the main window.
    QWidget* ActiveParent() const;

    // "ct Files (*.ct)|*.ct|All Files (*.*)|*.*||" as Qt name filters.
    static QString NameFilters(const std::string& filter);

    // The desktop's default program for a type of file ("" for none); the desktop's own
    // database unless replaced (tests).
    using ViewerQuery = std::function<QString(const QString& mimeType)>;
    void SetViewerQuery(ViewerQuery query) { viewerQuery_ = std::move(query); }
    static QString DesktopViewerFor(const QString& mimeType);
    // Opens a file with the desktop's viewer; replaced in tests.
    using Opener = std::function<bool(const QString& path)>;
    void SetOpener(Opener opener) { opener_ = std::move(opener); }

    // Called with every box and dialog just before it waits for the person (a stand-in may
    // take its picture and close it); none by default.
    using ModalStandIn = std::function<void(QDialog& dialog)>;
    void SetModalStandIn(ModalStandIn standIn) { standIn_ = std::move(standIn); }

  protected:
    void Modal(Form& form) override;
    // Runs a box or dialog modally, through the stand-in when there is one.
    int Exec(QDialog& dialog);

  private:
    ModalStandIn standIn_;
    QWidget* parent_ = nullptr;
    int busy_ = 0;
    ViewerQuery viewerQuery_;
    Opener opener_;
};

// The type of the help files.
inline constexpr const char* kHelpMimeType = "application/vnd.ms-htmlhelp";

}  // namespace tablon
