// Runs every window test class under one application.
#include <QApplication>
#include <QTest>

#include "platform/FpMode.h"

QObject* MakeMainWindowTest();
QObject* MakeFormViewTest();

int main(int argc, char** argv) {
    tablon::SetProgramFpMode();
    QApplication app(argc, argv);
    int failed = 0;
    for (QObject* test : {MakeMainWindowTest(), MakeFormViewTest()}) {
        failed += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failed == 0 ? 0 : 1;
}
