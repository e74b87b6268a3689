// The bitmap file dialog's preview: the panel beside the file list, following the selected
// file in open mode and showing the caller's bitmap in save mode.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "QtTestSupport.h"
#include "qt/QtUi.h"
#include "shell/Dib.h"
#include "store/Bytes.h"

namespace tablon::test {

namespace {

// A bottom-up 24-bit bitmap file of width x height grey pixels.
Bytes GreyBitmap(int width, int height) {
    const uint32_t stride = (uint32_t(width) * 24 + 31) / 32 * 4;
    Bytes b(54 + stride * uint32_t(height), 0x80);
    std::fill(b.begin(), b.begin() + 54, 0);
    b[0] = 'B';
    b[1] = 'M';
    StoreLE<uint32_t>(&b[10], 54);
    StoreLE<uint32_t>(&b[14], 40);
    StoreLE<int32_t>(&b[18], width);
    StoreLE<int32_t>(&b[22], height);
    StoreLE<uint16_t>(&b[26], 1);
    StoreLE<uint16_t>(&b[28], 24);
    return b;
}

QStringList LabelTexts(QWidget* dialog) {
    QStringList texts;
    for (QLabel* l : dialog->findChildren<QLabel*>())
        if (l->text().startsWith("Height") || l->text().startsWith("Width") ||
            l->text().startsWith("Depth") || l->text().startsWith("Palette"))
            texts << l->text();
    return texts;
}

}  // namespace

class PreviewDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void SaveModeShowsTheCallersBitmapAndOpenModeTheSelectedFile();
};

void PreviewDialogTest::SaveModeShowsTheCallersBitmapAndOpenModeTheSelectedFile() {
    QtUi ui;
    FileRequest save;
    save.save = true;
    save.filter = "bmp Files (*.bmp)|*.bmp|All Files (*.*)|*.*||";
    save.initialName = "bm-3.bmp";
    save.preview = true;
    save.previewBitmap = GreyBitmap(16, 8);
    QStringList seen;
    bool hadCheck = false;
    QTimer::singleShot(100, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        hadCheck = dialog->findChild<QCheckBox*>() != nullptr;
        seen = LabelTexts(dialog);
        static_cast<QDialog*>(dialog)->reject();
    });
    QVERIFY(!ui.ChooseFile(save));
    QVERIFY(hadCheck);
    QCOMPARE(seen, QStringList({"Height: 8", "Width: 16", "Depth: 24", "Palette: 0"}));

    // Open mode: the labels follow the file chosen in the list.
    QTemporaryDir dir;
    QFile file(dir.filePath("a.bmp"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const Bytes bytes = GreyBitmap(5, 7);
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();
    FileRequest open;
    open.filter = save.filter;
    open.initialDir = dir.path().toStdString();
    open.preview = true;
    QStringList before;
    seen.clear();
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        before = LabelTexts(dialog);
        // A click on the file in the list makes it the current one.
        auto* view = dialog->findChild<QListView*>("listView");
        QVERIFY(view);
        auto* model = qobject_cast<QFileSystemModel*>(view->model());
        QVERIFY(model);
        (void)QTest::qWaitFor([&] { return model->index(dir.filePath("a.bmp")).isValid(); }, 3000);
        view->setCurrentIndex(model->index(dir.filePath("a.bmp")));
        // The file list fills in the background: the selection lands once it has.
        (void)QTest::qWaitFor([&] { return !LabelTexts(dialog).isEmpty(); }, 3000);
        seen = LabelTexts(dialog);
        dialog->reject();
    });
    QVERIFY(!ui.ChooseFile(open));
    QCOMPARE(before, QStringList());
    QCOMPARE(seen, QStringList({"Height: 7", "Width: 5", "Depth: 24", "Palette: 0"}));
}

}  // namespace tablon::test

QObject* MakePreviewDialogTest() {
    return new tablon::test::PreviewDialogTest;
}

namespace {
const tablon::test::QtTestRegistration kMakePreviewDialogTestRegistration(MakePreviewDialogTest);
}  // namespace

#include "PreviewDialogTest.moc"
