#include "qt/QtUi.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <QVBoxLayout>

#include "qt/FormView.h"
#include "qt/PainterCanvas.h"
#include "shell/Dib.h"

namespace tablon {

QString QtUi::NameFilters(const std::string& filter) {
    // Pairs of description and pattern, separated by '|', ended by "||".
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString desc = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        if (desc.contains('(')) desc = desc.left(desc.indexOf('(')).trimmed();
        out << QString("%1 (%2)").arg(desc, patterns);
    }
    return out.join(";;");
}

QWidget* QtUi::ActiveParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return parent_;
}

Answer QtUi::Message(const std::string& text, Icon icon, Buttons buttons,
                     const std::string& title) {
    QMessageBox box(ActiveParent());
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    switch (icon) {
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // A message box shows the normal cursor even while work is going on.
    const bool wasBusy = busy_ > 0;
    if (wasBusy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    int r = Exec(box);
    if (wasBusy) QApplication::restoreOverrideCursor();
    switch (r) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

namespace {

// The preview area of the bitmap file dialog: draws its bitmap through the drawing port.
class PreviewArea : public QWidget {
  public:
    explicit PreviewArea(QWidget* parent) : QWidget(parent) { setMinimumSize(180, 180); }
    CDib dib;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PainterCanvas canvas(painter, width(), height());
        dib.Draw(canvas);
    }
};

// The panel beside the file list: the "Preview" check box, the area and the four labels. In
// save mode it shows the caller's bitmap and does not follow the selection.
void AddPreview(QFileDialog& dlg, const FileRequest& r) {
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    auto* grid = qobject_cast<QGridLayout*>(dlg.layout());
    if (!grid) return;
    auto* panel = new QWidget(&dlg);
    auto* box = new QVBoxLayout(panel);
    auto* check = new QCheckBox(QString::fromUtf8(kPreviewCheck), panel);
    check->setChecked(true);
    auto* area = new PreviewArea(panel);
    box->addWidget(check);
    box->addWidget(area, 1);
    std::vector<QLabel*> labels;
    for (int i = 0; i < 4; ++i) labels.push_back(new QLabel(panel));
    for (QLabel* l : labels) box->addWidget(l);
    grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);

    auto show = [area, labels] {
        const std::vector<std::string> texts = area->dib.Labels();
        for (size_t i = 0; i < labels.size(); ++i)
            labels[i]->setText(QString::fromStdString(texts[i]));
        area->update();
    };
    auto load = [area, check, show](const QString& path) {
        area->dib.Clear();
        if (check->isChecked() && !path.isEmpty() && QFileInfo(path).isFile())
            area->dib.ReadFile(path.toStdString());
        show();
    };
    if (r.save) {
        area->dib.Read(r.previewBitmap.data(), r.previewBitmap.size());
        show();
        QObject::connect(check, &QCheckBox::toggled, area, [area, r, show](bool on) {
            area->dib.Clear();
            if (on) area->dib.Read(r.previewBitmap.data(), r.previewBitmap.size());
            show();
        });
        return;
    }
    show();
    QObject::connect(&dlg, &QFileDialog::currentChanged, area, load);
    QObject::connect(&dlg, &QFileDialog::directoryEntered, area, [area, show] {
        area->dib.Clear();
        show();
    });
    QObject::connect(check, &QCheckBox::toggled, area,
                     [&dlg, load](bool) { load(dlg.selectedFiles().value(0)); });
}

}  // namespace

std::optional<std::string> QtUi::ChooseFile(const FileRequest& r) {
    QFileDialog dlg(ActiveParent());
    if (!r.title.empty()) dlg.setWindowTitle(QString::fromStdString(r.title));
    dlg.setNameFilter(NameFilters(r.filter));
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile
                           : (r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    if (!r.defaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(r.defaultExt));
    if (!r.initialDir.empty()) dlg.setDirectory(QString::fromStdString(r.initialDir));
    if (!r.initialName.empty()) dlg.selectFile(QString::fromStdString(r.initialName));
    if (r.save) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (r.preview) AddPreview(dlg, r);
    if (Exec(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().first().toStdString();
}

int QtUi::PopupMenu(const std::vector<MenuChoice>& items) {
    QMenu menu(ActiveParent());
    for (const MenuChoice& item : items) {
        QAction* a = menu.addAction(QString::fromUtf8(item.text.c_str()));
        a->setCheckable(true);
        a->setChecked(item.checked);
        a->setData(item.command);
    }
    // The button that opened it was just clicked: the menu opens where the pointer is.
    QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : 0;
}

void QtUi::SetBusy(bool busy) {
    if (busy) {
        if (busy_++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            // The work that follows keeps the event loop from running: let the cursor show now.
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    } else if (busy_ > 0) {
        if (--busy_ == 0) QApplication::restoreOverrideCursor();
    }
}

void QtUi::Modal(Form& form) {
    FormDialog dialog(form, ActiveParent());
    // A dialog shows the normal cursor even while work is going on.
    const bool wasBusy = busy_ > 0;
    if (wasBusy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    Exec(dialog);
    if (wasBusy) QApplication::restoreOverrideCursor();
}

int QtUi::Exec(QDialog& dialog) {
    if (standIn_) standIn_(dialog);
    return dialog.exec();
}

QString QtUi::DesktopViewerFor(const QString& mimeType) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForStarted(2000) || !query.waitForFinished(3000)) return {};
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

void QtUi::SetClipboard(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtUi::ShowHelp(const std::string& helpFile, int /*topic*/) {
    // The viewer opens the file at its contents whatever the topic asked for.
    const QString path = QString::fromStdString(helpFile);
    const QString viewer = viewerQuery_ ? viewerQuery_(QString::fromLatin1(kHelpMimeType))
                                        : DesktopViewerFor(QString::fromLatin1(kHelpMimeType));
    if (viewer.isEmpty()) {
        Show(NoHelpViewerText(helpFile), Icon::Information);
        return;
    }
    if (!QFileInfo::exists(path)) {
        Show(HelpFileMissingText(helpFile), Icon::Exclamation);
        return;
    }
    const bool opened =
        opener_ ? opener_(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!opened) Show(NoHelpViewerText(helpFile), Icon::Information);
}

}  // namespace tablon
