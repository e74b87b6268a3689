#include "shell/Ui.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "shell/Form.h"

namespace tablon {

std::string Format(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, ap2);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(ap2);
    return out;
}

std::string HelpFileMissingText(const std::string& helpFile) {
    return "The help file was not found:\n" + helpFile;
}

std::string NoHelpViewerText(const std::string& helpFile) {
    return "No help viewer is available.\n\nThis desktop has no program for compiled HTML help "
           "files, so the help file can't be shown:\n" +
           helpFile;
}

std::string NoDirectoryText(const std::string& dir) {
    return "Can't open the database directory:\n" + dir;
}

Answer Ui::RunDialog(Form& form) {
    OperationHost* host = operations_;
    const int token = host ? host->DialogOpening() : 0;
    form.Begin(*this);
    if (!form.Ended()) Modal(form);
    if (!form.Ended()) form.End(Answer::Cancel);
    // What the caller writes after an OK belongs to the dialog's OK.
    if (host) host->DialogClosed(token, form.Result() == Answer::Ok ? form.Title() + ": OK" : "");
    return form.Result();
}

}  // namespace tablon
