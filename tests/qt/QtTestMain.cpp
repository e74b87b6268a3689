// Runs every registered window test class under one application.
#include <QApplication>
#include <QTest>

#include "QtTestSupport.h"
#include "platform/FpMode.h"

namespace tablon::test {

std::vector<QtTestFactory>& QtTestFactories() {
    static std::vector<QtTestFactory> factories;
    return factories;
}

}  // namespace tablon::test

int main(int argc, char** argv) {
    tablon::SetProgramFpMode();
    QApplication app(argc, argv);
    int failed = 0;
    for (auto factory : tablon::test::QtTestFactories()) {
        QObject* test = factory();
        failed += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failed == 0 ? 0 : 1;
}
